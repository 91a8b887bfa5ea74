#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <memory>

namespace services {

// The English voice. speak() returns at once; requests queue and are spoken one after the
// other; stop() silences the current one and drops the queue; the rate (words per minute)
// holds for every later utterance until set again.
class SpeechVoice {
  public:
    virtual ~SpeechVoice() = default;
    virtual void registerVoice(const QString &site, const QString &appName) = 0;
    virtual void speak(const QString &text) = 0;
    virtual void stop() = 0;
    virtual void setRate(int wordsPerMinute) = 0;
    virtual int rate() const = 0;
};

// Records the calls: "register speech", "speak \"apple\"", "stop", "rate 160".
class RecordingSpeechVoice : public SpeechVoice {
  public:
    void registerVoice(const QString &, const QString &appName) override { log << "register " + appName; }
    void speak(const QString &text) override { log << QStringLiteral("speak \"%1\"").arg(text); }
    void stop() override { log << QStringLiteral("stop"); }
    void setRate(int wpm) override {
        rate_ = wpm;
        log << QStringLiteral("rate %1").arg(wpm);
    }
    int rate() const override { return rate_; }
    QStringList log;

  private:
    int rate_ = 175;
};

class PcmOutput;

// The real voice: libespeak-ng synthesises each request to PCM, which we queue and play.
class EspeakSpeechVoice : public SpeechVoice {
  public:
    explicit EspeakSpeechVoice(std::shared_ptr<PcmOutput> output);
    ~EspeakSpeechVoice() override;
    void registerVoice(const QString &site, const QString &appName) override;
    void speak(const QString &text) override;
    void stop() override;
    void setRate(int wordsPerMinute) override;
    int rate() const override { return rate_; }

    // Synthesised samples (22 050 Hz mono 16-bit) of a text, without playing them; empty when
    // there is no engine. Used by speak() and by tests; error (if given) says why nothing came.
    QByteArray synthesise(const QString &text, QString *error = nullptr);

  private:
    bool ensureEngine();
    std::shared_ptr<PcmOutput> output_;
    int rate_ = 175;
    int sampleRate_ = 0;
    bool triedInit_ = false;
    bool available_ = false;
};

} // namespace services
