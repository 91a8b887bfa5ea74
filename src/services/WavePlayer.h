#pragma once

#include "core/SoundSheet.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

namespace services {

// Plays stretches [from, to) in milliseconds of one wave file, in the background.
// A new play replaces a clip still sounding. Never fails into a caller: with a missing file
// or no sound device every call is a quiet no-op after one warning line on stderr.
class WavePlayer {
  public:
    virtual ~WavePlayer() = default;
    virtual void open(const QString &path) = 0;
    virtual void play(int fromMs, int toMs) = 0;
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;
    void play(core::Clip clip) { play(clip.from, clip.to); }
};

// Records what was asked of a player: "open jieguo.wav", "play 0..1227", "stop".
class RecordingWavePlayer : public WavePlayer {
  public:
    void open(const QString &path) override;
    using WavePlayer::play;
    void play(int fromMs, int toMs) override { log << QStringLiteral("play %1..%2").arg(fromMs).arg(toMs); }
    void stop() override { log << QStringLiteral("stop"); }
    bool isPlaying() const override { return false; }
    QStringList plays() const; // only the "play" lines
    QStringList log;
};

class PcmOutput;

// The real player: decodes the WAV with libsndfile and feeds the slice to an audio sink.
class SndfileWavePlayer : public WavePlayer {
  public:
    explicit SndfileWavePlayer(std::shared_ptr<PcmOutput> output);
    ~SndfileWavePlayer() override;
    void open(const QString &path) override;
    using WavePlayer::play;
    void play(int fromMs, int toMs) override;
    void stop() override;
    bool isPlaying() const override;

  private:
    std::shared_ptr<PcmOutput> output_;
    QString path_;
    QByteArray pcm_; // 16-bit mono or interleaved samples of the whole file
    int rate_ = 0;
    int channels_ = 0;
    bool warned_ = false;
};

} // namespace services
