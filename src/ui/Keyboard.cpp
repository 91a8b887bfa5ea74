#include "ui/Keyboard.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QShortcut>
#include <QTimer>
#include <algorithm>
#include <climits>

namespace ui {

namespace {

const char *const kBack = "lumiboBack";
const char *const kKeyboard = "lumiboKeyboard";
const QString kRingName = QStringLiteral("focusRing");

// A window's focus ring: drawn over the window just around its focused control, whatever kind of
// control that is (the styles' own focus marks are too faint for a child to find).
class FocusRing : public QWidget {
  public:
    static constexpr int kOutside = 4;

    explicit FocusRing(QWidget *window) : QWidget(window) {
        setObjectName(kRingName);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
        connect(qApp, &QApplication::focusChanged, this, [this] { follow(); });
    }

    void follow() {
        QWidget *w = QApplication::focusWidget();
        if (target_ != w) {
            if (target_) target_->removeEventFilter(this);
            target_ = w;
            if (w) w->installEventFilter(this);
        }
        QWidget *win = window();
        if (!w || w == win || w->window() != win || !w->isVisible() || !focusCuesShown()) {
            hide();
            return;
        }
        const QRect around(w->mapTo(win, QPoint(0, 0)), w->size());
        setGeometry(around.adjusted(-kOutside, -kOutside, kOutside, kOutside));
        raise();
        show();
        update();
    }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched == target_) switch (event->type()) {
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Show:
            case QEvent::Hide:
                follow();
                break;
            default:
                break;
            }
        return QWidget::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(focusRingColor(), kOutside));
        p.setBrush(Qt::NoBrush);
        const double half = kOutside / 2.0;
        p.drawRoundedRect(QRectF(rect()).adjusted(half, half, -half, -half), 12, 12);
    }

  private:
    QPointer<QWidget> target_;
};

// Focus cues follow the last kind of input: a key shows them, a mouse press hides them.
class FocusCues : public QObject {
  public:
    using QObject::QObject;
    bool shown = false;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride: // a key taken by a shortcut never arrives as a key press
            show(true);
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            show(false);
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    void show(bool on) {
        if (on == shown) return;
        shown = on;
        if (QWidget *w = QApplication::focusWidget())
            if (auto *ring = w->window()->findChild<FocusRing *>(kRingName, Qt::FindDirectChildrenOnly))
                ring->follow();
    }
};

FocusCues *cues = nullptr;

// A button that turns itself off (开始 once the drill runs) would pass the focus on to the next
// in the chain (暂停), where a second Enter would undo what the first did. The focus goes to the
// first control in reading order instead: a drill's first answer.
void refocusFromDisabled(QWidget *old, QWidget *now) {
    if (!old || !now || old->isEnabled() || old->window() != now->window()) return;
    QWidget *window = old->window();
    if (!window->property(kKeyboard).toBool()) return;
    // Once the click that turned it off has done all it does (the answers come on after it).
    QPointer<QWidget> passedTo(now);
    QTimer::singleShot(0, window, [window, passedTo] {
        if (!passedTo || QApplication::focusWidget() != passedTo) return; // moved on meanwhile
        for (QWidget *w : tabStops(window)) {
            if (!w->isEnabled() || !w->isVisible()) continue;
            if (w != passedTo) w->setFocus(Qt::TabFocusReason);
            return;
        }
    });
}

void watchInput() {
    if (cues || !qApp) return;
    cues = new FocusCues(qApp);
    qApp->installEventFilter(cues);
    QObject::connect(qApp, &QApplication::focusChanged, cues, refocusFromDisabled);
}

// --- Reading order: cut the boxes into rows where a gap runs across them all, else into columns.

struct Box {
    QRect r;
    int index;
};
using Boxes = std::vector<Box>;

// The groups of boxes that a gap along the axis separates, in order along it (rows when alongY).
std::vector<Boxes> bands(Boxes boxes, bool alongY) {
    auto from = [alongY](const Box &b) { return alongY ? b.r.y() : b.r.x(); };
    auto to = [alongY](const Box &b) { return alongY ? b.r.y() + b.r.height() : b.r.x() + b.r.width(); };
    std::stable_sort(boxes.begin(), boxes.end(),
                     [&](const Box &a, const Box &b) { return from(a) < from(b); });
    std::vector<Boxes> out;
    int end = INT_MIN;
    for (const Box &b : boxes) {
        if (out.empty() || from(b) >= end) {
            out.emplace_back();
            end = to(b);
        }
        out.back().push_back(b);
        end = std::max(end, to(b));
    }
    return out;
}

// Two columns whose rows line up: each has the same rows, and so have both together.
bool sameRows(const Boxes &a, const Boxes &b) {
    const std::size_t rows = bands(a, true).size();
    if (rows < 2 || bands(b, true).size() != rows) return false;
    Boxes both = a;
    both.insert(both.end(), b.begin(), b.end());
    return bands(both, true).size() == rows;
}

// The widest gap between neighbouring bands.
int widestGap(const std::vector<Boxes> &bands, bool alongY) {
    int widest = 0;
    for (std::size_t i = 1; i < bands.size(); ++i) {
        int end = INT_MIN, start = INT_MAX;
        for (const Box &b : bands[i - 1])
            end = std::max(end, alongY ? b.r.y() + b.r.height() : b.r.x() + b.r.width());
        for (const Box &b : bands[i])
            start = std::min(start, alongY ? b.r.y() : b.r.x());
        widest = std::max(widest, start - end);
    }
    return widest;
}

