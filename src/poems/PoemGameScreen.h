#pragma once

#include "ui/Widgets.h"

#include <array>

class QListWidget;
class QRadioButton;

namespace app {
class AppContext;
class RoundTally;
} // namespace app
namespace ui {
class Timer;
}

namespace poems {

// 唐诗游戏: a poem's four lines shuffled; the child clicks them in order and each one is typed
// into the next empty slot. Four slots in order win the next poem.
class PoemGameScreen : public ui::Screen {
    Q_OBJECT
  public:
    explicit PoemGameScreen(app::AppContext &ctx);

    // One character typed per tick; a line ends with one more tick.
    static constexpr int kTypingMs = 80;
    // The pause after a solved poem.
    static constexpr int kSolvedPauseMs = 1500;

    bool busy() const { return typingFrom_ != 0 || pausing_; }

  protected:
    void showEvent(QShowEvent *e) override;

  private:
    void build();
    void wire();
    void fillList();
    void startPoem(int k);
    void clickLine(int j);
    void typeNext();
    void check();
    void emptySlots();
    void stopWork();
    // 1 to 4: the shuffled lines; 5 to 8: the slots they are typed into, in order.
    ui::FlatButton *lineButton(int j) const { return lineButtons_[static_cast<std::size_t>(j - 1)]; }

    app::AppContext &ctx_;
    std::array<ui::FlatButton *, 8> lineButtons_{};
    std::array<QString, 4> lines_;
    QListWidget *list_;
    QLabel *count_;
    ui::FlatButton *title_, *author_, *again_, *back_;
    std::array<QRadioButton *, 2> orderChoice_{};
    ui::Timer *typing_;
    ui::Timer *pause_;
    int poemCount_ = 0;
    int current_ = -1;
    bool filled_ = false;

    // The line being typed: its button, its slot, and how much of it is in the slot.
    int typingFrom_ = 0;
    int typingTo_ = 0;
    QString typingText_;
    int typed_ = 0;
    bool pausing_ = false;
    app::RoundTally *round_ = nullptr; // a round is one poem
};

} // namespace poems
