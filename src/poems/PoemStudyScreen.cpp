#include "poems/PoemStudyScreen.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "poems/PoemBlock.h"
#include "services/ContentSchema.h"
#include "ui/Backdrop.h"
#include "ui/Fonts.h"
#include "ui/Keyboard.h"
#include "ui/ToneMarksBox.h"

#include <QListWidget>

namespace poems {

namespace {

const QColor kCream(255, 224, 192);
const QColor kPink(255, 214, 224);

// Per record of a poem: tops in twips inside the panel, sizes and colours.
struct LineStyle {
    int pinyinTop;
    double pinyinPt;
    int textTop;
    double textPt;
    QColor color;
};
const LineStyle kStyles[6] = {
    {120, 12, 360, 36, QColor(0, 128, 0)},      // title
    {1080, 12, 1440, 18, QColor(255, 0, 255)},  // author
    {1920, 15, 2280, 39.75, QColor(0, 0, 255)}, // line 1
    {3195, 15, 3600, 39.75, QColor(0, 0, 255)}, // line 2
    {4485, 15, 4920, 39.75, QColor(0, 0, 255)}, // line 3
    {5760, 15, 6120, 39.75, QColor(0, 0, 255)}, // line 4
};

// The least room between the letters of one label and the next one down.
constexpr int kInkGapTw = 60;

// How far down a label's letters reach: the ink of its text from the panel's top, as the label
// draws it centred on one line.
struct Ink {
    int top, bottom;
};
Ink inkOf(const QLabel *l) {
    const QFontMetrics fm(l->font());
    const QRect ink = fm.tightBoundingRect(l->text()); // from the baseline
    const int baseline = l->y() + (l->height() - fm.height()) / 2 + fm.ascent();
    return {baseline + ink.top(), baseline + ink.bottom()};
}

} // namespace

PoemStudyScreen::PoemStudyScreen(app::AppContext &ctx)
    : ui::Screen(screens::kPoemStudy, QStringLiteral("唐诗学习"), 12000, 8400), ctx_(ctx) {
    new ui::Backdrop(ui::Backdrop::Scene::Sky, this);

    auto *title = ui::makeLabel(QStringLiteral("Label3"), QStringLiteral("唐诗学习"), this,
                                ui::twRect(120, 120, 8400, 600), 24, QColor(255, 0, 0), true);
    title->setAlignment(Qt::AlignCenter);

    panel_ = ui::makePanel(QStringLiteral("Picture4"), this, ui::twRect(120, 840, 8400, 7440), kCream);
    for (int i = 0; i < 6; ++i) {
        pinyin_[i] = ui::makeLabel(QStringLiteral("Label5(%1)").arg(i), QString(), panel_, QRect(),
                                   kStyles[i].pinyinPt, Qt::black, true);
        lines_[i] = ui::makeLabel(QStringLiteral("Label1(%1)").arg(i), QString(), panel_, QRect(),
                                  kStyles[i].textPt, kStyles[i].color, true);
        // The text labels carry the panel's own cream, so they are drawn see-through: a line
        // label's box may reach into the pinyin above it without hiding any of its letters.
        pinyin_[i]->raise();
        for (QLabel *l : {pinyin_[i], lines_[i]}) {
            l->setAlignment(Qt::AlignCenter);
            l->hide();
        }
    }

    // Above the list, beside the title: tone marks on request, for the poem on show at once.
    toneMarks_ = new ui::ToneMarksBox(this, 12);
    toneMarks_->setGeometry(ui::twRect(8820, 300, 2940, 420));
    connect(toneMarks_, &QCheckBox::toggled, this, [this] {
        if (ctx_.globals.currentPoem < 0) return;
        for (int i = 0; i < PoemBlock::kRecords; ++i)
            showPinyin(i);
    });

    auto *choose = ui::makePanel(QStringLiteral("Picture2"), this, ui::twRect(8700, 840, 3180, 5400), kPink);
    auto *prompt = ui::makeLabel(QStringLiteral("Label4"), QStringLiteral("选择唐诗"), choose,
                                 ui::twRect(0, 60, 3180, 420), 15, QColor(255, 0, 0));
    prompt->setAlignment(Qt::AlignCenter);
    list_ = new QListWidget(choose);
    list_->setObjectName(QStringLiteral("List1"));
    list_->setGeometry(ui::twRect(120, 540, 2940, 4260));
    list_->setFont(ui::simSun(12));
    count_ = ui::makeLabel(QStringLiteral("Label2"), QString(), choose, ui::twRect(0, 4860, 3180, 420), 12,
                           QColor(0, 0, 255));
    count_->setAlignment(Qt::AlignCenter);

    auto *buttons = ui::makePanel(QStringLiteral("Picture3"), this, ui::twRect(8700, 6360, 3180, 1920));
    auto button = [&](const char *name, const QString &caption, int top) {
        auto *b = new ui::FlatButton(QString::fromLatin1(name), caption, buttons, 12);
        b->setGeometry(ui::twRect(120, top, 2940, 540));
        return b;
    };
    prev_ = button("Button2", QStringLiteral("上一首"), 0);
    next_ = button("Button1", QStringLiteral("下一首"), 660);
    auto *back = button("Button3", QStringLiteral("返 回"), 1320);
    next_->setEnabled(false);

    connect(list_, &QListWidget::currentRowChanged, this, &PoemStudyScreen::showPoem);
    connect(next_, &QPushButton::clicked, this, [this] {
        const int k = ctx_.globals.currentPoem;
        if (k >= 0 && k + 1 < list_->count()) list_->setCurrentRow(k + 1);
    });
    // Before any choice, or on the first poem, there is nothing before: the screen stays.
    connect(prev_, &QPushButton::clicked, this, [this] {
        const int k = ctx_.globals.currentPoem;
        if (k >= 1 && k - 1 < list_->count()) list_->setCurrentRow(k - 1);
    });
    connect(back, &QPushButton::clicked, this, [this] { ctx_.navigator().returnToMain(); });
    ui::markBack(back);
    list_->setAccessibleName(QStringLiteral("选择唐诗"));

    ctx_.globals.currentPoem = -1;
}

void PoemStudyScreen::showEvent(QShowEvent *e) {
    ui::Screen::showEvent(e);
    fillList();
}

void PoemStudyScreen::fillList() {
    // Once per showing: coming back to the window does not add the titles again.
    if (filled_) return;
    filled_ = true;
    services::TableCursor *cursor = ctx_.store().Data(services::kPoems);
    // No table, or one that holds nothing: the reason goes where the count would. It is longer
    // than a count: it is shrunk to fit, not clipped.
    if (const QString why = ctx_.store().contentProblemFor(services::kPoems); !cursor || !why.isEmpty()) {
        count_->setFont(ui::fittedFont(count_->font(), why, count_->size()));
        count_->setText(why);
        return;
    }
    const QStringList titles = PoemBlock::titles(*cursor);
    count_->setText(QStringLiteral("共有%1首唐诗").arg(titles.size()));
    const QSignalBlocker quiet(list_);
    list_->addItems(titles);
    list_->setCurrentRow(-1);
}

void PoemStudyScreen::layoutLine(int i) {
    const int width = panel_->width();
    // Each label sits at its place unless its letters would meet those above it (a large title
    // reaches down to its author's pinyin): then it moves down just enough. The records are laid
    // out from the top, so the one above is in place already.
    const int gap = ui::twips(kInkGapTw);
    int floor = i > 0 ? inkOf(lines_[i - 1]).bottom + gap : 0;
    for (QLabel *l : {pinyin_[i], lines_[i]}) {
        const double pt = l == pinyin_[i] ? kStyles[i].pinyinPt : kStyles[i].textPt;
        const QFont f = ui::fittedFont(ui::simSun(pt, true), l->text(), QSize(width - 16, 1000));
        l->setFont(f);
        const QFontMetrics fm(f);
        const int w = std::min(width - 8, fm.horizontalAdvance(l->text()) + 12);
        const int top = ui::twips(l == pinyin_[i] ? kStyles[i].pinyinTop : kStyles[i].textTop);
        l->setGeometry((width - w) / 2, top, w, fm.height() + 2);
        if (const int overlap = floor - inkOf(l).top; overlap > 0) l->move(l->x(), top + overlap);
        floor = inkOf(l).bottom + gap;
    }
}

// The pinyin of a line over it: ü as ü where a child reads it, tone marks when asked for.
void PoemStudyScreen::showPinyin(int i) {
    using Form = services::PinyinLookup::Form;
    pinyin_[i]->setText(
        ctx_.pinyin().GetPinYin(lines_[i]->text(), toneMarks_->isChecked() ? Form::Toned : Form::Display));
    layoutLine(i);
}

void PoemStudyScreen::showPoem(int k) {
    services::TableCursor *cursor = ctx_.store().Data(services::kPoems);
    if (k < 0 || !cursor) return;
    const std::optional<PoemBlock> poem = PoemBlock::read(*cursor, k);
    if (!poem) return;
    for (int i = 0; i < PoemBlock::kRecords; ++i) {
        lines_[i]->setText(poem->records[i]);
        showPinyin(i);
        lines_[i]->show();
        pinyin_[i]->show();
    }
    next_->setEnabled(true);
    ctx_.globals.currentPoem = k;
    list_->setToolTip(poem->title());
}

} // namespace poems
