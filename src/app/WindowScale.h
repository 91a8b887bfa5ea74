#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

namespace app {

// One scale for all of Lumibo's windows, applied through Qt's own high-DPI scaling so that
// text and drawings are drawn at the screen's resolution rather than enlarged.
constexpr double kScaleStep = 0.25;
constexpr double kMaxScale = 8;

// The scale at which the main window takes about half the available height of a screen:
// never below 1, in steps of kScaleStep, and never wider than the screen.
double scaleForScreen(QSize available);

// A scale the user typed (LUMIBO_SCALE): a number from 1 to kMaxScale, rounded to a step.
// 0 when it is not one, with *problem saying why in one line.
double parseScale(const QString &text, QString *problem);

// How the primary screen's size is found before the application object exists.
enum class ScreenQuery {
    None,        // offscreen, minimal, vnc's framebuffer …: no screen to fit, the scale is 1
    XServer,     // X11: asked of the X server directly, on a connection of our own
    Application, // Wayland and the rest, or Qt told how to scale by the user: a short-lived
                 // application of Qt's own looks at the screen, as Qt itself will see it
};

// What decides the query: the platform Qt is to use (-platform, else QT_QPA_PLATFORM; empty
// when neither), and the environment Qt would pick one from.
struct ScaleEnvironment {
    QString platform;
    bool x11Display = false;     // DISPLAY is set
    bool waylandSession = false; // WAYLAND_DISPLAY is set or XDG_SESSION_TYPE is wayland
    bool userQtScaling = false;  // QT_SCREEN_SCALE_FACTORS, QT_ENABLE_HIGHDPI_SCALING … are set
};
ScreenQuery screenQueryFor(const ScaleEnvironment &env);

// Xft.dpi in the X resources (the root window's RESOURCE_MANAGER), 0 when it is not set.
// Qt on X11 counts its device-independent pixels at that many per 96 of the screen's.
double xftDpi(const QByteArray &resources);

// The primary screen's available size in Qt's device-independent pixels, asked of the X server
// named by display (DISPLAY when empty): the primary RandR monitor or output, else the first,
// else the root window; within the window manager's work area; divided by Xft.dpi / 96.
// Nothing when the server cannot be reached.
std::optional<QSize> xAvailableSize(const QByteArray &display);

// Before the application object exists: sets QT_SCALE_FACTOR from LUMIBO_SCALE, or from the
// primary screen when neither that nor QT_SCALE_FACTOR is set. Problems go to standard error.
void chooseWindowScale(int argc, char **argv);

} // namespace app
