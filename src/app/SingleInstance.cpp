#include "app/SingleInstance.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "services/ContentLocation.h"
#include "ui/AccessibleScale.h"
#include "ui/Backdrop.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

namespace app {

QString SingleInstance::defaultLockPath() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    return QDir(dir).filePath(QStringLiteral("lumibo.lock"));
}

SingleInstance::SingleInstance(const QString &lockPath) : lock_(std::make_unique<QLockFile>(lockPath)) {
    // Only a live holder counts; never treat a lock as stale because it is old.
    lock_->setStaleLockTime(0);
    acquired_ = lock_->tryLock(0);
    if (acquired_) return;
    switch (lock_->error()) {
    case QLockFile::LockFailedError: {
        // Qt has found the holder alive; a file whose holder cannot be read names no one.
        qint64 pid = 0;
        QString host, appName;
        if (lock_->getLockInfo(&pid, &host, &appName)) {
            otherRunning_ = true;
            return;
        }
        problem_ = QStringLiteral("the lock file %1 exists but names no running program").arg(lockPath);
        return;
    }
    case QLockFile::PermissionError:
        problem_ = QStringLiteral("no permission to create the lock file %1").arg(lockPath);
        return;
    default:
        problem_ = QStringLiteral("cannot create the lock file %1").arg(lockPath);
        return;
    }
}

QString alreadyRunningTitle() {
    return QStringLiteral("Lumibo");
}

QString alreadyRunningText() {
    return QStringLiteral("正在运行");
}

int runLumibo(QApplication &app, const ProgramOptions &options) {
    ui::applyLook(app);
    ui::scaleAccessiblePlaces();
    SingleInstance instance(options.lockPath);
    if (instance.otherRunning()) {
        std::fprintf(stderr, "Lumibo: another Lumibo is already running; this one ends.\n");
        if (options.showMessage) options.showMessage(alreadyRunningTitle(), alreadyRunningText());
        return 0;
    }
    if (!instance.acquired())
        std::fprintf(stderr, "Lumibo: %s; starting without the check for another running copy.\n",
                     qUtf8Printable(instance.problem()));
    app.setQuitOnLastWindowClosed(false);
    auto ctx = options.realServices ? AppContext::forProgram(options.programDir)
                                    : AppContext::forTests(options.programDir);
    ctx->navigator().showMain();
    const int rc = app.exec();
    return rc;
}

QString headlessCommand(const QString &programDir) {
    return services::isInstalled(programDir) ? QStringLiteral("xvfb-run lumibo")
                                             : QStringLiteral("xvfb-run make run");
}

bool displayAvailable(const QString &headlessCommand, QString *why) {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    const QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty()) {
        *why = QStringLiteral("Lumibo needs a graphical display and none is set (DISPLAY is empty). "
                              "Start it from a desktop session, or without a screen as: %1")
                   .arg(headlessCommand);
        return false;
    }
    // ":N" is a local server: its socket must exist, or Qt would abort on connecting.
    if (display.startsWith(QLatin1Char(':'))) {
        const QString number = display.mid(1).section(QLatin1Char('.'), 0, 0);
        if (!QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X") + number)) {
            *why = QStringLiteral("Lumibo cannot reach the display %1 (no X server is running there). "
                                  "Start it from a desktop session, or without a screen as: %2")
                       .arg(display, headlessCommand);
            return false;
        }
    }
    return true;
}

} // namespace app
