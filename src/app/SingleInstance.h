#pragma once

#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>

class QApplication;

namespace app {

// Detects another running Lumibo of the same user through a lock file that names the holding
// process. A crashed run leaves the file behind, but its process is gone, so the next start
// takes the lock over instead of being refused. Only a live holder means another copy runs:
// a lock that cannot be taken for another reason (a folder that cannot be written) lets this
// copy start anyway, and problem() says why.
class SingleInstance {
  public:
    explicit SingleInstance(const QString &lockPath = defaultLockPath());
    bool acquired() const { return acquired_; }
    bool otherRunning() const { return otherRunning_; }
    // Why the lock could not be used, naming its path; empty when acquired or another copy runs.
    QString problem() const { return problem_; }
    static QString defaultLockPath();

  private:
    std::unique_ptr<QLockFile> lock_;
    bool acquired_ = false;
    bool otherRunning_ = false;
    QString problem_;
};

// What a second start says, in a message box with an OK button.
QString alreadyRunningTitle();
QString alreadyRunningText();

struct ProgramOptions {
    QString programDir;
    QString lockPath = SingleInstance::defaultLockPath();
    // Shows the second-instance message; a real message box in the program.
    std::function<void(const QString &title, const QString &text)> showMessage;
    // Real sound and speech (the program) or recorders (tests).
    bool realServices = true;
};

// Start-up: refuse a second instance, then show the main window and run the event loop.
// When the lock cannot be used at all, it says so in one line on standard error and starts.
int runLumibo(QApplication &app, const ProgramOptions &options);

// Says whether a display can be reached; if not, why, in one sentence for the user that ends
// with the command that runs Lumibo without a screen.
bool displayAvailable(const QString &headlessCommand, QString *why);
// That command for the program in programDir: "xvfb-run lumibo" when installed, and the build
// tree's "xvfb-run make run".
QString headlessCommand(const QString &programDir);

} // namespace app
