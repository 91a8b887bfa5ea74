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
            QString error;
            const QByteArray pcm = voice.synthesise(word, &error);
            samples += pcm.size() / 2;
            QString fault;
            if (!error.isEmpty())
                fault = error;
            else if (pcm.isEmpty())
                fault = QStringLiteral("no samples");
            else if (loudestSample(pcm) < 1000) // espeak's words peak far above this
                fault = QStringLiteral("silence (%1 samples)").arg(pcm.size() / 2);
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
};

QTEST_GUILESS_MAIN(ShippedWordsSpeechTest)
#include "ShippedWordsSpeechTest.moc"
