// The generated sound sheets jieguo.wav and sound.wav, and the players and voice that sound it. Runs with no
// sound device (offscreen, no PulseAudio): then the output stands in with timers, which is what is checked.

#include "core/SoundSheet.h"
#include "pinyin/PinyinLetterTable.h"
#include "services/PcmOutput.h"
#include "services/SpeechVoice.h"
#include "services/WavePlayer.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <sndfile.h>
#include <vector>

using namespace services;

namespace {

constexpr int kRate = 22050;
constexpr int kSheetMs = core::jieguo::kEndMs;
// A stretch that plays something is louder than this (RMS, 16-bit; about -30 dBFS) ...
constexpr double kAudibleRms = 1000;
// ... and around a cut point no sample is louder than this (about -50 dBFS).
constexpr int kSilentPeak = 100;
constexpr int kCutMarginMs = 5;

// The stretches the screens play from jieguo.wav.
constexpr auto &kStretches = core::jieguo::kAll;

QString sheetPath() {
    return QStringLiteral(LUMIBO_BUILD_DIR "/jieguo.wav");
}
QString lettersPath() {
    return QStringLiteral(LUMIBO_BUILD_DIR "/sound.wav");
}
// At each edge of a letter's slice this much is near silence, so slices never run together.
constexpr int kLetterEdgeMs = 20;

struct Wave {
    std::vector<short> samples;
    int rate = 0;
    int channels = 0;
};
bool readWave(const QString &path, Wave &w) {
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file) return false;
    w.samples.resize(size_t(info.frames * info.channels));
    const sf_count_t read = sf_readf_short(file, w.samples.data(), info.frames);
    sf_close(file);
    w.rate = info.samplerate;
    w.channels = info.channels;
    return read == info.frames;
}

long frameAt(int ms) {
    return long(ms) * kRate / 1000;
}

double rms(const std::vector<short> &s, int fromMs, int toMs) {
    const long a = std::clamp(frameAt(fromMs), 0L, long(s.size()));
    const long b = std::clamp(frameAt(toMs), 0L, long(s.size()));
    if (b <= a) return 0;
    double sum = 0;
    for (long i = a; i < b; ++i)
        sum += double(s[i]) * s[i];
    return std::sqrt(sum / double(b - a));
}

int peak(const std::vector<short> &s, int fromMs, int toMs) {
    const long a = std::clamp(frameAt(fromMs), 0L, long(s.size()));
    const long b = std::clamp(frameAt(toMs), 0L, long(s.size()));
    int p = 0;
    for (long i = a; i < b; ++i)
        p = std::max(p, std::abs(int(s[i])));
    return p;
}

// A mono 16-bit buffer of the given length; the content does not matter to the queue.
QByteArray pcmOfMs(int ms) {
    return QByteArray(int(frameAt(ms)) * 2, '\x10');
}

// Rounded up, as PcmOutput reports a buffer's length.
int msOf(const QByteArray &pcm) {
    return int((qint64(pcm.size()) / 2 * 1000 + kRate - 1) / kRate);
}

} // namespace

class SoundTest : public QObject {
    Q_OBJECT

    std::vector<short> sheet_;
    int sheetRate_ = 0;
    int sheetChannels_ = 0;
    Wave letters_;

  private slots:
    void initTestCase() {
        Wave sheet;
        QVERIFY2(readWave(sheetPath(), sheet), qPrintable("cannot read " + sheetPath()));
        sheet_ = std::move(sheet.samples);
        sheetRate_ = sheet.rate;
        sheetChannels_ = sheet.channels;
        QVERIFY2(readWave(lettersPath(), letters_), qPrintable("cannot read " + lettersPath()));
    }

    void sheetFormat() {
        QCOMPARE(sheetRate_, kRate);
        QCOMPARE(sheetChannels_, 1);
        QVERIFY2(long(sheet_.size()) >= frameAt(kSheetMs), qPrintable(QString::number(sheet_.size())));
        // Below full scale everywhere: nothing clipped.
        QVERIFY(peak(sheet_, 0, int(sheet_.size() * 1000 / kRate) + 1) < 32000);
    }

