#include "services/WavePlayer.h"

#include "services/PcmOutput.h"

#include <QFile>
#include <algorithm>
#include <sndfile.h>

namespace services {

SndfileWavePlayer::SndfileWavePlayer(std::shared_ptr<PcmOutput> output) : output_(std::move(output)) {}

SndfileWavePlayer::~SndfileWavePlayer() = default;

void SndfileWavePlayer::open(const QString &path) {
    // The main window opens the player on every load; the file is read once.
    if (path == path_ && !pcm_.isEmpty()) return;
    path_ = path;
    pcm_.clear();
    rate_ = 0;
    channels_ = 0;

    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    QString problem;
    if (!file) {
        problem = QString::fromUtf8(sf_strerror(nullptr));
    } else if (info.frames <= 0 || info.channels <= 0 || info.samplerate <= 0) {
        problem = QStringLiteral("no sound in it");
    } else {
        // The clips are short; holding the whole file makes every later play() instant.
        QByteArray pcm(static_cast<qsizetype>(info.frames * info.channels * sizeof(short)),
                       Qt::Uninitialized);
        const sf_count_t read = sf_readf_short(file, reinterpret_cast<short *>(pcm.data()), info.frames);
        if (read <= 0) {
            problem = QString::fromUtf8(sf_strerror(file));
        } else {
            pcm.truncate(static_cast<qsizetype>(read * info.channels * sizeof(short)));
            pcm_ = std::move(pcm);
            rate_ = info.samplerate;
            channels_ = info.channels;
        }
    }
    if (file) sf_close(file);

    if (!problem.isEmpty() && !warned_) {
        warned_ = true;
        qWarning("Lumibo: cannot read sound file %s: %s; sounds are silent.", qUtf8Printable(path),
                 qUtf8Printable(problem));
    }
}

void SndfileWavePlayer::play(int fromMs, int toMs) {
    if (pcm_.isEmpty() || !output_) return;
    const qint64 frameBytes = qint64(channels_) * sizeof(short);
    const qint64 frames = pcm_.size() / frameBytes;
    const auto frameAt = [&](int ms) { return std::clamp(qint64(ms) * rate_ / 1000, qint64(0), frames); };
    const qint64 first = frameAt(fromMs);
    const qint64 last = frameAt(toMs);
    if (last <= first) return;
    output_->playNow(pcm_.mid(first * frameBytes, (last - first) * frameBytes), rate_, channels_);
}

void SndfileWavePlayer::stop() {
    // Without a file this player never started anything, so it leaves the shared output alone.
    if (!pcm_.isEmpty() && output_) output_->stop();
}

bool SndfileWavePlayer::isPlaying() const {
    return !pcm_.isEmpty() && output_ && output_->isPlaying();
}

} // namespace services
