// Prints the window scale Lumibo chooses on this display, as it does before it starts (1 when it
// leaves Qt's scale alone): bench/startup.sh runs the bare program at the same scale.
#include "app/WindowScale.h"

#include <QByteArray>
#include <cstdio>

int main(int argc, char **argv) {
    app::chooseWindowScale(argc, argv);
    const QByteArray scale = qgetenv("QT_SCALE_FACTOR");
    std::printf("%s\n", scale.isEmpty() ? "1" : scale.constData());
    return 0;
}
