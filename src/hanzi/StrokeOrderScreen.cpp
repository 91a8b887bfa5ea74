#include "hanzi/StrokeOrderScreen.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "core/SoundSheet.h"
#include "hanzi/StrokeCanvas.h"
#include "hanzi/StrokeMatcher.h"
#include "ui/Backdrop.h"
#include "ui/Fonts.h"
#include "ui/Keyboard.h"
#include "ui/Timer.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace hanzi {

namespace {

const QColor kBlue(0, 0, 255);
const QColor kRed(220, 0, 0);

// A wrong line fades out in this time, so the child sees what was drawn before it goes.
constexpr int kFadeMs = 400;
// After this many wrong lines for one stroke, the stroke is shown once more as a hint.
constexpr int kTriesBeforeHint = 3;

// One frame of the screen: the animation moves at the screen's refresh rate.
int frameMs() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double hz = screen ? screen->refreshRate() : 60;
    return std::clamp(int(std::lround(1000 / (hz > 0 ? hz : 60))), 8, 33);
}

QString whyWrong(StrokeVerdict verdict, int stroke) {
    switch (verdict) {
    case StrokeVerdict::Backwards: return QStringLiteral("方向反了，从第%1画的起笔处写").arg(stroke);
    case StrokeVerdict::MissedStart: return QStringLiteral("从第%1画的起笔处开始写").arg(stroke);
    case StrokeVerdict::MissedEnd: return QStringLiteral("第%1画要写到收笔处，再试一次").arg(stroke);
    case StrokeVerdict::Scribble: return QStringLiteral("慢一点，一笔写成，再试一次");
    default: return QStringLiteral("照着灰色的第%1画写，再试一次").arg(stroke);
    }
}

} // namespace

StrokeOrderScreen::StrokeOrderScreen(app::AppContext &ctx, StrokeOrderRequest request)
    : ui::Screen(screens::kStrokeOrder, QStringLiteral("笔顺"), 12600, 9000), ctx_(ctx),
      request_(std::move(request)) {
    build();
    wire();
    showCharacter(request_.shown);
}

void StrokeOrderScreen::build() {
    new ui::Backdrop(ui::Backdrop::Scene::Sky, this);

    title_ = ui::makeLabel(QStringLiteral("Label1"), QStringLiteral("笔顺"), this, ui::twRect(360, 120, 7800, 600),
                           24, kRed, true);
    title_->setAlignment(Qt::AlignCenter);
    canvas_ = new StrokeCanvas(QStringLiteral("Picture1"), this);
    canvas_->setGeometry(ui::twRect(360, 840, 7800, 7800));

    pinyin_ = ui::makeLabel(QStringLiteral("Label2"), QString(), this, ui::twRect(8520, 840, 3720, 1200), 36,
                            QColor(194, 24, 91));
    pinyin_->setAlignment(Qt::AlignCenter);
    total_ = ui::makeLabel(QStringLiteral("Label3"), QString(), this, ui::twRect(8520, 2160, 3720, 480), 16, kBlue);
    total_->setAlignment(Qt::AlignCenter);
    strokeNumber_ =
        ui::makeLabel(QStringLiteral("Label4"), QString(), this, ui::twRect(8520, 2700, 3720, 480), 16, kRed, true);
    strokeNumber_->setAlignment(Qt::AlignCenter);
    note_ = ui::makeLabel(QStringLiteral("Label5"), QString(), this, ui::twRect(8520, 3300, 3720, 1200), 12, kBlue);
    note_->setAlignment(Qt::AlignCenter);
    note_->setWordWrap(true);

    auto button = [&](const char *name, const QString &caption, int top) {
        auto *b = new ui::FlatButton(QString::fromLatin1(name), caption, this, 14);
        b->setGeometry(ui::twRect(8880, top, 3000, 600));
        return b;
    };
    replay_ = button("Button1", QStringLiteral("再看一遍"), 4620);
    step_ = button("Button2", QStringLiteral("一笔一笔"), 5340);
    trace_ = button("Button3", QStringLiteral("描红"), 6060);
    again_ = button("Button5", QStringLiteral("再写一遍"), 6780);
    nextCharacter_ = button("Button6", QStringLiteral("下一个字"), 7500);
    back_ = button("Button4", QStringLiteral("返回"), 8220);
    again_->hide();
    nextCharacter_->hide();
    ui::markBack(back_);

    frameTimer_ = new ui::Timer(QStringLiteral("Timer1"), frameMs(), this);
}

void StrokeOrderScreen::wire() {
    connect(replay_, &QPushButton::clicked, this, [this] { watch(false); });
    connect(step_, &QPushButton::clicked, this, [this] { watch(true); });
    connect(trace_, &QPushButton::clicked, this, &StrokeOrderScreen::trace);
    connect(again_, &QPushButton::clicked, this, &StrokeOrderScreen::trace);
    connect(nextCharacter_, &QPushButton::clicked, this, [this] {
        if (!request_.next) return;
        if (const std::optional<LessonCharacter> next = request_.next())
            showCharacter(*next);
        else
            nextCharacter_->hide(); // the lesson has no next character to give
    });
    connect(back_, &QPushButton::clicked, this, [this] {
        frameTimer_->setEnabled(false);
        ctx_.navigator().leave();
    });
    connect(frameTimer_, &ui::Timer::tick, this, [this] { frame(frameTimer_->interval()); });
    connect(canvas_, &StrokeCanvas::lineDrawn, this, &StrokeOrderScreen::judge);
}

