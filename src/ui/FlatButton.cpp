#include "ui/FlatButton.h"

#include "ui/Fonts.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QResizeEvent>

namespace ui {

FlatButton::FlatButton(const QString &name, const QString &caption, QWidget *parent, double pointSize,
                       bool tile)
    : QPushButton(caption, parent), basePointSize_(pointSize) {
    setObjectName(name);
    setFlat(false);
    setProperty("tile", tile);
    setFocusPolicy(tile ? Qt::NoFocus : Qt::StrongFocus);
    setAttribute(Qt::WA_Hover); // the face lightens under the mouse
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

namespace {

// The colours a flat button shows in its state.
struct ButtonLook {
    QColor back, text, border;
};

ButtonLook lookOf(const QPushButton &b, bool tile) {
    using namespace buttonColour;
    if (tile) return {kTileFace, kTileText, kTileBorder};
    if (!b.isEnabled()) return {kOffFace, kOffText, kOffBorder};
    if (b.isDown()) return {kPressed, kText, kBorder};
    if (b.underMouse()) return {kHover, kText, kBorder};
    return {kFace, kText, kBorder};
}

} // namespace

void FlatButton::paintEvent(QPaintEvent *) {
    // Painted here rather than by a style sheet: a screen has up to 47 of these. The face (fill
    // and rounded border) is drawn once per size and look and then copied from the pixmap
    // cache. The window's focus ring marks the focused button, so no focus look of its own.
    const ButtonLook look = lookOf(*this, property("tile").toBool());
    const qreal dpr = devicePixelRatioF();
    const QString key = QStringLiteral("lumibo-face-%1x%2-%3-%4-%5")
                            .arg(width())
                            .arg(height())
                            .arg(dpr)
                            .arg(look.back.rgb())
                            .arg(look.border.rgb());
    QPixmap face;
    if (!QPixmapCache::find(key, &face)) {
        face = QPixmap(size() * dpr);
        face.setDevicePixelRatio(dpr);
        face.fill(Qt::transparent);
        QPainter fp(&face);
        fp.setRenderHint(QPainter::Antialiasing);
        fp.setPen(QPen(look.border, kBorder));
        fp.setBrush(look.back);
        const qreal inset = kBorder / 2.0;
        fp.drawRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset), kRadius - inset,
                           kRadius - inset);
        fp.end();
        QPixmapCache::insert(key, face);
    }
    QPainter p(this);
    p.drawPixmap(0, 0, face);
    p.setPen(look.text);
    p.drawText(rect().adjusted(kBorder, kBorder, -kBorder, -kBorder), Qt::AlignCenter, text());
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
    // Bold only when asked for on the button itself, not taken over from a bold panel around it.
    const bool bold = testAttribute(Qt::WA_SetFont) && font().bold();
    setFont(fittedFont(simSun(basePointSize_, bold), text(), room));
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
    const double ratio = std::min(
        first.horizontalAdvance(text) > 0 ? double(room.width()) / first.horizontalAdvance(text) : 1.0,
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

} // namespace ui
