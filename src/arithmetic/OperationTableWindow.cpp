#include "arithmetic/OperationTableWindow.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "ui/Keyboard.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <functional>

namespace arithmetic {

namespace {

// The pink background. A click that starts and ends on it, not on a line, closes the window;
// presses on a line reach here too (labels pass them on), so the hit is checked by position.
class TableBoard : public QWidget {
  public:
    TableBoard(QWidget *parent, std::function<void()> onClick)
        : QWidget(parent), onClick_(std::move(onClick)) {}

  protected:
    void mousePressEvent(QMouseEvent *e) override {
        pressedOnBackground_ = e->button() == Qt::LeftButton && onBackground(e->position().toPoint());
        e->accept();
    }
    void mouseReleaseEvent(QMouseEvent *e) override {
        const bool click = pressedOnBackground_ && e->button() == Qt::LeftButton &&
                           rect().contains(e->position().toPoint()) && onBackground(e->position().toPoint());
        pressedOnBackground_ = false;
        e->accept();
        if (click) onClick_();
    }

  private:
    bool onBackground(QPoint p) const { return childAt(p) == nullptr; }

    std::function<void()> onClick_;
    bool pressedOnBackground_ = false;
};

} // namespace

OperationTableWindow::OperationTableWindow(QWidget *parent)
    : ui::Screen(screens::kOperationTable, QStringLiteral("口诀表"), 11070, 6765, parent) {
    auto *board = new TableBoard(this, [this] { close(); });
    board->setObjectName(QStringLiteral("Picture1"));
    board->setGeometry(ui::twRect(0, 0, 11055, 6735));
    board->setAutoFillBackground(true);
    QPalette p = board->palette();
    p.setColor(QPalette::Window, QColor(255, 204, 229));
    board->setPalette(p);
    board->setToolTip(QStringLiteral("单击关闭口诀表窗口"));
    ui::markBack(this); // Esc closes it as that click does

    // The title box is widened about its centre so a five-character name fits.
    title_ = ui::makeLabel(QStringLiteral("Label2"), QString(), board, ui::twRect(3735, 120, 3600, 480), 18,
                           QColor(0, 0, 255));
    title_->setAlignment(Qt::AlignCenter);
    for (int i = 0; i < 9; ++i) {
        const double points = i == 8 ? 15 : 14.25;
        lines_[i] = ui::makeLabel(QStringLiteral("Label1(%1)").arg(i), QStringLiteral("Label1"), board,
                                  ui::twRect(120, 720 + 615 * i, 1000, 360), points, QColor(255, 0, 0), true);
        lines_[i]->adjustSize();
    }
}

void OperationTableWindow::showTable(const OperationTable &table) {
    setWindowTitle(table.name);
    title_->setText(table.name);
    for (int i = 0; i < 9; ++i) {
        lines_[i]->setText(table.lines[i]);
        lines_[i]->adjustSize(); // each line grows to fit its text
    }
}

OperationTableWindow *OperationTableWindow::openWindow() {
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *t = qobject_cast<OperationTableWindow *>(w); t && !t->unloaded_) return t;
    return nullptr;
}

OperationTableWindow *OperationTableWindow::open(app::AppContext &ctx, const QString &tableName) {
    const OperationTable *table = findOperationTable(tableName);
    if (!table) return nullptr;
    OperationTableWindow *w = openWindow();
    if (!w) {
        w = new OperationTableWindow;
        ctx.navigator().adoptExtraWindow(w);
        // It stays over whatever screen comes up next, the main window included, until clicked.
        connect(&ctx.navigator(), &app::Navigator::screenChanged, w, [w] { w->raise(); });
    }
    w->showTable(*table);
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

void OperationTableWindow::closeEvent(QCloseEvent *event) {
    // Closing unloads the window; the next table button makes a fresh one.
    unloaded_ = true;
    event->accept();
    hide();
    deleteLater();
}

} // namespace arithmetic
