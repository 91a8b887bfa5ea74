#pragma once

#include <QSize>
#include <QString>

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

// Before the application object exists: sets QT_SCALE_FACTOR from LUMIBO_SCALE, or from the
// primary screen when neither that nor QT_SCALE_FACTOR is set. Problems go to standard error.
void chooseWindowScale(int argc, char **argv);

} // namespace app
