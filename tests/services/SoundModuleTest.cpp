// The program's players and voice, which load the sound module lumibo-sound.so on their first
// sound: without it they are quiet no-ops after one warning; with it they play as the real ones.
// Runs with no sound device, where the output stands in with timers.

#include "app/AppContext.h"
#include "core/SoundSheet.h"
#include "services/SoundModule.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace services;

namespace {

const QString kBuildDir = QStringLiteral(LUMIBO_BUILD_DIR);
const QRegularExpression kCannotLoad(QStringLiteral("cannot load the sound module .*; sounds and speech are silent"));

} // namespace

class SoundModuleTest : public QObject {
    Q_OBJECT

  private slots:
    // A missing module, or a file that is not one: the first sound warns once, and every player
    // and voice of that module stays silent without failing its caller.
    void withoutTheModule_data() {
        QTest::addColumn<QByteArray>("contents"); // empty: no file at all
        QTest::addRow("missing") << QByteArray();
        QTest::addRow("not a library") << QByteArray("this is text, not a module\n");
    }
    void withoutTheModule() {
        QFETCH(QByteArray, contents);
        QTemporaryDir dir;
        const QString path = dir.filePath(QString::fromLatin1(SoundModule::kFileName));
        if (!contents.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(contents);
        }
        auto module = std::make_shared<SoundModule>(path);
        auto jieguo = SoundModule::player(module);
        auto voice = SoundModule::voice(module);
        jieguo->open(kBuildDir + QStringLiteral("/jieguo.wav"));
        voice->setRate(150);
        QVERIFY(!module->isLoaded());
        QTest::ignoreMessage(QtWarningMsg, kCannotLoad);
        jieguo->play(core::jieguo::kRight);
        QTest::failOnWarning(kCannotLoad);
        QVERIFY(!jieguo->isPlaying());
        jieguo->stop();
        voice->speak(QStringLiteral("apple"));
        voice->stop();
        QCOMPARE(voice->rate(), 150);
        auto letters = SoundModule::player(module);
        letters->open(kBuildDir + QStringLiteral("/sound.wav"));
        letters->play(0, 400);
        QVERIFY(!letters->isPlaying());
        QVERIFY(!module->isLoaded());
    }

    // The program's own context on a folder without the module starts and stays quiet.
    void programWithoutTheModule() {
        QTemporaryDir dir;
        auto ctx = app::AppContext::forProgram(dir.path());
        ctx->jieguo().open(dir.filePath(QStringLiteral("jieguo.wav")));
        ctx->voice().registerVoice(QStringLiteral("lumibo"), QStringLiteral("Lumibo"));
        QTest::ignoreMessage(QtWarningMsg, kCannotLoad);
        ctx->voice().speak(QStringLiteral("cat"));
        QTest::failOnWarning(kCannotLoad);
        ctx->jieguo().play(core::jieguo::kWrong);
        ctx->makePlayer()->play(0, 100);
        QVERIFY(!ctx->jieguo().isPlaying());
    }

    // The built module: opening a file loads nothing yet; the first clip loads it and sounds, and
    // a voice keeps the rate it was given before.
    void withTheModule() {
        auto module = std::make_shared<SoundModule>(kBuildDir + QLatin1Char('/') + QString::fromLatin1(SoundModule::kFileName));
        QTest::failOnWarning(kCannotLoad);
        auto jieguo = SoundModule::player(module);
        jieguo->open(kBuildDir + QStringLiteral("/jieguo.wav"));
        QVERIFY(!jieguo->isPlaying());
        jieguo->stop();
        QVERIFY(!module->isLoaded());
        jieguo->play(core::jieguo::kRight);
        QVERIFY(module->isLoaded());
        QVERIFY(jieguo->isPlaying());
        jieguo->stop();
        QVERIFY(!jieguo->isPlaying());

        auto voice = SoundModule::voice(module);
        voice->setRate(130);
        voice->speak(QStringLiteral("apple"));
        QCOMPARE(voice->rate(), 130);
        voice->setRate(1000);
        QCOMPARE(voice->rate(), 450); // the engine's fastest, as the real voice says
        voice->stop();
    }
};

QTEST_GUILESS_MAIN(SoundModuleTest)
#include "SoundModuleTest.moc"
