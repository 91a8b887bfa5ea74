#pragma once

// The widget layer's makers and the twips the screens are laid out in; the flat button and the
// screen window have files of their own.
#include "ui/FlatButton.h"
#include "ui/Screen.h"

#include <QColor>
#include <QLabel>
#include <QProgressBar>
#include <QRect>

namespace ui {

// Positions are given in twips: 15 twips to a pixel at 96 dpi (Qt scales for HiDPI).
constexpr int twips(int tw) {
    return (tw + 7) / 15;
}
inline QRect twRect(int left, int top, int width, int height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

// A label with its control name, caption, font and colour, transparent by default.
QLabel *makeLabel(const QString &name, const QString &caption, QWidget *parent, const QRect &geometry,
                  double pointSize, const QColor &color, bool bold = false);

// Paints a label's plain text from a pixmap drawn once for each text, font, colour and size, and
// kept in Qt's pixmap cache: for a giant character, whose outline Qt would otherwise fill anew
// on every paint (glyphs that large are not in its glyph cache).
void paintTextFromCache(QLabel *label);

// A progress bar holding a value from 0 to 100.
QProgressBar *makeProgress(const QString &name, QWidget *parent, const QRect &geometry);

// A plain panel (a picture box used as a container).
QWidget *makePanel(const QString &name, QWidget *parent, const QRect &geometry,
                   const QColor &background = QColor());

} // namespace ui
