#include "app/WindowScale.h"

#include "app/MainWindow.h"

#include "ui/Widgets.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace app {

namespace {

// The main window as the user sees it: its client area and the menu bar above it.
constexpr int kMainWidth = ui::twips(MainWindow::kClientWidthTw);
constexpr int kMainHeight = ui::twips(MainWindow::kClientHeightTw) + 24;

double toStep(double s) {
    return std::round(s / kScaleStep) * kScaleStep;
}

} // namespace

double scaleForScreen(QSize available) {
    if (available.height() <= 0 || available.width() <= 0) return 1;
    double s = toStep(available.height() / 2.0 / kMainHeight);
    while (s > 1 && s * kMainWidth > available.width())
        s -= kScaleStep;
    return std::clamp(s, 1.0, kMaxScale);
}

double parseScale(const QString &text, QString *problem) {
    bool ok = false;
    const double s = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(s)) {
        *problem = QStringLiteral("LUMIBO_SCALE=%1 is not a number").arg(text);
        return 0;
    }
    if (s < 1 || s > kMaxScale) {
        *problem = QStringLiteral("LUMIBO_SCALE=%1 is outside 1 to %2").arg(text).arg(kMaxScale);
        return 0;
    }
    return toStep(s);
}

void chooseWindowScale(int argc, char **argv) {
    if (qEnvironmentVariableIsSet("LUMIBO_SCALE")) {
        QString problem;
        const double s = parseScale(qEnvironmentVariable("LUMIBO_SCALE"), &problem);
        if (s > 0) {
            qputenv("QT_SCALE_FACTOR", QByteArray::number(s));
            return;
        }
        std::fprintf(stderr, "Lumibo: %s; the windows are sized for the screen instead.\n",
                     qUtf8Printable(problem));
    }
    // A scale the user gave Qt directly is theirs.
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) return;
    // Qt reads its scale when the application starts, so the screen is looked at by a
    // short-lived application of its own first. It gets a copy of the arguments, because Qt
    // takes its own options out of them.
    std::vector<char *> args(argv, argv + argc);
    args.push_back(nullptr);
    int count = argc;
    double s = 1;
    {
        QGuiApplication probe(count, args.data());
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            s = scaleForScreen(screen->availableGeometry().size());
    }
    if (s != 1) qputenv("QT_SCALE_FACTOR", QByteArray::number(s));
}

} // namespace app
