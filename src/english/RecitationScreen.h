#pragma once

#include "english/WordScreen.h"

#include <array>
#include <optional>

class QRadioButton;

namespace app {
class AppContext;
}
namespace ui {
class AnswerButtons;
class Timer;
} // namespace ui

namespace english {

// The picture area of the choices. With the focus on it, a key other than 1 to 3 (which the screen
// takes wherever the focus is) is a choice that matches none.
class KeyArea : public QWidget {
    Q_OBJECT
  public:
    KeyArea(const QString &name, QWidget *parent);
  signals:
    void keyCode(int code);

  protected:
    void keyPressEvent(QKeyEvent *e) override;
};

// 背单词: a timed self-test on the words of one group, three meanings to choose from.
class RecitationScreen : public WordScreen {
    Q_OBJECT
  public:
    explicit RecitationScreen(app::AppContext &ctx);

  private:
    void start();
    void nextWord();
    void fillTick();
    void reveal();
    void answer(int choice, bool byKey);
    void giveUp();
    void togglePause();
    void pause();
    void resume();
    void closeChoices();
    void showPercent();
    void showMark(int i);

    ui::FlatButton *button3_, *button4_, *button5_, *button6_, *button8_, *repeat_;
    ui::AnswerButtons *choices_;
    std::array<QLabel *, 3> image1_{};
    QLabel *label1_, *label4_, *label5_;
    QProgressBar *progress1_, *progress2_;
    std::array<QRadioButton *, 2> option1_{};
    KeyArea *picture3_;
    QWidget *picture1_, *picture2_;
    ui::Timer *timer1_, *timer2_, *timer3_;
    Pace pace_{};
    bool open_ = false; // a word is asked and not answered yet
    // What a pause put on hold, given back as it was on "继续".
    struct Held {
        bool nextDue, reveal, fill; // Timer1, Timer2, Timer3 were on
        std::array<bool, 3> choices;
        bool giveUp;
    };
    std::optional<Held> paused_;
};

} // namespace english
