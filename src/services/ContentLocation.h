#pragma once

#include <QString>

namespace services {

// Which study.dat the program reads and changes. The study.dat beside the program is the one
// shipped with it. A parent may change content in the maintenance screen; whether those changes
// go into the shipped file or into a copy of the user's own is decided here.
//
// The rule: the shipped file is changed where it lies only in a build tree (a program folder
// without the install marker) and only when the user may write it. An installed Lumibo never
// changes its own files, whoever runs it (root too); nor is a file the user may not write ever
// forced. Then the first change copies the shipped file into the user's data folder and changes
// the copy, and from then on the copy is read.

// The file the install step puts beside an installed program; a build tree has none.
inline constexpr char kInstalledMarker[] = "installed";

// What the rule looks at, read from the file system by inspect().
struct ShippedContent {
    bool installed = false; // the program folder holds the install marker
    bool readOnly = false;  // the shipped study.dat is there and the user may not write it
};

// Whether changes go into the user's own copy rather than into the shipped file.
inline bool needsOwnCopy(const ShippedContent &shipped) {
    return shipped.installed || shipped.readOnly;
}

// The facts about programDir and its study.dat.
ShippedContent inspectShipped(const QString &programDir);
// Whether programDir is an installed program's folder.
bool isInstalled(const QString &programDir);

// The user's folder for what Lumibo keeps: $XDG_DATA_HOME/Lumibo, by default ~/.local/share/Lumibo.
QString userDataFolder();

// Where the content is read and changed: the shipped file, and the user's copy when the rule
// asks for one (empty when changes go into the shipped file).
struct ContentFiles {
    QString shipped;
    QString ownCopy;
};
ContentFiles contentFilesFor(const QString &programDir, const QString &dataFolder);

// A file that cannot be written: its write bits are all clear, or the user may not write it. A
// file whose write bits are clear counts as read-only even for root, whom the system would let write.
bool isReadOnlyFile(const QString &path);

} // namespace services
