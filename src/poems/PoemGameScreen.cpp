#include "poems/PoemGameScreen.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/RoundTally.h"
#include "app/ScreenNames.h"
#include "poems/PoemBlock.h"
#include "poems/PoemGame.h"
#include "services/ContentSchema.h"
#include "services/WavePlayer.h"
#include "ui/Backdrop.h"
#include "ui/Fonts.h"
#include "ui/Keyboard.h"
#include "ui/Timer.h"

#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>

namespace poems {

namespace {

const QColor kPanel(255, 236, 200);
const char *const kLineMarkers[4] = {"A:", "B:", "C:", "D:"};

// The slot markers 1: to 4: keep their stored control indexes, from the bottom up.
const int kSlotMarkerIndex[4] = {9, 8, 7, 6};

// Line buttons on the left, slots on the right, the list between them.
constexpr int kRowTop = 2520;
constexpr int kRowStep = 1140;
constexpr int kRowHeight = 900;

} // namespace

PoemGameScreen::PoemGameScreen(app::AppContext &ctx)
    : ui::Screen(screens::kPoemGame, QStringLiteral("唐诗游戏"), 12000, 8400), ctx_(ctx),
      typing_(new ui::Timer(QStringLiteral("Timer1"), kTypingMs, this)),
      pause_(new ui::Timer(QStringLiteral("Timer2"), kSolvedPauseMs, this)) {
    build();
    wire();
    round_ = new app::RoundTally(ctx_, this, services::Area::Poems);
    // No poem yet: no line to place.
    for (int j = 1; j <= 4; ++j)
        lineButton(j)->setEnabled(false);
}

void PoemGameScreen::build() {
    new ui::Backdrop(ui::Backdrop::Scene::Sky, this, QStringLiteral("Picture3"));

    auto *title = new QLabel(QStringLiteral("唐诗游戏"), this);
    title->setObjectName(QStringLiteral("Label3(4)"));
    title->setGeometry(ui::twRect(240, 240, 4200, 900));
    title->setFont(ui::liSu(27.75, true));
    QPalette tp = title->palette();
    tp.setColor(QPalette::WindowText, QColor(160, 0, 0));
    title->setPalette(tp);

    auto *options =
        ui::makePanel(QStringLiteral("Picture1"), this, ui::twRect(4680, 240, 2880, 1020), kPanel);
    orderChoice_[0] = new QRadioButton(QStringLiteral("顺序唐诗"), options);
    orderChoice_[1] = new QRadioButton(QStringLiteral("随机唐诗"), options);
    for (int i = 0; i < 2; ++i) {
        orderChoice_[i]->setObjectName(QStringLiteral("Option1(%1)").arg(i));
        orderChoice_[i]->setGeometry(ui::twRect(180, 60 + i * 480, 2580, 420));
        orderChoice_[i]->setFont(ui::simSun(12, true));
    }
    orderChoice_[0]->setChecked(true);

    title_ = new ui::FlatButton(QStringLiteral("Button4"), QString(), this, 21, true);
    title_->setGeometry(ui::twRect(7800, 240, 3960, 780));
    author_ = new ui::FlatButton(QStringLiteral("Button3"), QString(), this, 14, true);
    author_->setGeometry(ui::twRect(7800, 1140, 3960, 600));

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List1"));
    list_->setGeometry(ui::twRect(4680, kRowTop, 2880, 3 * kRowStep + kRowHeight - 660));
    list_->setFont(ui::simSun(12));
    count_ = ui::makeLabel(QStringLiteral("Label3(5)"), QStringLiteral("唐诗库"), this,
                           ui::twRect(4560, kRowTop + 3 * kRowStep + kRowHeight - 600, 3120, 600), 10.5,
                           QColor(128, 0, 0), true);
    count_->setAlignment(Qt::AlignCenter);
    count_->setWordWrap(true);

    for (int i = 0; i < 4; ++i) {
        const int top = kRowTop + i * kRowStep;
        auto *a = ui::makeLabel(QStringLiteral("Label3(%1)").arg(i), QString::fromLatin1(kLineMarkers[i]),
                                this, ui::twRect(120, top + 150, 600, 600), 20.25, Qt::black);
        a->setAlignment(Qt::AlignCenter);
        auto *s = ui::makeLabel(QStringLiteral("Label3(%1)").arg(kSlotMarkerIndex[i]),
                                QStringLiteral("%1:").arg(i + 1), this, ui::twRect(7680, top + 150, 600, 600),
                                20.25, Qt::black);
        s->setAlignment(Qt::AlignCenter);
        lineButtons_[i] = new ui::FlatButton(QStringLiteral("Button1(%1)").arg(i + 1), QString(), this, 18);
        lineButtons_[i]->setGeometry(ui::twRect(720, top, 3780, kRowHeight));
        lineButtons_[4 + i] =
            new ui::FlatButton(QStringLiteral("Button1(%1)").arg(i + 5), QString(), this, 18);
        lineButtons_[4 + i]->setGeometry(ui::twRect(8280, top, 3480, kRowHeight));
    }
    for (int j = 1; j <= 8; ++j) {
        QFont f = lineButton(j)->font();
        f.setBold(true);
        lineButton(j)->setFont(f);
        lineButton(j)->setCaption(QString());
        // A line is named by its marker, an empty slot by the place it fills.
        lineButton(j)->setBlankName(j <= 4 ? QStringLiteral("诗句%1").arg(QLatin1Char(kLineMarkers[j - 1][0]))
                                           : QStringLiteral("第%1句").arg(j - 4));
    }

    again_ = new ui::FlatButton(QStringLiteral("Button5"), QStringLiteral("呀！错了！重新来！"), this, 14);
    again_->setGeometry(ui::twRect(7800, 7260, 3960, 720));
    back_ = new ui::FlatButton(QStringLiteral("Button2"), QStringLiteral("不想玩了"), this, 14);
    back_->setGeometry(ui::twRect(4680, 7260, 2880, 720));
    ui::markBack(back_);
    list_->setAccessibleName(QStringLiteral("唐诗库"));
}

void PoemGameScreen::wire() {
    for (int j = 1; j <= 8; ++j)
        connect(lineButton(j), &QPushButton::clicked, this, [this, j] { clickLine(j); });
    connect(again_, &QPushButton::clicked, this, [this] {
        // A line still being typed stops where it is and its slot is emptied with the others.
        if (typingFrom_ != 0) {
            typing_->setEnabled(false);
            typingFrom_ = 0;
        }
        emptySlots();
    });
    connect(back_, &QPushButton::clicked, this, [this] { ctx_.navigator().returnToMain(); });
    connect(list_, &QListWidget::currentRowChanged, this, &PoemGameScreen::startPoem);
    connect(typing_, &ui::Timer::tick, this, &PoemGameScreen::typeNext);
    connect(pause_, &ui::Timer::tick, this, [this] {
        pause_->setEnabled(false);
        if (!pausing_) return;
        pausing_ = false;
        const int k = PoemGame::next(ctx_.random, orderChoice_[0]->isChecked(), current_, poemCount_);
        if (k >= 0) list_->setCurrentRow(k);
    });
}

void PoemGameScreen::showEvent(QShowEvent *e) {
    ui::Screen::showEvent(e);
    fillList();
}

void PoemGameScreen::fillList() {
    // Once per showing: coming back to the window does not add the titles again.
    if (filled_) return;
    filled_ = true;
    services::TableCursor *cursor = ctx_.store().Data(services::kPoems);
    if (!cursor) {
        title_->setCaption(ctx_.store().problemFor(services::kPoems));
        return;
    }
    // Records of empty fields hold no poem.
    const QStringList titles = cursor->holdsText() ? PoemBlock::titles(*cursor) : QStringList();
    poemCount_ = static_cast<int>(titles.size());
    count_->setText(PoemGame::countText(poemCount_));
    if (poemCount_ == 0) {
        title_->setCaption(services::ContentStore::noContentText(QStringLiteral("唐诗")));
        return;
    }
    list_->addItems(titles);
    list_->setCurrentRow(0);
}

void PoemGameScreen::stopWork() {
    typing_->setEnabled(false);
    pause_->setEnabled(false);
    typingFrom_ = 0;
    pausing_ = false;
}

void PoemGameScreen::startPoem(int k) {
    services::TableCursor *cursor = ctx_.store().Data(services::kPoems);
    if (k < 0 || !cursor) return;
    const std::optional<PoemBlock> poem = PoemBlock::read(*cursor, k);
    if (!poem) return;
    stopWork();
    round_->begin(poem->title());
    current_ = k;
    count_->setText(PoemGame::countText(poemCount_, k));
    title_->setCaption(poem->title());
    author_->setCaption(QStringLiteral("作者：") + poem->records[1]);
    for (int i = 0; i < 4; ++i)
        lines_[static_cast<std::size_t>(i)] = poem->records[static_cast<std::size_t>(2 + i)];
    const std::array<int, 4> place = PoemGame::shuffle(ctx_.random);
    for (int i = 0; i < 4; ++i)
        lineButton(place[static_cast<std::size_t>(i)])->setCaption(lines_[static_cast<std::size_t>(i)]);
    emptySlots();
}

void PoemGameScreen::emptySlots() {
    for (int j = 5; j <= 8; ++j)
        lineButton(j)->setCaption(QString());
    // Before any poem (none in the table) there are no lines to place.
    for (int j = 1; j <= 4; ++j)
        lineButton(j)->setEnabled(current_ >= 0);
}

void PoemGameScreen::clickLine(int j) {
    // One line at a time: a click while a line is typed or a solved poem rests changes nothing.
    if (busy()) return;
    ctx_.random.randomize();
    int slot = 0;
    for (int s = 5; s <= 8 && slot == 0; ++s)
        if (lineButton(s)->caption().isEmpty()) slot = s;
    if (slot == 0) {
        check();
        return;
    }
    typingFrom_ = j;
    typingTo_ = slot;
    typingText_ = lineButton(j)->caption();
    typed_ = 0;
    typeNext();
    if (typingFrom_ != 0) typing_->setEnabled(true);
}

void PoemGameScreen::typeNext() {
    if (typingFrom_ == 0) {
        typing_->setEnabled(false);
        return;
    }
    if (typed_ < typingText_.size()) {
        // One character, kept whole when it lies outside the basic plane.
        int length = 1;
        if (typingText_.at(typed_).isHighSurrogate() && typed_ + 1 < typingText_.size()) length = 2;
        lineButton(typingTo_)->setCaption(lineButton(typingTo_)->caption() + typingText_.mid(typed_, length));
        typed_ += length;
        return;
    }
    typing_->setEnabled(false);
    lineButton(typingFrom_)->setEnabled(false);
    typingFrom_ = 0;
    check();
}

void PoemGameScreen::check() {
    if (lineButton(8)->caption().isEmpty()) return;
    std::array<QString, 4> placed;
    for (int i = 0; i < 4; ++i)
        placed[static_cast<std::size_t>(i)] = lineButton(5 + i)->caption();
    if (!PoemGame::inOrder(placed, lines_)) {
        round_->wrong(screens::kPoemGame, title_->caption(),
                      QStringList(placed.begin(), placed.end()).join(QStringLiteral("，")));
        ctx_.jieguo().play(core::jieguo::kWrong);
        emptySlots();
        return;
    }
    round_->right(screens::kPoemGame, title_->caption());
    round_->finish();
    ctx_.jieguo().play(core::jieguo::kRightWithPraise);
    pausing_ = true;
    pause_->setEnabled(true);
}

} // namespace poems
