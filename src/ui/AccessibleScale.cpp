#include "ui/AccessibleScale.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QHash>
#include <QPointer>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <utility>

namespace ui {

namespace {

// Qt scales a screen's contents about the screen's top-left corner, which keeps its place in
// screen pixels: screen pixels = (Qt's coordinates - corner) x ratio + corner.
QRect toScreenPixels(const QScreen *screen, const QRect &r) {
    const qreal ratio = screen->devicePixelRatio();
    if (ratio == 1 || r == QRect()) return r; // QRect() is a hidden control's "nowhere"
    const QPoint corner = screen->geometry().topLeft();
    return QRect((r.topLeft() - corner) * ratio + corner, r.size() * ratio);
}

// The Qt coordinate whose pixel covers the given screen pixel.
QPoint fromScreenPixels(const QScreen *screen, QPoint p) {
    const qreal ratio = screen->devicePixelRatio();
    if (ratio == 1) return p;
    const QPoint corner = screen->geometry().topLeft();
    return corner + QPoint(int(std::floor((p.x() - corner.x()) / ratio)),
                           int(std::floor((p.y() - corner.y()) / ratio)));
}

class ScaledInterface;
QAccessibleInterface *wrap(QAccessibleInterface *iface);

// Qt's own interface for a control, passed through as it is except for places: its rectangle,
// its characters' rectangles and the points it is asked about are in screen pixels. The text and
// table parts are ours because they carry places or hand out further interfaces; the other parts
// (actions, value, editable text) are Qt's.
class ScaledInterface : public QAccessibleInterface,
                        public QAccessibleTextInterface,
                        public QAccessibleTableInterface {
  public:
    explicit ScaledInterface(QAccessibleInterface *inner);
    ~ScaledInterface() override;

    QAccessibleInterface *inner() const { return inner_; }
    // False once Qt has deleted the interface this one passes through (a list row after the list
    // changed); callers check isValid() before anything else, as they do with Qt's interfaces.
    bool alive() const { return QAccessible::accessibleInterface(innerId_) == inner_; }

    bool isValid() const override { return alive() && inner_->isValid(); }
    QObject *object() const override { return object_; }
    QWindow *window() const override { return inner_->window(); }

    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override {
        auto found = inner_->relations(match);
        for (auto &relation : found)
            relation.first = wrap(relation.first);
        return found;
    }
    QAccessibleInterface *focusChild() const override { return wrap(inner_->focusChild()); }
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *parent() const override { return wrap(inner_->parent()); }
    QAccessibleInterface *child(int index) const override { return wrap(inner_->child(index)); }
    int childCount() const override { return inner_->childCount(); }
    int indexOfChild(const QAccessibleInterface *child) const override;

    QString text(QAccessible::Text t) const override { return inner_->text(t); }
    void setText(QAccessible::Text t, const QString &text) override { inner_->setText(t, text); }
    QRect rect() const override { return toScreenPixels(screen(), inner_->rect()); }
    QAccessible::Role role() const override { return inner_->role(); }
    QAccessible::State state() const override { return inner_->state(); }
    QColor foregroundColor() const override { return inner_->foregroundColor(); }
    QColor backgroundColor() const override { return inner_->backgroundColor(); }
    void virtual_hook(int id, void *data) override { inner_->virtual_hook(id, data); }
    void *interface_cast(QAccessible::InterfaceType type) override;

    // Text: characters' places in screen pixels.
    void selection(int index, int *start, int *end) const override {
        innerText()->selection(index, start, end);
    }
    int selectionCount() const override { return innerText()->selectionCount(); }
    void addSelection(int start, int end) override { innerText()->addSelection(start, end); }
    void removeSelection(int index) override { innerText()->removeSelection(index); }
    void setSelection(int index, int start, int end) override {
        innerText()->setSelection(index, start, end);
    }
    int cursorPosition() const override { return innerText()->cursorPosition(); }
    void setCursorPosition(int position) override { innerText()->setCursorPosition(position); }
    QString text(int start, int end) const override { return innerText()->text(start, end); }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int *start,
                             int *end) const override {
        return innerText()->textBeforeOffset(offset, boundary, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int *start,
                            int *end) const override {
        return innerText()->textAfterOffset(offset, boundary, start, end);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int *start,
                         int *end) const override {
        return innerText()->textAtOffset(offset, boundary, start, end);
    }
    int characterCount() const override { return innerText()->characterCount(); }
    QRect characterRect(int offset) const override {
        return toScreenPixels(screen(), innerText()->characterRect(offset));
    }
    int offsetAtPoint(const QPoint &point) const override {
        return innerText()->offsetAtPoint(fromScreenPixels(screen(), point));
    }
    void scrollToSubstring(int start, int end) override { innerText()->scrollToSubstring(start, end); }
    QString attributes(int offset, int *start, int *end) const override {
        return innerText()->attributes(offset, start, end);
    }

    // Table (a list's rows): the cells it hands out report screen pixels too.
    QAccessibleInterface *caption() const override { return wrap(innerTable()->caption()); }
    QAccessibleInterface *summary() const override { return wrap(innerTable()->summary()); }
    QAccessibleInterface *cellAt(int row, int column) const override {
        return wrap(innerTable()->cellAt(row, column));
    }
    int selectedCellCount() const override { return innerTable()->selectedCellCount(); }
    QList<QAccessibleInterface *> selectedCells() const override {
        auto cells = innerTable()->selectedCells();
        for (auto &cell : cells)
            cell = wrap(cell);
        return cells;
    }
    QString columnDescription(int column) const override { return innerTable()->columnDescription(column); }
    QString rowDescription(int row) const override { return innerTable()->rowDescription(row); }
    int selectedColumnCount() const override { return innerTable()->selectedColumnCount(); }
    int selectedRowCount() const override { return innerTable()->selectedRowCount(); }
    int columnCount() const override { return innerTable()->columnCount(); }
    int rowCount() const override { return innerTable()->rowCount(); }
    QList<int> selectedColumns() const override { return innerTable()->selectedColumns(); }
    QList<int> selectedRows() const override { return innerTable()->selectedRows(); }
    bool isColumnSelected(int column) const override { return innerTable()->isColumnSelected(column); }
    bool isRowSelected(int row) const override { return innerTable()->isRowSelected(row); }
    bool selectRow(int row) override { return innerTable()->selectRow(row); }
    bool selectColumn(int column) override { return innerTable()->selectColumn(column); }
    bool unselectRow(int row) override { return innerTable()->unselectRow(row); }
    bool unselectColumn(int column) override { return innerTable()->unselectColumn(column); }
    void modelChange(QAccessibleTableModelChangeEvent *event) override { innerTable()->modelChange(event); }

  private:
    QAccessibleTextInterface *innerText() const { return inner_->textInterface(); }
    QAccessibleTableInterface *innerTable() const { return inner_->tableInterface(); }
    // The screen the control is on: its window's, or for a menu item (which has no window) the
    // screen under it.
    const QScreen *screen() const {
        if (const QWindow *w = inner_->window())
            if (const QScreen *s = w->screen()) return s;
        const QRect r = inner_->rect();
        if (const QScreen *s = QGuiApplication::screenAt(r.center())) return s;
        return QGuiApplication::primaryScreen();
    }

    QAccessibleInterface *const inner_;
    const QAccessible::Id innerId_;
    const QPointer<QObject> object_;
    // An interface made for a widget or a menu's action lives as long as that object, and this one
    // then goes with it; a list row's belongs to its list.
    const bool ownsInner_;
};

// Every interface passing Qt's through, by the interface it passes through.
struct Wrappers {
    QHash<const QAccessibleInterface *, ScaledInterface *> byInner;
    qsizetype countAfterSweep = 0;
};
Wrappers &wrappers() {
    static Wrappers all;
    return all;
}

void forget(ScaledInterface *w) {
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(w));
}

ScaledInterface::ScaledInterface(QAccessibleInterface *inner)
    : inner_(inner), innerId_(QAccessible::uniqueId(inner)), object_(inner->object()),
      ownsInner_(inner->object() != nullptr) {
    wrappers().byInner.insert(inner, this);
}

ScaledInterface::~ScaledInterface() {
    auto &byInner = wrappers().byInner;
    if (byInner.value(inner_) == this) byInner.remove(inner_);
    if (ownsInner_ && alive()) QAccessible::deleteAccessibleInterface(innerId_);
}

QAccessibleInterface *ScaledInterface::childAt(int x, int y) const {
    // Qt's containers test their children's rectangles, which are in screen pixels here; its lists
    // and menus map the point onto themselves and want Qt's coordinates. Either answer counts only
    // where that child is on screen.
    const QPoint point(x, y);
    for (const QPoint asked : {point, fromScreenPixels(screen(), point)}) {
        QAccessibleInterface *found = wrap(inner_->childAt(asked.x(), asked.y()));
        if (found && found->isValid() && found->rect().contains(point)) return found;
    }
    return nullptr;
}

int ScaledInterface::indexOfChild(const QAccessibleInterface *child) const {
    // Qt's lists look inside the child they are given, so they must get their own.
    if (const auto *w = dynamic_cast<const ScaledInterface *>(child)) child = w->inner();
    return inner_->indexOfChild(child);
}

void *ScaledInterface::interface_cast(QAccessible::InterfaceType type) {
    switch (type) {
    case QAccessible::TextInterface:
        return innerText() ? static_cast<QAccessibleTextInterface *>(this) : nullptr;
    case QAccessible::TableInterface:
        return innerTable() ? static_cast<QAccessibleTableInterface *>(this) : nullptr;
    default:
        return inner_->interface_cast(type);
    }
}

// Ours for an interface Qt made: for the rows of a list, the items of a menu, or a control whose
// interface was asked for before the factory was installed.
QAccessibleInterface *wrap(QAccessibleInterface *iface) {
    if (!iface || dynamic_cast<ScaledInterface *>(iface) || iface->object() == qApp) return iface;
    Wrappers &all = wrappers();
    if (ScaledInterface *known = all.byInner.value(iface)) {
        if (known->alive()) return known;
        forget(known); // a deleted row's, whose address Qt has given to a new one
    }
    // Rows of lists that changed leave interfaces behind that pass nothing through; let them go
    // now and then.
    if (all.byInner.size() > 2 * all.countAfterSweep + 64) {
        QList<ScaledInterface *> gone;
        for (ScaledInterface *w : std::as_const(all.byInner))
            if (!w->alive()) gone << w;
        for (ScaledInterface *w : std::as_const(gone))
            forget(w);
        all.countAfterSweep = all.byInner.size();
    }
    auto *w = new ScaledInterface(iface);
    QAccessible::registerAccessibleInterface(w);
    return w;
}

// Asked by Qt for a widget's interface: makes Qt's own (by asking again, with this factory
// stepping aside for that widget) and hands out ours passing it through.
QAccessibleInterface *scaledFactory(const QString &, QObject *object) {
    static QObject *making = nullptr;
    if (!object || !object->isWidgetType() || object == making) return nullptr;
    QObject *const outer = std::exchange(making, object);
    QAccessibleInterface *inner = QAccessible::queryAccessibleInterface(object);
    making = outer;
    if (!inner || dynamic_cast<ScaledInterface *>(inner)) return nullptr;
    return new ScaledInterface(inner);
}

} // namespace

void scaleAccessiblePlaces() {
    const auto screens = QGuiApplication::screens();
    if (std::all_of(screens.begin(), screens.end(),
                    [](const QScreen *s) { return s->devicePixelRatio() == 1; }))
        return;
    QAccessible::installFactory(scaledFactory);
}

} // namespace ui
