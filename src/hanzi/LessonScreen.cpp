#include "hanzi/LessonScreen.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "services/ContentSchema.h"
#include "ui/Backdrop.h"
#include "ui/Fonts.h"
#include "ui/Keyboard.h"
#include "ui/Timer.h"
#include "ui/ToneMarksBox.h"

#include <QComboBox>
#include <QLineEdit>

namespace hanzi {

const LessonKind &characterLessons() {
    static const LessonKind k{screens::kCharacterLessons, QStringLiteral("单字"), QStringLiteral("单字学习"),
                              services::kSingleCharacters, 219.75};
    return k;
}

const LessonKind &wordGroupLessons() {
    static const LessonKind k{screens::kWordGroupLessons, QStringLiteral("词组"), QStringLiteral("词组学习"),
                              services::kWordGroups, 140.25};
    return k;
}

namespace {
const QColor kBlue(0, 0, 255);
const QColor kRed(220, 0, 0);
} // namespace

LessonScreen::LessonScreen(app::AppContext &ctx, const LessonKind &kind)
    : ui::Screen(kind.screenName, kind.caption, 12600, 9000), ctx_(ctx), kind_(kind) {
    new ui::Backdrop(ui::Backdrop::Scene::Sky, this);

    auto *title = ui::makeLabel(QStringLiteral("Label3"), kind.title, this, ui::twRect(3300, 120, 6000, 600),
                                24, kRed, true);
    title->setAlignment(Qt::AlignCenter);

    auto *label4 = ui::makeLabel(QStringLiteral("Label4"), QStringLiteral("选择第几课"), this,
                                 ui::twRect(360, 900, 1800, 450), 14, kBlue);
    combo1_ = new QComboBox(this);
    combo1_->setObjectName(QStringLiteral("Combo1"));
    combo1_->setGeometry(ui::twRect(2160, 870, 1800, 480));
    combo1_->setFont(ui::simSun(14));
    label5_ = ui::makeLabel(QStringLiteral("Label5"), QString(), this, ui::twRect(4140, 900, 4200, 450), 14,
                            kRed, true);
    label5_->hide();

    auto *label6 = ui::makeLabel(QStringLiteral("Label6"), QStringLiteral("间隔时间"), this,
                                 ui::twRect(8640, 900, 1500, 450), 14, kBlue);
    combo2_ = new QComboBox(this);
    combo2_->setObjectName(QStringLiteral("Combo2"));
    combo2_->setGeometry(ui::twRect(10200, 870, 1800, 480));
    combo2_->setFont(ui::simSun(14));

    // The entry in a very large font on a cream card, with its place and its pinyin beneath.
    auto *card = ui::makePanel(QStringLiteral("Picture2"), this, ui::twRect(360, 1560, 11880, 4560),
                               QColor(255, 248, 225));
    label1_ = ui::makeLabel(QStringLiteral("Label1"), QString(), card, QRect(QPoint(0, 0), card->size()),
                            kind.entryPointSize, QColor(0, 0, 160));
    label1_->setAlignment(Qt::AlignCenter);
    label2_ =
        ui::makeLabel(QStringLiteral("Label2"), QString(), this, ui::twRect(360, 6240, 2400, 480), 14, kBlue);

    txtpy_ = new QLineEdit(this);
    txtpy_->setObjectName(QStringLiteral("Txtpy"));
    txtpy_->setGeometry(ui::twRect(360, 6780, 11880, 1140));
    txtpy_->setAlignment(Qt::AlignCenter);
    txtpy_->setFont(ui::simSun(60));
    txtpy_->setStyleSheet(QStringLiteral(
        "QLineEdit { background: #ffffff; color: #c2185b; border: 2px solid #90caf9; border-radius: 8px; }"));
    connect(txtpy_, &QLineEdit::textChanged, this, [this](const QString &t) {
        txtpy_->setFont(ui::fittedFont(ui::simSun(60), t, txtpy_->size() - QSize(24, 8)));
    });

    // Beside the pinyin it changes: tone marks on request.
    toneMarks_ = new ui::ToneMarksBox(this, 14);
    toneMarks_->setGeometry(ui::twRect(10080, 6240, 2160, 480));
    toneMarks_->setLayoutDirection(Qt::RightToLeft);
    connect(toneMarks_, &QCheckBox::toggled, this, &LessonScreen::showPinyin);

    auto button = [&](const char *name, const QString &caption, int left) {
        auto *b = new ui::FlatButton(QString::fromLatin1(name), caption, this, 14);
        b->setGeometry(ui::twRect(left, 8100, 2700, 720));
        return b;
    };
    prev_ = button("Button3", QStringLiteral("上一个"), 360);
    next_ = button("Button1", QStringLiteral("下一个"), 3420);
    auto_ = button("Button4", QStringLiteral("自动"), 6480);
    auto *back = button("Button2", QStringLiteral("返回"), 9540);

    timer1_ = new ui::Timer(QStringLiteral("Timer1"), 3000, this);

    connect(next_, &QPushButton::clicked, this, [this] { show(stepper_->forward()); });
    connect(timer1_, &ui::Timer::tick, this, [this] { show(stepper_->forward()); });
    connect(prev_, &QPushButton::clicked, this, [this] { show(stepper_->back()); });
    connect(auto_, &QPushButton::clicked, this, &LessonScreen::toggleAutoPlay);
    connect(back, &QPushButton::clicked, this, [this] {
        timer1_->setEnabled(false);
        ctx_.navigator().returnToMain();
    });
    ui::markBack(back);
    // A reader names a combo box by the label beside it (its buddy), or by its own name.
    label4->setBuddy(combo1_);
    label6->setBuddy(combo2_);
    combo1_->setAccessibleName(label4->text());
    combo2_->setAccessibleName(label6->text());
    txtpy_->setAccessibleName(QStringLiteral("拼音"));
    connect(combo1_, &QComboBox::activated, this, &LessonScreen::chooseLesson);
    connect(combo2_, &QComboBox::currentIndexChanged, this, [this](int i) {
        // Takes effect at once, also while auto-play runs.
        timer1_->setInterval((i + 1) * 1000);
    });

    // Load.
    for (int n = 1; n <= 5; ++n)
        combo2_->addItem(QStringLiteral("%1秒").arg(n));
    combo2_->setCurrentIndex(2);

    // Show: count the lessons and offer those that hold records.
    for (auto *b : {next_, prev_, auto_})
        b->setEnabled(false);
    services::TableCursor *cursor = ctx_.store().Data(kind.slot);
    // No table, or one without records or with empty fields only: no lesson to offer.
    if (const QString why = ctx_.store().contentProblemFor(kind.slot); !cursor || !why.isEmpty()) {
        // The store's reason can be longer than a lesson name: it is shrunk to fit, not clipped.
        label5_->setFont(ui::fittedFont(label5_->font(), why, label5_->size()));
        label5_->setText(why);
        label5_->show();
        combo1_->setEnabled(false);
        return;
    }
    stepper_ = std::make_unique<LessonStepper>(cursor);
    stepper_->count();
    for (int i = 1; i <= stepper_->lessonCount(); ++i)
        combo1_->addItem(QStringLiteral("第%1课").arg(i));
    combo1_->setCurrentIndex(-1);
}

void LessonScreen::setEntry(const QString &text) {
    label1_->setText(text);
    label1_->setFont(ui::fittedFont(ui::simSun(kind_.entryPointSize), text, label1_->size() - QSize(16, 0)));
}

void LessonScreen::chooseLesson(int index) {
    if (!stepper_ || index < 0) return;
    const LessonStepper::Shown s = stepper_->choose(index);
    setEntry(s.entry);
    entryReading_.clear(); // the lesson's number
    label2_->setText(s.place);
    label5_->setText(combo1_->itemText(index));
    label5_->show();
    for (auto *b : {next_, prev_, auto_})
        b->setEnabled(true);
}

void LessonScreen::show(const LessonStepper::Shown &s) {
    if (!stepper_ || !stepper_->chosen()) return;
    if (s.changed) {
        setEntry(s.entry);
        entryReading_ = s.reading;
        label2_->setText(s.place);
    }
    refreshPinyin();
}

void LessonScreen::refreshPinyin() {
    pinyinOf_ = label1_->text();
    readingOf_ = entryReading_;
    showPinyin();
}

// ü as ü where a child reads it; tone marks when asked for; a record's own reading where its
// lesson gives the character another than the usual one (只 zhī among measure words).
void LessonScreen::showPinyin() {
    using Form = services::PinyinLookup::Form;
    txtpy_->setText(ctx_.pinyin().recordPinYin(pinyinOf_, readingOf_,
                                               toneMarks_->isChecked() ? Form::Toned : Form::Display));
}

void LessonScreen::toggleAutoPlay() {
    if (!playing_) {
        timer1_->setInterval((combo2_->currentIndex() + 1) * 1000);
        timer1_->setEnabled(true);
        auto_->setCaption(QStringLiteral("停止播放"));
    } else {
        timer1_->setEnabled(false);
        auto_->setCaption(QStringLiteral("自动播放"));
    }
    playing_ = !playing_;
}

} // namespace hanzi
