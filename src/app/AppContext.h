#pragma once

#include "core/Globals.h"
#include "core/Random.h"
#include "services/ContentStore.h"
#include "services/LearningRecord.h"
#include "services/PinyinLookup.h"
#include "services/Recorder.h"
#include "services/SpeechVoice.h"
#include "services/StrokeData.h"
#include "services/WavePlayer.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace app {

class Navigator;
class RestGuard;
class ScreenRegistry;

// Everything the screens share, owned in one place and passed by reference. Besides it, the
// program keeps only process-wide caches and flags that belong to Qt's application object, not
// to any screen: the CJK font families found once (ui/Fonts), the keyboard's focus cues and the
// accessibility wrappers installed on the application (ui/Keyboard, ui/AccessibleScale), and the
// "no sound device" warning said once (services/PcmOutput).
class AppContext {
  public:
    struct Services {
        std::unique_ptr<services::WavePlayer> jieguo;
        std::unique_ptr<services::SpeechVoice> voice;
        // Makes a screen's own player (the pinyin screens play sound.wav).
        std::function<std::unique_ptr<services::WavePlayer>()> makePlayer;
        // The learning record the screens hand their rounds to.
        std::unique_ptr<services::Recorder> recorder;
    };

    // dataFolder is the user's folder for Lumibo's own files, where the content copy goes when
    // the program's study.dat is not the user's to change (services/ContentLocation.h).
    AppContext(QString programDir, Services services, const QString &dataFolder);
    ~AppContext();
    AppContext(const AppContext &) = delete;
    AppContext &operator=(const AppContext &) = delete;

    // Real sound and speech for the running program; the user's data folder.
    static std::unique_ptr<AppContext> forProgram(const QString &programDir);
    // Recorders in place of sound and speech, a pinned generator: for tests and the gallery.
    // It turns on Qt's test mode, so the data folder, unless given, is the user's as moved aside
    // by that mode (~/.qttest/share/Lumibo), never the real one.
    static std::unique_ptr<AppContext> forTests(const QString &programDir, std::uint64_t seed = 1,
                                                const QString &dataFolder = {});

    core::Globals globals;
    core::Random random;

    const QString &programDir() const { return programDir_; }
    QString programFile(const QString &name) const;

    services::WavePlayer &jieguo() { return *services_.jieguo; }
    services::SpeechVoice &voice() { return *services_.voice; }
    std::unique_ptr<services::WavePlayer> makePlayer() { return services_.makePlayer(); }
    services::Recorder &recorder() { return *services_.recorder; }
    // The record on file behind the recorder, for the parent's page and the daily limit; null
    // when the recorder is a test's fake.
    services::LearningRecord *learningRecord() {
        return dynamic_cast<services::LearningRecord *>(services_.recorder.get());
    }
    // Tests and the gallery put a record of their own in place of the one they were given.
    void useRecorder(std::unique_ptr<services::Recorder> r) { services_.recorder = std::move(r); }

    // study.dat in the program directory, or the user's copy of it; opened on the first access.
    services::ContentStore &store() { return store_; }

    const services::PinyinLookup &pinyin() const { return pinyin_; }

    // strokes.dat beside the program, read on the first access; when it is missing or damaged no
    // character has strokes (and stderr says why, once).
    const services::StrokeData &strokes();

    Navigator &navigator() { return *navigator_; }
    // Sends the child to rest when the parent's daily limit is reached.
    RestGuard &restGuard() { return *restGuard_; }
    const ScreenRegistry &registry() const;
    // Tests may put screens of their own in place of the program's.
    void useRegistry(const ScreenRegistry *r) { registry_ = r; }

  private:
    QString programDir_;
    Services services_;
    services::ContentStore store_;
    services::PinyinLookup pinyin_;
    std::optional<services::StrokeData> strokes_;
    std::unique_ptr<Navigator> navigator_;
    std::unique_ptr<RestGuard> restGuard_;
    const ScreenRegistry *registry_ = nullptr;
};

} // namespace app
