#include "english/WordStudyScreen.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "english/WordGroups.h"
#include "ui/Backdrop.h"
#include "ui/Fonts.h"
#include "ui/Keyboard.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace english {

namespace {
const QColor kBlue(0, 0, 200);
const QColor kCard(255, 252, 235);

// The voice's rate for a chosen speed of 1 to 5: 130, 145, 160, 175 or 190.
int rateFor(int speed) {
    return speed * 15 + 115;
}
} // namespace

WordStudyScreen::WordStudyScreen(app::AppContext &ctx)
    : WordScreen(ctx, screens::kWordStudy, QStringLiteral("Lumibo"), 12000, 9000) {
    new ui::Backdrop(ui::Backdrop::Scene::Sky, this, QStringLiteral("Picture3"));

    button5_ = titleTile();

    // The cards behind the word and behind the example come up with the first word.
    picture1_ = ui::makePanel(QStringLiteral("Picture1"), this, ui::twRect(480, 1080, 11040, 3480), kCard);
    picture2_ = ui::makePanel(QStringLiteral("Picture2"), this, ui::twRect(480, 5160, 11040, 1440), kCard);
    button4_ = new ui::FlatButton(QStringLiteral("Button4"), QString(), this, 44, true);
    button4_->setGeometry(ui::twRect(720, 1260, 10560, 1740));
    button1_ = new ui::FlatButton(QStringLiteral("Button1"), QString(), this, 26, true);
    button1_->setGeometry(ui::twRect(720, 3180, 10560, 1200));

    label1_ = ui::makeLabel(QStringLiteral("Label1"), QString(), this, ui::twRect(600, 4680, 7200, 420), 12,
                            kBlue, true);
    ui::makeLabel(QStringLiteral("Label2"), QStringLiteral("例句"), this, ui::twRect(660, 5280, 900, 420), 13,
                  QColor(200, 0, 0), true);
    text1_ = new QPlainTextEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setGeometry(ui::twRect(1560, 5280, 9780, 1200));
    text1_->setReadOnly(true);
    text1_->setFont(ui::simSun(16));
    ui::makeLabel(QStringLiteral("Label4"), QString(), this, ui::twRect(7920, 4680, 1680, 420), 12, kBlue);
    ui::makeLabel(QStringLiteral("Label5"), QString(), this, ui::twRect(9720, 4680, 1680, 420), 12, kBlue);

    progress1_ = ui::makeProgress(QStringLiteral("Progress1"), this, ui::twRect(480, 6780, 11040, 300));

    auto *picture4 = ui::makePanel(QStringLiteral("Picture4"), this, ui::twRect(480, 7200, 11040, 540),
                                   QColor(225, 240, 255));
    option1_ = readAloudOptions(picture4);
    auto *label7 = ui::makeLabel(QStringLiteral("Label7"), QStringLiteral("朗读速度"), picture4,
                                 ui::twRect(3600, 60, 1320, 420), 12, kBlue);
    combo2_ = new QComboBox(picture4);
    combo2_->setObjectName(QStringLiteral("Combo2"));
    combo2_->setGeometry(ui::twRect(4920, 30, 960, 480));
    combo2_->setFont(ui::simSun(12));

    button3_ = bottomButton("Button3", QStringLiteral("开始"), 480);
    button6_ = bottomButton("Button6", QStringLiteral("下一个"), 3300);
    repeat_ = bottomButton("Button7", QStringLiteral("再听3遍"), 6120);
    auto *leave = bottomButton("Button2", QStringLiteral("不学了"), 8940);

    connect(button3_, &QPushButton::clicked, this, &WordStudyScreen::start);
    connect(button6_, &QPushButton::clicked, this, &WordStudyScreen::next);
    connect(repeat_, &QPushButton::clicked, this, [this] {
        // Behind whatever is still being said, and whether or not words are read aloud.
        for (int i = 0; i < 3; ++i)
            ctx_.voice().speak(ctx_.globals.spokenWord);
    });
    // Put away, the screen stops the voice.
    connect(leave, &QPushButton::clicked, this, [this] { ctx_.navigator().open(screens::kWordStudyChoice); });
    ui::markBack(leave);
    text1_->setAccessibleName(QStringLiteral("例句"));
    label7->setBuddy(combo2_);
    combo2_->setAccessibleName(label7->text());
    progress1_->setAccessibleName(QStringLiteral("学习进度"));
    connect(combo2_, &QComboBox::currentIndexChanged, this,
            [this](int) { ctx_.voice().setRate(chosenRate()); });

    // Load.
    progress1_->hide();
    label1_->hide();
    picture1_->hide();
    picture2_->hide();
    option1_[0]->setChecked(true);
    button6_->setEnabled(false);
    // Until a word of this visit is on show there is nothing to hear again (the word last spoken
    // belongs to another screen or visit).
    repeat_->setEnabled(false);
    button5_->setCaption(ctx_.globals.bookTitle + QStringLiteral("单词"));
    button3_->setEnabled(true);
    {
        const QSignalBlocker quiet(combo2_); // the first item added is not a choice
        for (int s = 1; s <= 5; ++s)
            combo2_->addItem(QString::number(s));
        combo2_->setCurrentIndex(-1);
    }
    combo2_->setCurrentIndex(2); // "3": the rate becomes 160
}

bool WordStudyScreen::readingAloud() const {
    return option1_[0]->isChecked();
}

int WordStudyScreen::chosenRate() const {
    return rateFor(combo2_->currentText().toInt());
}

void WordStudyScreen::showCurrent() {
    core::Globals &g = ctx_.globals;
    // With no record to show (a group emptied since it was chosen) the texts stay as they were.
    if (const auto w = g.bookCursor ? currentWord(*g.bookCursor) : std::nullopt) {
        label1_->setText(QStringLiteral("词汇量:%1   总第%2个").arg(g.bookWordCount).arg(w->number));
        label1_->show();
        button1_->setCaption(w->meaning);
        button4_->setCaption(w->word);
        g.spokenWord = w->word;
        text1_->setPlainText(w->example);
        repeat_->setEnabled(true);
    }
    ctx_.voice().stop();
}

void WordStudyScreen::start() {
    core::Globals &g = ctx_.globals;
    button3_->setEnabled(false);
    picture1_->show();
    picture2_->show();
    button4_->setCaption(QStringLiteral("请稍候 * * *"));
    button6_->setEnabled(true);
    progress1_->show();
    if (!openChosenBook(button4_, button6_)) return;
    showCurrent();
    if (readingAloud()) ctx_.voice().speak(g.spokenWord);
}

void WordStudyScreen::next() {
    core::Globals &g = ctx_.globals;
    if (!g.bookCursor) return;
    // The bar counts presses up to 100 and starts again on the press after, apart from the group.
    progress1_->setValue(progress1_->value() < 100 ? progress1_->value() + 1 : 0);
    stepInGroup(*g.bookCursor, g.groupStart, g.groupCounter);
    showCurrent();
    if (readingAloud()) {
        ctx_.voice().setRate(chosenRate());
        ctx_.voice().speak(g.spokenWord);
    }
}

} // namespace english
