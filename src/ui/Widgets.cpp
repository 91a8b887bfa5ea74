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
    // Before it has its place a button's size is Qt's default, not worth fitting to.
    const QSize room = testAttribute(Qt::WA_Resized) ? size() - QSize(8, 4) : QSize();
    setFont(fittedFont(simSun(basePointSize_, font().bold()), text(), room));
}

QFont fittedFont(QFont font, const QString &text, const QSize &room) {
    // Shrink in steps until the text fits; a widget not laid out yet keeps its own size.
    if (room.width() <= 0 || room.height() <= 0) return font;
    auto fits = [&](const QFontMetrics &fm) {
        return fm.horizontalAdvance(text) <= room.width() && fm.height() <= room.height() + fm.descent();
    };
    const QFontMetrics first(font);
    if (fits(first)) return font;
    // Text grows with its font, so the steps far above the size the first measure points to
    // cannot fit: they are passed without loading a font for each (that is what made opening
    // a screen slow). A margin keeps what hinting adds at small sizes.
    const int base = font.pixelSize();
    const double ratio = std::min(first.horizontalAdvance(text) > 0
                                      ? double(room.width()) / first.horizontalAdvance(text)
                                      : 1.0,
                                  double(room.height() + first.descent()) / std::max(1, first.height()));
    const double largestThatMayFit = base * ratio * 1.15 + 1;
    for (int px = base - std::max(1, base / 12); px > 6; px -= std::max(1, px / 12)) {
        const bool lastStep = px - std::max(1, px / 12) <= 6;
        if (px > largestThatMayFit && !lastStep) continue;
        font.setPixelSize(px);
        if (fits(QFontMetrics(font))) break;
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
