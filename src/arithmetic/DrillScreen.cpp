#include "arithmetic/DrillScreen.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/RoundTally.h"
#include "services/WavePlayer.h"
#include "ui/AnswerButtons.h"
#include "ui/Backdrop.h"
#include "ui/Keyboard.h"
#include "ui/Timer.h"

namespace arithmetic {

namespace {
constexpr int kRevealTick = 80, kLastTick = 100;
constexpr double kControlPoint = 12, kTilePoint = 10.5;

int widthOf(DrillKind::Layout layout) {
    return layout == DrillKind::Layout::Expression ? 11835 : 10995;
}
} // namespace

QString DrillScreen::tallyText(int right, int wrong) const {
    return kind_.tallyFormat.arg(right).arg(wrong);
}

QString DrillScreen::scoreText(int right, int wrong, int seconds) {
    const int score = static_cast<int>(right * 100.0 / (right + wrong));
    return QStringLiteral("成绩%1分--时间%2秒").arg(score).arg(seconds);
}

QString DrillScreen::clockOnlyText(int seconds) {
    return QStringLiteral("0分时间%1").arg(seconds);
}

DrillScreen::DrillScreen(app::AppContext &ctx, const DrillKind &kind)
    : ui::Screen(kind.screenName, kind.caption, widthOf(kind.layout), 8010), ctx_(ctx), kind_(kind) {
    new ui::Backdrop(ui::Backdrop::Scene::Sky, this);

    if (kind.layout == DrillKind::Layout::Expression)
        buildExpressionLayout();
    else
        buildOperandsLayout();

    connect(answers_, &ui::AnswerButtons::chosen, this, &DrillScreen::answer);
    countdown_ = new ui::Timer(QStringLiteral("Timer2"), 200, this);
    connect(countdown_, &ui::Timer::tick, this, &DrillScreen::countdownTick);
    if (score_) {
        clock_ = new ui::Timer(QStringLiteral("Timer1"), 1000, this);
        connect(clock_, &ui::Timer::tick, this, &DrillScreen::clockTick);
    }
    connect(start_, &QPushButton::clicked, this, &DrillScreen::start);
    connect(pause_, &QPushButton::clicked, this, &DrillScreen::togglePause);
    connect(back_, &QPushButton::clicked, this, [this] { ctx_.navigator().returnToMain(); });
    ui::markBack(back_);
    progress_->setAccessibleName(QStringLiteral("答题时间"));
    round_ = new app::RoundTally(ctx_, this, services::Area::Arithmetic);
    round_->setMode(kind_.title);
    if (table_)
        connect(table_, &QPushButton::clicked, this, [this] { emit tableRequested(kind_.tableButton); });

    // Load step.
    if (kind.greeting.length() > 0) ctx_.jieguo().play(kind.greeting);
    start_->setEnabled(true);
    answers_->setAllEnabled(false);
}

void DrillScreen::buildOperandsLayout() {
    title_ = ui::makeLabel(QStringLiteral("Label2"), kind_.title, this, ui::twRect(3480, 240, 3360, 495), 18,
                           QColor(255, 0, 0));
    title_->setAlignment(Qt::AlignCenter);
    // A menu caption can be longer than the title box; let it grow about its centre.
    title_->setGeometry(ui::twRect(2280, 240, 5760, 495));

    auto *question = ui::makePanel(QStringLiteral("Picture3"), this, ui::twRect(120, 1200, 10575, 1695));
    auto tile = [&](const char *name, const QString &caption, QRect r) {
        auto *b = new ui::FlatButton(QString::fromLatin1(name), caption, question, 72, true);
        b->setGeometry(r);
        return b;
    };
    if (kind_.narrowTiles) {
        // Four equal tiles of 1935 twips with the answer place after them.
        firstOperand_ = tile("Button2", QStringLiteral("A"), ui::twRect(240, 240, 1935, 1335));
        operator_ = tile("Button3", kind_.operatorSign, ui::twRect(2250, 240, 1935, 1335));
        secondOperand_ = tile("Button4", QStringLiteral("B"), ui::twRect(4260, 240, 1935, 1335));
        equals_ = tile("Button5", QStringLiteral("="), ui::twRect(6270, 240, 1935, 1335));
        answerTile_ = tile("Button6", QStringLiteral("?"), ui::twRect(8280, 240, 2175, 1335));
    } else {
        firstOperand_ = tile("Button2", QStringLiteral("A"), ui::twRect(240, 240, 2295, 1335));
        operator_ = tile("Button3", kind_.operatorSign, ui::twRect(2610, 240, 1335, 1335));
        secondOperand_ = tile("Button4", QStringLiteral("B"), ui::twRect(4020, 240, 2175, 1335));
        equals_ = tile("Button5", QStringLiteral("="), ui::twRect(6270, 240, 1455, 1335));
        answerTile_ = tile("Button6", QStringLiteral("?"), ui::twRect(7920, 240, 2535, 1335));
    }

    progress_ = ui::makeProgress(QStringLiteral("Progress1"), this, ui::twRect(120, 3000, 10575, 255));

    answers_ = new ui::AnswerButtons(this, QStringLiteral("Button9"),
                                     {ui::twRect(600, 3480, 2535, 1695), ui::twRect(4200, 3480, 2535, 1695),
                                      ui::twRect(600, 5760, 2535, 1695), ui::twRect(4200, 5760, 2535, 1695)},
                                     72);

    auto *controls = ui::makePanel(QStringLiteral("Picture2"), this, ui::twRect(7080, 3480, 3615, 4335));
    auto button = [&](const char *name, const QString &caption, QRect r, bool isTile = false) {
        auto *b = new ui::FlatButton(QString::fromLatin1(name), caption, controls,
                                     isTile ? kTilePoint : kControlPoint, isTile);
        b->setGeometry(r);
        return b;
    };
    if (!kind_.tableButton.isEmpty()) {
        start_ = button("Button7", QStringLiteral("开始"), ui::twRect(75, 120, 1455, 735));
        pause_ = button("Button11", QStringLiteral("暂停"), ui::twRect(2040, 120, 1455, 735));
        table_ = button("Button8", kind_.tableButton, ui::twRect(120, 960, 3450, 735));
    } else {
        // Without a table button the panel stacks start, pause, tally, score and return.
        start_ = button("Button7", QStringLiteral("开始"), ui::twRect(75, 120, 3450, 735));
        pause_ = button("Button11", QStringLiteral("暂停"), ui::twRect(75, 960, 3450, 735));
    }
    tally_ = button("Button13", QStringLiteral("正误"), ui::twRect(75, 1800, 3450, 735), true);
    score_ = button("Button10", QStringLiteral(" 成绩"), ui::twRect(75, 2640, 3450, 735), true);
    back_ = button("Button1", QStringLiteral("返回"), ui::twRect(75, 3480, 3450, 735));
}

void DrillScreen::buildExpressionLayout() {
    auto *titlePanel = ui::makePanel(QStringLiteral("Picture4"), this, ui::twRect(2880, 120, 6015, 975));
    titleTile_ = new ui::FlatButton(QStringLiteral("Button3"), kind_.title, titlePanel, 21.75, true);
    titleTile_->setGeometry(ui::twRect(0, 0, 6015, 975));

    auto *question = ui::makePanel(QStringLiteral("Picture3"), this, ui::twRect(120, 1200, 11535, 1695));
    auto tile = [&](const char *name, const QString &caption, double points, QRect r) {
        auto *b = new ui::FlatButton(QString::fromLatin1(name), caption, question, points, true);
        b->setGeometry(r);
        return b;
    };
    firstOperand_ = tile("Button2", QString(), 60, ui::twRect(50, 240, 7935, 1335));
    equals_ = tile("Button5", QStringLiteral("="), 72, ui::twRect(7980, 240, 975, 1335));
    answerTile_ = tile("Button6", QStringLiteral("?"), 72, ui::twRect(8950, 240, 2535, 1335));

    progress_ = ui::makeProgress(QStringLiteral("Progress1"), this, ui::twRect(120, 3000, 11535, 255));

    answers_ = new ui::AnswerButtons(this, QStringLiteral("Button9"),
                                     {ui::twRect(480, 3600, 3375, 1695), ui::twRect(5160, 3600, 3375, 1695),
                                      ui::twRect(480, 5880, 3375, 1695), ui::twRect(5160, 5880, 3375, 1695)},
                                     72);

    auto *controls = ui::makePanel(QStringLiteral("Picture2"), this, ui::twRect(9360, 3360, 2295, 4335));
    auto button = [&](const char *name, const QString &caption, int top, bool isTile = false) {
        auto *b = new ui::FlatButton(QString::fromLatin1(name), caption, controls,
                                     isTile ? kTilePoint : kControlPoint, isTile);
        b->setGeometry(ui::twRect(240, top, 1815, 735));
        return b;
    };
    start_ = button("Button7", QStringLiteral("开始"), 240);
    pause_ = button("Button11", QStringLiteral("暂停"), 1280);
    tally_ = button("Button13", QStringLiteral("正误"), 2320, true);
    back_ = button("Button1", QStringLiteral("返回"), 3360);
}

void DrillScreen::start() {
    start_->setEnabled(false);
    settled_ = 0;
    round_->begin(round_->mode());
    elapsedSeconds_ = 0;
    if (clock_) clock_->setEnabled(true);
    answers_->setAllEnabled(true);
    cjf();
}

void DrillScreen::cjf() {
    countdown_->setEnabled(true);
    answers_->clearCaptions();
    progress_->setValue(0);
    answerTile_->setCaption(QStringLiteral("?"));
    ctx_.random.randomize();

    question_ = kind_.generate(ctx_.random, ctx_.globals, mode_);
    firstOperand_->setCaption(question_->first);
    if (secondOperand_) secondOperand_->setCaption(question_->second);
    for (int k = 1; k <= 4; ++k)
        answers_->setCaption(k, question_->captions()[k - 1]);
}

QString DrillScreen::answerText() const {
    // Before the first question the answer is empty, and so is its reveal.
    return question_ ? formatNumber(question_->answer) : QString();
}

void DrillScreen::countdownTick() {
    const int value = progress_->value() + 1;
    progress_->setValue(value);
    if (value >= kRevealTick) answerTile_->setCaption(answerText());
    if (value == kLastTick) {
        // Ran out: neither right nor wrong, no sound, just the next question.
        countdown_->setEnabled(false);
        progress_->setValue(0);
        answers_->setAllEnabled(true);
        settleQuestion();
        cjf();
    }
}

QString DrillScreen::questionText() const {
    if (!question_) return {};
    if (!secondOperand_) return question_->first + QStringLiteral(" =");
    return QStringLiteral("%1 %2 %3 =").arg(question_->first, operator_->caption(), question_->second);
}

// Twenty questions make a round, and the next round starts with the next question.
void DrillScreen::settleQuestion() {
    if (++settled_ < kRoundQuestions) return;
    settled_ = 0;
    round_->begin(round_->mode());
}

void DrillScreen::answer(int k) {
    const bool right = question_ && leadingValue(answers_->caption(k)) == question_->answer;
    if (right)
        round_->right(kind_.screenName, questionText());
    else
        round_->wrong(kind_.screenName, questionText(), answers_->caption(k));
    if (right) {
        ctx_.jieguo().play(kind_.rightClip);
        ++rightCount_;
        // A right answer also ends a pause: the next question's countdown runs.
        paused_ = false;
        pause_->setCaption(QStringLiteral("暂停"));
        answerTile_->setCaption(answerText());
        answers_->setAllEnabled(true);
        wrongPending_ = false;
    } else {
        ctx_.jieguo().play(core::jieguo::kWrong);
        ++wrongCount_;
        wrongPending_ = true;
        answerTile_->setCaption(answerText());
        answers_->setEnabled(k, false);
    }
    tally_->setCaption(tallyText(rightCount_, wrongCount_));
    if (score_) score_->setCaption(scoreText(rightCount_, wrongCount_, elapsedSeconds_));
    if (!wrongPending_) {
        settleQuestion();
        cjf();
    }
}

void DrillScreen::clockTick() {
    ++elapsedSeconds_;
    if (rightCount_ + wrongCount_ == 0)
        score_->setCaption(clockOnlyText(elapsedSeconds_));
    else
        score_->setCaption(scoreText(rightCount_, wrongCount_, elapsedSeconds_));
}

void DrillScreen::togglePause() {
    paused_ = !paused_;
    countdown_->setEnabled(!paused_);
    pause_->setCaption(paused_ ? QStringLiteral("继续") : QStringLiteral("暂停"));
}

void DrillScreen::applyMenuChoice(const app::MenuChoice &choice) {
    mode_ = choice.mode;
    if (!choice.title.isEmpty()) round_->setMode(choice.title);
    if (!choice.title.isEmpty()) {
        if (title_) title_->setText(choice.title);
        if (titleTile_) titleTile_->setCaption(choice.title);
        setWindowTitle(choice.title);
    }
    if (!choice.showEquals) equals_->hide();
}

} // namespace arithmetic
