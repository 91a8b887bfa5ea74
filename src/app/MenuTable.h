#pragma once

#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace app {

class AppContext;

struct MenuItem {
    enum class Kind { Open, Separator, About, Quit };
    Kind kind = Kind::Open;
    QString name;                                   // control name, also the QAction's objectName
    QString caption;                                // "-" for a separator
    QString screen;                                 // the screen an Open item opens
    std::function<void(AppContext &)> setVariables; // run before the screen loads
    std::function<void(QWidget *)> setTexts;        // run right after it loaded
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

// Sets the caption of a named label or button of a screen.
void setCaptionOf(QWidget *screen, const QString &control, const QString &text);

} // namespace app
