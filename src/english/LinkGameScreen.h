#pragma once

#include "english/WordScreen.h"

class QRadioButton;

namespace app {
class AppContext;
}
namespace ui {
class AnswerButtons;
class Timer;
} // namespace ui

namespace english {

// 连连看: 25 words and their shuffled meanings; a word and its meaning clicked one after the
// other (either order) leave the board. Four levels of a group against the clock.
class LinkGameScreen : public WordScreen {
    Q_OBJECT
  public:
    explicit LinkGameScreen(app::AppContext &ctx);

    // The clock's value; the bar shows it, and 0 while it is below 0.
    int elapsed() const { return elapsed_; }
    // "开始", and the program's own deal at each level change.
    void deal();

  private:
    void clickWord(int i);
    void clickMeaning(int j);
    void match();
    void afterClick();
    void tick();
    void setElapsed(int v);
    void leave();

    ui::AnswerButtons *words_, *meanings_;
    ui::FlatButton *button3_;
    QLabel *label1_;
    QProgressBar *progress1_;
    QRadioButton *option1_;
    ui::Timer *timer1_;
    int elapsed_ = 0;
    int dealt_ = 0; // words on the board this level
};

} // namespace english
