#pragma once

// The states the gallery renders besides each screen's plain load state, keyed by screen name.
// The gallery tool renders them; the screen tests walk them, so every state is built in CI.

#include <QString>
#include <functional>
#include <map>
#include <vector>

class QWidget;

namespace app {
class AppContext;
}

namespace gallery {

// One state of a screen; a state named like the screen replaces its plain load state.
struct State {
    QString file; // the picture's name, without ".png"
    std::function<void(QWidget *screen, app::AppContext &ctx)> prepare;

    // Brings the screen into this state. Returns what went wrong (a control the screen lacks),
    // or an empty string.
    QString apply(QWidget *screen, app::AppContext &ctx) const;
};

struct ScreenStates {
    QString menuItem; // the menu item the screen is opened with; empty: opened by its name
    std::vector<State> states;
};

// Every screen with a menu item or states of its own, by screen name.
const std::map<QString, ScreenStates> &statesByScreen();

// That screen's menu item and states; none for a screen shown only as it loads.
const ScreenStates &statesOf(const QString &screen);

// Whether a state named like the screen replaces its plain load state.
bool replacesLoadState(const QString &screen);

// Opens the screen as the gallery shows it: through its menu item if it has one.
QWidget *open(app::AppContext &ctx, const QString &screen);

} // namespace gallery
