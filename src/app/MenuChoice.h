#pragma once

#include <QString>

namespace app {

// What a menu item gives the screen it opens, beyond opening it: the variant to play and the
// title it is called by.
struct MenuChoice {
    QString title;          // the screen's title and window caption; empty: the screen's own
    int mode = 0;           // the variant (an addition range, a chain, a letter group); 0: none
    bool showEquals = true; // the olympiad's "=" tile (比例计算 writes its own)

    bool isEmpty() const { return title.isEmpty() && mode == 0 && showEquals; }
};

// A screen that takes a menu item's choice. The navigator hands it over right after the screen
// is made, before it is shown; a screen opened without a menu item keeps its own defaults.
class MenuChoiceTarget {
  public:
    virtual ~MenuChoiceTarget() = default;
    virtual void applyMenuChoice(const MenuChoice &choice) = 0;
};

} // namespace app