    void stretchSounds_data() {
        QTest::addColumn<int>("fromMs");
        QTest::addColumn<int>("toMs");
        for (const auto &s : kStretches) {
            QTest::addRow("%s", s.name) << s.clip.from << s.clip.to;
            QTest::addRow("%s, core", s.name) << s.clip.from + 20 << s.clip.to - 20;
        }
        // The praise itself, not only the chime before it.
        QTest::addRow("praise after the chime")
            << core::jieguo::kRight.to << core::jieguo::kRightWithPraise.to;
    }
    void stretchSounds() {
        QFETCH(int, fromMs);
        QFETCH(int, toMs);
        const double level = rms(sheet_, fromMs, toMs);
        QVERIFY2(level > kAudibleRms, qPrintable(QStringLiteral("RMS %1").arg(level)));
    }

    // Each stretch starts and ends in silence, and where two stretches overlap the overlap is
    // silent: played alone, each stretch is whole and carries no piece of a neighbour.
    void cutPointsSilent_data() {
        QTest::addColumn<int>("fromMs");
        QTest::addColumn<int>("toMs");
        for (const auto &s : kStretches) {
            QTest::addRow("%s start", s.name) << s.clip.from - kCutMarginMs << s.clip.from + kCutMarginMs;
            QTest::addRow("%s end", s.name) << s.clip.to - kCutMarginMs << s.clip.to + kCutMarginMs;
        }
        for (const auto &[an, a] : kStretches)
            for (const auto &[bn, b] : kStretches) {
                const bool nested = (a.from <= b.from && b.to <= a.to) || (b.from <= a.from && a.to <= b.to);
                if (&a < &b && !nested && a.from < b.to && b.from < a.to)
                    QTest::addRow("%s / %s overlap", an, bn)
                        << std::max(a.from, b.from) - kCutMarginMs << std::min(a.to, b.to) + kCutMarginMs;
            }
    }
    void cutPointsSilent() {
        QFETCH(int, fromMs);
        QFETCH(int, toMs);
        const int level = peak(sheet_, fromMs, toMs);
        QVERIFY2(level <= kSilentPeak, qPrintable(QStringLiteral("peak %1").arg(level)));
    }

    void letterSheetFormat() {
        QCOMPARE(letters_.rate, kRate);
        QCOMPARE(letters_.channels, 1);
        QVERIFY(long(letters_.samples.size()) >= frameAt(core::letters::kEndMs));
        QVERIFY(peak(letters_.samples, 0, core::letters::kEndMs + 1) < 32000);
    }

    // Every letter is heard in its own slice, and the slice starts and ends in near silence.
    void letterSlices_data() {
        QTest::addColumn<int>("k");
        for (int k = 1; k <= core::letters::kCount; ++k)
            QTest::addRow("%d %s", k, pinyin::kLetters[k - 1].letter) << k;
    }
    void letterSlices() {
        QFETCH(int, k);
        const core::Clip slice = core::letters::clip(k);
        const double level = rms(letters_.samples, slice.from, slice.to);
        QVERIFY2(level > kAudibleRms, qPrintable(QStringLiteral("RMS %1").arg(level)));
        const int head = peak(letters_.samples, slice.from, slice.from + kLetterEdgeMs);
        const int tail = peak(letters_.samples, slice.to - kLetterEdgeMs, slice.to);
        QVERIFY2(head <= kSilentPeak, qPrintable(QStringLiteral("start peak %1").arg(head)));
        QVERIFY2(tail <= kSilentPeak, qPrintable(QStringLiteral("end peak %1").arg(tail)));
    }