// The character, its pinyin as the lesson shows it, and its strokes written once from a blank grid.
void StrokeOrderScreen::showCharacter(const LessonCharacter &shown) {
    using Form = services::PinyinLookup::Form;
    pinyin_->setText(
        ctx_.pinyin().recordPinYin(shown.character, shown.reading, request_.toneMarks ? Form::Toned : Form::Display));
    pinyin_->setFont(ui::fittedFont(ui::simSun(36), pinyin_->text(), pinyin_->size()));
    const QList<uint> codes = shown.character.toUcs4();
    std::optional<services::StrokeCharacter> strokes;
    if (codes.size() == 1) strokes = ctx_.strokes().character(char32_t(codes.front()));
    canvas_->setCharacter(strokes);
    player_ = StrokePlayer(canvas_->strokeCount());
    again_->hide();
    nextCharacter_->hide();
    for (auto *b : {replay_, step_, trace_})
        b->setEnabled(bool(strokes));
    if (!strokes) {
        mode_ = Mode::Watch;
        frameTimer_->setEnabled(false);
        total_->clear();
        strokeNumber_->clear();
        showNote(shown.character.isEmpty() ? QStringLiteral("没有要写的字")
                                           : QStringLiteral("“%1”还没有笔顺").arg(shown.character));
        return;
    }
    total_->setText(QStringLiteral("共%1画").arg(canvas_->strokeCount()));
    watch(false);
}

void StrokeOrderScreen::watch(bool oneStroke) {
    if (mode_ != Mode::Watch) player_ = StrokePlayer(canvas_->strokeCount());
    mode_ = Mode::Watch;
    hinting_ = false;
    fadeMs_ = 0;
    again_->hide();
    nextCharacter_->hide();
    canvas_->setTracing(false);
    canvas_->setShadow(false);
    canvas_->setFading(0);
    if (oneStroke)
        player_.step();
    else
        player_.playAll();
    showNote(QString());
    frame(0);
}

void StrokeOrderScreen::trace() {
    mode_ = Mode::Trace;
    traced_ = 0;
    wrongTries_ = 0;
    hinting_ = false;
    fadeMs_ = 0;
    player_ = StrokePlayer(canvas_->strokeCount());
    again_->hide();
    nextCharacter_->hide();
    canvas_->setGrowing(-1, 0);
    canvas_->setWritten(0);
    canvas_->setFading(0);
    canvas_->setShadow(true);
    canvas_->setTracing(true);
    // Tracing is done with a pointer: a child at the keyboard is told so.
    showNote(QStringLiteral("用鼠标、手指或笔，照着灰色的字写第1画"));
    frame(0);
}

void StrokeOrderScreen::judge(const Polyline &line) {
    if (mode_ != Mode::Trace || traced_ >= canvas_->strokeCount()) return;
    // A hint on show makes way for the child's own try.
    hinting_ = false;
    player_ = StrokePlayer(canvas_->strokeCount());
    canvas_->setGrowing(-1, 0);
    const StrokeVerdict verdict = matchStroke(line, canvas_->character()->strokes[traced_].median);
    if (verdict == StrokeVerdict::NothingDrawn) return;
    if (verdict == StrokeVerdict::Right) {
        wrongTries_ = 0;
        fadeMs_ = 0;
        canvas_->setFading(0);
        canvas_->setWritten(++traced_);
        if (traced_ == canvas_->strokeCount()) {
            mode_ = Mode::Traced;
            canvas_->setTracing(false);
            ctx_.jieguo().play(core::jieguo::kRightWithPraise);
            showNote(QStringLiteral("写对了！"), true);
            again_->show();
            nextCharacter_->setVisible(bool(request_.next));
        } else {
            ctx_.jieguo().play(core::jieguo::kRight);
            showNote(QStringLiteral("写对了，接着写第%1画").arg(traced_ + 1));
        }
    } else {
        ctx_.jieguo().play(core::jieguo::kWrong);
        fadeMs_ = kFadeMs;
        if (++wrongTries_ >= kTriesBeforeHint) {
            wrongTries_ = 0;
            hinting_ = true;
            player_.playOne(traced_);
            showNote(QStringLiteral("看一看第%1画怎么写，再写一遍").arg(traced_ + 1));
        } else {
            showNote(whyWrong(verdict, traced_ + 1));
        }
    }
    frame(0);
}

// One frame: the animation, the hint and a wrong line's fading move on by ms (a timer tick), or
// are drawn as they stand (0).
void StrokeOrderScreen::frame(int ms) {
    player_.advance(ms);
    fadeMs_ = std::max(0, fadeMs_ - ms);
    canvas_->setFading(fadeMs_ > 0 ? double(fadeMs_) / kFadeMs : 0);
    if (mode_ == Mode::Watch) {
        canvas_->setWritten(player_.finished());
        canvas_->setGrowing(player_.current(), player_.fraction());
    } else if (hinting_) {
        // The hint stays whole on show once written, until the child draws again.
        const int stroke = player_.current() >= 0 ? player_.current() : traced_;
        canvas_->setGrowing(stroke, player_.current() >= 0 ? player_.fraction() : 1, true);
    }
    showStrokeNumber();
    frameTimer_->setEnabled(player_.running() || fadeMs_ > 0);
}

void StrokeOrderScreen::showStrokeNumber() {
    const int n = canvas_->strokeCount();
    const int k = mode_ == Mode::Watch ? player_.strokeOnShow() : std::min(traced_ + 1, n);
    strokeNumber_->setText(k > 0 ? QStringLiteral("第%1画").arg(k) : QString());
}

void StrokeOrderScreen::showNote(const QString &text, bool praise) {
    // Praise large and red; everything else a line or two in the lesson's blue.
    note_->setFont(praise ? ui::simSun(24, true) : ui::simSun(12));
    QPalette p = note_->palette();
    p.setColor(QPalette::WindowText, praise ? kRed : kBlue);
    note_->setPalette(p);
    note_->setText(text);
}

} // namespace hanzi
