#include "ui/Widgets.h"

#include "ui/Fonts.h"

#include <QFontMetrics>
#include <QResizeEvent>

namespace ui {

FlatButton::FlatButton(const QString &name, const QString &caption, QWidget *parent, double pointSize, bool tile)
    : QPushButton(caption, parent), basePointSize_(pointSize) {
    setObjectName(name);
    setFlat(false);
    setProperty("tile", tile);
    setFocusPolicy(tile ? Qt::NoFocus : Qt::StrongFocus);
    if (tile)
        setEnabled(false);
    fitFont();
}

void FlatButton::setCaption(const QString &text) {
    setText(text);
    fitFont();
}

void FlatButton::resizeEvent(QResizeEvent *e) {
    QPushButton::resizeEvent(e);
    fitFont();
}

void FlatButton::fitFont() {
    // Shrink in steps until the caption fits inside the button with a small margin.
    QFont f = simSun(basePointSize_, font().bold());
    const int room = std::max(1, width() - 8);
    const int roomH = std::max(1, height() - 4);
    for (int px = f.pixelSize(); px > 6; px -= std::max(1, px / 12)) {
        f.setPixelSize(px);
        QFontMetrics fm(f);
        if (width() <= 0 || (fm.horizontalAdvance(text()) <= room && fm.height() <= roomH + fm.descent()))
            break;
    }
    setFont(f);
}

QLabel *makeLabel(const QString &name, const QString &caption, QWidget *parent, const QRect &geometry,
                  double pointSize, const QColor &color, bool bold) {
    auto *l = new QLabel(caption, parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    l->setFont(simSun(pointSize, bold));
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, color);
    l->setPalette(p);
    l->setAttribute(Qt::WA_TranslucentBackground);
    return l;
}

QProgressBar *makeProgress(const QString &name, QWidget *parent, const QRect &geometry) {
    auto *bar = new QProgressBar(parent);
    bar->setObjectName(name);
    bar->setGeometry(geometry);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

QWidget *makePanel(const QString &name, QWidget *parent, const QRect &geometry, const QColor &background) {
    auto *w = new QWidget(parent);
    w->setObjectName(name);
    w->setGeometry(geometry);
    if (background.isValid()) {
        w->setAutoFillBackground(true);
        QPalette p = w->palette();
        p.setColor(QPalette::Window, background);
        w->setPalette(p);
    }
    return w;
}

Screen::Screen(const QString &name, const QString &caption, int widthTw, int heightTw, QWidget *parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(name);
    setWindowTitle(caption);
    setFixedSize(twips(widthTw), twips(heightTw));
    setAttribute(Qt::WA_DeleteOnClose, false);
}

} // namespace ui
