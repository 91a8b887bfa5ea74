#include "hanzi/LessonScreen.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/RoundTally.h"
#include "app/ScreenNames.h"
#include "hanzi/StrokeOrderScreen.h"
#include "services/ContentSchema.h"
#include "ui/Backdrop.h"
#include "ui/Fonts.h"
#include "ui/Keyboard.h"
#include "ui/Timer.h"
#include "ui/ToneMarksBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>

namespace hanzi {

const LessonKind &characterLessons() {
    static const LessonKind k{.screenName = screens::kCharacterLessons,
                              .caption = QStringLiteral("单字"),
                              .title = QStringLiteral("单字学习"),
                              .slot = services::kSingleCharacters,
                              .entryPointSize = 219.75,
                              .reviewList = app::kCharacterList};
    return k;
}

const LessonKind &wordGroupLessons() {
    static const LessonKind k{.screenName = screens::kWordGroupLessons,
                              .caption = QStringLiteral("词组"),
                              .title = QStringLiteral("词组学习"),
                              .slot = services::kWordGroups,
                              .entryPointSize = 140.25};
    return k;
}

namespace {
const QColor kBlue(0, 0, 255);
const QColor kRed(220, 0, 0);
} // namespace

LessonScreen::LessonScreen(app::AppContext &ctx, const LessonKind &kind)
    : ui::Screen(kind.screenName, kind.caption, 12600, 9000), ctx_(ctx), kind_(kind) {
    build();
    wire();
    load();
}

void LessonScreen::build() {
    new ui::Backdrop(ui::Backdrop::Scene::Sky, this);

    auto *title = ui::makeLabel(QStringLiteral("Label3"), kind_.title, this, ui::twRect(3300, 120, 6000, 600),
                                24, kRed, true);
    title->setAlignment(Qt::AlignCenter);

    auto *lessonLabel = ui::makeLabel(QStringLiteral("Label4"), QStringLiteral("选择第几课"), this,
                                      ui::twRect(360, 900, 1800, 450), 14, kBlue);
    lessonChoice_ = new QComboBox(this);
    lessonChoice_->setObjectName(QStringLiteral("Combo1"));
    lessonChoice_->setGeometry(ui::twRect(2160, 870, 1800, 480));
    lessonChoice_->setFont(ui::simSun(14));
    lessonNote_ = ui::makeLabel(QStringLiteral("Label5"), QString(), this, ui::twRect(4140, 900, 4200, 450),
                                14, kRed, true);
    lessonNote_->hide();

    auto *intervalLabel = ui::makeLabel(QStringLiteral("Label6"), QStringLiteral("间隔时间"), this,
                                        ui::twRect(8640, 900, 1500, 450), 14, kBlue);
    intervalChoice_ = new QComboBox(this);
    intervalChoice_->setObjectName(QStringLiteral("Combo2"));
    intervalChoice_->setGeometry(ui::twRect(10200, 870, 1800, 480));
    intervalChoice_->setFont(ui::simSun(14));

    // The entry in a very large font on a cream card, with its place and its pinyin beneath.
    auto *card = ui::makePanel(QStringLiteral("Picture2"), this, ui::twRect(360, 1560, 11880, 4560),
                               QColor(255, 248, 225));
    entry_ = ui::makeLabel(QStringLiteral("Label1"), QString(), card, QRect(QPoint(0, 0), card->size()),
                           kind_.entryPointSize, QColor(0, 0, 160));
    entry_->setAlignment(Qt::AlignCenter);
    ui::paintTextFromCache(entry_);
    place_ =
        ui::makeLabel(QStringLiteral("Label2"), QString(), this, ui::twRect(360, 6240, 2400, 480), 14, kBlue);

    pinyin_ = new QLineEdit(this);
    pinyin_->setObjectName(QStringLiteral("Txtpy"));
    pinyin_->setGeometry(ui::twRect(360, 6780, 11880, 1140));
    pinyin_->setAlignment(Qt::AlignCenter);
    pinyin_->setFont(ui::simSun(60));
    pinyin_->setStyleSheet(QStringLiteral(
        "QLineEdit { background: #ffffff; color: #c2185b; border: 2px solid #90caf9; border-radius: 8px; }"));

    // Beside the pinyin it changes: tone marks on request.
    toneMarks_ = new ui::ToneMarksBox(this, 14);
    toneMarks_->setGeometry(ui::twRect(10080, 6240, 2160, 480));
    toneMarks_->setLayoutDirection(Qt::RightToLeft);

    auto button = [&](const char *name, const QString &caption, int left) {
        auto *b = new ui::FlatButton(QString::fromLatin1(name), caption, this, 14);
        b->setGeometry(ui::twRect(left, 8100, 2700, 720));
        return b;
    };
    prev_ = button("Button3", QStringLiteral("上一个"), 360);
    next_ = button("Button1", QStringLiteral("下一个"), 3420);
    auto_ = button("Button4", QStringLiteral("自动"), 6480);
    back_ = button("Button2", QStringLiteral("返回"), 9540);

    // How the character on show is written, where the card leaves room beside it.
    if (kind_.slot == services::kSingleCharacters) {
        strokeOrder_ = new ui::FlatButton(QStringLiteral("strokeOrder"), QStringLiteral("笔顺"), this, 14);
        strokeOrder_->setGeometry(ui::twRect(10560, 1680, 1560, 600));
        strokeOrder_->hide();
    }

    autoPlayTimer_ = new ui::Timer(QStringLiteral("Timer1"), 3000, this);

    ui::markBack(back_);
    round_ = new app::RoundTally(ctx_, this, services::Area::Hanzi);
    if (!kind_.reviewList.isEmpty())
        round_->makeReviewButton(this, ui::twRect(9780, 150, 2460, 600), 14, kind_.reviewList,
                                 [this](const QStringList &items) {
                                     reviewQueue_ = items;
                                     next_->setEnabled(true);
                                     showReviewed();
                                 });
    // A reader names a combo box by the label beside it (its buddy), or by its own name.
    lessonLabel->setBuddy(lessonChoice_);
    intervalLabel->setBuddy(intervalChoice_);
    lessonChoice_->setAccessibleName(lessonLabel->text());
    intervalChoice_->setAccessibleName(intervalLabel->text());
    pinyin_->setAccessibleName(QStringLiteral("拼音"));
}

void LessonScreen::wire() {
    connect(pinyin_, &QLineEdit::textChanged, this, [this](const QString &t) {
        pinyin_->setFont(ui::fittedFont(ui::simSun(60), t, pinyin_->size() - QSize(24, 8)));
    });
    connect(toneMarks_, &QCheckBox::toggled, this, &LessonScreen::showPinyin);
    connect(next_, &QPushButton::clicked, this, [this] { stepForward(); });
    connect(autoPlayTimer_, &ui::Timer::tick, this, [this] { stepForward(); });
    connect(prev_, &QPushButton::clicked, this, [this] { show(stepper_->back()); });
    connect(auto_, &QPushButton::clicked, this, &LessonScreen::toggleAutoPlay);
    connect(back_, &QPushButton::clicked, this, [this] {
        autoPlayTimer_->setEnabled(false);
        ctx_.navigator().returnToMain();
    });
    if (strokeOrder_) connect(strokeOrder_, &QPushButton::clicked, this, &LessonScreen::openStrokeOrder);
    connect(lessonChoice_, &QComboBox::activated, this, &LessonScreen::chooseLesson);
    connect(intervalChoice_, &QComboBox::currentIndexChanged, this, [this](int i) {
        // Takes effect at once, also while auto-play runs.
        autoPlayTimer_->setInterval((i + 1) * 1000);
    });
}

// The intervals, then the lessons the table holds; none chosen yet.
void LessonScreen::load() {
    for (int n = 1; n <= 5; ++n)
        intervalChoice_->addItem(QStringLiteral("%1秒").arg(n));
    intervalChoice_->setCurrentIndex(2);

    for (auto *b : {next_, prev_, auto_})
        b->setEnabled(false);
    services::TableCursor *cursor = ctx_.store().Data(kind_.slot);
    // No table, or one without records or with empty fields only: no lesson to offer.
    if (const QString why = ctx_.store().contentProblemFor(kind_.slot); !cursor || !why.isEmpty()) {
        // The store's reason can be longer than a lesson name: it is shrunk to fit, not clipped.
        lessonNote_->setFont(ui::fittedFont(lessonNote_->font(), why, lessonNote_->size()));
        lessonNote_->setText(why);
        lessonNote_->show();
        lessonChoice_->setEnabled(false);
        return;
    }
    stepper_ = std::make_unique<LessonStepper>(cursor);
    stepper_->count();
    for (int i = 1; i <= stepper_->lessonCount(); ++i)
        lessonChoice_->addItem(QStringLiteral("第%1课").arg(i));
    lessonChoice_->setCurrentIndex(-1);
}

void LessonScreen::setEntry(const QString &text) {
    entry_->setText(text);
    entry_->setFont(ui::fittedFont(ui::simSun(kind_.entryPointSize), text, entry_->size() - QSize(16, 0)));
    offerStrokeOrder();
}

// 笔顺 is offered for a character whose strokes the stroke file holds; without the file, never.
void LessonScreen::offerStrokeOrder() {
    if (!strokeOrder_) return;
    const QList<uint> codes = entry_->text().toUcs4();
    strokeOrder_->setVisible(codes.size() == 1 && ctx_.strokes().character(char32_t(codes.front())));
}

// The stroke screen opens over the lesson, which keeps its place; its 下一个字 steps the lesson on
// as 下一个 does, so the lesson shows the character last written when the child comes back.
void LessonScreen::openStrokeOrder() {
    if (playing_) toggleAutoPlay();
    StrokeOrderRequest request{.shown = {entry_->text(), entryReading_},
                               .toneMarks = toneMarks_->isChecked(),
                               .next = [lesson = QPointer<LessonScreen>(this)]() -> std::optional<LessonCharacter> {
                                   if (!lesson) return std::nullopt;
                                   // No lesson chosen and no review left: there is no next one.
                                   if (!lesson->stepForward()) return std::nullopt;
                                   return LessonCharacter{lesson->entry_->text(), lesson->entryReading_};
                               }};
    ctx_.navigator().openChild(screens::kStrokeOrder, [request](app::AppContext &ctx) -> QWidget * {
        return new StrokeOrderScreen(ctx, request);
    });
}

void LessonScreen::chooseLesson(int index) {
    if (!stepper_ || index < 0) return;
    const LessonStepper::Shown s = stepper_->choose(index);
    round_->begin(lessonChoice_->itemText(index));
    setEntry(s.entry);
    entryReading_.clear(); // the lesson's number
    place_->setText(s.place);
    lessonNote_->setText(lessonChoice_->itemText(index));
    lessonNote_->show();
    for (auto *b : {next_, prev_, auto_})
        b->setEnabled(true);
}

void LessonScreen::show(const LessonStepper::Shown &s) {
    if (!stepper_ || !stepper_->chosen()) return;
    round_->stepped();
    if (s.changed) {
        setEntry(s.entry);
        entryReading_ = s.reading;
        place_->setText(s.place);
    }
    refreshPinyin();
}

void LessonScreen::refreshPinyin() {
    pinyinOf_ = entry_->text();
    readingOf_ = entryReading_;
    showPinyin();
}

// ü as ü where a child reads it; tone marks when asked for; a record's own reading where its
// lesson gives the character another than the usual one (只 zhī among measure words).
void LessonScreen::showPinyin() {
    using Form = services::PinyinLookup::Form;
    pinyin_->setText(ctx_.pinyin().recordPinYin(pinyinOf_, readingOf_,
                                                toneMarks_->isChecked() ? Form::Toned : Form::Display));
}

void LessonScreen::toggleAutoPlay() {
    if (!playing_) {
        autoPlayTimer_->setInterval((intervalChoice_->currentIndex() + 1) * 1000);
        autoPlayTimer_->setEnabled(true);
        auto_->setCaption(QStringLiteral("停止播放"));
    } else {
        autoPlayTimer_->setEnabled(false);
        auto_->setCaption(QStringLiteral("自动播放"));
    }
    playing_ = !playing_;
}

// 下一个: the next entry under review, else the lesson's next; false when there is neither.
bool LessonScreen::stepForward() {
    if (showReviewed()) return true;
    if (!stepper_ || !stepper_->chosen()) return false;
    show(stepper_->forward());
    return true;
}

// The next entry under review, in place of the lesson's next; false when none is left.
bool LessonScreen::showReviewed() {
    if (reviewQueue_.isEmpty()) return false;
    setEntry(reviewQueue_.takeFirst());
    entryReading_.clear();
    place_->clear();
    refreshPinyin();
    round_->stepped();
    return true;
}

} // namespace hanzi
