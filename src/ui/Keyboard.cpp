#include "ui/Keyboard.h"

#include "core/ReadingOrder.h"

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
    for (int i : core::readingOrder(places))
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
