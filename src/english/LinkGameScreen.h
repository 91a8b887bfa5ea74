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
    explicit LinkGameScreen(app::AppContext &ctx, const BookChoice &choice = {});

    // The clock's value; the bar shows it, and 0 while it is below 0.
    int elapsed() const { return elapsed_; }
    // "开始", and the program's own deal at each level change.
    void deal();
    // The deal of the level that starts at levelOffset (0, 25, 50, 75), as a level change makes it.
    void dealLevel(int levelOffset) {
        levelOffset_ = levelOffset;
        deal();
    }
    // Where word i's meaning lies on the board (0..24).
    int meaningPlace(int i) const { return meaningOrder_[std::size_t(i)]; }
    // Pairs made at this level.
    int pairCount() const { return pairCount_; }
    // The level's first word in the group: 0, 25, 50 or 75.
    int levelOffset() const { return levelOffset_; }

  private:
    void build();
    void wire();
    void load();
    void showChoice() override;
    void clickWord(int i);
    void clickMeaning(int j);
    void match();
    void afterClick();
    void tick();
    void setElapsed(int v);
    void leave();

    ui::FlatButton *heading_;
    QLabel *levelLabel_; // "第…关(共有4关)"
    QProgressBar *clockBar_;
    ui::AnswerButtons *words_, *meanings_;
    QRadioButton *readAloud_, *silent_; // 朗读, 不朗读
    ui::FlatButton *start_, *leave_;
    ui::Timer *clock_;
    int elapsed_ = 0;
    int dealt_ = 0; // words on the board this level
    int levelOffset_ = 0;
    std::array<int, kBoardWords> meaningOrder_{};
    // The pairing state: the meaning place the last word click asks for, the last meaning place
    // clicked, the last word clicked. Outside a match they hold the markers below.
    int wantedMeaning_ = kBoardWords;
    int clickedMeaning_ = kBoardWords;
    int clickedWord_ = 0;
    int pairCount_ = 0;
    // The last click not yet part of a pair, for the record: a word and a meaning that do not
    // belong together are a miss.
    int pendingWord_ = -1, pendingMeaning_ = -1;
};

} // namespace english
