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
} // namespace

LinkGameScreen::LinkGameScreen(app::AppContext &ctx)
    : WordScreen(ctx, screens::kLinkGame, QStringLiteral("连连看"), 13500, 9420) {
    new ui::Backdrop(ui::Backdrop::Scene::Sky, this, QStringLiteral("Picture0"));

    auto *heading = new ui::FlatButton(QStringLiteral("Button5"), QString(), this, 18, true);
    heading->setGeometry(ui::twRect(2700, 120, 8100, 660));
    label1_ = ui::makeLabel(QStringLiteral("Label1"), QString(), this, ui::twRect(300, 870, 4800, 420), 13,
                            QColor(200, 0, 0), true);
    progress1_ = ui::makeProgress(QStringLiteral("Progress1"), this, ui::twRect(5100, 930, 8100, 300));

    auto *picture1 = ui::makePanel(QStringLiteral("Picture1"), this, ui::twRect(300, 1440, 12900, 3270),
                                   QColor(255, 248, 225));
    words_ = new ui::AnswerButtons(picture1, QStringLiteral("Button4"), boardPlaces(), 14, 0);
    auto *picture4 = ui::makePanel(QStringLiteral("Picture4"), this, ui::twRect(300, 4830, 12900, 3270),
                                   QColor(232, 245, 233));
    meanings_ = new ui::AnswerButtons(picture4, QStringLiteral("Button1"), boardPlaces(), 13, 0);

    option1_ = new QRadioButton(QStringLiteral("朗读"), this);
    option1_->setObjectName(QStringLiteral("Option1"));
    option1_->setGeometry(ui::twRect(480, 8400, 1440, 420));
    option1_->setFont(ui::simSun(12));
    auto *option2 = new QRadioButton(QStringLiteral("不朗读"), this);
    option2->setObjectName(QStringLiteral("Option2"));
    option2->setGeometry(ui::twRect(2040, 8400, 1560, 420));
    option2->setFont(ui::simSun(12));

    button3_ = new ui::FlatButton(QStringLiteral("Button3"), QStringLiteral("开始"), this, 15);
    button3_->setGeometry(ui::twRect(5400, 8280, 3000, 780));
    auto *back = new ui::FlatButton(QStringLiteral("Button2"), QStringLiteral("不玩了"), this, 15);
    back->setGeometry(ui::twRect(9240, 8280, 3000, 780));

    timer1_ = new ui::Timer(QStringLiteral("Timer1"), 1500, this);

    connect(button3_, &QPushButton::clicked, this, &LinkGameScreen::deal);
    connect(words_, &ui::AnswerButtons::chosen, this, &LinkGameScreen::clickWord);
    connect(meanings_, &ui::AnswerButtons::chosen, this, &LinkGameScreen::clickMeaning);
    connect(timer1_, &ui::Timer::tick, this, &LinkGameScreen::tick);
    connect(back, &QPushButton::clicked, this, &LinkGameScreen::leave);
    ui::markBack(back);
    words_->setNumberKeys(false);
    meanings_->setNumberKeys(false);
    progress1_->setAccessibleName(QStringLiteral("游戏时间"));

    // Load.
    option1_->setChecked(true);
    ctx_.globals.levelOffset = 0;
    heading->setCaption(ctx_.globals.bookTitle + QStringLiteral("单词游戏"));
    button3_->setEnabled(true);
    for (auto *set : {words_, meanings_}) {
        set->clearCaptions();
        set->setAllEnabled(false);
    }
    label1_->clear();
}

void LinkGameScreen::setElapsed(int v) {
    elapsed_ = v;
    progress1_->setValue(std::clamp(v, 0, 100));
}

void LinkGameScreen::deal() {
    core::Globals &g = ctx_.globals;
    timer1_->setEnabled(true);
    setElapsed(0);
    ctx_.random.randomize();
    g.meaningOrder = dealOrder(ctx_.random);
    g.wantedMeaning = kBoardWords;
    g.clickedMeaning = kBoardWords;
    g.bookCursor = ctx_.store().Data(g.bookNumber);
    dealt_ = 0;
    if (g.bookCursor) {
        g.bookCursor->MoveFirst();
        g.bookCursor->Move(g.groupStart + g.levelOffset);
    }
    for (int i = 0; i < kBoardWords; ++i) {
        const int j = g.meaningOrder[std::size_t(i)];
        // Only the group's own words: a short level hides the buttons it has no word for.
        const bool inGroup = g.levelOffset + i < kGroupSize;
        const auto w = g.bookCursor && inGroup ? currentWord(*g.bookCursor) : std::nullopt;
        words_->setCaption(i, w ? w->word : QString());
        meanings_->setCaption(j, w ? shownMeaning(w->meaning) : QString());
        for (auto [set, k] : {std::pair{words_, i}, std::pair{meanings_, j}}) {
            set->button(k)->setVisible(bool(w));
            set->setEnabled(k, bool(w));
        }
        if (w) ++dealt_;
        if (g.bookCursor) g.bookCursor->MoveNext();
    }
    timer1_->setEnabled(true);
    button3_->setEnabled(false);
    g.pairCount = 0;
    label1_->setText(QStringLiteral("第%1关(共有4关)").arg(g.levelOffset / kBoardWords + 1));
}

void LinkGameScreen::clickWord(int i) {
    core::Globals &g = ctx_.globals;
    g.wantedMeaning = g.meaningOrder[std::size_t(i)];
    g.clickedWord = i;
    if (option1_->isChecked()) {
        g.spokenWord = words_->caption(i);
        ctx_.voice().stop();
        ctx_.voice().speak(g.spokenWord);
    }
    if (g.wantedMeaning == g.clickedMeaning)
        match();
    else
        g.clickedMeaning = 55;
    afterClick();
}

void LinkGameScreen::clickMeaning(int j) {
    core::Globals &g = ctx_.globals;
    g.clickedMeaning = j;
    if (g.wantedMeaning == j)
        match();
    else
        g.wantedMeaning = 66;
    afterClick();
}

void LinkGameScreen::match() {
    core::Globals &g = ctx_.globals;
    words_->button(g.clickedWord)->hide();
    meanings_->button(g.clickedMeaning)->hide();
    ctx_.jieguo().play(core::jieguo::kMatch);
    setElapsed(elapsed_ - kTimeBack);
    ++g.pairCount;
}

void LinkGameScreen::afterClick() {
    core::Globals &g = ctx_.globals;
    if (g.pairCount < dealt_) return;
    // Level cleared: on to the next one that has words (level 1 always has: a group holds one).
    g.pairCount = 0;
    for (int tries = 0; tries < kLevels; ++tries) {
        g.levelOffset = nextLevelOffset(g.levelOffset);
        deal();
        if (dealt_ > 0) return;
    }
}

void LinkGameScreen::tick() {
    setElapsed(elapsed_ + 1);
    if (elapsed_ > 99) leave();
}

void LinkGameScreen::leave() {
    timer1_->setEnabled(false);
    ctx_.navigator().leave(); // put away, the screen stops the voice
}

} // namespace english
