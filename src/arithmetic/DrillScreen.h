#pragma once

#include "app/MenuChoice.h"
#include "arithmetic/DrillGenerators.h"
#include "core/SoundSheet.h"
#include "ui/Widgets.h"

#include <optional>

namespace app {
class AppContext;
class RoundTally;
} // namespace app
namespace ui {
class AnswerButtons;
class Timer;
} // namespace ui

namespace arithmetic {

// What sets one drill screen apart from the others: a row of this table, not a copied file.
struct DrillKind {
    // Operands: A op B = ? on five tiles, with a clock and a score (the four operation drills).
    // Expression: the whole chain on one wide tile, titled on Button3, no clock, no score.
    enum class Layout { Operands, Expression };

    QString screenName{};   // control name of the window
    QString caption{};      // window caption at load (a menu item's title replaces it)
    QString title{};        // Label2 (Button3 on the expression layout) at load; likewise
    QString operatorSign{}; // Button3 on the operands layout
    core::Clip greeting{};  // stretch of jieguo.wav played at load; none when empty
    QString tableButton{};  // caption of Button8; empty when the screen has none
    Generator generate = nullptr;
    bool narrowTiles = false; // the division screen's four question tiles are 1935 twips wide
    Layout layout = Layout::Operands;
    core::Clip rightClip = core::jieguo::kRight;
    QString tallyFormat = QStringLiteral("正确%1道题,错误%2道题,");
};

// The timed four-choice drill: a question and four answer buttons, a 20-second countdown of
// 100 ticks and a tally; the operation drills add a score and an elapsed-time clock.
class DrillScreen : public ui::Screen, public app::MenuChoiceTarget {
    Q_OBJECT
  public:
    DrillScreen(app::AppContext &ctx, const DrillKind &kind);

    // The menu item's range or chain, its title, and whether the "=" tile shows.
    void applyMenuChoice(const app::MenuChoice &choice) override;

    // Question set-up: restart the countdown, clear the answers, then the generator part.
    void cjf();

    const DrillKind &kind() const { return kind_; }
    ui::Timer *clock() const { return clock_; } // null on the expression layout
    ui::Timer *countdown() const { return countdown_; }
    // The question on show; none before the first "开始".
    const std::optional<Question> &question() const { return question_; }
    int rightCount() const { return rightCount_; }
    int wrongCount() const { return wrongCount_; }
    int elapsedSeconds() const { return elapsedSeconds_; }
    // The variant the menu item chose (the sums' range, the chain); 0 without a menu item.
    int mode() const { return mode_; }

    // Texts the screen shows (exact); the tally's wording is the kind's.
    QString tallyText(int right, int wrong) const;
    static QString scoreText(int right, int wrong, int seconds);
    static QString clockOnlyText(int seconds);
    // A round of the record: this many questions, each settled by its right answer or the clock.
    static constexpr int kRoundQuestions = 20;
    // The question as the tiles show it ("7 + 5 ="), as the record keeps it.
    QString questionText() const;

  signals:
    // The table button was pressed; the screen that owns table windows listens.
    void tableRequested(const QString &tableName);

  private:
    void buildOperandsLayout();
    void buildExpressionLayout();
    void start();
    void answer(int k);
    void countdownTick();
    void clockTick();
    void togglePause();
    QString answerText() const;
    void settleQuestion();

    app::AppContext &ctx_;
    DrillKind kind_;
    QLabel *title_ = nullptr;             // the operation drills' title
    ui::FlatButton *titleTile_ = nullptr; // the chains' title
    // The question tiles: A op B = ?, or on the expression layout the whole chain, = and ?.
    ui::FlatButton *firstOperand_ = nullptr, *operator_ = nullptr, *secondOperand_ = nullptr,
                   *equals_ = nullptr, *answerTile_ = nullptr;
    ui::AnswerButtons *answers_ = nullptr;
    ui::FlatButton *start_ = nullptr, *pause_ = nullptr, *tally_ = nullptr, *score_ = nullptr,
                   *back_ = nullptr;
    ui::FlatButton *table_ = nullptr;
    QProgressBar *progress_ = nullptr;
    ui::Timer *clock_ = nullptr, *countdown_ = nullptr;

    int mode_ = 0;
    std::optional<Question> question_;
    int rightCount_ = 0, wrongCount_ = 0;
    bool wrongPending_ = false; // a wrong answer was given: the question stays until the right one
    int elapsedSeconds_ = 0;
    bool paused_ = false;
    app::RoundTally *round_ = nullptr;
    int settled_ = 0; // questions settled in the round under way
};

} // namespace arithmetic
