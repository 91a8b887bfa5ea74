#include "app/AppContext.h"

#include "app/Navigator.h"
#include "app/RestScreen.h"
#include "app/ScreenRegistry.h"
#include "services/ContentLocation.h"
#include "services/SoundModule.h"

#include <QDir>
#include <QStandardPaths>
#include <cstdio>

namespace app {

AppContext::AppContext(QString programDir, Services services, const QString &dataFolder)
    : programDir_(std::move(programDir)), services_(std::move(services)),
      store_(services::contentFilesFor(programDir_, dataFolder)) {
    if (!services_.recorder) services_.recorder = std::make_unique<services::RecordingRecorder>();
    navigator_ = std::make_unique<Navigator>(*this);
    restGuard_ = std::make_unique<RestGuard>(*this);
}

AppContext::~AppContext() = default;

QString AppContext::programFile(const QString &name) const {
    return QDir(programDir_).filePath(name);
}

const services::StrokeData &AppContext::strokes() {
    if (!strokes_) {
        strokes_ = services::StrokeData::open(programFile(services::StrokeData::fileName()));
        if (!strokes_->isValid())
            std::fprintf(stderr, "Lumibo: no stroke order is shown: %s\n", qUtf8Printable(strokes_->problem()));
    }
    return *strokes_;
}

const ScreenRegistry &AppContext::registry() const {
    return registry_ ? *registry_ : ScreenRegistry::instance();
}

std::unique_ptr<AppContext> AppContext::forProgram(const QString &programDir) {
    // Sound and speech come from the sound module beside the program, loaded on the first clip
    // or word. Each player has an output of its own, so a clip does not cut a word short.
    auto module = std::make_shared<services::SoundModule>(QDir(programDir).filePath(services::SoundModule::kFileName));
    Services s;
    s.jieguo = services::SoundModule::player(module);
    s.voice = services::SoundModule::voice(module);
    s.makePlayer = [module] { return services::SoundModule::player(module); };
    s.recorder = std::make_unique<services::LearningRecord>(services::userDataFolder());
    return std::make_unique<AppContext>(programDir, std::move(s), services::userDataFolder());
}

std::unique_ptr<AppContext> AppContext::forTests(const QString &programDir, std::uint64_t seed,
                                                 const QString &dataFolder) {
    Services s;
    s.jieguo = std::make_unique<services::RecordingWavePlayer>();
    s.voice = std::make_unique<services::RecordingSpeechVoice>();
    s.makePlayer = [] { return std::make_unique<services::RecordingWavePlayer>(); };
    s.recorder = std::make_unique<services::RecordingRecorder>();
    // Qt's test mode moves the user's folders aside: a test never touches the user's own files.
    QStandardPaths::setTestModeEnabled(true);
    auto ctx = std::make_unique<AppContext>(programDir, std::move(s),
                                            dataFolder.isEmpty() ? services::userDataFolder() : dataFolder);
    ctx->random.pin(seed);
    return ctx;
}

} // namespace app
