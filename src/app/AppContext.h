#pragma once

#include "core/Globals.h"
#include "core/Random.h"
#include "services/ContentStore.h"
#include "services/PinyinLookup.h"
#include "services/SpeechVoice.h"
#include "services/WavePlayer.h"

#include <QString>
#include <functional>
#include <memory>

namespace app {

class Navigator;
class ScreenRegistry;

// Everything the screens share, owned in one place and passed by reference.
// No other program-wide state exists.
class AppContext {
  public:
    struct Services {
        std::unique_ptr<services::WavePlayer> jieguo;
        std::unique_ptr<services::SpeechVoice> voice;
        // Makes a screen's own player (the pinyin screens play sound.wav).
        std::function<std::unique_ptr<services::WavePlayer>()> makePlayer;
    };

    AppContext(QString programDir, Services services);
    ~AppContext();
    AppContext(const AppContext &) = delete;
    AppContext &operator=(const AppContext &) = delete;

    // Real sound and speech for the running program.
    static std::unique_ptr<AppContext> forProgram(const QString &programDir);
    // Recorders in place of sound and speech, a pinned generator: for tests and the gallery.
    static std::unique_ptr<AppContext> forTests(const QString &programDir, std::uint64_t seed = 1);

    core::Globals globals;
    core::Random random;

    const QString &programDir() const { return programDir_; }
    QString programFile(const QString &name) const;

    services::WavePlayer &jieguo() { return *services_.jieguo; }
    services::SpeechVoice &voice() { return *services_.voice; }
    std::unique_ptr<services::WavePlayer> makePlayer() { return services_.makePlayer(); }

    // study.dat in the program directory, opened on the first access.
    services::ContentStore &store() { return store_; }

    const services::PinyinLookup &pinyin() const { return pinyin_; }

    Navigator &navigator() { return *navigator_; }
    const ScreenRegistry &registry() const;
    // Tests may put screens of their own in place of the program's.
    void useRegistry(const ScreenRegistry *r) { registry_ = r; }

  private:
    QString programDir_;
    Services services_;
    services::ContentStore store_;
    services::PinyinLookup pinyin_;
    std::unique_ptr<Navigator> navigator_;
    const ScreenRegistry *registry_ = nullptr;
};

} // namespace app
