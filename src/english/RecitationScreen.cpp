#include "english/RecitationScreen.h"

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

#include <QKeyEvent>
#include <QPainter>
#include <QRadioButton>
#include <QShortcut>

namespace english {

namespace {
const QColor kBlue(0, 0, 200);
const QColor kCard(255, 252, 235);

// The mark beside the right meaning: a green disc with a white tick.
QPixmap rightMark(int size, qreal dpr) {
    // At the screen's resolution, so a scaled window shows it sharp.
    QPixmap pm(QSize(size, size) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(46, 160, 67));
    p.setPen(Qt::NoPen);
    p.drawEllipse(1, 1, size - 2, size - 2);
    p.setPen(QPen(Qt::white, size / 9.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(size * 0.27, size * 0.52), QPointF(size * 0.44, size * 0.70),
                              QPointF(size * 0.75, size * 0.32)}));
    return pm;
}
} // namespace

KeyArea::KeyArea(const QString &name, QWidget *parent) : QWidget(parent) {
    setObjectName(name);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(235, 245, 255));
    setPalette(p);
}

void KeyArea::keyPressEvent(QKeyEvent *e) {
    const QString t = e->text();
    if (t.isEmpty()) {
        QWidget::keyPressEvent(e);
        return;
    }
    emit keyCode(t.at(0).unicode());
}

RecitationScreen::RecitationScreen(app::AppContext &ctx)
    : WordScreen(ctx, screens::kRecitation, QStringLiteral("背单词"), 12000, 9000) {
    new ui::Backdrop(ui::Backdrop::Scene::Sky, this, QStringLiteral("Picture0"));

    button5_ = titleTile();
    picture2_ = ui::makePanel(QStringLiteral("Picture2"), this, ui::twRect(480, 1080, 11040, 1680), kCard);
    button4_ = new ui::FlatButton(QStringLiteral("Button4"), QString(), this, 40, true);
    button4_->setGeometry(ui::twRect(720, 1200, 10560, 1440));

    picture1_ = ui::makePanel(QStringLiteral("Picture1"), this, ui::twRect(480, 2820, 11040, 480), kCard);
    label1_ = ui::makeLabel(QStringLiteral("Label1"), QString(), this, ui::twRect(600, 2850, 5400, 420), 12,
                            kBlue, true);
    label4_ = ui::makeLabel(QStringLiteral("Label4"), QString(), this, ui::twRect(6120, 2850, 2880, 420), 12,
                            kBlue, true);
    label5_ = ui::makeLabel(QStringLiteral("Label5"), QString(), this, ui::twRect(9120, 2850, 2280, 420), 12,
                            QColor(0, 140, 0), true);

    picture3_ = new KeyArea(QStringLiteral("Picture3"), this);
    picture3_->setGeometry(ui::twRect(480, 3360, 11040, 2880));
    std::vector<QRect> places;
    for (int i = 0; i < 4; ++i) {
        ui::makeLabel(QStringLiteral("Label3(%1)").arg(i), QStringLiteral("%1:").arg(i + 1), picture3_,
                      ui::twRect(240, 120 + i * 690, 600, 600), 16, QColor(200, 0, 0), true);
        if (i < 3) places.push_back(ui::twRect(840, 120 + i * 690, 8880, 600));
    }
    choices_ = new ui::AnswerButtons(picture3_, QStringLiteral("Button1"), places, 18, 0);
    // A wrong meaning chosen by key is silent, by a click it is not: the screen reads 1 to 3 itself.
    choices_->setNumberKeys(false);
    picture3_->setAccessibleName(QStringLiteral("选择意思，按1、2、3"));
    const QPixmap mark = rightMark(ui::twips(540), devicePixelRatioF());
    for (int i = 0; i < 3; ++i) {
        choices_->button(i)->setFocusPolicy(Qt::NoFocus); // answered by a click or by 1 to 3
        image1_[std::size_t(i)] = new QLabel(picture3_);
        image1_[std::size_t(i)]->setObjectName(QStringLiteral("Image1(%1)").arg(i));
        image1_[std::size_t(i)]->setGeometry(ui::twRect(9900, 150 + i * 690, 540, 540));
        image1_[std::size_t(i)]->setPixmap(mark);
        image1_[std::size_t(i)]->setAccessibleName(QStringLiteral("正确答案"));
    }
    button8_ =
        new ui::FlatButton(QStringLiteral("Button8"), QStringLiteral("想不起来了，忘了？？"), picture3_, 15);
    button8_->setGeometry(ui::twRect(840, 120 + 3 * 690, 8880, 600));
    // Tab reaches it; a click leaves the keys with the picture area.
    button8_->setFocusPolicy(Qt::TabFocus);

    progress1_ = ui::makeProgress(QStringLiteral("Progress1"), this, ui::twRect(480, 6360, 11040, 300));
    progress2_ = ui::makeProgress(QStringLiteral("Progress2"), this, ui::twRect(480, 6780, 11040, 300));
    progress2_->setTextVisible(true);
    progress2_->setAlignment(Qt::AlignCenter);
    progress1_->setAccessibleName(QStringLiteral("答题时间"));
    progress2_->setAccessibleName(QStringLiteral("正确率"));

    auto *picture4 = ui::makePanel(QStringLiteral("Picture4"), this, ui::twRect(480, 7260, 11040, 540),
                                   QColor(225, 240, 255));
    option1_ = readAloudOptions(picture4);

    button3_ = bottomButton("Button3", QStringLiteral("开始"), 480);
    button6_ = bottomButton("Button6", QStringLiteral("暂停"), 3300);
    repeat_ = bottomButton("Button7", QStringLiteral("再听"), 6120);
    auto *leave = bottomButton("Button2", QStringLiteral("不学了"), 8940);

    timer1_ = new ui::Timer(QStringLiteral("Timer1"), 1, this);
    timer2_ = new ui::Timer(QStringLiteral("Timer2"), 8000, this);
    timer3_ = new ui::Timer(QStringLiteral("Timer3"), 60, this);

    connect(button3_, &QPushButton::clicked, this, &RecitationScreen::start);
    connect(timer1_, &ui::Timer::tick, this, &RecitationScreen::nextWord);
    connect(timer3_, &ui::Timer::tick, this, &RecitationScreen::fillTick);
    connect(timer2_, &ui::Timer::tick, this, &RecitationScreen::reveal);
    connect(choices_, &ui::AnswerButtons::chosen, this, [this](int i) { answer(i, false); });
    connect(picture3_, &KeyArea::keyCode, this, [this](int k) { answer(k - 49, true); });
    // The keys 1 to 3 answer wherever the focus is on the screen: a child on 暂停 or 再听 stays
    // there, and Enter presses that button and nothing else.
    for (int i = 0; i < 3; ++i) {
        const auto digit = Qt::Key(Qt::Key_1 + i);
        auto *key = new QShortcut(this);
        key->setKeys({QKeySequence(digit), QKeySequence(QKeyCombination(Qt::KeypadModifier, digit))});
        key->setObjectName(QStringLiteral("key%1").arg(i + 1));
        connect(key, &QShortcut::activated, this, [this, i] { answer(i, true); });
    }
    connect(button8_, &QPushButton::clicked, this, &RecitationScreen::giveUp);
    connect(button6_, &QPushButton::clicked, this, &RecitationScreen::togglePause);
    connect(repeat_, &QPushButton::clicked, this, [this] { ctx_.voice().speak(ctx_.globals.spokenWord); });
    connect(leave, &QPushButton::clicked, this, [this] {
        for (ui::Timer *t : {timer1_, timer2_, timer3_})
            t->setEnabled(false);
        ctx_.navigator().leave(); // put away, the screen stops the voice
    });
    ui::markBack(leave);

    // Load.
    label5_->clear();
    button4_->setCaption(QString());
    label4_->clear();
    progress1_->hide();
    progress2_->hide();
    label1_->hide();
    option1_[0]->setChecked(true);
    button6_->setEnabled(false);
    // The word last spoken belongs to another screen or visit: nothing to hear again yet.
    repeat_->setEnabled(false);
    for (int i = 0; i < 3; ++i) {
        image1_[std::size_t(i)]->hide();
        choices_->setCaption(i, QString());
        choices_->button(i)->hide();
    }
    button8_->hide();
    picture1_->hide();
    picture2_->hide();
    button5_->setCaption(ctx_.globals.bookTitle);
    pace_ = pace(ctx_.globals.readingPace);
    timer3_->setInterval(pace_.fillMs);
    timer2_->setInterval(pace_.revealMs);
    button3_->setEnabled(true);
}

