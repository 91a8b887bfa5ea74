#pragma once

#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>

class QApplication;

namespace app {

// Detects another running Lumibo of the same user through a lock file that names the holding
// process. A crashed run leaves the file behind, but its process is gone, so the next start
// takes the lock over instead of being refused.
class SingleInstance {
  public:
    explicit SingleInstance(const QString &lockPath = defaultLockPath());
    bool acquired() const { return acquired_; }
    static QString defaultLockPath();

  private:
    std::unique_ptr<QLockFile> lock_;
    bool acquired_ = false;
};

struct ProgramOptions {
    QString programDir;
    QString lockPath = SingleInstance::defaultLockPath();
    // Shows the second-instance message; a real message box in the program.
    std::function<void(const QString &title, const QString &text)> showMessage;
    // Real sound and speech (the program) or recorders (tests).
    bool realServices = true;
};

// Start-up: refuse a second instance, then show the main window and run the event loop.
int runLumibo(QApplication &app, const ProgramOptions &options);

// Says whether a display can be reached; if not, why, in one sentence for the user.
bool displayAvailable(QString *why);

} // namespace app
