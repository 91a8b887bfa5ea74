#include "ui/Widgets.h"

#include "ui/Fonts.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace ui {

FlatButton::FlatButton(const QString &name, const QString &caption, QWidget *parent, double pointSize,
                       bool tile)
    : QPushButton(caption, parent), basePointSize_(pointSize) {
    setObjectName(name);
    setFlat(false);
    setProperty("tile", tile);
    setFocusPolicy(tile ? Qt::NoFocus : Qt::StrongFocus);
    if (tile) setEnabled(false);
    fitFont();
}

void FlatButton::setCaption(const QString &text) {
    setText(text);
    fitFont();
    nameForReader();
}

void FlatButton::setBlankName(const QString &name) {
    blankName_ = name;
    nameForReader();
}

void FlatButton::nameForReader() {
    // An empty accessible name lets the reader take the caption itself.
    if (!blankName_.isEmpty()) setAccessibleName(text().trimmed().isEmpty() ? blankName_ : QString());
}

void FlatButton::paintEvent(QPaintEvent *) {
    // The window's focus ring marks the focused button; the style's own focus look (a grey wash
    // over the button's colour) is left out.
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.state &= ~QStyle::State_HasFocus;
    p.drawControl(QStyle::CE_PushButton, option);
}

void FlatButton::keyPressEvent(QKeyEvent *e) {
    // Outside dialogs a push button leaves Enter alone; here Enter presses it, as Space does.
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
        (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!e->isAutoRepeat()) click();
        e->accept();
        return;
    }
    QPushButton::keyPressEvent(e);
}

void FlatButton::resizeEvent(QResizeEvent *e) {
    QPushButton::resizeEvent(e);
    fitFont();
}

void FlatButton::fitFont() {
    setFont(fittedFont(simSun(basePointSize_, font().bold()), text(), size() - QSize(8, 4)));
}

QFont fittedFont(QFont font, const QString &text, const QSize &room) {
    // Shrink in steps until the text fits; a widget not laid out yet keeps its own size.
    if (room.width() <= 0 || room.height() <= 0) return font;
    for (int px = font.pixelSize(); px > 6; px -= std::max(1, px / 12)) {
        font.setPixelSize(px);
        const QFontMetrics fm(font);
        if (fm.horizontalAdvance(text) <= room.width() && fm.height() <= room.height() + fm.descent()) break;
    }
    return font;
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
