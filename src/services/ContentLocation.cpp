#include "services/ContentLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace services {

bool isReadOnlyFile(const QString &path) {
    const QFileInfo info(path);
    const auto writeBits = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !info.isWritable() || !(info.permissions() & writeBits);
}

bool isInstalled(const QString &programDir) {
    return QFileInfo(QDir(programDir).filePath(QLatin1String(kInstalledMarker))).isFile();
}

ShippedContent inspectShipped(const QString &programDir) {
    const QString file = QDir(programDir).filePath(QStringLiteral("study.dat"));
    // A missing file of a build tree stays missing: no copy is read in its place.
    return {.installed = isInstalled(programDir),
            .readOnly = QFileInfo::exists(file) && isReadOnlyFile(file)};
}

QString userDataFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("Lumibo"));
}

ContentFiles contentFilesFor(const QString &programDir, const QString &dataFolder) {
    ContentFiles files{.shipped = QDir(programDir).filePath(QStringLiteral("study.dat")), .ownCopy = {}};
    if (needsOwnCopy(inspectShipped(programDir)))
        files.ownCopy = QDir(dataFolder).filePath(QStringLiteral("study.dat"));
    return files;
}

} // namespace services
