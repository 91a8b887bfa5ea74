#include "services/SpeechVoice.h"

#include "services/PcmOutput.h"

#include <QByteArray>
#include <algorithm>
#include <espeak-ng/speak_lib.h>

namespace services {

namespace {

int collectSamples(short *samples, int count, espeak_EVENT *events) {
    if (samples && count > 0 && events && events->user_data)
        static_cast<QByteArray *>(events->user_data)
            ->append(reinterpret_cast<const char *>(samples), qsizetype(count) * qsizetype(sizeof(short)));
    return 0; // go on synthesising
}

// espeak-ng is one engine per process, so it is started once for every voice object.
// Returns its sample rate, or 0 when the engine or its data is missing.
int engineSampleRate() {
    static const int sampleRate = [] {
        // Synchronous: espeak_Synth returns with all samples delivered, far faster than real time.
        // DONT_EXIT: without it a missing data folder ends the whole program.
        const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
        if (rate <= 0 || espeak_SetVoiceByName("en") != EE_OK) {
            qWarning("Lumibo: the espeak-ng speech engine or its English voice is missing; words are "
                     "not spoken.");
            return 0;
        }
        espeak_SetSynthCallback(collectSamples);
        return rate;
    }();
    return sampleRate;
}

} // namespace

EspeakSpeechVoice::EspeakSpeechVoice(std::shared_ptr<PcmOutput> output) : output_(std::move(output)) {}

EspeakSpeechVoice::~EspeakSpeechVoice() = default;

bool EspeakSpeechVoice::ensureEngine() {
    if (!triedInit_) {
        triedInit_ = true;
        sampleRate_ = engineSampleRate();
        available_ = sampleRate_ > 0;
    }
    return available_;
}

void EspeakSpeechVoice::registerVoice(const QString &, const QString &) {
    // The engine loads its voice data on the first word, not while the main window starts.
}

void EspeakSpeechVoice::speak(const QString &text) {
    if (!output_) return;
    QByteArray pcm = synthesise(text);
    if (!pcm.isEmpty()) output_->enqueue(std::move(pcm), sampleRate_, 1);
}

void EspeakSpeechVoice::stop() {
    // espeak_Cancel cannot cut a synchronous utterance; the samples are ours, so silence them here.
    if (output_) output_->stop();
}

void EspeakSpeechVoice::setRate(int wordsPerMinute) {
    rate_ = std::clamp(wordsPerMinute, int(espeakRATE_MINIMUM), int(espeakRATE_MAXIMUM));
}

QByteArray EspeakSpeechVoice::synthesise(const QString &text, QString *error) {
    QByteArray pcm;
    if (text.trimmed().isEmpty()) return pcm;
    if (!ensureEngine()) {
        if (error) *error = QStringLiteral("the espeak-ng engine or its English voice is missing");
        return pcm;
    }
    // The engine is shared, so each voice object sets its own rate right before it speaks.
    espeak_SetParameter(espeakRATE, rate_, 0);
    const QByteArray utf8 = text.toUtf8();
    const espeak_ERROR result = espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                                             espeakCHARS_UTF8, nullptr, &pcm);
    if (result != EE_OK && error)
        *error = QStringLiteral("espeak_Synth failed with code %1").arg(int(result));
    return pcm;
}

} // namespace services
