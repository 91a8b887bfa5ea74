#pragma once

#include "services/SpeechVoice.h"
#include "services/WavePlayer.h"

#include <QString>
#include <memory>

namespace services {

// The real sound and speech (libsndfile, Qt Multimedia, espeak-ng) live in a module of their own,
// lumibo-sound.so beside the program, loaded when the first clip or word is asked for: the program
// starts without mapping those libraries, and a child who never hears a sound never loads them.
//
// Without the module, or with one that does not load, every player and voice is a quiet no-op,
// after one line on standard error.
class SoundModule {
  public:
    // The module's file name in the program folder.
    static const char *const kFileName;

    explicit SoundModule(QString path);
    ~SoundModule();
    SoundModule(const SoundModule &) = delete;
    SoundModule &operator=(const SoundModule &) = delete;

    // A player or voice that loads the module on its first sound. Each has an audio output of
    // its own, so a clip never cuts a word short.
    static std::unique_ptr<WavePlayer> player(const std::shared_ptr<SoundModule> &module);
    static std::unique_ptr<SpeechVoice> voice(const std::shared_ptr<SoundModule> &module);

    // Loads the module if it is not yet loaded; false (after the one warning) when it cannot be.
    bool load();
    bool isLoaded() const { return makePlayer_ != nullptr; }
    // The real objects; null when the module is not loaded.
    std::unique_ptr<WavePlayer> makeRealPlayer();
    std::unique_ptr<SpeechVoice> makeRealVoice();

  private:
    QString path_;
    bool tried_ = false;
    WavePlayer *(*makePlayer_)() = nullptr;
    SpeechVoice *(*makeVoice_)() = nullptr;
};

} // namespace services

// What the module exports: each call makes a new object with an audio output of its own.
extern "C" {
services::WavePlayer *lumibo_sound_make_player();
services::SpeechVoice *lumibo_sound_make_voice();
}
