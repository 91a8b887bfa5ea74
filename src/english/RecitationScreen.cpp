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

RecitationScreen::RecitationScreen(app::AppContext &ctx, const BookChoice &choice)
    : WordScreen(ctx, choice, screens::kRecitation, QStringLiteral("背单词"), 12000, 9000) {
    build();
    wire();
    load();
}

void RecitationScreen::build() {
    new ui::Backdrop(ui::Backdrop::Scene::Sky, this, QStringLiteral("Picture0"));

    heading_ = titleTile();
    wordCard_ = ui::makePanel(QStringLiteral("Picture2"), this, ui::twRect(480, 1080, 11040, 1680), kCard);
    word_ = new ui::FlatButton(QStringLiteral("Button4"), QString(), this, 40, true);
    word_->setGeometry(ui::twRect(720, 1200, 10560, 1440));

    statusStrip_ = ui::makePanel(QStringLiteral("Picture1"), this, ui::twRect(480, 2820, 11040, 480), kCard);
    position_ = ui::makeLabel(QStringLiteral("Label1"), QString(), this, ui::twRect(600, 2850, 5400, 420), 12,
                              kBlue, true);
    learnedLabel_ = ui::makeLabel(QStringLiteral("Label4"), QString(), this,
                                  ui::twRect(6120, 2850, 2880, 420), 12, kBlue, true);
    rightLabel_ = ui::makeLabel(QStringLiteral("Label5"), QString(), this, ui::twRect(9120, 2850, 2280, 420),
                                12, QColor(0, 140, 0), true);

    keyArea_ = new KeyArea(QStringLiteral("Picture3"), this);
    keyArea_->setGeometry(ui::twRect(480, 3360, 11040, 2880));
    std::vector<QRect> places;
    for (int i = 0; i < 4; ++i) {
        ui::makeLabel(QStringLiteral("Label3(%1)").arg(i), QStringLiteral("%1:").arg(i + 1), keyArea_,
                      ui::twRect(240, 120 + i * 690, 600, 600), 16, QColor(200, 0, 0), true);
        if (i < 3) places.push_back(ui::twRect(840, 120 + i * 690, 8880, 600));
    }
    choices_ = new ui::AnswerButtons(keyArea_, QStringLiteral("Button1"), places, 18, 0);
    const QPixmap mark = rightMark(ui::twips(540), devicePixelRatioF());
    for (int i = 0; i < 3; ++i) {
        marks_[std::size_t(i)] = new QLabel(keyArea_);
        marks_[std::size_t(i)]->setObjectName(QStringLiteral("Image1(%1)").arg(i));
        marks_[std::size_t(i)]->setGeometry(ui::twRect(9900, 150 + i * 690, 540, 540));
        marks_[std::size_t(i)]->setPixmap(mark);
    }
    giveUp_ =
        new ui::FlatButton(QStringLiteral("Button8"), QStringLiteral("想不起来了，忘了？？"), keyArea_, 15);
    giveUp_->setGeometry(ui::twRect(840, 120 + 3 * 690, 8880, 600));

    timeBar_ = ui::makeProgress(QStringLiteral("Progress1"), this, ui::twRect(480, 6360, 11040, 300));
    percentBar_ = ui::makeProgress(QStringLiteral("Progress2"), this, ui::twRect(480, 6780, 11040, 300));
    percentBar_->setTextVisible(true);
    percentBar_->setAlignment(Qt::AlignCenter);

    auto *picture4 = ui::makePanel(QStringLiteral("Picture4"), this, ui::twRect(480, 7260, 11040, 540),
                                   QColor(225, 240, 255));
    readAloud_ = readAloudOptions(picture4);
    makeReviewButton(picture4);

    start_ = bottomButton("Button3", QStringLiteral("开始"), 480);
    pause_ = bottomButton("Button6", QStringLiteral("暂停"), 3300);
    repeat_ = bottomButton("Button7", QStringLiteral("再听"), 6120);
    leave_ = bottomButton("Button2", QStringLiteral("不学了"), 8940);

    nextTimer_ = new ui::Timer(QStringLiteral("Timer1"), 1, this);
    revealTimer_ = new ui::Timer(QStringLiteral("Timer2"), 8000, this);
    paceTimer_ = new ui::Timer(QStringLiteral("Timer3"), 60, this);
}

