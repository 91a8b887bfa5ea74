#include "services/SoundModule.h"

#include <QLibrary>

namespace services {

const char *const SoundModule::kFileName = "lumibo-sound.so";

namespace {

// Stands in for the real player until its first sound: remembers the file and loads the module
// then. A play before that is what loads it.
class DeferredWavePlayer : public WavePlayer {
  public:
    explicit DeferredWavePlayer(std::shared_ptr<SoundModule> module) : module_(std::move(module)) {}

    void open(const QString &path) override {
        path_ = path;
        if (real_) real_->open(path);
    }
    using WavePlayer::play;
    void play(int fromMs, int toMs) override {
        if (WavePlayer *p = real()) p->play(fromMs, toMs);
    }
    void stop() override {
        if (real_) real_->stop();
    }
    bool isPlaying() const override { return real_ && real_->isPlaying(); }

  private:
    WavePlayer *real() {
        if (!real_ && module_->load()) {
            real_ = module_->makeRealPlayer();
            if (real_ && !path_.isEmpty()) real_->open(path_);
        }
        return real_.get();
    }
    std::shared_ptr<SoundModule> module_;
    std::unique_ptr<WavePlayer> real_;
    QString path_;
};

// Stands in for the real voice until its first word; keeps the rate and registration for it.
class DeferredSpeechVoice : public SpeechVoice {
  public:
    explicit DeferredSpeechVoice(std::shared_ptr<SoundModule> module) : module_(std::move(module)) {}

    void registerVoice(const QString &site, const QString &appName) override {
        site_ = site;
        appName_ = appName;
        registered_ = true;
        if (real_) real_->registerVoice(site, appName);
    }
    void speak(const QString &text) override {
        if (SpeechVoice *v = real()) v->speak(text);
    }
    void stop() override {
        if (real_) real_->stop();
    }
    void setRate(int wordsPerMinute) override {
        if (real_) {
            real_->setRate(wordsPerMinute);
            rate_ = real_->rate();
        } else {
            rate_ = wordsPerMinute;
        }
    }
    int rate() const override { return rate_; }

  private:
    SpeechVoice *real() {
        if (!real_ && module_->load()) {
            real_ = module_->makeRealVoice();
            if (real_) {
                if (registered_) real_->registerVoice(site_, appName_);
                real_->setRate(rate_);
                rate_ = real_->rate();
            }
        }
        return real_.get();
    }
    std::shared_ptr<SoundModule> module_;
    std::unique_ptr<SpeechVoice> real_;
    QString site_, appName_;
    bool registered_ = false;
    int rate_ = 175; // the engine's own default, as the real voice starts with
};

} // namespace

SoundModule::SoundModule(QString path) : path_(std::move(path)) {}

// The module stays loaded to the end of the process: objects made by it may outlive this.
SoundModule::~SoundModule() = default;

std::unique_ptr<WavePlayer> SoundModule::player(const std::shared_ptr<SoundModule> &module) {
    return std::make_unique<DeferredWavePlayer>(module);
}

std::unique_ptr<SpeechVoice> SoundModule::voice(const std::shared_ptr<SoundModule> &module) {
    return std::make_unique<DeferredSpeechVoice>(module);
}

bool SoundModule::load() {
    if (tried_) return isLoaded();
    tried_ = true;
    QLibrary library(path_);
    QString problem;
    if (!library.load()) {
        problem = library.errorString();
    } else {
        makePlayer_ = reinterpret_cast<WavePlayer *(*)()>(library.resolve("lumibo_sound_make_player"));
        makeVoice_ = reinterpret_cast<SpeechVoice *(*)()>(library.resolve("lumibo_sound_make_voice"));
        if (!makePlayer_ || !makeVoice_) {
            makePlayer_ = nullptr;
            makeVoice_ = nullptr;
            problem = QStringLiteral("it is not Lumibo's sound module");
        }
    }
    if (!problem.isEmpty())
        qWarning("Lumibo: cannot load the sound module %s: %s; sounds and speech are silent.",
                 qUtf8Printable(path_), qUtf8Printable(problem));
    return isLoaded();
}

std::unique_ptr<WavePlayer> SoundModule::makeRealPlayer() {
    return std::unique_ptr<WavePlayer>(makePlayer_ ? makePlayer_() : nullptr);
}

std::unique_ptr<SpeechVoice> SoundModule::makeRealVoice() {
    return std::unique_ptr<SpeechVoice>(makeVoice_ ? makeVoice_() : nullptr);
}

} // namespace services