    // The build regenerates the sheets; the same program must give the same bytes.
    void sheetGenerationRepeats() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QProcess tool;
        tool.start(QStringLiteral(LUMIBO_BUILD_DIR "/lumibo-sounds"), {dir.path()});
        QVERIFY(tool.waitForFinished(120000));
        QCOMPARE(tool.exitCode(), 0);
        for (const QString &path : {sheetPath(), lettersPath()}) {
            QFile again(dir.filePath(QFileInfo(path).fileName()));
            QFile built(path);
            QVERIFY(again.open(QIODevice::ReadOnly));
            QVERIFY(built.open(QIODevice::ReadOnly));
            QVERIFY2(again.readAll() == built.readAll(), qPrintable(path));
        }
    }

    void outputQueue() {
        PcmOutput out;
        out.enqueue(QByteArray(), kRate, 1);
        QVERIFY(!out.isPlaying());

        out.enqueue(pcmOfMs(300), kRate, 1);
        out.enqueue(pcmOfMs(400), kRate, 1);
        out.enqueue(pcmOfMs(500), kRate, 1);
        QVERIFY(out.isPlaying());
        QCOMPARE(out.queued(), 2);
        QCOMPARE(out.currentMs(), 300); // first in, first sounding

        out.stop();
        QVERIFY(!out.isPlaying());
        QCOMPARE(out.queued(), 0);
        QCOMPARE(out.currentMs(), 0);

        out.enqueue(pcmOfMs(300), kRate, 1);
        out.enqueue(pcmOfMs(400), kRate, 1);
        out.playNow(pcmOfMs(250), kRate, 1);
        QVERIFY(out.isPlaying());
        QCOMPARE(out.queued(), 0);
        QCOMPARE(out.currentMs(), 250);
    }

    // finishedAll comes once, when the last queued buffer has ended, not after each one.
    void outputFinishesOnTime() {
        PcmOutput out;
        QList<std::pair<bool, int>> atFinish; // isPlaying, queued
        connect(&out, &PcmOutput::finishedAll, this, [&] {
            atFinish.append({out.isPlaying(), out.queued()});
        });
        QSignalSpy spy(&out, &PcmOutput::finishedAll);
        for (int i = 0; i < 3; ++i)
            out.enqueue(pcmOfMs(20), kRate, 1);
        QVERIFY(spy.wait(3000));
        QCOMPARE(atFinish, (QList<std::pair<bool, int>>{{false, 0}}));
    }

    void recordingPlayerLog() {
        RecordingWavePlayer player;
        player.open(QStringLiteral("/somewhere/else/jieguo.wav"));
        player.play(core::jieguo::kRight);
        player.stop();
        player.play(core::jieguo::kWrong);
        const QString right =
            QStringLiteral("play %1..%2").arg(core::jieguo::kRight.from).arg(core::jieguo::kRight.to);
        const QString wrong =
            QStringLiteral("play %1..%2").arg(core::jieguo::kWrong.from).arg(core::jieguo::kWrong.to);
        QCOMPARE(player.log, (QStringList{"open jieguo.wav", right, "stop", wrong}));
        QCOMPARE(player.plays(), (QStringList{right, wrong}));
    }

    // A missing or unreadable file warns once, then the player does nothing at all, not even
    // stop a sound someone else put on the shared output.
    void playerWithoutUsableFile_data() {
        QTest::addColumn<bool>("exists");
        QTest::addRow("missing") << false;
        QTest::addRow("not a wave file") << true;
    }
    void playerWithoutUsableFile() {
        QFETCH(bool, exists);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("jieguo.wav"));
        if (exists) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("this is text, not sound\n");
        }
        auto out = std::make_shared<PcmOutput>();
        SndfileWavePlayer player(out);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot read sound file"));
        player.open(path);
        QTest::failOnWarning(QRegularExpression("cannot read sound file"));
        player.open(path);
        player.play(core::jieguo::kRight);
        QVERIFY(!player.isPlaying());
        QVERIFY(!out->isPlaying());
        player.play(core::jieguo::kWrong);
        QVERIFY(!out->isPlaying());

        out->enqueue(pcmOfMs(300), kRate, 1);
        player.stop();
        QVERIFY(out->isPlaying());
        QVERIFY(!player.isPlaying());
    }

    // Slices are cut in milliseconds, clamped to the file, and replace what sounds.
    void playerSlices_data() {
        QTest::addColumn<int>("fromMs");
        QTest::addColumn<int>("toMs");
        QTest::addColumn<int>("expectMs"); // 0: nothing plays
        using namespace core::jieguo;
        QTest::addRow("right") << kRight.from << kRight.to << kRight.length();
        QTest::addRow("wrong") << kWrong.from << kWrong.to << kWrong.length();
        QTest::addRow("past the end")
            << kEndMs - 67 << kEndMs + 8000 << int(sheet_.size() * 1000 / kRate) - (kEndMs - 67);
        QTest::addRow("before the start") << -50 << 100 << 100;
        QTest::addRow("empty") << 500 << 500 << 0;
        QTest::addRow("backwards") << 900 << 100 << 0;
    }
    void playerSlices() {
        QFETCH(int, fromMs);
        QFETCH(int, toMs);
        QFETCH(int, expectMs);
        auto out = std::make_shared<PcmOutput>();
        SndfileWavePlayer player(out);
        player.open(sheetPath());
        player.play(core::jieguo::kMatch); // something already sounding
        QVERIFY(player.isPlaying());
        player.play(fromMs, toMs);
        QCOMPARE(out->queued(), 0);
        if (expectMs > 0) {
            QVERIFY(player.isPlaying());
            QVERIFY2(std::abs(out->currentMs() - expectMs) <= 1,
                     qPrintable(QString::number(out->currentMs())));
        } else {
            QCOMPARE(out->currentMs(),
                     core::jieguo::kMatch.length()); // an empty slice leaves the sound before it alone
        }
        player.play(fromMs, toMs); // again
        player.stop();
        QVERIFY(!player.isPlaying());
        QVERIFY(!out->isPlaying());
    }

    void playerEndsOnTime() {
        auto out = std::make_shared<PcmOutput>();
        SndfileWavePlayer player(out);
        player.open(sheetPath());
        QSignalSpy spy(out.get(), &PcmOutput::finishedAll);
        player.play(0, 40);
        QVERIFY(player.isPlaying());
        QVERIFY(spy.wait(3000));
        QVERIFY(!player.isPlaying());
    }

    void voiceSynthesises() {
        EspeakSpeechVoice voice(nullptr);
        const QByteArray apple = voice.synthesise(QStringLiteral("apple"));
        QVERIFY2(msOf(apple) > 150 && msOf(apple) < 1500, qPrintable(QString::number(msOf(apple))));
        std::vector<short> samples(size_t(apple.size() / 2));
        std::memcpy(samples.data(), apple.constData(), samples.size() * 2);
        QVERIFY(peak(samples, 0, msOf(apple)) > 3000);
        QVERIFY(voice.synthesise(QStringLiteral("  ")).isEmpty());
    }

    // The rate holds for every later utterance, and each voice keeps its own though the engine
    // is shared.
    void voiceRate() {
        EspeakSpeechVoice slow(nullptr);
        EspeakSpeechVoice quick(nullptr);
        slow.setRate(130);
        quick.setRate(190);
        const QString word = QStringLiteral("elephant");
        const int slowMs = msOf(slow.synthesise(word));
        const int quickMs = msOf(quick.synthesise(word));
        QVERIFY2(slowMs > quickMs * 6 / 5, qPrintable(QStringLiteral("%1 vs %2").arg(slowMs).arg(quickMs)));
        // Still slow after the other voice spoke (espeak varies a few ms between utterances).
        const int againMs = msOf(slow.synthesise(word));
        QVERIFY2(std::abs(againMs - slowMs) < slowMs / 20, qPrintable(QString::number(againMs)));
        QCOMPARE(slow.rate(), 130);
        QCOMPARE(quick.rate(), 190);
        slow.setRate(1000);
        QCOMPARE(slow.rate(), 450); // espeak-ng's fastest
    }

    void voiceQueuesAndStops() {
        auto out = std::make_shared<PcmOutput>();
        EspeakSpeechVoice voice(out);
        voice.registerVoice(QStringLiteral("lumibo"), QStringLiteral("Lumibo"));
        voice.setRate(150);
        voice.speak(QStringLiteral("elephants and giraffes"));
        voice.speak(QStringLiteral("cat"));
        voice.speak(QStringLiteral("apple"));
        QVERIFY(out->isPlaying());
        QCOMPARE(out->queued(), 2);
        // The first request sounds first: it is several times longer than the others.
        const int firstMs = msOf(voice.synthesise(QStringLiteral("elephants and giraffes")));
        QVERIFY2(std::abs(out->currentMs() - firstMs) < firstMs / 10,
                 qPrintable(QString::number(out->currentMs())));
        voice.stop();
        QVERIFY(!out->isPlaying());
        QCOMPARE(out->queued(), 0);
        QCOMPARE(voice.rate(), 150);
    }
};

QTEST_GUILESS_MAIN(SoundTest)
#include "SoundTest.moc"
