#pragma once

#include "app/MenuChoice.h"
#include "pinyin/PinyinLetterTable.h"
#include "ui/Widgets.h"

#include <memory>

namespace app {
class AppContext;
class RoundTally;
} // namespace app
namespace services {
class WavePlayer;
}
namespace ui {
class AnswerButtons;
class Timer;
} // namespace ui

namespace pinyin {

// pyyx1form: hear a letter, find it among four. The menu item picks the letters asked; the
// game keeps no score.
class PinyinGamesScreen : public ui::Screen, public app::MenuChoiceTarget {
    Q_OBJECT
  public:
    explicit PinyinGamesScreen(app::AppContext &ctx);
    ~PinyinGamesScreen() override;

    // The letter group of the item (modes 2..6) and its title as the window caption. Without a
    // group the game asks all 47 letters.
    void applyMenuChoice(const app::MenuChoice &choice) override;

    // Question set-up: a letter said, it and three others of the range on the buttons.
    void cjf();

    int answer() const { return answer_; }
    // The button the letter heard is on; 0 before the first question.
    int rightButton() const { return rightButton_; }
    ui::Timer *pauseTimer() const { return pause_; }
    services::WavePlayer &player() { return *player_; }

  private:
    void start();
    void check(int k);
    void playAnswer();
    void review(const QStringList &items);

    app::AppContext &ctx_;
    std::unique_ptr<services::WavePlayer> player_;
    LetterRange range_{1, kLetterCount};
    int answer_ = 0; // 0 before the first question of this visit
    int rightButton_ = 0;
    ui::AnswerButtons *answers_;
    ui::FlatButton *hint_, *start_, *again_, *back_;
    // After a right answer the chime is heard out before the next letter; answers wait.
    ui::Timer *pause_;
    app::RoundTally *round_;
    QList<int> reviewQueue_; // letters to ask next, before the range goes on
};

} // namespace pinyin
