// The stroke file: the shipped one draws every character the lessons teach, with the stroke
// counts a dictionary gives and upright; lumibo-strokes turns the package's files into it (the
// y flip, the path pieces, the first column of 单字 only); a missing, cut or damaged file gives
// "no strokes" and never a crash; the content check names the characters it cannot draw.

#include "services/StrokeData.h"
#include "services/ContentCheck.h"
#include "services/ContentFiles.h"
#include "services/ContentSchema.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace services;
using Kind = OutlineSegment::Kind;

namespace {

QString shippedStrokes() {
    return QStringLiteral(LUMIBO_SOURCE_DIR "/data/strokes/strokes.dat");
}

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

OutlineSegment segment(Kind kind, std::initializer_list<QPointF> points) {
    OutlineSegment s{.kind = kind};
    std::copy(points.begin(), points.end(), s.points.begin());
    return s;
}

// Two small characters: every kind of outline piece, a radical, negative coordinates.
std::vector<StrokeCharacter> smallSet() {
    Stroke across{.outline = {segment(Kind::Move, {{100, 480}}), segment(Kind::Line, {{900, 480}}),
                              segment(Kind::Quad, {{920, 500}, {900, 520}}),
                              segment(Kind::Cubic, {{600, 530}, {300, 530}, {100, 520}}),
                              segment(Kind::Close, {})},
                  .median = {{110, 500}, {500, 505}, {890, 500}}};
    Stroke down{.outline = {segment(Kind::Move, {{490, -20}}), segment(Kind::Line, {{530, 1000}}),
                            segment(Kind::Line, {{470, 1000}}), segment(Kind::Close, {})},
                .median = {{500, -10}, {500, 990}}};
    return {StrokeCharacter{.character = U'十', .strokes = {across, down}, .radicalStrokes = {1}},
            StrokeCharacter{.character = U'一', .strokes = {across}, .radicalStrokes = {}}};
}

const QString kNotice = QStringLiteral("Made up for the test; 笔顺 from nowhere.");

QByteArray smallFile() {
    QString error;
    const QByteArray bytes = StrokeData::encode(smallSet(), kNotice, &error);
    if (bytes.isEmpty()) qWarning("%s", qPrintable(error));
    return bytes;
}

quint32 fnv1a(const QByteArray &bytes) {
    quint32 h = 2166136261u;
    for (char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h;
}

void putU32(QByteArray &bytes, qsizetype at, quint32 v) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A file of one character whose record is given byte by byte, with its checksums right, so
// that only the reader's own checks of the record's structure can refuse it.
QByteArray fileWithRecord(const QByteArray &record) {
    QByteArray bytes("LUMISTRK", 8);
    bytes += QByteArray("\x01\x00\x00\x00\x01\x00\x00\x00", 8) + QByteArray(4, '\0'); // version 1, 1 entry
    QByteArray entry(16, '\0');
    putU32(entry, 0, U'一');
    putU32(entry, 4, 20 + 16);
    putU32(entry, 8, static_cast<quint32>(record.size()));
    putU32(entry, 12, fnv1a(record));
    putU32(bytes, 16, fnv1a(entry));
    return bytes + entry + record;
}

// The file with its first two index entries swapped and the index checksum made right again:
// still whole, but a lookup by halving the index could no longer find its characters.
QByteArray withIndexOutOfOrder(QByteArray bytes) {
    const qsizetype notice = static_cast<unsigned char>(bytes[10]) | static_cast<unsigned char>(bytes[11])
                                                                         << 8;
    const qsizetype index = 20 + notice;
    const QByteArray first = bytes.mid(index, 16);
    bytes.replace(index, 16, bytes.mid(index + 16, 16));
    bytes.replace(index + 16, 16, first);
    putU32(bytes, 16, fnv1a(bytes.mid(20, notice + 2 * 16)));
    return bytes;
}

struct Run {
    int exitCode = -1;
    QString err;
};

Run runConverter(const QStringList &args) {
    QProcess p;
    p.start(QStringLiteral(LUMIBO_BUILD_DIR "/lumibo-strokes"), args);
    Run r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) {
        r.err = QStringLiteral("lumibo-strokes did not finish: %1").arg(p.errorString());
        return r;
    }
    r.exitCode = p.exitCode();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

class StrokeDataTest : public QObject {
    Q_OBJECT

  private slots:
    // Stroke counts as a dictionary gives them, and the radical's strokes where known.
    void shippedFileHasKnownStrokeCounts_data() {
        QTest::addColumn<QString>("character");
        QTest::addColumn<int>("strokes");
        QTest::addColumn<std::vector<int>>("radical");
        QTest::newRow("一") << "一" << 1 << std::vector<int>{};
        QTest::newRow("十") << "十" << 2 << std::vector<int>{};
        QTest::newRow("我: 戈 is its 2nd, 5th, 6th and 7th strokes")
            << "我" << 7 << std::vector<int>{1, 4, 5, 6};
        QTest::newRow("国: 囗 is its 1st, 2nd and 8th strokes") << "国" << 8 << std::vector<int>{0, 1, 7};
    }

    void shippedFileHasKnownStrokeCounts() {
        QFETCH(QString, character);
        QFETCH(int, strokes);
        QFETCH(std::vector<int>, radical);
        const StrokeData data = StrokeData::open(shippedStrokes());
        QVERIFY2(data.isValid(), qPrintable(data.problem()));
        // The licence asks each modified file to say how it was changed.
        QVERIFY2(data.notice().contains(QStringLiteral("hanzi-writer-data 2.0.1")) &&
                     data.notice().contains(QStringLiteral("Arphic Public License")) &&
                     data.notice().contains(QStringLiteral("y' = 900 - y")),
                 qPrintable(data.notice()));
        const auto c = data.character(character.toUcs4().first());
        QVERIFY(c);
        QCOMPARE(int(c->strokes.size()), strokes);
        QCOMPARE(c->radicalStrokes, radical);
        for (const Stroke &s : c->strokes) {
            QVERIFY(s.median.size() >= 2);
            QCOMPARE(s.outline.front().kind, Kind::Move);
            QCOMPARE(s.outline.back().kind, Kind::Close);
        }
    }

    // Upright in a box with y downwards: 十's upright stroke is written from the top down, its
    // cross stroke lies about the middle, and 一 lies about the middle too.
    void shippedFileIsUpright() {
        const StrokeData data = StrokeData::open(shippedStrokes());
        const auto ten = data.character(U'十');
        QVERIFY(ten);
        const auto &down = ten->strokes[1].median;
        QVERIFY2(down.front().y() < 150 && down.back().y() > 850,
                 qPrintable(QStringLiteral("十's upright runs from y %1 to %2")
                                .arg(down.front().y())
                                .arg(down.back().y())));
        const auto &across = ten->strokes[0].median;
        QVERIFY(across.front().x() < 200 && across.back().x() > 800);
        QVERIFY(std::abs(across.front().y() - 512) < 150);
        const auto one = data.character(U'一');
        QVERIFY(one);
        for (QPointF p : one->strokes[0].median)
            QVERIFY(p.y() > 400 && p.y() < 600);
        // Every median lies in the box.
        for (char32_t c : data.characters()) {
            const auto character = data.character(c);
            QVERIFY(character);
            for (const Stroke &s : character->strokes)
                for (QPointF p : s.median)
                    QVERIFY(p.x() >= 0 && p.x() <= kStrokeBox && p.y() >= 0 && p.y() <= kStrokeBox);
        }
    }

    // Every character of 单字 has its strokes, read the way lumibo-content check reads the
    // content (and every word's characters of 词组 too).
    void shippedFileDrawsEveryLessonCharacter() {
        Problems problems;
        const auto tables = readContentDir(QStringLiteral(LUMIBO_SOURCE_DIR "/content"), problems);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        const StrokeData data = StrokeData::open(shippedStrokes());
        checkStrokes(tables, data, problems);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        const auto &characters = tables[kSingleCharacters - 1].rows;
        QCOMPARE(characters.size(), std::size_t(1800));
        for (const QStringList &row : characters)
            QVERIFY2(data.character(row.value(0).toUcs4().first()), qPrintable(row.value(0)));
        QFileInfo file(shippedStrokes());
        QVERIFY2(file.size() < 3 * 1024 * 1024, qPrintable(QString::number(file.size())));
    }

    // The converter flips y (y' = 900 - y), keeps each path piece with its points, reads only
    // the first column of 单字 and every character of 词组, and leaves out (and names) a
    // character the package lacks.
    void converterTurnsPackageFilesIntoTheStrokeFile() {
        QTemporaryDir dir;
        const QDir package(dir.filePath(QStringLiteral("package")));
        const QDir content(dir.filePath(QStringLiteral("content")));
        QVERIFY(QDir().mkpath(package.path()) && QDir().mkpath(content.path()));
        QVERIFY(
            writeFile(content.filePath(QStringLiteral("单字.tsv")), "character\treading\n十\tshí\n一\tyī\n"));
        QVERIFY(writeFile(content.filePath(QStringLiteral("词组.tsv")), "word\n十一\n一口\n"));
        QVERIFY(writeFile(package.filePath(QStringLiteral("package.json")),
                          R"({"name": "hanzi-writer-data", "version": "9.8.7"})"));
        QVERIFY(
            writeFile(package.filePath(QStringLiteral("一.json")),
                      R"({"strokes": ["M 100 400 L 900 420 Q 920 380 880 360 C 600 350 300 350 110 380 Z"],
                              "medians": [[[121, 393], [920, 401]]]})"));
        QVERIFY(writeFile(package.filePath(QStringLiteral("十.json")),
                          R"({"strokes": ["M 10 20 L 30 40 50 60 Z", "M 0 -100 L 5 1000 Z"],
                              "medians": [[[10, 20], [50, 60]], [[2, 900], [3, -50]]],
                              "radStrokes": [1]})"));
        const QString out = dir.filePath(QStringLiteral("strokes.dat"));
        const Run run = runConverter({package.path(), content.path(), out});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.contains(QStringLiteral("口 has no stroke data")), qPrintable(run.err));

        const StrokeData data = StrokeData::open(out);
        QVERIFY2(data.isValid(), qPrintable(data.problem()));
        QVERIFY2(data.notice().contains(QStringLiteral("hanzi-writer-data 9.8.7")),
                 qPrintable(data.notice()));
        QCOMPARE(data.characters(), (std::vector<char32_t>{U'一', U'十'}));
        const auto one = data.character(U'一');
        QVERIFY(one);
        QCOMPARE(one->strokes.size(), std::size_t(1));
        const std::vector<OutlineSegment> outline{
            segment(Kind::Move, {{100, 500}}), segment(Kind::Line, {{900, 480}}),
            segment(Kind::Quad, {{920, 520}, {880, 540}}),
            segment(Kind::Cubic, {{600, 550}, {300, 550}, {110, 520}}), segment(Kind::Close, {})};
        QCOMPARE(one->strokes[0].outline, outline);
        QCOMPARE(one->strokes[0].median, (std::vector<QPointF>{{121, 507}, {920, 499}}));
        QVERIFY(one->radicalStrokes.empty());

        const auto ten = data.character(U'十');
        QVERIFY(ten);
        QCOMPARE(ten->strokes.size(), std::size_t(2));
        // Numbers after a line's own point are further lines, as SVG reads them.
        QCOMPARE(
            ten->strokes[0].outline,
            (std::vector<OutlineSegment>{segment(Kind::Move, {{10, 880}}), segment(Kind::Line, {{30, 860}}),
                                         segment(Kind::Line, {{50, 840}}), segment(Kind::Close, {})}));
        QCOMPARE(ten->strokes[1].median, (std::vector<QPointF>{{2, 0}, {3, 950}}));
        QCOMPARE(ten->radicalStrokes, std::vector<int>{1});
    }

    // A package file that is not what the package holds fails the run, names the file and
    // leaves the old stroke file as it was.
    void converterRefusesABrokenPackageFile_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("says");
        QTest::newRow("not JSON") << QByteArray("{\"strokes\": [") << "not a JSON object";
        QTest::newRow("a median short")
            << QByteArray(R"({"strokes": ["M 1 2 L 3 4 Z"], "medians": []})") << "1 strokes and 0 medians";
        QTest::newRow("a relative path command")
            << QByteArray(R"({"strokes": ["M 1 2 l 3 4 Z"], "medians": [[[1, 2], [3, 4]]]})") << "\"l\"";
        QTest::newRow("coordinates missing")
            << QByteArray(R"({"strokes": ["M 1 2 Q 3 4 Z"], "medians": [[[1, 2], [3, 4]]]})")
            << "lacks its coordinates";
        QTest::newRow("a median of one point")
            << QByteArray(R"({"strokes": ["M 1 2 L 3 4 Z"], "medians": [[[1, 2]]]})")
            << "fewer than two points";
        QTest::newRow("a radical stroke it does not have")
            << QByteArray(
                   R"({"strokes": ["M 1 2 L 3 4 Z"], "medians": [[[1, 2], [3, 4]]], "radStrokes": [1]})")
            << "radical stroke 1 is not one of its 1 strokes";
    }

