#pragma once

#include "ui/Widgets.h"

#include <memory>

class QLabel;

namespace app {
class AppContext;
class RoundTally;
} // namespace app
namespace services {
class TableCursor;
class WavePlayer;
} // namespace services
namespace ui {
class Timer;
}

namespace pinyin {

class LetterBoard;

// pyyxform: a character in large print; the child spells its pinyin with the letter buttons.
// "正确！" when the letters put together are its pinyin, and the next character two ticks later.
class PinyinSpellingScreen : public ui::Screen {
    Q_OBJECT
  public:
    explicit PinyinSpellingScreen(app::AppContext &ctx);
    ~PinyinSpellingScreen() override;

    // A new character at random from 单字: what "开始" and the second tick after "正确！" do.
    void newCharacter();

    LetterBoard *board() const { return board_; }
    ui::Timer *timer() const { return moveOnTimer_; }
    const QString &expected() const { return expected_; }
    services::WavePlayer &player() { return *player_; }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void startPressed();
    void letterClicked(int k);
    void clearInput();
    void tick();
    // Shows why there is no character to ask, if so; true when there is none.
    bool showProblem();
    services::TableCursor *characters();
    void review(const QStringList &items);
    // Moves the cursor to the next character under review that the table holds; false when none.
    bool toReviewed(services::TableCursor &cursor);

    app::AppContext &ctx_;
    std::unique_ptr<services::WavePlayer> player_;
    QWidget *backdrop_;
    QLabel *character_, *cheer_, *problem_;
    ui::FlatButton *display_, *clear_, *start_, *back_;
    LetterBoard *board_;
    ui::Timer *moveOnTimer_;
    QString expected_;
    int ticks_ = 0;
    app::RoundTally *round_;
    bool missed_ = false;     // the character on show has been counted as a miss
    QStringList reviewQueue_; // characters to ask next, before the random ones
};

} // namespace pinyin