void RecitationScreen::wire() {
    // A wrong meaning chosen by key is silent, by a click it is not: the screen reads 1 to 3 itself.
    choices_->setNumberKeys(false);
    keyArea_->setAccessibleName(QStringLiteral("选择意思，按1、2、3"));
    for (int i = 0; i < 3; ++i) {
        choices_->button(i)->setFocusPolicy(Qt::NoFocus); // answered by a click or by 1 to 3
        marks_[std::size_t(i)]->setAccessibleName(QStringLiteral("正确答案"));
    }
    // Tab reaches it; a click leaves the keys with the picture area.
    giveUp_->setFocusPolicy(Qt::TabFocus);
    timeBar_->setAccessibleName(QStringLiteral("答题时间"));
    percentBar_->setAccessibleName(QStringLiteral("正确率"));

    connect(start_, &QPushButton::clicked, this, &RecitationScreen::start);
    connect(nextTimer_, &ui::Timer::tick, this, &RecitationScreen::nextWord);
    connect(paceTimer_, &ui::Timer::tick, this, &RecitationScreen::fillTick);
    connect(revealTimer_, &ui::Timer::tick, this, &RecitationScreen::reveal);
    connect(choices_, &ui::AnswerButtons::chosen, this, [this](int i) { answer(i, false); });
    connect(keyArea_, &KeyArea::keyCode, this, [this](int k) { answer(k - 49, true); });
    // The keys 1 to 3 answer wherever the focus is on the screen: a child on 暂停 or 再听 stays
    // there, and Enter presses that button and nothing else.
    for (int i = 0; i < 3; ++i) {
        const auto digit = Qt::Key(Qt::Key_1 + i);
        auto *key = new QShortcut(this);
        key->setKeys({QKeySequence(digit), QKeySequence(QKeyCombination(Qt::KeypadModifier, digit))});
        key->setObjectName(QStringLiteral("key%1").arg(i + 1));
        connect(key, &QShortcut::activated, this, [this, i] { answer(i, true); });
    }
    connect(giveUp_, &QPushButton::clicked, this, &RecitationScreen::giveUp);
    connect(pause_, &QPushButton::clicked, this, &RecitationScreen::togglePause);
    connect(repeat_, &QPushButton::clicked, this, [this] { ctx_.voice().speak(spokenWord_); });
    connect(leave_, &QPushButton::clicked, this, [this] {
        for (ui::Timer *t : {nextTimer_, revealTimer_, paceTimer_})
            t->setEnabled(false);
        ctx_.navigator().leave(); // put away, the screen stops the voice
    });
    ui::markBack(leave_);
}

void RecitationScreen::load() {
    rightLabel_->clear();
    word_->setCaption(QString());
    learnedLabel_->clear();
    timeBar_->hide();
    percentBar_->hide();
    position_->hide();
    readAloud_[0]->setChecked(true);
    pause_->setEnabled(false);
    // Nothing to hear again until this screen has said a word.
    repeat_->setEnabled(false);
    for (int i = 0; i < 3; ++i) {
        marks_[std::size_t(i)]->hide();
        choices_->setCaption(i, QString());
        choices_->button(i)->hide();
    }
    giveUp_->hide();
    statusStrip_->hide();
    wordCard_->hide();
    showChoice();
    start_->setEnabled(true);
}

void RecitationScreen::showChoice() {
    heading_->setCaption(choice_.title);
    pace_ = pace(choice_.readingPace);
    paceTimer_->setInterval(pace_.fillMs);
    revealTimer_->setInterval(pace_.revealMs);
}

void RecitationScreen::start() {
    start_->setEnabled(false);
    statusStrip_->show();
    wordCard_->show();
    word_->setCaption(QStringLiteral("请稍候 * * *"));
    pause_->setEnabled(true);
    // Without the book there is nothing to choose from: its problem stays on the word's card.
    if (!openChosenBook(word_, pause_)) return;
    timeBar_->show();
    percentBar_->show();
    // On show from here on; they take answers from the first word.
    for (int i = 0; i < 3; ++i)
        choices_->button(i)->show();
    choices_->setAllEnabled(false);
    giveUp_->show();
    giveUp_->setEnabled(false);
    learnedCount_ = 0;
    rightCount_ = 0;
    round_->begin(groupMode());
    if (const auto w = currentWord(*cursor_))
        position_->setText(QStringLiteral("词汇量:%1   总第%2个").arg(wordCount_).arg(w->number));
    nextTimer_->setEnabled(true);
    position_->show();
}

void RecitationScreen::nextWord() {
    ctx_.random.randomize();
    timeBar_->setValue(0);
    paceTimer_->setEnabled(true);
    nextTimer_->setEnabled(false);
    if (!cursor_) return;
    stepOnOrReview();
    const auto w = currentWord(*cursor_);
    if (!w) return; // the group has no record left (emptied since it was chosen)
    const int asked = cursor_->AbsolutePosition();

    for (int i = 0; i < 3; ++i) {
        choices_->setEnabled(i, true);
        choices_->setCaption(i, QString());
        marks_[std::size_t(i)]->hide();
    }
    giveUp_->setEnabled(true);
    revealTimer_->setEnabled(false);
    revealTimer_->setInterval(pace_.revealMs);

    word_->setCaption(w->word);
    spokenWord_ = w->word;
    repeat_->setEnabled(true);
    if (readAloud_[0]->isChecked()) {
        ctx_.voice().stop();
        ctx_.voice().speak(spokenWord_);
    }
    order_ = choiceOrder(ctx_.random.rnd());
    ++learnedCount_;
    learnedLabel_->setText(QStringLiteral("学习了第%1个").arg(learnedCount_));
    choices_->setCaption(order_.right, w->meaning);
    const std::vector<int> others = otherMeanings(ctx_.random, *cursor_, asked);
    const int otherButtons[2] = {order_.other1, order_.other2};
    for (int k = 0; k < 2; ++k) {
        if (k < int(others.size())) {
            choices_->setCaption(otherButtons[k],
                                 cursor_->records()[std::size_t(others[std::size_t(k)])].value(2).trimmed());
        } else {
            // A book with too few meanings: the button has nothing to offer.
            choices_->setEnabled(otherButtons[k], false);
        }
    }
    revealTimer_->setEnabled(true);
    position_->setText(QStringLiteral("词汇量:%1   总第%2个").arg(wordCount_).arg(w->number));
    showPercent();
    open_ = true;
}