void RecitationScreen::start() {
    core::Globals &g = ctx_.globals;
    button3_->setEnabled(false);
    picture1_->show();
    picture2_->show();
    button4_->setCaption(QStringLiteral("请稍候 * * *"));
    button6_->setEnabled(true);
    // Without the book there is nothing to choose from: its problem stays on the word's card.
    if (!openChosenBook(button4_, button6_)) return;
    progress1_->show();
    progress2_->show();
    // On show from here on; they take answers from the first word.
    for (int i = 0; i < 3; ++i)
        choices_->button(i)->show();
    choices_->setAllEnabled(false);
    button8_->show();
    button8_->setEnabled(false);
    g.learnedCount = 0;
    g.rightWordCount = 0;
    if (const auto w = currentWord(*g.bookCursor))
        label1_->setText(QStringLiteral("词汇量:%1   总第%2个").arg(g.bookWordCount).arg(w->number));
    timer1_->setEnabled(true);
    label1_->show();
}

void RecitationScreen::nextWord() {
    core::Globals &g = ctx_.globals;
    ctx_.random.randomize();
    progress1_->setValue(0);
    timer3_->setEnabled(true);
    timer1_->setEnabled(false);
    if (!g.bookCursor) return;
    stepInGroup(*g.bookCursor, g.groupStart, g.groupCounter);
    const auto w = currentWord(*g.bookCursor);
    if (!w) return; // the group has no record left (emptied since it was chosen)
    const int asked = g.bookCursor->AbsolutePosition();

    for (int i = 0; i < 3; ++i) {
        choices_->setEnabled(i, true);
        choices_->setCaption(i, QString());
        image1_[std::size_t(i)]->hide();
    }
    button8_->setEnabled(true);
    timer2_->setEnabled(false);
    timer2_->setInterval(pace_.revealMs);

    button4_->setCaption(w->word);
    g.spokenWord = w->word;
    repeat_->setEnabled(true);
    if (option1_[0]->isChecked()) {
        ctx_.voice().stop();
        ctx_.voice().speak(g.spokenWord);
    }
    const ChoiceOrder order = choiceOrder(ctx_.random.rnd());
    g.rightButton = order.right;
    g.otherButton1 = order.other1;
    g.otherButton2 = order.other2;
    ++g.learnedCount;
    label4_->setText(QStringLiteral("学习了第%1个").arg(g.learnedCount));
    choices_->setCaption(g.rightButton, w->meaning);
    const std::vector<int> others = otherMeanings(ctx_.random, *g.bookCursor, asked);
    const int otherButtons[2] = {g.otherButton1, g.otherButton2};
    for (int k = 0; k < 2; ++k) {
        if (k < int(others.size())) {
            choices_->setCaption(
                otherButtons[k],
                g.bookCursor->records()[std::size_t(others[std::size_t(k)])].value(2).trimmed());
        } else {
            // A book with too few meanings: the button has nothing to offer.
            choices_->setEnabled(otherButtons[k], false);
        }
    }
    timer2_->setEnabled(true);
    label1_->setText(QStringLiteral("词汇量:%1   总第%2个").arg(g.bookWordCount).arg(w->number));
    showPercent();
    open_ = true;
}

