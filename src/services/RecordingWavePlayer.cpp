#include "services/WavePlayer.h"

#include <QFileInfo>

namespace services {

void RecordingWavePlayer::open(const QString &path) {
    log << QStringLiteral("open %1").arg(QFileInfo(path).fileName());
}

QStringList RecordingWavePlayer::plays() const {
    QStringList result;
    for (const QString &line : log)
        if (line.startsWith(QLatin1String("play "))) result << line;
    return result;
}

} // namespace services
