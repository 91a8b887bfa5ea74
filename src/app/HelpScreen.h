#pragma once

#include "ui/Widgets.h"

#include <QStringList>

namespace app {

class AppContext;

// The help text, line by line, exactly as shown.
QStringList helpLines();

// 帮助1: the help text and a button back to the main window.
class HelpScreen : public ui::Screen {
    Q_OBJECT
  public:
    explicit HelpScreen(AppContext &ctx);
};

} // namespace app