void RecitationScreen::fillTick() {
    if (timeBar_->value() < 100) {
        timeBar_->setValue(std::min(100, timeBar_->value() + pace_.step));
    } else {
        paceTimer_->setEnabled(false);
        nextTimer_->setEnabled(true);
    }
}

void RecitationScreen::reveal() {
    revealTimer_->setInterval(pace_.revealMs); // a resumed word's first reveal came sooner; then the pace
    showMark(order_.right);
    choices_->setAllEnabled(false);
    open_ = false;
}

void RecitationScreen::showMark(int i) {
    if (i >= 0 && i < 3) marks_[std::size_t(i)]->show();
}

void RecitationScreen::closeChoices() {
    choices_->setAllEnabled(false);
    giveUp_->setEnabled(false);
    open_ = false;
}

void RecitationScreen::answer(int choice, bool byKey) {
    // A key counts once, while the word is still open: a second key press cannot add to the score.
    // Paused, the answers wait for "继续".
    if (!open_ || paused_) return;
    closeChoices();
    if (choice == order_.right)
        round_->right(app::kEnglishWordList, spokenWord_);
    else
        round_->wrong(app::kEnglishWordList, spokenWord_,
                      choice >= 0 && choice < 3 ? choices_->caption(choice) : QString(QChar(choice + '1')));
    if (choice == order_.right) {
        ++rightCount_;
        showMark(choice);
        rightLabel_->setText(QStringLiteral("正确%1个").arg(rightCount_));
        nextTimer_->setEnabled(true);
    } else {
        if (!byKey) ctx_.jieguo().play(core::jieguo::kWrong);
        showMark(order_.right);
    }
    showPercent();
}

void RecitationScreen::giveUp() {
    // Shown the answer, the child has not known the word: it is not counted as right.
    ctx_.jieguo().play(core::jieguo::kMatch);
    round_->wrong(app::kEnglishWordList, spokenWord_, giveUp_->caption());
    showMark(order_.right);
    closeChoices();
}

// Before "开始" the review starts the group with the words missed before; after it, they come next.
void RecitationScreen::review() {
    if (start_->isEnabled()) start();
}

void RecitationScreen::togglePause() {
    if (paused_)
        resume();
    else
        pause();
}

// Everything stands still: no timer moves the word on or reveals it, and the answers are off.
void RecitationScreen::pause() {
    Held held{.nextDue = nextTimer_->isEnabled(),
              .reveal = revealTimer_->isEnabled(),
              .fill = paceTimer_->isEnabled(),
              .choices = {},
              .giveUp = giveUp_->isEnabled()};
    for (int i = 0; i < 3; ++i)
        held.choices[std::size_t(i)] = choices_->button(i)->isEnabled();
    paused_ = held;
    pause_->setCaption(QStringLiteral("继续"));
    for (ui::Timer *t : {nextTimer_, revealTimer_, paceTimer_})
        t->setEnabled(false);
    choices_->setAllEnabled(false);
    giveUp_->setEnabled(false);
}

// On from where it stood: the same word, the bar where it was, the reveal as far off as it was.
void RecitationScreen::resume() {
    const Held held = *paused_;
    paused_.reset();
    pause_->setCaption(QStringLiteral("暂停"));
    for (int i = 0; i < 3; ++i)
        choices_->setEnabled(i, held.choices[std::size_t(i)]);
    giveUp_->setEnabled(held.giveUp);
    if (held.reveal) {
        // The bar tells how long the word has been on show; the reveal keeps its repeat.
        const int shownMs = timeBar_->value() / std::max(1, pace_.step) * pace_.fillMs;
        revealTimer_->setInterval(pace_.revealMs - shownMs % pace_.revealMs);
        revealTimer_->setEnabled(true);
    }
    paceTimer_->setEnabled(held.fill);
    nextTimer_->setEnabled(held.nextDue);
}

void RecitationScreen::showPercent() {
    percentBar_->setValue(percentRight(rightCount_, learnedCount_));
}

} // namespace english