    void converterRefusesABrokenPackageFile() {
        QFETCH(QByteArray, json);
        QFETCH(QString, says);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(QStringLiteral("单字.tsv")), "character\n一\n"));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("词组.tsv")), "word\n"));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("package.json")), R"({"name": "p", "version": "1"})"));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("一.json")), json));
        const QString out = dir.filePath(QStringLiteral("strokes.dat"));
        QVERIFY(writeFile(out, "old"));
        const Run run = runConverter({dir.path(), dir.path(), out});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("一.json: ")) && run.err.contains(says),
                 qPrintable(run.err));
        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("old"));
    }

    void encodeThenReadGivesTheSameStrokes() {
        const StrokeData data = StrokeData::fromBytes(smallFile());
        QVERIFY2(data.isValid(), qPrintable(data.problem()));
        QCOMPARE(data.count(), 2);
        QCOMPARE(data.notice(), kNotice);
        QCOMPARE(data.characters(), (std::vector<char32_t>{U'一', U'十'})); // code point order
        const auto sets = smallSet();
        QCOMPARE(*data.character(U'十'), sets[0]);
        QCOMPARE(*data.character(U'一'), sets[1]);
        QVERIFY(data.character(U'十')->isRadicalStroke(1));
        QVERIFY(!data.character(U'十')->isRadicalStroke(0));
        QVERIFY(!data.character(U'二'));
        QVERIFY(!data.character(0));
    }

    void encodeRefusesWhatTheFileCannotHold_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("says");
        QTest::newRow("a coordinate with a fraction") << 0 << "not a whole number";
        QTest::newRow("a coordinate beyond 16 bits") << 1 << "not a whole number";
        QTest::newRow("a character twice") << 2 << "given twice";
        QTest::newRow("radical strokes out of order") << 3 << "must ascend";
        QTest::newRow("a median of one point") << 4 << "2 to 255 points";
        QTest::newRow("no strokes") << 5 << "0 strokes";
    }

    void encodeRefusesWhatTheFileCannotHold() {
        QFETCH(int, fault);
        QFETCH(QString, says);
        auto set = smallSet();
        switch (fault) {
        case 0:
            set[0].strokes[0].median[1] = QPointF(500.5, 505);
            break;
        case 1:
            set[0].strokes[1].outline[1].points[0] = QPointF(40000, 0);
            break;
        case 2:
            set.push_back(set[1]);
            break;
        case 3:
            set[0].radicalStrokes = {1, 0};
            break;
        case 4:
            set[1].strokes[0].median.resize(1);
            break;
        case 5:
            set[1].strokes.clear();
            break;
        }
        QString error;
        QVERIFY(StrokeData::encode(set, QString(), &error).isEmpty());
        QVERIFY2(error.contains(says), qPrintable(error));
    }

    // No file, or not a stroke file at all: no strokes, and the reason.
    void unusableFilesGiveNoStrokes_data() {
        QTest::addColumn<QByteArray>("bytes"); // null: no file
        QTest::addColumn<QString>("says");
        const QByteArray good = smallFile();
        QByteArray newer = good;
        newer[8] = 2;
        QByteArray badIndex = good;
        badIndex[20] = static_cast<char>(badIndex[20] ^ 1);
        QTest::newRow("missing") << QByteArray() << "missing or unreadable";
        QTest::newRow("empty") << QByteArray("") << "not a stroke file";
        QTest::newRow("something else")
            << QByteArray("<html>not strokes at all</html>") << "not a stroke file";
        QTest::newRow("a newer version") << newer << "version 2";
        QTest::newRow("header only") << good.left(20) << "cut short";
        QTest::newRow("index damaged") << badIndex << "index is damaged";
        QTest::newRow("index out of order") << withIndexOutOfOrder(good) << "out of order at entry 2";
        QTest::newRow("cut in the records") << good.chopped(1) << "cut short";
    }

    void unusableFilesGiveNoStrokes() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, says);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("strokes.dat"));
        if (!bytes.isNull()) QVERIFY(writeFile(path, bytes));
        const StrokeData data = StrokeData::open(path);
        QVERIFY(!data.isValid());
        QVERIFY2(data.problem().contains(says), qPrintable(data.problem()));
        QVERIFY2(data.problem().contains(path), qPrintable(data.problem()));
        QVERIFY(!data.character(U'一'));
        QCOMPARE(data.count(), 0);
        QVERIFY(!StrokeData().isValid());
    }

    // Whatever is cut off or damaged, the reader gives a character as written or none.
    void everyCutAndEveryDamagedByteGivesTheStrokesOrNone() {
        const QByteArray good = smallFile();
        const auto sets = smallSet();
        auto check = [&](const QByteArray &bytes, const QString &what) {
            const StrokeData data = StrokeData::fromBytes(bytes);
            for (const StrokeCharacter &c : sets)
                if (const auto read = data.character(c.character)) QVERIFY2(*read == c, qPrintable(what));
        };
        for (qsizetype n = 0; n < good.size(); ++n) {
            check(good.left(n), QStringLiteral("cut at %1").arg(n));
            if (QTest::currentTestFailed()) return;
        }
        int noticed = 0;
        for (qsizetype i = 0; i < good.size(); ++i) {
            for (char flip : {char(0x01), char(0x80), char(0xFF)}) {
                QByteArray bad = good;
                bad[i] = static_cast<char>(bad[i] ^ flip);
                check(bad, QStringLiteral("byte %1 ^ %2").arg(i).arg(int(uchar(flip))));
                if (QTest::currentTestFailed()) return;
                const StrokeData data = StrokeData::fromBytes(bad);
                if (!data.isValid() || !data.character(U'一') || !data.character(U'十')) ++noticed;
            }
        }
        // Every damaged byte is noticed: the checksums cover the notice, the index and the records.
        QCOMPARE(noticed, int(good.size()) * 3);
    }

    // Records whose checksums are right but whose structure is not what the writer makes.
    void malformedRecordsGiveNoStrokes_data() {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<bool>("readable");
        // One stroke, no radical; a move and a line; two median points.
        const QByteArray strokeHead("\x02\x00\x02", 3);
        const QByteArray kinds("\x00\x01", 2);
        const QByteArray points(8, '\x01');
        const QByteArray median(8, '\x02');
        const QByteArray good = QByteArray("\x01\x00", 2) + strokeHead + kinds + points + median;
        QTest::newRow("well formed") << good << true;
        QTest::newRow("no strokes") << QByteArray("\x00\x00", 2) << false;
        QTest::newRow("a radical stroke past the strokes")
            << QByteArray("\x01\x01\x01", 3) + good.mid(2) << false;
        QTest::newRow("radical strokes twice the same")
            << QByteArray("\x02\x02\x00\x00", 4) + good.mid(2) + good.mid(2) << false;
        QTest::newRow("a median of one point")
            << QByteArray("\x01\x00", 2) + QByteArray("\x02\x00\x01", 3) + kinds + points + median.left(4)
            << false;
        QTest::newRow("an outline of one piece")
            << QByteArray("\x01\x00", 2) + QByteArray("\x01\x00\x02", 3) + kinds.left(1) + points.left(4) +
                   median
            << false;
        QTest::newRow("an outline not starting with a move")
            << QByteArray("\x01\x00", 2) + strokeHead + QByteArray("\x01\x01", 2) + points + median << false;
        QTest::newRow("a piece of unknown kind")
            << QByteArray("\x01\x00", 2) + strokeHead + QByteArray("\x00\x07", 2) + points + median << false;
        QTest::newRow("a huge count of pieces")
            << QByteArray("\x01\x00", 2) + QByteArray("\xFF\xFF\x02", 3) + kinds + points + median << false;
        QTest::newRow("cut inside the median") << good.chopped(1) << false;
        QTest::newRow("a byte too many") << good + QByteArray(1, '\0') << false;
    }

    void malformedRecordsGiveNoStrokes() {
        QFETCH(QByteArray, record);
        QFETCH(bool, readable);
        const StrokeData data = StrokeData::fromBytes(fileWithRecord(record));
        QVERIFY2(data.isValid(), qPrintable(data.problem()));
        const auto c = data.character(U'一');
        QCOMPARE(bool(c), readable);
        if (c) {
            QCOMPARE(c->strokes[0].outline[1].kind, Kind::Line);
            QCOMPARE(c->strokes[0].median.back(), QPointF(0x0202, 0x0202));
        }
    }

    // lumibo-content check with a stroke file names each character the lessons teach that it
    // cannot draw, once, at its first line; an unusable file is one problem.
    void contentCheckNamesCharactersWithoutStrokes() {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(QStringLiteral("单字.tsv")), "character\n一\n十\n口\n十\n"));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("词组.tsv")), "word\n十一\n一口\n口才\n"));
        Problems problems;
        const auto tables = readContentDir(dir.path(), problems); // the other tables are missing
        problems.clear();
        checkStrokes(tables, StrokeData::fromBytes(smallFile()), problems);
        const QString characters = QDir(dir.path()).filePath(QStringLiteral("单字.tsv"));
        const QString words = QDir(dir.path()).filePath(QStringLiteral("词组.tsv"));
        QCOMPARE(problems,
                 (Problems{characters + QStringLiteral(":4: \"口\" has no strokes in the stroke file"),
                           words + QStringLiteral(":4: \"才\" has no strokes in the stroke file")}));

        problems.clear();
        checkStrokes(tables, StrokeData::open(dir.filePath(QStringLiteral("none.dat"))), problems);
        QCOMPARE(problems.size(), 1);
        QVERIFY2(problems[0].contains(QStringLiteral("none.dat: the stroke file is missing")),
                 qPrintable(problems[0]));
    }
};

QTEST_GUILESS_MAIN(StrokeDataTest)
#include "StrokeDataTest.moc"
