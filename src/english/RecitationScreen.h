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
    explicit RecitationScreen(app::AppContext &ctx, const BookChoice &choice = {});

    // The button (0..2) that holds the right meaning of the word asked.
    int rightButton() const { return order_.right; }
    // Words answered right since "开始".
    int rightCount() const { return rightCount_; }

  private:
    void build();
    void wire();
    void load();
    void showChoice() override;
    void review() override;
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

    ui::FlatButton *heading_;
    QWidget *wordCard_, *statusStrip_; // come up on "开始"
    ui::FlatButton *word_;
    QLabel *position_, *learnedLabel_, *rightLabel_; // "词汇量:… 总第…个", "学习了第…个", "正确…个"
    KeyArea *keyArea_;
    ui::AnswerButtons *choices_;
    std::array<QLabel *, 3> marks_{}; // beside each choice, shown on the right one
    ui::FlatButton *giveUp_;
    QProgressBar *timeBar_, *percentBar_;
    std::array<QRadioButton *, 2> readAloud_{}; // 朗读, 不朗读
    ui::FlatButton *start_, *pause_, *repeat_, *leave_;
    ui::Timer *nextTimer_;   // brings the next word
    ui::Timer *revealTimer_; // shows the right meaning
    ui::Timer *paceTimer_;   // fills the time bar
    Pace pace_{};
    bool open_ = false; // a word is asked and not answered yet
    int learnedCount_ = 0;
    int rightCount_ = 0;
    ChoiceOrder order_{0, 1, 2};
    // What a pause put on hold, given back as it was on "继续".
    struct Held {
        bool nextDue, reveal, fill; // the next, reveal and pace timers were on
        std::array<bool, 3> choices;
        bool giveUp;
    };
    std::optional<Held> paused_;
};

} // namespace english
