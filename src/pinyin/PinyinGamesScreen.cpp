#include "pinyin/PinyinGamesScreen.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/RoundTally.h"
#include "app/ScreenNames.h"
#include "core/FourChoice.h"
#include "services/WavePlayer.h"
#include "ui/AnswerButtons.h"
#include "ui/Backdrop.h"
#include "ui/Keyboard.h"
#include "ui/Timer.h"

namespace pinyin {

PinyinGamesScreen::PinyinGamesScreen(app::AppContext &ctx)
    : ui::Screen(screens::kPinyinGames, QStringLiteral("听发音找拼音"), 9600, 7800), ctx_(ctx) {
    new ui::Backdrop(ui::Backdrop::Scene::Sky, this);

    hint_ = new ui::FlatButton(QStringLiteral("Button2"), QStringLiteral("仔细听发音 找拼音字母"), this, 22,
                               true);
    hint_->setGeometry(30, 24, 580, 76);

    answers_ = new ui::AnswerButtons(this, QStringLiteral("Button9"),
                                     {QRect(80, 124, 220, 130), QRect(340, 124, 220, 130),
                                      QRect(80, 274, 220, 130), QRect(340, 274, 220, 130)},
                                     40);
    connect(answers_, &ui::AnswerButtons::chosen, this, &PinyinGamesScreen::check);

    start_ = new ui::FlatButton(QStringLiteral("Button7"), QStringLiteral("开始"), this, 14);
    start_->setGeometry(80, 440, 140, 48);
    again_ = new ui::FlatButton(QStringLiteral("Button13"), QStringLiteral("再听一遍"), this, 14);
    again_->setGeometry(250, 440, 140, 48);
    back_ = new ui::FlatButton(QStringLiteral("Button1"), QStringLiteral("返回"), this, 14);
    back_->setGeometry(420, 440, 140, 48);
    round_ = new app::RoundTally(ctx_, this, services::Area::Pinyin);
    round_->setMode(windowTitle());
    // In the strip between the answers and the row of buttons.
    round_->makeReviewButton(this, QRect(250, 408, 140, 28), 11, screens::kPinyinGames,
                             [this](const QStringList &items) { review(items); });
    connect(start_, &QPushButton::clicked, this, &PinyinGamesScreen::start);
    connect(again_, &QPushButton::clicked, this, &PinyinGamesScreen::playAnswer);
    connect(back_, &QPushButton::clicked, this, [this] { ctx_.navigator().returnToMain(); });
    ui::markBack(back_);

    pause_ = new ui::Timer(QStringLiteral("Timer1"), core::jieguo::kRight.length(), this);
    connect(pause_, &ui::Timer::tick, this, [this] {
        pause_->setEnabled(false);
        cjf();
    });

    // Load step.
    answers_->setAllEnabled(false);
    player_ = ctx_.makePlayer();
    player_->open(ctx_.programFile(QStringLiteral("sound.wav")));
}

PinyinGamesScreen::~PinyinGamesScreen() = default;

void PinyinGamesScreen::applyMenuChoice(const app::MenuChoice &choice) {
    if (const auto r = gameRange(choice.mode)) range_ = *r;
    if (!choice.title.isEmpty()) setWindowTitle(choice.title);
    round_->setMode(windowTitle());
}

void PinyinGamesScreen::start() {
    start_->setEnabled(false);
    answers_->setAllEnabled(true);
    round_->begin(round_->mode());
    cjf();
}

void PinyinGamesScreen::cjf() {
    answers_->clearCaptions();
    ctx_.random.randomize();
    answer_ = ctx_.random.countFrom(range_.size(), range_.first);
    if (!reviewQueue_.isEmpty()) answer_ = reviewQueue_.takeFirst();
    playAnswer();

    const LetterRange r = range_;
    core::Random &rnd = ctx_.random;
    const core::WrongPool pool{[&rnd, r] { return double(rnd.countFrom(r.size(), r.first)); }, r.size(),
                               [r](int i) { return double(r.first + i); }};
    const core::FourChoice choice = core::placeFourChoice(
        rnd, ctx_.globals, answer_, [](double k) { return gameCaption(int(k)); }, pool);
    rightButton_ = choice.rightSlot;
    answers_->showChoice(choice);
    hint_->setCaption(rhyme(answer_));
}

void PinyinGamesScreen::playAnswer() {
    // Before the first question there is nothing to hear again.
    if (answer_ > 0) player_->play(core::letters::clip(answer_));
}

void PinyinGamesScreen::check(int k) {
    if (pause_->isEnabled()) return; // the next letter is on its way
    if (k == rightButton_) {
        round_->right(screens::kPinyinGames, gameCaption(answer_));
        ctx_.jieguo().play(core::jieguo::kRight);
        pause_->setEnabled(true);
    } else {
        round_->wrong(screens::kPinyinGames, gameCaption(answer_), answers_->caption(k));
        ctx_.jieguo().play(core::jieguo::kWrong);
    }
}

// The letters missed before come first (the wrong answers stay those of the range).
void PinyinGamesScreen::review(const QStringList &items) {
    reviewQueue_.clear();
    for (const QString &item : items)
        for (int k = 1; k <= kLetterCount; ++k)
            if (gameCaption(k) == item) {
                reviewQueue_ << k;
                break;
            }
    if (start_->isEnabled())
        start();
    else if (!pause_->isEnabled())
        cjf();
}

} // namespace pinyin
