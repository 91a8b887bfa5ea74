#pragma once

#include "arithmetic/OperationTables.h"
#include "ui/Widgets.h"

#include <array>

namespace app {
class AppContext;
}

namespace arithmetic {

// The small window 口诀表 that shows one operation table over a drill screen. It lives on its
// own: the drill keeps running under it, and it stays when the drill is left. A click on its
// background closes it; a click on a line does not.
class OperationTableWindow : public ui::Screen {
    Q_OBJECT
  public:
    explicit OperationTableWindow(QWidget *parent = nullptr);

    // Title and nine lines of the table.
    void showTable(const OperationTable &table);

    // Shows the program's one table window with the named table, creating it when none is
    // open and bringing it to the front otherwise. Null for a name that is not a table.
    static OperationTableWindow *open(app::AppContext &ctx, const QString &tableName);
    // The table window currently open, or null.
    static OperationTableWindow *openWindow();

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    QLabel *title_;
    std::array<QLabel *, 9> lines_{};
    bool unloaded_ = false;
};

} // namespace arithmetic
