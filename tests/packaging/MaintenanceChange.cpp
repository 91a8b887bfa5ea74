// Makes one change in the maintenance screen as a parent would, on the program folder given: the
// program's own rule decides which file changes, with the user's own data folder
// ($XDG_DATA_HOME/Lumibo or ~/.local/share/Lumibo). It opens 数据库, presses "Command10" and
// answers yes. Prints the file changed; exits 1 when the tool did not work.
// Usage: lumibo-maintenance-change PROGRAM_DIR   (run by tests/packaging/PackageTest.sh)
#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "maintenance/DataFormScreen.h"
#include "services/ContentLocation.h"

#include <QApplication>
#include <QPushButton>
#include <cstdio>

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: lumibo-maintenance-change PROGRAM_DIR\n");
        return 2;
    }
    // The user's real data folder, taken before the test context moves the user's folders aside.
    const QString data = services::userDataFolder();
    auto ctx = app::AppContext::forTests(QString::fromLocal8Bit(argv[1]), 1, data);
    auto *screen = qobject_cast<maintenance::DataFormScreen *>(ctx->navigator().open(screens::kMaintenance));
    if (!screen) return 1;
    QStringList told;
    screen->setConfirm([](const QString &) { return true; });
    screen->setInform([&](const QString &message) { told << message; });
    auto *tool = screen->findChild<QPushButton *>(QStringLiteral("Command10"));
    if (!tool || !tool->isEnabled()) {
        std::fprintf(stderr, "lumibo-maintenance-change: Command10 cannot be pressed\n%s\n",
                     qUtf8Printable(screen->printed()));
        return 1;
    }
    tool->click();
    std::fprintf(stderr, "%s\n", qUtf8Printable(screen->printed()));
    for (const QString &m : told)
        std::fprintf(stderr, "lumibo-maintenance-change: %s\n", qUtf8Printable(m));
    std::printf("%s\n", qUtf8Printable(ctx->store().path()));
    return told.isEmpty() && screen->printed().contains(QStringLiteral("修改了")) ? 0 : 1;
}
