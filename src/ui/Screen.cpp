#include "ui/Screen.h"

#include "ui/Widgets.h"

namespace ui {

Screen::Screen(const QString &name, const QString &caption, int widthTw, int heightTw, QWidget *parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(name);
    setWindowTitle(caption);
    setFixedSize(twips(widthTw), twips(heightTw));
    setAttribute(Qt::WA_DeleteOnClose, false);
}

} // namespace ui