void order(const Boxes &boxes, std::vector<int> &out) {
    if (boxes.size() <= 1) {
        for (const Box &b : boxes)
            out.push_back(b.index);
        return;
    }
    const std::vector<Boxes> rows = bands(boxes, true);
    const std::vector<Boxes> columns = bands(boxes, false);
    // Neighbouring columns whose rows line up are one grid, read row by row.
    std::vector<Boxes> blocks;
    for (const Boxes &column : columns) {
        if (!blocks.empty() && sameRows(blocks.back(), column))
            blocks.back().insert(blocks.back().end(), column.begin(), column.end());
        else
            blocks.push_back(column);
    }
    // Columns apart from each other are read one after the other: where rows run across the
    // screen too, the wider gap tells which is the layout (a short gap in one column is no row).
    const bool byColumns =
        blocks.size() > 1 && (rows.size() == 1 || widestGap(columns, false) > widestGap(rows, true));
    if (byColumns) {
        for (const Boxes &block : blocks)
            order(block, out);
        return;
    }
    if (rows.size() > 1) {
        for (const Boxes &row : rows)
            order(row, out);
        return;
    }
    // Boxes that overlap every way: by their top, then their left.
    Boxes sorted = boxes;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Box &a, const Box &b) {
        return a.r.y() != b.r.y() ? a.r.y() < b.r.y() : a.r.x() < b.r.x();
    });
    for (const Box &b : sorted)
        out.push_back(b.index);
}

// --- Tab stops.

bool takesTab(const QWidget *w) {
    if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus) return true;
    // Qt lets only the chosen one of a set of option buttons take Tab, and moves that with the
    // choice: every option keeps its place in the chain.
    const auto *b = qobject_cast<const QAbstractButton *>(w);
    return b && w->focusPolicy() != Qt::NoFocus && (b->autoExclusive() || b->group());
}

// Qt's compound controls order their own parts.
bool whole(const QWidget *w) {
    return qobject_cast<const QAbstractScrollArea *>(w) || qobject_cast<const QComboBox *>(w) ||
           qobject_cast<const QAbstractSpinBox *>(w) || w->focusProxy();
}

// The stops under parent: each child that takes Tab, followed by those inside it; a panel's stops
// stay together, placed where the panel is.
QList<QWidget *> stopsUnder(QWidget *parent) {
    std::vector<QRect> places;
    std::vector<QList<QWidget *>> groups;
    for (QObject *o : parent->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (!w || w->isWindow()) continue;
        QList<QWidget *> stops;
        if (takesTab(w)) stops << w;
        if (!whole(w)) stops << stopsUnder(w);
        if (stops.isEmpty()) continue;
        places.push_back(w->geometry());
        groups.push_back(stops);
    }
    QList<QWidget *> out;
    for (int i : readingOrder(places))
        out << groups[std::size_t(i)];
    return out;
}

void openMenuBar(QMenuBar *bar) {
    for (QAction *a : bar->actions())
        if (a->isVisible() && a->isEnabled() && !a->isSeparator()) {
            bar->setActiveAction(a);
            return;
        }
}

} // namespace

std::vector<int> readingOrder(const std::vector<QRect> &places) {
    Boxes boxes;
    for (std::size_t i = 0; i < places.size(); ++i)
        boxes.push_back({places[i], int(i)});
    std::vector<int> out;
    order(boxes, out);
    return out;
}

QList<QWidget *> tabStops(QWidget *window) {
    return stopsUnder(window);
}

void orderTabs(QWidget *window) {
    const QList<QWidget *> stops = tabStops(window);
    for (qsizetype i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
}

void markBack(QWidget *control) {
    control->setProperty(kBack, true);
}

QAbstractButton *backButton(QWidget *window) {
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>())
        if (b->property(kBack).toBool()) return b;
    return nullptr;
}

void pressBack(QWidget *window) {
    if (QAbstractButton *b = backButton(window)) {
        if (b->isEnabled() && b->isVisible()) b->click();
        return;
    }
    if (window->property(kBack).toBool()) window->close();
}

void enableKeyboard(QWidget *window) {
    watchInput();
    if (window->property(kKeyboard).toBool()) return;
    window->setProperty(kKeyboard, true);
    orderTabs(window);
    (new FocusRing(window))->follow();
    // A window without a way back (the main window) leaves Esc to its controls.
    if (backButton(window) || window->property(kBack).toBool()) {
        auto *esc = new QShortcut(QKeySequence(Qt::Key_Escape), window);
        esc->setObjectName(QStringLiteral("escape"));
        QObject::connect(esc, &QShortcut::activated, window, [window] { pressBack(window); });
    }
    // Alt reaches the menu bar under some styles only; F10 does under every one.
    if (auto *main = qobject_cast<QMainWindow *>(window))
        if (auto *bar = qobject_cast<QMenuBar *>(main->menuWidget())) {
            auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
            f10->setObjectName(QStringLiteral("menuKey"));
            QObject::connect(f10, &QShortcut::activated, bar, [bar] { openMenuBar(bar); });
            // It opens with the focus on itself: the menu is the way on, and a stray Enter
            // presses no button (the main window's one button opens the content maintenance).
            window->setFocus();
        }
}

bool focusCuesShown() {
    return cues && cues->shown;
}

QRect focusRingPlace(QWidget *window) {
    auto *ring = window->findChild<FocusRing *>(kRingName, Qt::FindDirectChildrenOnly);
    return ring && ring->isVisible() ? ring->geometry() : QRect();
}

} // namespace ui
