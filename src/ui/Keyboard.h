#pragma once

#include <QColor>
#include <QList>
#include <QRect>
#include <vector>

class QAbstractButton;
class QWidget;

namespace ui {

// Marks the control a child leaves a screen by (返回, 不想玩了, 不学了 ...): Esc presses it, so it
// does exactly what a click on it does. A window marked itself is closed by Esc instead (a window
// that has no button and closes when its background is clicked).
void markBack(QWidget *control);
// A window's marked control; null when it has none.
QAbstractButton *backButton(QWidget *window);
// Esc's action on a window: presses its marked control when that is enabled and on show, or
// closes the window when the window itself is marked. Anything else: nothing.
void pressBack(QWidget *window);

// The keyboard for a window, set up once however often it is shown: Tab in reading order, Esc as
// the marked way back, a focus ring, and for a main window F10 into its menu bar (Alt too where
// the style allows) with the focus on the window itself at first. The navigator applies it to
// every window it shows.
void enableKeyboard(QWidget *window);

// Sets the Tab chain of a window's controls in reading order (see core::readingOrder).
void orderTabs(QWidget *window);
// The controls Tab stops at, in that order.
QList<QWidget *> tabStops(QWidget *window);

// Whether the focused control wears the focus ring: only after the keyboard was last used, so a
// child playing with the mouse sees no rings, and one playing by keys always sees where they are.
bool focusCuesShown();
// The ring's colour: a strong orange, apart from every button's and backdrop's colours.
inline QColor focusRingColor() {
    return QColor(255, 109, 0);
}
// Where a window's focus ring is drawn now, in window coordinates: just around the focused
// control. Empty while no ring is on show.
QRect focusRingPlace(QWidget *window);

} // namespace ui
