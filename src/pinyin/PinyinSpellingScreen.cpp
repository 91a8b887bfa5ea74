#include "pinyin/PinyinSpellingScreen.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/RoundTally.h"
#include "app/ScreenNames.h"
#include "pinyin/LetterBoard.h"
#include "services/PinyinLookup.h"
#include "services/TableCursor.h"
#include "services/WavePlayer.h"
#include "ui/Backdrop.h"
#include "ui/Fonts.h"
#include "ui/Keyboard.h"
#include "ui/Timer.h"

#include <QEvent>
#include <QLabel>

namespace pinyin {

namespace {

const QString kTable = QStringLiteral("单字");
const QString kCheer = QStringLiteral("加油呀!");
const QString kRight = QStringLiteral("正确！");

// The character and the display on the left half, the four frames stacked on the right; pixels.
const BoardLayout kSpellingLayout{{{
                                      {QRect(400, 64, 420, 92), {6}},
                                      {QRect(400, 164, 420, 148), {7, 7}},
                                      {QRect(400, 320, 420, 92), {4}},
                                      {QRect(400, 420, 420, 260), {6, 6, 6, 5}},
                                  }},
                                  48,
                                  8,
                                  15};

} // namespace

PinyinSpellingScreen::PinyinSpellingScreen(app::AppContext &ctx)
    : ui::Screen(screens::kPinyinSpelling, QStringLiteral("拼音游戏"), 12600, 10500), ctx_(ctx) {
    backdrop_ = new ui::Backdrop(ui::Backdrop::Scene::Sky, this);
    // Moving over the backdrop refreshes the answer tooltip.
    backdrop_->setMouseTracking(true);
    backdrop_->installEventFilter(this);

    auto *title = ui::makeLabel(QStringLiteral("Label1"), QStringLiteral("拼音游戏(为左边汉字找拼音)"), this,
                                QRect(0, 10, width(), 44), 24, QColor(200, 40, 40), true);
    title->setAlignment(Qt::AlignCenter);

    auto *characterCard =
        ui::makePanel(QStringLiteral("Picture3"), this, QRect(30, 70, 340, 290), QColor(255, 250, 230));
    character_ = ui::makeLabel(QStringLiteral("Label2"), QString(), characterCard, QRect(0, 0, 340, 290), 150,
                               QColor(0, 0, 0));
    character_->setAlignment(Qt::AlignCenter);

    auto *spellingCard =
        ui::makePanel(QStringLiteral("Picture4"), this, QRect(30, 376, 340, 84), QColor(255, 250, 230));
    display_ = new ui::FlatButton(QStringLiteral("Button2"), QString(), spellingCard, 26, true);
    display_->setGeometry(10, 10, 320, 64);

    cheer_ = ui::makeLabel(QStringLiteral("Label3"), kCheer, this, QRect(30, 470, 340, 44), 21.75,
                           QColor(0, 128, 0), true);
    cheer_->setAlignment(Qt::AlignCenter);

    // Said plainly when the characters cannot be read; hidden otherwise.
    problem_ = ui::makeLabel(QStringLiteral("Label4"), QString(), this, QRect(30, 520, 340, 44), 12,
                             QColor(200, 0, 0), true);
    problem_->setAlignment(Qt::AlignCenter);
    problem_->setWordWrap(true);
    problem_->hide();

    clear_ = new ui::FlatButton(QStringLiteral("Button3"), QStringLiteral("重新输入"), this, 14);
    clear_->setGeometry(30, 620, 120, 48);
    start_ = new ui::FlatButton(QStringLiteral("Button7"), QStringLiteral("开始"), this, 14);
    start_->setGeometry(160, 620, 100, 48);
    back_ = new ui::FlatButton(QStringLiteral("Button1"), QStringLiteral("返回"), this, 14);
    back_->setGeometry(270, 620, 100, 48);
    round_ = new app::RoundTally(ctx_, this, services::Area::Pinyin);
    // Between the cheer and the row of buttons.
    round_->makeReviewButton(this, QRect(95, 568, 210, 40), 14, app::kCharacterList,
                             [this](const QStringList &items) { review(items); });

    connect(clear_, &QPushButton::clicked, this, &PinyinSpellingScreen::clearInput);
    connect(start_, &QPushButton::clicked, this, &PinyinSpellingScreen::startPressed);
    connect(back_, &QPushButton::clicked, this, [this] { ctx_.navigator().returnToMain(); });
    ui::markBack(back_);

    board_ = new LetterBoard(this, kSpellingLayout);
    connect(board_, &LetterBoard::clicked, this, &PinyinSpellingScreen::letterClicked);

    moveOnTimer_ = new ui::Timer(QStringLiteral("Timer1"), 1000, this);
    connect(moveOnTimer_, &ui::Timer::tick, this, &PinyinSpellingScreen::tick);

    // Load step.
    clear_->setEnabled(false);
    board_->setAllEnabled(false);
    player_ = ctx_.makePlayer();
    player_->open(ctx_.programFile(QStringLiteral("sound.wav")));
    showProblem();
}

PinyinSpellingScreen::~PinyinSpellingScreen() = default;

services::TableCursor *PinyinSpellingScreen::characters() {
    services::TableCursor *cursor = ctx_.store().table(kTable);
    return cursor && cursor->RecordCount() > 0 ? cursor : nullptr;
}

bool PinyinSpellingScreen::showProblem() {
    services::TableCursor *cursor = ctx_.store().table(kTable);
    QString problem;
    if (!cursor)
        problem = ctx_.store().problemFor(kTable); // the whole file's problem, or the table's own
    else if (!cursor->holdsText())
        problem = QStringLiteral("单字表里没有汉字，无法出题");
    problem_->setText(problem);
    problem_->setVisible(!problem.isEmpty());
    return !problem.isEmpty();
}

void PinyinSpellingScreen::newCharacter() {
    // Without characters the letters stay off: there is nothing to spell.
    if (showProblem()) return;
    services::TableCursor *cursor = characters();
    cursor->MoveNext();
    const int n = cursor->RecordCount();
    board_->setAllEnabled(true);
    display_->setCaption(QString());
    ctx_.random.randomize();
    cursor->MoveFirst();
    cursor->Move(int(n * ctx_.random.rnd()));
    toReviewed(*cursor);
    missed_ = false;
    character_->setText(cursor->field(0).trimmed());
    // The record's own reading if it has one, as school writes it: nü and lüe with the dots, ju
    // and yue without.
    expected_ = ctx_.pinyin().recordPinYin(character_->text(), cursor->field(1),
                                           services::PinyinLookup::Form::Display);
    cheer_->setText(kCheer);
    clear_->setEnabled(true);
}

void PinyinSpellingScreen::letterClicked(int k) {
    player_->play(core::letters::clip(k));
    display_->setCaption(display_->caption() + pressedLetter(display_->caption(), k));
    for (int j : disabledAfter(k))
        board_->setEnabled(j, false);
    if (display_->caption() == expected_) {
        round_->right(app::kCharacterList, character_->text());
        cheer_->setText(kRight);
        ticks_ = 0;
        moveOnTimer_->setEnabled(true);
    } else if (!missed_ && !moveOnTimer_->isEnabled() && !expected_.startsWith(display_->caption())) {
        // Once a character: its letters no longer lead to its pinyin.
        missed_ = true;
        round_->wrong(app::kCharacterList, character_->text(), display_->caption());
    }
}

void PinyinSpellingScreen::startPressed() {
    // A move still pending after "正确！" would bring a second character moments later.
    moveOnTimer_->setEnabled(false);
    // The round runs from the first "开始" until the screen is put away.
    if (!round_->isOpen()) round_->begin(QString());
    newCharacter();
}

void PinyinSpellingScreen::clearInput() {
    display_->setCaption(QString());
    board_->setAllEnabled(true);
}

void PinyinSpellingScreen::tick() {
    ++ticks_;
    if (ticks_ > 1) {
        ticks_ = 0;
        newCharacter();
        moveOnTimer_->setEnabled(false);
    }
}

bool PinyinSpellingScreen::toReviewed(services::TableCursor &cursor) {
    while (!reviewQueue_.isEmpty()) {
        const QString wanted = reviewQueue_.takeFirst();
        const std::vector<QStringList> &records = cursor.records();
        for (std::size_t i = 0; i < records.size(); ++i)
            if (records[i].value(0).trimmed() == wanted) {
                cursor.MoveFirst();
                cursor.Move(int(i));
                return true;
            }
    }
    return false;
}

// The characters missed before, asked next; characters the table no longer holds are passed over.
void PinyinSpellingScreen::review(const QStringList &items) {
    reviewQueue_ = items;
    startPressed();
}

bool PinyinSpellingScreen::eventFilter(QObject *watched, QEvent *event) {
    if (watched == backdrop_ && event->type() == QEvent::MouseMove)
        cheer_->setToolTip(QStringLiteral("答案：") + expected_);
    return ui::Screen::eventFilter(watched, event);
}

} // namespace pinyin
