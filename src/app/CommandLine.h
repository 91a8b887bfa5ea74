#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace app {

// What the command line asks of the program. --help and --version are answered before any
// window or display is touched.
struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    // The text to print: the help or version text, or what was wrong (one line).
    QString text;
    // The process's exit code for Help, Version and Error.
    int exitCode() const { return action == Action::Error ? 2 : 0; }
};

// args are the arguments after the program's name. Qt's own display options (-platform,
// -display, -style …) are left for Qt.
CommandLine parseCommandLine(const QStringList &args);

// The value of one of Qt's options (name as "-platform") in args, in any of the forms Qt takes
// ("-platform x", "--platform x"); the last one given wins, as with Qt. Nothing when absent.
std::optional<QString> qtOptionValue(const QStringList &args, const char *name);

QString versionText();

} // namespace app
