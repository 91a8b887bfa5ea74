#pragma once

#include <QByteArray>
#include <QObject>
#include <deque>
#include <memory>

class QAudioSink;
class QTimer;

namespace services {

// Plays 16-bit PCM buffers one after another through the default audio device.
// With no device it stands in with a timer of each buffer's length, so "playing" ends on time
// and callers see the same sequence of events. It never throws and warns once on stderr.
class PcmOutput : public QObject {
    Q_OBJECT
  public:
    explicit PcmOutput(QObject *parent = nullptr);
    ~PcmOutput() override;

    // Replace whatever sounds now, and drop the queue, with this buffer.
    void playNow(QByteArray pcm, int sampleRate, int channels);
    // Queue behind what is sounding.
    void enqueue(QByteArray pcm, int sampleRate, int channels);
    // Silence now and drop the queue. finishedAll is not emitted: the caller asked for the end.
    void stop();
    bool isPlaying() const { return playing_; }
    bool hasDevice() const;
    int queued() const { return static_cast<int>(queue_.size()); }
    // Length in milliseconds of the buffer sounding now, 0 when silent.
    int currentMs() const { return currentMs_; }

  signals:
    void finishedAll();

  private:
    struct Chunk {
        QByteArray pcm;
        int sampleRate;
        int channels;
    };
    void startNext();
    void finishCurrent();
    bool startSink(const Chunk &chunk);
    void releaseSink();

    std::deque<Chunk> queue_;
    QAudioSink *sink_ = nullptr; // owns the QBuffer it reads from
    QTimer *endTimer_ = nullptr; // ends each buffer on time, with or without a device
    bool playing_ = false;
    int currentMs_ = 0;
};

} // namespace services