void RecitationScreen::fillTick() {
    if (progress1_->value() < 100) {
        progress1_->setValue(std::min(100, progress1_->value() + ctx_.globals.paceStep));
    } else {
        timer3_->setEnabled(false);
        timer1_->setEnabled(true);
    }
}

void RecitationScreen::reveal() {
    timer2_->setInterval(pace_.revealMs); // a resumed word's first reveal came sooner; then the pace
    showMark(ctx_.globals.rightButton);
    choices_->setAllEnabled(false);
    open_ = false;
}

void RecitationScreen::showMark(int i) {
    if (i >= 0 && i < 3) image1_[std::size_t(i)]->show();
}

void RecitationScreen::closeChoices() {
    choices_->setAllEnabled(false);
    button8_->setEnabled(false);
    open_ = false;
}

void RecitationScreen::answer(int choice, bool byKey) {
    // A key counts once, while the word is still open: a second key press cannot add to the score.
    // Paused, the answers wait for "继续".
    if (!open_ || paused_) return;
    core::Globals &g = ctx_.globals;
    closeChoices();
    if (choice == g.rightButton) {
        ++g.rightWordCount;
        showMark(choice);
        label5_->setText(QStringLiteral("正确%1个").arg(g.rightWordCount));
        timer1_->setEnabled(true);
    } else {
        if (!byKey) ctx_.jieguo().play(core::jieguo::kWrong);
        showMark(g.rightButton);
    }
    showPercent();
}

void RecitationScreen::giveUp() {
    // Shown the answer, the child has not known the word: it is not counted as right.
    ctx_.jieguo().play(core::jieguo::kMatch);
    showMark(ctx_.globals.rightButton);
    closeChoices();
}

void RecitationScreen::togglePause() {
    if (paused_)
        resume();
    else
        pause();
}

// Everything stands still: no timer moves the word on or reveals it, and the answers are off.
void RecitationScreen::pause() {
    Held held{.nextDue = timer1_->isEnabled(),
              .reveal = timer2_->isEnabled(),
              .fill = timer3_->isEnabled(),
              .choices = {},
              .giveUp = button8_->isEnabled()};
    for (int i = 0; i < 3; ++i)
        held.choices[std::size_t(i)] = choices_->button(i)->isEnabled();
    paused_ = held;
    button6_->setCaption(QStringLiteral("继续"));
    for (ui::Timer *t : {timer1_, timer2_, timer3_})
        t->setEnabled(false);
    choices_->setAllEnabled(false);
    button8_->setEnabled(false);
}

// On from where it stood: the same word, the bar where it was, the reveal as far off as it was.
void RecitationScreen::resume() {
    const Held held = *paused_;
    paused_.reset();
    button6_->setCaption(QStringLiteral("暂停"));
    for (int i = 0; i < 3; ++i)
        choices_->setEnabled(i, held.choices[std::size_t(i)]);
    button8_->setEnabled(held.giveUp);
    if (held.reveal) {
        // The bar tells how long the word has been on show; the reveal keeps its repeat.
        const int shownMs = progress1_->value() / std::max(1, ctx_.globals.paceStep) * pace_.fillMs;
        timer2_->setInterval(pace_.revealMs - shownMs % pace_.revealMs);
        timer2_->setEnabled(true);
    }
    timer3_->setEnabled(held.fill);
    timer1_->setEnabled(held.nextDue);
}

void RecitationScreen::showPercent() {
    progress2_->setValue(percentRight(ctx_.globals.rightWordCount, ctx_.globals.learnedCount));
}

} // namespace english
