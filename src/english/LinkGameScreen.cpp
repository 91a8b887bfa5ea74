#include "english/LinkGameScreen.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "core/SoundSheet.h"
#include "english/WordGroups.h"
#include "ui/AnswerButtons.h"
#include "ui/Backdrop.h"
#include "ui/Fonts.h"
#include "ui/Keyboard.h"
#include "ui/Timer.h"

#include <QRadioButton>

namespace english {

namespace {
// The 5 × 5 places of a set of board buttons inside its panel.
std::vector<QRect> boardPlaces() {
    std::vector<QRect> places;
    for (int i = 0; i < kBoardWords; ++i)
        places.push_back(ui::twRect(120 + (i % 5) * 2550, 90 + (i / 5) * 630, 2430, 540));
    return places;
}
// A pair made gives this much time back.
constexpr int kTimeBack = 3;
// Markers of the pairing state, all outside the board's places 0..24 so that none matches a
// click, and the two "unmatched" ones differ so that they never match each other.
constexpr int kNothingClicked = kBoardWords; // both, after a deal
constexpr int kWordUnmatched = 55;           // clickedMeaning: a word click that made no pair
constexpr int kMeaningUnmatched = 66;        // wantedMeaning: a meaning click that made no pair
} // namespace

LinkGameScreen::LinkGameScreen(app::AppContext &ctx, const BookChoice &choice)
    : WordScreen(ctx, choice, screens::kLinkGame, QStringLiteral("连连看"), 13500, 9420) {
    build();
    wire();
    load();
}

void LinkGameScreen::build() {
    new ui::Backdrop(ui::Backdrop::Scene::Sky, this, QStringLiteral("Picture0"));

    heading_ = new ui::FlatButton(QStringLiteral("Button5"), QString(), this, 18, true);
    heading_->setGeometry(ui::twRect(2700, 120, 8100, 660));
    levelLabel_ = ui::makeLabel(QStringLiteral("Label1"), QString(), this, ui::twRect(300, 870, 4800, 420),
                                13, QColor(200, 0, 0), true);
    clockBar_ = ui::makeProgress(QStringLiteral("Progress1"), this, ui::twRect(5100, 930, 8100, 300));

    auto *picture1 = ui::makePanel(QStringLiteral("Picture1"), this, ui::twRect(300, 1440, 12900, 3270),
                                   QColor(255, 248, 225));
    words_ = new ui::AnswerButtons(picture1, QStringLiteral("Button4"), boardPlaces(), 14, 0);
    auto *picture4 = ui::makePanel(QStringLiteral("Picture4"), this, ui::twRect(300, 4830, 12900, 3270),
                                   QColor(232, 245, 233));
    meanings_ = new ui::AnswerButtons(picture4, QStringLiteral("Button1"), boardPlaces(), 13, 0);

    readAloud_ = new QRadioButton(QStringLiteral("朗读"), this);
    readAloud_->setObjectName(QStringLiteral("Option1"));
    readAloud_->setGeometry(ui::twRect(480, 8400, 1440, 420));
    readAloud_->setFont(ui::simSun(12));
    silent_ = new QRadioButton(QStringLiteral("不朗读"), this);
    silent_->setObjectName(QStringLiteral("Option2"));
    silent_->setGeometry(ui::twRect(2040, 8400, 1560, 420));
    silent_->setFont(ui::simSun(12));

    start_ = new ui::FlatButton(QStringLiteral("Button3"), QStringLiteral("开始"), this, 15);
    start_->setGeometry(ui::twRect(5400, 8280, 3000, 780));
    leave_ = new ui::FlatButton(QStringLiteral("Button2"), QStringLiteral("不玩了"), this, 15);
    leave_->setGeometry(ui::twRect(9240, 8280, 3000, 780));

    clock_ = new ui::Timer(QStringLiteral("Timer1"), 1500, this);
}

void LinkGameScreen::wire() {
    connect(start_, &QPushButton::clicked, this, &LinkGameScreen::deal);
    connect(words_, &ui::AnswerButtons::chosen, this, &LinkGameScreen::clickWord);
    connect(meanings_, &ui::AnswerButtons::chosen, this, &LinkGameScreen::clickMeaning);
    connect(clock_, &ui::Timer::tick, this, &LinkGameScreen::tick);
    connect(leave_, &QPushButton::clicked, this, &LinkGameScreen::leave);
    ui::markBack(leave_);
    words_->setNumberKeys(false);
    meanings_->setNumberKeys(false);
    clockBar_->setAccessibleName(QStringLiteral("游戏时间"));
}

void LinkGameScreen::load() {
    readAloud_->setChecked(true);
    levelOffset_ = 0;
    showChoice();
    start_->setEnabled(true);
    for (auto *set : {words_, meanings_}) {
        set->clearCaptions();
        set->setAllEnabled(false);
    }
    levelLabel_->clear();
}

void LinkGameScreen::showChoice() {
    heading_->setCaption(choice_.title + QStringLiteral("单词游戏"));
}

void LinkGameScreen::setElapsed(int v) {
    elapsed_ = v;
    clockBar_->setValue(std::clamp(v, 0, 100));
}

void LinkGameScreen::deal() {
    clock_->setEnabled(true);
    setElapsed(0);
    ctx_.random.randomize();
    meaningOrder_ = dealOrder(ctx_.random);
    wantedMeaning_ = kNothingClicked;
    clickedMeaning_ = kNothingClicked;
    cursor_ = ctx_.store().Data(choice_.book);
    dealt_ = 0;
    if (cursor_) {
        cursor_->MoveFirst();
        cursor_->Move(choice_.groupStart + levelOffset_);
    }
    for (int i = 0; i < kBoardWords; ++i) {
        const int j = meaningOrder_[std::size_t(i)];
        // Only the group's own words: a short level hides the buttons it has no word for.
        const bool inGroup = levelOffset_ + i < kGroupSize;
        const auto w = cursor_ && inGroup ? currentWord(*cursor_) : std::nullopt;
        words_->setCaption(i, w ? w->word : QString());
        meanings_->setCaption(j, w ? shownMeaning(w->meaning) : QString());
        for (auto [set, k] : {std::pair{words_, i}, std::pair{meanings_, j}}) {
            set->button(k)->setVisible(bool(w));
            set->setEnabled(k, bool(w));
        }
        if (w) ++dealt_;
        if (cursor_) cursor_->MoveNext();
    }
    clock_->setEnabled(true);
    start_->setEnabled(false);
    pairCount_ = 0;
    pendingWord_ = pendingMeaning_ = -1;
    levelLabel_->setText(QStringLiteral("第%1关(共有4关)").arg(levelOffset_ / kBoardWords + 1));
    // A level is a round.
    round_->begin(QStringLiteral("%1 第%2关").arg(groupMode()).arg(levelOffset_ / kBoardWords + 1));
}

void LinkGameScreen::clickWord(int i) {
    wantedMeaning_ = meaningOrder_[std::size_t(i)];
    clickedWord_ = i;
    if (readAloud_->isChecked()) {
        spokenWord_ = words_->caption(i);
        ctx_.voice().stop();
        ctx_.voice().speak(spokenWord_);
    }
    if (wantedMeaning_ == clickedMeaning_) {
        match();
    } else {
        clickedMeaning_ = kWordUnmatched;
        if (pendingMeaning_ >= 0)
            round_->wrong(app::kEnglishWordList, words_->caption(i), meanings_->caption(pendingMeaning_));
        pendingMeaning_ = -1;
        pendingWord_ = i;
    }
    afterClick();
}

void LinkGameScreen::clickMeaning(int j) {
    clickedMeaning_ = j;
    if (wantedMeaning_ == j) {
        match();
    } else {
        wantedMeaning_ = kMeaningUnmatched;
        if (pendingWord_ >= 0)
            round_->wrong(app::kEnglishWordList, words_->caption(pendingWord_), meanings_->caption(j));
        pendingWord_ = -1;
        pendingMeaning_ = j;
    }
    afterClick();
}

void LinkGameScreen::match() {
    words_->button(clickedWord_)->hide();
    meanings_->button(clickedMeaning_)->hide();
    ctx_.jieguo().play(core::jieguo::kMatch);
    round_->right(app::kEnglishWordList, words_->caption(clickedWord_));
    pendingWord_ = pendingMeaning_ = -1;
    setElapsed(elapsed_ - kTimeBack);
    ++pairCount_;
}

void LinkGameScreen::afterClick() {
    if (pairCount_ < dealt_) return;
    // Level cleared: on to the next one that has words (level 1 always has: a group holds one).
    pairCount_ = 0;
    round_->finish();
    for (int tries = 0; tries < kLevels; ++tries) {
        levelOffset_ = nextLevelOffset(levelOffset_);
        deal();
        if (dealt_ > 0) return;
    }
}

void LinkGameScreen::tick() {
    setElapsed(elapsed_ + 1);
    if (elapsed_ > 99) leave();
}

void LinkGameScreen::leave() {
    clock_->setEnabled(false);
    ctx_.navigator().leave(); // put away, the screen stops the voice
}

} // namespace english
