#include "app/CommandLine.h"
#include "app/SingleInstance.h"
#include "app/WindowScale.h"
#include "ui/Backdrop.h"
#include "ui/Translations.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

namespace {

// The folder of the running program, known before the application object exists.
QString programDir() {
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absolutePath();
}

// Qt's own dialog texts in Chinese, like everything else the program says.
void installTranslations(QApplication &application) {
    ui::installQtTranslations(application);
}

// The icon the package installs into the icon theme, for window managers that do not match the
// window to the desktop entry. A build tree finds none and keeps Qt's default.
void setWindowIcon(QApplication &application) {
    application.setWindowIcon(QIcon::fromTheme(QStringLiteral("lumibo")));
}

} // namespace

int main(int argc, char **argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const app::CommandLine commandLine = app::parseCommandLine(args);
    if (commandLine.action != app::CommandLine::Action::Run) {
        std::FILE *out = commandLine.action == app::CommandLine::Action::Error ? stderr : stdout;
        std::fputs(commandLine.text.toLocal8Bit().constData(), out);
        return commandLine.exitCode();
    }
    QString why;
    if (!app::displayAvailable(app::headlessCommand(programDir()), &why)) {
        std::fprintf(stderr, "%s\n", why.toUtf8().constData());
        return 1;
    }
    app::chooseWindowScale(argc, argv);
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Lumibo"));
    // Lets a Wayland dock match the window with the installed desktop entry and its icon.
    application.setDesktopFileName(QStringLiteral("org.lumibo.lumibo"));
    // Looking the icon up in the icon theme took 3 ms before the first window; the window takes
    // it as soon as the event loop runs, after it is on screen.
    QTimer::singleShot(0, &application, [&application] { setWindowIcon(application); });
    installTranslations(application);
    app::ProgramOptions options;
    options.programDir = QCoreApplication::applicationDirPath();
    options.showMessage = [](const QString &title, const QString &text) {
        ui::showMessage(nullptr, QMessageBox::Information, title, text);
    };
    return app::runLumibo(application, options);
}
