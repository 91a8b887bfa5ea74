#include "pinyin/PinyinChartScreen.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "pinyin/LetterBoard.h"
#include "services/WavePlayer.h"
#include "ui/Backdrop.h"
#include "ui/Keyboard.h"

#include <QLabel>

namespace pinyin {

namespace {

// Finals stacked down the left half, initials filling the right half; pixels.
const BoardLayout kChartLayout{{{
                                   {QRect(20, 70, 350, 166), {3, 3}},
                                   {QRect(20, 244, 350, 232), {5, 5, 4}},
                                   {QRect(20, 484, 350, 100), {4}},
                                   {QRect(400, 70, 350, 364), {5, 5, 4, 5, 4}},
                               }},
                               56,
                               10,
                               16};

} // namespace

PinyinChartScreen::PinyinChartScreen(app::AppContext &ctx)
    : ui::Screen(screens::kPinyinChart, QStringLiteral("拼音游戏"), 11550, 9000), ctx_(ctx) {
    new ui::Backdrop(ui::Backdrop::Scene::Sky, this);

    auto *title = ui::makeLabel(QStringLiteral("Label1"), QStringLiteral("学习拼音"), this,
                                QRect(0, 12, width(), 48), 24, QColor(200, 40, 40), true);
    title->setAlignment(Qt::AlignCenter);

    board_ = new LetterBoard(this, kChartLayout);
    connect(board_, &LetterBoard::clicked, this, [this](int k) { player_->play(core::letters::clip(k)); });

    auto *hint = ui::makeLabel(QStringLiteral("Label2"), QStringLiteral("单击字母朗读拼音"), this,
                               QRect(400, 450, 350, 40), 15.75, QColor(0, 96, 0));
    hint->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto *back = new ui::FlatButton(QStringLiteral("Button1"), QStringLiteral("返回"), this, 14);
    back->setGeometry(630, 520, 120, 48);
    connect(back, &QPushButton::clicked, this, [this] { ctx_.navigator().returnToMain(); });
    ui::markBack(back);

    // Load step: the letter sounds, then the rhymes.
    player_ = ctx_.makePlayer();
    player_->open(ctx_.programFile(QStringLiteral("sound.wav")));
    for (int k = 1; k <= kLetterCount; ++k)
        board_->button(k)->setToolTip(rhyme(k));
}

PinyinChartScreen::~PinyinChartScreen() = default;

} // namespace pinyin
