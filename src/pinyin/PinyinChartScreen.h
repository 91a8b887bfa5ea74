#pragma once

#include "ui/Widgets.h"

#include <memory>

namespace app {
class AppContext;
}
namespace services {
class WavePlayer;
}

namespace pinyin {

class LetterBoard;

// xuepyform: the wall chart of the 47 letters; a click says the letter, resting on it shows its
// rhyme. No question, no score.
class PinyinChartScreen : public ui::Screen {
    Q_OBJECT
  public:
    explicit PinyinChartScreen(app::AppContext &ctx);
    ~PinyinChartScreen() override;

    LetterBoard *board() const { return board_; }
    services::WavePlayer &player() { return *player_; }

  private:
    app::AppContext &ctx_;
    std::unique_ptr<services::WavePlayer> player_;
    LetterBoard *board_;
};

} // namespace pinyin
