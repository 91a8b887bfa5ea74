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

WordStudyScreen::WordStudyScreen(app::AppContext &ctx, const BookChoice &choice)
    : WordScreen(ctx, choice, screens::kWordStudy, QStringLiteral("Lumibo"), 12000, 9000) {
    build();
    wire();
    load();
}

void WordStudyScreen::build() {
    new ui::Backdrop(ui::Backdrop::Scene::Sky, this, QStringLiteral("Picture3"));

    heading_ = titleTile();

    wordCard_ = ui::makePanel(QStringLiteral("Picture1"), this, ui::twRect(480, 1080, 11040, 3480), kCard);
    exampleCard_ = ui::makePanel(QStringLiteral("Picture2"), this, ui::twRect(480, 5160, 11040, 1440), kCard);
    word_ = new ui::FlatButton(QStringLiteral("Button4"), QString(), this, 44, true);
    word_->setGeometry(ui::twRect(720, 1260, 10560, 1740));
    meaning_ = new ui::FlatButton(QStringLiteral("Button1"), QString(), this, 26, true);
    meaning_->setGeometry(ui::twRect(720, 3180, 10560, 1200));

    position_ = ui::makeLabel(QStringLiteral("Label1"), QString(), this, ui::twRect(600, 4680, 7200, 420), 12,
                              kBlue, true);
    ui::makeLabel(QStringLiteral("Label2"), QStringLiteral("例句"), this, ui::twRect(660, 5280, 900, 420), 13,
                  QColor(200, 0, 0), true);
    example_ = new QPlainTextEdit(this);
    example_->setObjectName(QStringLiteral("Text1"));
    example_->setGeometry(ui::twRect(1560, 5280, 9780, 1200));
    example_->setReadOnly(true);
    example_->setFont(ui::simSun(16));
    ui::makeLabel(QStringLiteral("Label4"), QString(), this, ui::twRect(7920, 4680, 1680, 420), 12, kBlue);
    ui::makeLabel(QStringLiteral("Label5"), QString(), this, ui::twRect(9720, 4680, 1680, 420), 12, kBlue);

    progress_ = ui::makeProgress(QStringLiteral("Progress1"), this, ui::twRect(480, 6780, 11040, 300));

    auto *picture4 = ui::makePanel(QStringLiteral("Picture4"), this, ui::twRect(480, 7200, 11040, 540),
                                   QColor(225, 240, 255));
    readAloud_ = readAloudOptions(picture4);
    makeReviewButton(picture4);
    speedLabel_ = ui::makeLabel(QStringLiteral("Label7"), QStringLiteral("朗读速度"), picture4,
                                ui::twRect(3600, 60, 1320, 420), 12, kBlue);
    speed_ = new QComboBox(picture4);
    speed_->setObjectName(QStringLiteral("Combo2"));
    speed_->setGeometry(ui::twRect(4920, 30, 960, 480));
    speed_->setFont(ui::simSun(12));

    start_ = bottomButton("Button3", QStringLiteral("开始"), 480);
    next_ = bottomButton("Button6", QStringLiteral("下一个"), 3300);
    repeat_ = bottomButton("Button7", QStringLiteral("再听3遍"), 6120);
    leave_ = bottomButton("Button2", QStringLiteral("不学了"), 8940);
}

void WordStudyScreen::wire() {
    connect(start_, &QPushButton::clicked, this, &WordStudyScreen::start);
    connect(next_, &QPushButton::clicked, this, &WordStudyScreen::next);
    connect(repeat_, &QPushButton::clicked, this, [this] {
        // Behind whatever is still being said, and whether or not words are read aloud.
        for (int i = 0; i < 3; ++i)
            ctx_.voice().speak(spokenWord_);
    });
    // Put away, the screen stops the voice.
    connect(leave_, &QPushButton::clicked, this,
            [this] { ctx_.navigator().open(screens::kWordStudyChoice); });
    ui::markBack(leave_);
    example_->setAccessibleName(QStringLiteral("例句"));
    speedLabel_->setBuddy(speed_);
    speed_->setAccessibleName(speedLabel_->text());
    progress_->setAccessibleName(QStringLiteral("学习进度"));
    connect(speed_, &QComboBox::currentIndexChanged, this,
            [this](int) { ctx_.voice().setRate(chosenRate()); });
}

void WordStudyScreen::load() {
    progress_->hide();
    position_->hide();
    wordCard_->hide();
    exampleCard_->hide();
    readAloud_[0]->setChecked(true);
    next_->setEnabled(false);
    // Until a word of this visit is on show there is nothing to hear again.
    repeat_->setEnabled(false);
    showChoice();
    start_->setEnabled(true);
    {
        const QSignalBlocker quiet(speed_); // the first item added is not a choice
        for (int s = 1; s <= 5; ++s)
            speed_->addItem(QString::number(s));
        speed_->setCurrentIndex(-1);
    }
    speed_->setCurrentIndex(2); // "3": the rate becomes 160
}

void WordStudyScreen::showChoice() {
    heading_->setCaption(choice_.title + QStringLiteral("单词"));
}

bool WordStudyScreen::readingAloud() const {
    return readAloud_[0]->isChecked();
}

int WordStudyScreen::chosenRate() const {
    return rateFor(speed_->currentText().toInt());
}

void WordStudyScreen::showCurrent() {
    // With no record to show (a group emptied since it was chosen) the texts stay as they were.
    if (const auto w = cursor_ ? currentWord(*cursor_) : std::nullopt) {
        position_->setText(QStringLiteral("词汇量:%1   总第%2个").arg(wordCount_).arg(w->number));
        position_->show();
        meaning_->setCaption(w->meaning);
        word_->setCaption(w->word);
        spokenWord_ = w->word;
        example_->setPlainText(w->example);
        repeat_->setEnabled(true);
    }
    ctx_.voice().stop();
}

void WordStudyScreen::start() {
    start_->setEnabled(false);
    wordCard_->show();
    exampleCard_->show();
    word_->setCaption(QStringLiteral("请稍候 * * *"));
    next_->setEnabled(true);
    progress_->show();
    if (!openChosenBook(word_, next_)) return;
    // A study run is a round: the words stepped through.
    round_->begin(groupMode());
    round_->stepped();
    toReviewed(false);
    showCurrent();
    if (readingAloud()) ctx_.voice().speak(spokenWord_);
}

void WordStudyScreen::next() {
    if (!cursor_) return;
    // The bar counts presses up to 100 and starts again on the press after, apart from the group.
    progress_->setValue(progress_->value() < 100 ? progress_->value() + 1 : 0);
    round_->stepped();
    stepOnOrReview();
    showCurrent();
    if (readingAloud()) {
        ctx_.voice().setRate(chosenRate());
        ctx_.voice().speak(spokenWord_);
    }
}

// The words missed before are shown first: from "开始", or next.
void WordStudyScreen::review() {
    if (start_->isEnabled())
        start();
    else
        next();
}

} // namespace english
