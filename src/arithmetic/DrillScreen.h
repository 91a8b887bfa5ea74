#pragma once

#include "arithmetic/DrillGenerators.h"
#include "ui/Widgets.h"

#include <array>

namespace app {
class AppContext;
}
namespace ui {
class Timer;
}

namespace arithmetic {

// What sets one drill screen apart from the others: a row of this table, not a copied file.
struct DrillKind {
    QString screenName;   // control name of the window
    QString caption;      // window caption at load (a menu item may replace it)
    QString title;        // Label2 at load (likewise)
    QString operatorSign; // Button3
    int loadFrom = 0, loadTo = 0; // stretch of jieguo.wav played when the screen loads
    QString tableButton;  // caption of Button8; empty when the screen has none
    Generator generate = nullptr;
    bool narrowTiles = false; // the division screen's four question tiles are 1935 twips wide
};

// The timed four-choice drill: a question A op B = ?, four answer buttons, a 20-second
// countdown of 100 ticks, a tally, a score and an elapsed-time clock.
class DrillScreen : public ui::Screen {
    Q_OBJECT
public:
    DrillScreen(app::AppContext &ctx, const DrillKind &kind);

    // Question set-up: restart the countdown, clear the answers, then the generator part.
    void cjf();

    ui::Timer *clock() const { return timer1_; }
    ui::Timer *countdown() const { return timer2_; }

    // Texts the screen shows (exact).
    static QString tallyText(int right, int wrong);
    static QString scoreText(int right, int wrong, int seconds);
    static QString clockOnlyText(int seconds);

signals:
    // The table button was pressed; the screen that owns table windows listens.
    void tableRequested(const QString &tableName);

private:
    void start();
    void answer(int k);
    void countdownTick();
    void clockTick();
    void togglePause();
    QString answerText() const;

    app::AppContext &ctx_;
    DrillKind kind_;
    ui::FlatButton *button2_, *button3_, *button4_, *button5_, *button6_;
    std::array<ui::FlatButton *, 4> answers_{};
    ui::FlatButton *start_, *pause_, *tally_, *score_, *back_;
    ui::FlatButton *table_ = nullptr;
    QProgressBar *progress_;
    ui::Timer *timer1_, *timer2_;
};

} // namespace arithmetic
