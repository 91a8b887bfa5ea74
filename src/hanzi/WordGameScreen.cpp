#include "hanzi/WordGameScreen.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/RoundTally.h"
#include "services/WavePlayer.h"
#include "ui/AnswerButtons.h"
#include "ui/Backdrop.h"
#include "ui/Fonts.h"
#include "ui/Keyboard.h"

#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTextEdit>

namespace hanzi {

namespace {

const QColor kTitle(0, 0, 192);
const QColor kPanel(255, 236, 200);

QRadioButton *makeOption(const QString &name, const QString &caption, QWidget *panel, const QRect &geometry) {
    auto *o = new QRadioButton(caption, panel);
    o->setObjectName(name);
    o->setGeometry(geometry);
    o->setFont(ui::simSun(12, true));
    return o;
}

} // namespace

WordGameScreen::WordGameScreen(app::AppContext &ctx, const WordGameKind &kind)
    : ui::Screen(kind.screenName, kind.caption, 12000, 8400), ctx_(ctx), kind_(kind) {
    build();
    wire();
    load();
}

void WordGameScreen::build() {
    new ui::Backdrop(ui::Backdrop::Scene::Sky, this);

    auto *title = new QLabel(kind_.title, this);
    title->setObjectName(QStringLiteral("Label3(4)"));
    title->setGeometry(ui::twRect(240, 120, 7200, 780));
    title->setFont(ui::liSu(27.75, true));
    QPalette tp = title->palette();
    tp.setColor(QPalette::WindowText, kTitle);
    title->setPalette(tp);

    // The clue: the idiom's explanation in a text box, a word or a riddle on a large tile.
    const QRect clueRect = ui::twRect(240, 1020, 7200, 1500);
    if (kind_.clue == WordGameKind::Clue::TextBox) {
        clueText_ = new QTextEdit(this);
        clueText_->setObjectName(QStringLiteral("Text1"));
        clueText_->setGeometry(clueRect);
        clueText_->setReadOnly(true);
        clueText_->setFont(ui::simSun(15.75));
    } else {
        clueTile_ = new ui::FlatButton(QStringLiteral("Button4"), QString(), this, 36, true);
        clueTile_->setGeometry(clueRect);
        QFont f = clueTile_->font();
        f.setBold(true);
        clueTile_->setFont(f);
        clueTile_->setCaption(QString());
    }
    if (kind_.hint) {
        hint_ = new ui::FlatButton(QStringLiteral("Button3"), QString(), this, 9, true);
        QFont f = hint_->font();
        f.setBold(true);
        hint_->setFont(f);
        hint_->setGeometry(ui::twRect(240, 2580, 2400, 420));
    }

    std::vector<QRect> places;
    for (int k = 0; k < 4; ++k) {
        const int top = 3120 + k * 1260;
        auto *number = ui::makeLabel(QStringLiteral("Label3(%1)").arg(k), QStringLiteral("%1:").arg(k + 1),
                                     this, ui::twRect(240, top + 150, 720, 600), 20.25, Qt::black);
        number->setAlignment(Qt::AlignCenter);
        places.push_back(ui::twRect(960, top, 6480, 1020));
    }
    answers_ = new ui::AnswerButtons(this, QStringLiteral("Button1"), places, kind_.answerPointSize);
    for (int k = 1; k <= 4; ++k) {
        ui::FlatButton *b = answers_->button(k);
        QFont f = b->font();
        f.setBold(kind_.answerBold);
        b->setFont(f);
        b->setCaption(QString());
    }

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List1"));
    list_->setGeometry(ui::twRect(7800, 1020, 3960, 4380));
    list_->setFont(ui::simSun(10.5));
    list_->setUniformItemSizes(true);
    count_ = ui::makeLabel(QStringLiteral("Label3(5)"), kind_.libraryCaption, this,
                           ui::twRect(7800, 5460, 3960, 600), 10.5, QColor(128, 0, 0), true);
    count_->setAlignment(Qt::AlignCenter);
    count_->setWordWrap(true);

    auto *order = ui::makePanel(QStringLiteral("Picture2"), this, ui::twRect(7800, 6120, 1920, 1020), kPanel);
    orderChoice_[0] = makeOption(QStringLiteral("Option1(0)"), QStringLiteral("顺序游戏"), order,
                                 ui::twRect(120, 60, 1740, 420));
    orderChoice_[1] = makeOption(QStringLiteral("Option1(1)"), QStringLiteral("随机游戏"), order,
                                 ui::twRect(120, 540, 1740, 420));
    auto *shown = ui::makePanel(QStringLiteral("Picture3"), this, ui::twRect(9840, 6120, 1920, 1020), kPanel);
    listChoice_[0] = makeOption(QStringLiteral("Option2(0)"), QStringLiteral("显示答案"), shown,
                                ui::twRect(120, 60, 1740, 420));
    listChoice_[1] = makeOption(QStringLiteral("Option2(1)"), QStringLiteral("答案隐藏"), shown,
                                ui::twRect(120, 540, 1740, 420));
    orderChoice_[0]->setChecked(true);
    listChoice_[0]->setChecked(true);

    round_ = new app::RoundTally(ctx_, this, services::Area::Hanzi);
    // Above the list, beside the title: free on every kind of the game.
    round_->makeReviewButton(this, ui::twRect(7800, 180, 3960, 720), 14, kind_.screenName,
                             [this](const QStringList &items) { review(items); });

    back_ = new ui::FlatButton(QStringLiteral("Button2"), QStringLiteral("不想玩了"), this, 14);
    back_->setGeometry(ui::twRect(7800, 7320, 3960, 720));
    ui::markBack(back_);
    if (clueText_) clueText_->setAccessibleName(QStringLiteral("题目"));
    list_->setAccessibleName(kind_.libraryCaption);
}

void WordGameScreen::wire() {
    connect(answers_, &ui::AnswerButtons::chosen, this, &WordGameScreen::answer);
    connect(listChoice_[0], &QRadioButton::clicked, list_, &QWidget::show);
    connect(listChoice_[1], &QRadioButton::clicked, list_, &QWidget::hide);
    connect(back_, &QPushButton::clicked, this, [this] { ctx_.navigator().returnToMain(); });
    connect(list_, &QListWidget::currentRowChanged, this, &WordGameScreen::chooseFromList);
    // Another order is another round.
    for (QRadioButton *o : orderChoice_)
        connect(o, &QRadioButton::toggled, this, [this](bool on) {
            if (on) round_->setMode(orderMode());
        });
}

QString WordGameScreen::orderMode() const {
    return orderChoice_[0]->isChecked() ? orderChoice_[0]->text() : orderChoice_[1]->text();
}

void WordGameScreen::noContent(const QString &message) {
    if (clueText_) clueText_->setPlainText(message);
    if (clueTile_) clueTile_->setCaption(message);
    answers_->clearCaptions();
    answers_->setAllEnabled(false);
}

void WordGameScreen::load() {
    ctx_.random.randomize();
    services::TableCursor *cursor = ctx_.store().Data(kind_.slot);
    if (!cursor) {
        noContent(ctx_.store().problemFor(kind_.slot));
        return;
    }
    // Records of empty fields give nothing to ask: the same as none.
    if (cursor->holdsText()) entries_ = readWordEntries(kind_, *cursor);
    const int n = static_cast<int>(entries_.size());
    {
        const QSignalBlocker quiet(list_);
        QStringList items;
        items.reserve(n);
        for (const WordEntry &e : entries_)
            items << e.listItem;
        list_->addItems(items);
    }
    count_->setText(wordCountText(kind_, n));
    if (n == 0) {
        noContent(services::ContentStore::noContentText(kind_.table));
        return;
    }
    {
        const QSignalBlocker quiet(list_);
        list_->setCurrentRow(0);
    }
    c_ = 0;
    round_->setMode(orderMode());
    // Right after showing, the label carries no position.
    ask(0, kind_.wrongRule == WordGameKind::WrongRule::AroundCentre ? kind_.firstCentre : 0);
}

void WordGameScreen::chooseFromList(int i) {
    if (i < 0 || i >= static_cast<int>(entries_.size())) return;
    count_->setText(wordCountText(kind_, static_cast<int>(entries_.size()), i));
    c_ = i;
    ask(i, i);
}

void WordGameScreen::select(int i) {
    const QSignalBlocker quiet(list_);
    list_->setCurrentRow(i);
    list_->scrollToItem(list_->item(i));
    count_->setText(wordCountText(kind_, static_cast<int>(entries_.size()), i));
}

void WordGameScreen::ask(int c, int m) {
    const WordEntry &e = entries_[static_cast<std::size_t>(c)];
    if (clueText_) clueText_->setPlainText(e.clue);
    if (clueTile_) clueTile_->setCaption(e.clue);
    if (hint_) hint_->setCaption(e.hint);
    const core::FourChoice choice = drawWordQuestion(ctx_.random, ctx_.globals, kind_, entries_, c, m);
    answers_->showChoice(choice);
    rightSlot_ = choice.rightSlot;
}

void WordGameScreen::answer(int k) {
    list_->setVisible(listChoice_[0]->isChecked());
    ctx_.random.randomize();
    const QString asked = entries_[static_cast<std::size_t>(c_)].answer;
    if (k != rightSlot_) {
        round_->wrong(kind_.screenName, asked, answers_->caption(k));
        ctx_.jieguo().play(core::jieguo::kWrong);
        return;
    }
    round_->right(kind_.screenName, asked);
    ctx_.jieguo().play(core::jieguo::kRight);
    const int n = static_cast<int>(entries_.size());
    const int next = !reviewQueue_.isEmpty()
                         ? reviewQueue_.takeFirst()
                         : nextWordEntry(ctx_.random, n, c_, orderChoice_[0]->isChecked());
    // At the last entry in order there is no next item: the selection and its text stay.
    if (next != c_) select(next);
    c_ = next;
    ask(c_, c_);
}

// The entries missed before, asked first; items no longer in the table are passed over.
void WordGameScreen::review(const QStringList &items) {
    reviewQueue_.clear();
    for (const QString &item : items)
        for (std::size_t i = 0; i < entries_.size(); ++i)
            if (entries_[i].answer == item) {
                reviewQueue_ << static_cast<int>(i);
                break;
            }
    if (reviewQueue_.isEmpty()) return;
    c_ = reviewQueue_.takeFirst();
    select(c_);
    ask(c_, c_);
}

} // namespace hanzi
