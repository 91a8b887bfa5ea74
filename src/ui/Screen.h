#pragma once

#include <QWidget>

namespace ui {

// A top-level window with a fixed client area given in twips.
class Screen : public QWidget {
    Q_OBJECT
  public:
    Screen(const QString &name, const QString &caption, int widthTw, int heightTw, QWidget *parent = nullptr);
};

} // namespace ui
