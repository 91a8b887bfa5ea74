#include "services/PcmOutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QTimer>

namespace services {

namespace {

// PulseAudio keeps about this much queued after Qt has handed over the last byte; a buffer ends
// only when that has been heard too, so the next one does not cut its tail.
constexpr int kDeviceTailMs = 150;
// A short device buffer keeps the delay between a tap and its sound small.
constexpr int kDeviceBufferMs = 100;

void warnNoDevice() {
    // Once per process: every output shares the same missing sound card.
    static bool warned = false;
    if (warned) return;
    warned = true;
    qWarning("Lumibo: no sound device found; sounds are silent.");
}

int durationMs(const QByteArray &pcm, int sampleRate, int channels) {
    const qint64 frames = pcm.size() / (2 * channels);
    return static_cast<int>((frames * 1000 + sampleRate - 1) / sampleRate);
}

} // namespace

PcmOutput::PcmOutput(QObject *parent) : QObject(parent), endTimer_(new QTimer(this)) {
    endTimer_->setSingleShot(true);
    connect(endTimer_, &QTimer::timeout, this, &PcmOutput::finishCurrent);
}

PcmOutput::~PcmOutput() {
    endTimer_->stop();
    // Deleted here, while this object is whole: the Pulse sink processes events as it dies.
    delete sink_;
    sink_ = nullptr;
}

void PcmOutput::playNow(QByteArray pcm, int sampleRate, int channels) {
    stop();
    enqueue(std::move(pcm), sampleRate, channels);
}

void PcmOutput::enqueue(QByteArray pcm, int sampleRate, int channels) {
    if (pcm.isEmpty() || sampleRate <= 0 || channels <= 0) return;
    queue_.push_back({std::move(pcm), sampleRate, channels});
    if (!playing_) startNext();
}

void PcmOutput::stop() {
    queue_.clear();
    endTimer_->stop();
    releaseSink();
    playing_ = false;
    currentMs_ = 0;
}

bool PcmOutput::hasDevice() const {
    return !QMediaDevices::defaultAudioOutput().isNull();
}

void PcmOutput::startNext() {
    const Chunk chunk = std::move(queue_.front());
    queue_.pop_front();
    playing_ = true;
    currentMs_ = durationMs(chunk.pcm, chunk.sampleRate, chunk.channels);
    // The timer, not the sink's state, ends a buffer: Qt reports Idle when it has handed the data
    // to PulseAudio, well before it is heard, and with no device there is no sink at all.
    const bool sounding = startSink(chunk);
    if (!sounding) warnNoDevice();
    endTimer_->start(currentMs_ + (sounding ? kDeviceTailMs : 0));
}

void PcmOutput::finishCurrent() {
    releaseSink();
    if (!queue_.empty()) {
        startNext();
        return;
    }
    playing_ = false;
    currentMs_ = 0;
    emit finishedAll();
}

bool PcmOutput::startSink(const Chunk &chunk) {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return false;
    QAudioFormat format;
    format.setSampleRate(chunk.sampleRate);
    format.setChannelCount(chunk.channels);
    format.setSampleFormat(QAudioFormat::Int16);

    auto *sink = new QAudioSink(device, format, this);
    sink->setBufferSize(format.bytesForDuration(kDeviceBufferMs * 1000));
    auto *buffer = new QBuffer(sink);
    buffer->setData(chunk.pcm);
    buffer->open(QIODevice::ReadOnly);
    sink->start(buffer);
    if (sink->error() != QAudio::NoError || sink->state() == QAudio::StoppedState) {
        sink->deleteLater();
        return false;
    }
    sink_ = sink;
    return true;
}

void PcmOutput::releaseSink() {
    if (!sink_) return;
    sink_->stop();
    // Later, not now: stop() may be called from deep inside a caller's slot, and the Pulse sink
    // processes events while it is destroyed.
    sink_->deleteLater();
    sink_ = nullptr;
}

} // namespace services
