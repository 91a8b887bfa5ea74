// Every word of every shipped English book goes through the real espeak-ng voice into memory
// and must come out as sound: no engine error, no empty result, no silence. A word the engine
// cannot read would leave the study, recitation and link game screens mute on that word.

#include "services/ContentFiles.h"
#include "services/ContentSchema.h"
#include "services/SpeechVoice.h"

#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace services;

namespace {

const std::vector<TableData> &shippedTables() {
    static const std::vector<TableData> tables = [] {
        Problems problems;
        auto read = readContentDir(QStringLiteral(LUMIBO_SOURCE_DIR "/content"), problems);
        if (!problems.isEmpty()) qWarning("%s", qPrintable(problems.join('\n')));
        return read;
    }();
    return tables;
}

int loudestSample(const QByteArray &pcm) {
    std::vector<short> samples(std::size_t(pcm.size() / 2));
    std::memcpy(samples.data(), pcm.constData(), samples.size() * sizeof(short));
    int peak = 0;
    for (short s : samples)
        peak = std::max(peak, std::abs(int(s)));
    return peak;
}

// Why a word gave no usable sound, or empty when it was spoken.
QString speechFault(EspeakSpeechVoice &voice, const QString &word, qint64 *samples = nullptr) {
    QString error;
    const QByteArray pcm = voice.synthesise(word, &error);
    if (samples) *samples += pcm.size() / 2;
    if (!error.isEmpty()) return error;
    if (pcm.isEmpty()) return QStringLiteral("no samples");
    if (loudestSample(pcm) < 1000) // espeak's words peak far above this
        return QStringLiteral("silence (%1 samples)").arg(pcm.size() / 2);
    return {};
}

} // namespace

class ShippedWordsSpeechTest : public QObject {
    Q_OBJECT

  private slots:
    void everyWordIsSpoken_data() {
        QTest::addColumn<int>("book");
        for (int book = 1; book <= kEnglishBooks; ++book)
            QTest::newRow(qPrintable(contentTables()[std::size_t(book - 1)].name)) << book;
    }

    void everyWordIsSpoken() {
        QFETCH(int, book);
        QCOMPARE(shippedTables().size(), std::size_t(kTableCount));
        const TableData &table = shippedTables()[std::size_t(book - 1)];
        QVERIFY2(!table.rows.empty(), qPrintable(table.origin + QStringLiteral(": no words")));

        EspeakSpeechVoice voice(nullptr);
        voice.setRate(3 * 15 + 115); // the study screen's speed at load
        QStringList failures;
        QElapsedTimer clock;
        clock.start();
        qint64 samples = 0;
        for (std::size_t r = 0; r < table.rows.size(); ++r) {
            const QString word = table.rows[r].value(1).trimmed();
            const QString fault = speechFault(voice, word, &samples);
            if (!fault.isEmpty())
                failures << QStringLiteral("%1 line %2, \"%3\": %4")
                                .arg(table.name)
                                .arg(table.lines[r])
                                .arg(word, fault);
        }
        qInfo("%s: %zu words, %.1f s of speech synthesised in %lld ms", qPrintable(table.name),
              table.rows.size(), double(samples) / 22050.0, static_cast<long long>(clock.elapsed()));
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
    }

    // The check itself tells a spoken word from one that gives nothing.
    void faultsAreCaught_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("fault"); // the start of the fault; empty: spoken
        QTest::newRow("a word") << QStringLiteral("apple") << QString();
        QTest::newRow("a phrase") << QStringLiteral("ice cream") << QString();
        QTest::newRow("nothing to say") << QString() << QStringLiteral("no samples");
        QTest::newRow("only blanks") << QStringLiteral("   ") << QStringLiteral("no samples");
        QTest::newRow("only a comma") << QStringLiteral(",") << QStringLiteral("silence");
    }

    void faultsAreCaught() {
        QFETCH(QString, word);
        QFETCH(QString, fault);
        EspeakSpeechVoice voice(nullptr);
        const QString found = speechFault(voice, word);
        QVERIFY2(fault.isEmpty() ? found.isEmpty() : found.startsWith(fault), qPrintable(found));
    }
};

QTEST_GUILESS_MAIN(ShippedWordsSpeechTest)
#include "ShippedWordsSpeechTest.moc"
