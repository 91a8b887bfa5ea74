#pragma once

#include "app/MenuChoice.h"

#include <QString>
#include <vector>

namespace app {

struct MenuItem {
    // Guarded: opens its screen once a parent has passed the parent's check.
    enum class Kind { Open, Guarded, Separator, About, Quit };
    Kind kind = Kind::Open;
    QString name;      // control name, also the QAction's objectName
    QString caption;   // "-" for a separator
    QString screen;    // the screen an Open item opens
    MenuChoice choice; // what it gives that screen
};

struct TopMenu {
    QString name;
    QString caption;
    std::vector<MenuItem> items;
};

// The main window's menu bar, in order.
const std::vector<TopMenu> &menuTable();

// The item of that control name, or null.
const MenuItem *findMenuItem(const QString &name);

} // namespace app
