// The entry points of lumibo-sound.so (services/SoundModule.h).
#include "services/PcmOutput.h"
#include "services/SoundModule.h"

extern "C" {

__attribute__((visibility("default"))) services::WavePlayer *lumibo_sound_make_player() {
    return new services::SndfileWavePlayer(std::make_shared<services::PcmOutput>());
}

__attribute__((visibility("default"))) services::SpeechVoice *lumibo_sound_make_voice() {
    return new services::EspeakSpeechVoice(std::make_shared<services::PcmOutput>());
}

} // extern "C"
