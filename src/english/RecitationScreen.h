#pragma once

#include "english/WordScreen.h"

#include <array>

class QRadioButton;

namespace app {
class AppContext;
}
namespace ui {
class AnswerButtons;
class Timer;
} // namespace ui

namespace english {

// The picture area that takes the answer keys 1 to 3.
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
    void closeChoices();
    void showPercent();
    void showMark(int i);

    ui::FlatButton *button3_, *button4_, *button5_, *button6_, *button8_;
    ui::AnswerButtons *choices_;
    std::array<QLabel *, 3> image1_{};
    QLabel *label1_, *label4_, *label5_;
    QProgressBar *progress1_, *progress2_;
    std::array<QRadioButton *, 2> option1_{};
    KeyArea *picture3_;
    QWidget *picture1_, *picture2_;
    ui::Timer *timer1_, *timer2_, *timer3_;
    bool open_ = false; // a word is asked and not answered yet
};

} // namespace english
