// The content files and study.dat: build and export give back the same bytes, check() says
// "file:line: what is wrong" for each kind of fault, study.dat is written in one step, and the
// lumibo-content tool passes the shipped content and refuses broken content. The fixtures are
// small content folders that the test writes itself; the shipped content is used where named.

#include "services/ContentCheck.h"
#include "services/ContentFiles.h"
#include "services/ContentSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace services;

namespace {

// Table name -> the bytes of its .tsv file.
using Files = QMap<QString, QByteArray>;

QString nameOf(int slot) {
    return contentTables()[static_cast<std::size_t>(slot - 1)].name;
}

QString shippedContentDir() {
    return QStringLiteral(LUMIBO_SOURCE_DIR "/content");
}

QString builtStudyDat() {
    return QStringLiteral(LUMIBO_BUILD_DIR "/study.dat");
}
QString contentTool() {
    return QStringLiteral(LUMIBO_BUILD_DIR "/lumibo-content");
}

// A clean content folder. Line numbers (the header is line 1) are what the broken rows refer to.
// The grape's meaning has ten characters, the most the link game shows.
const QByteArray tsvEnglish = "number\tword\tmeaning\texample\n"
                              "1\tapple\t苹果\tI eat an apple.\n"                                      // 2
                              "2\tbanana\t香蕉\tMonkeys like bananas.\n"                               // 3
                              "3\tgrape\t一串串紫色的小圆水果\tTom says, \"The grapes are sweet.\"\n"; // 4
// 山 on line 2 .. 木 on line 5; 只 with its own reading, the others without (the field left out).
const QByteArray tsvCharacters = "character\treading\n山\n水\n只\tzhī\n木\n";
const QByteArray tsvWords = "word\n朋友\n老师\n学校\n"; // 老师 on line 3
const QByteArray tsvIdioms = "idiom\texplanation\tnote\n"
                             "一心一意\t做事只想着一件事，很专心。\tyī xīn yī yì\n"      // 2
                             "小心翼翼\t做事非常小心，一点也不马虎。\txiǎo xīn yì yì\n"; // 3
const QByteArray tsvPoems = "line\n"
                            "春晓\n孟浩然\n春眠不觉晓\n处处闻啼鸟\n夜来风雨声\n花落知多少\n"  // 2 .. 7
                            "静夜思\n李白\n床前明月光\n疑是地上霜\n举头望明月\n低头思故乡\n"; // 8 .. 13
const QByteArray tsvSynonyms = "word\tsynonym\n美丽\t漂亮\n高兴\t快乐\n";                     // 2, 3
const QByteArray tsvAntonyms = "word\tantonym\n大\t小\n冷\t热\n黑\t白\n";                     // 2, 3, 4
const QByteArray tsvRiddles = "riddle\tkind\tanswer\n"
                              "红红脸蛋圆又圆，咬上一口脆又甜。\t一水果\t苹果\n"
                              "身穿绿衣裳，肚里水汪汪，生的子儿多，个个黑脸膛。\t一水果\t西瓜\n";

Files cleanFiles() {
    Files files;
    for (int slot = 1; slot <= kEnglishBooks; ++slot)
        files[nameOf(slot)] = tsvEnglish;
    files[nameOf(kSingleCharacters)] = tsvCharacters;
    files[nameOf(kWordGroups)] = tsvWords;
    files[nameOf(kIdioms)] = tsvIdioms;
    files[nameOf(kPoems)] = tsvPoems;
    files[nameOf(kSynonyms)] = tsvSynonyms;
    files[nameOf(kAntonyms)] = tsvAntonyms;
    files[nameOf(kRiddles)] = tsvRiddles;
    return files;
}

// A null QByteArray stands for a file that is not there.
bool writeFiles(const Files &files, const QString &dir) {
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        if (it.value().isNull()) continue;
        QFile f(QDir(dir).filePath(it.key() + QStringLiteral(".tsv")));
        if (!f.open(QIODevice::WriteOnly) || f.write(it.value()) != it.value().size()) return false;
    }
    return true;
}

QByteArray bytesOf(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// The file with line n (1-based) replaced, or removed when text is null.
QByteArray withLine(const QByteArray &file, int n, const QByteArray &text) {
    QList<QByteArray> lines = file.split('\n');
    if (text.isNull())
        lines.removeAt(n - 1);
    else
        lines[n - 1] = text;
    return lines.join('\n');
}

// Where two files first differ, for a failure message; empty when they are the same.
QString firstDifference(const QByteArray &expected, const QByteArray &actual) {
    if (expected == actual) return {};
    const QList<QByteArray> a = expected.split('\n');
    const QList<QByteArray> b = actual.split('\n');
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i)
        if (a.value(i) != b.value(i))
            return QStringLiteral("line %1: expected \"%2\", got \"%3\"")
                .arg(i + 1)
                .arg(QString::fromUtf8(a.value(i)), QString::fromUtf8(b.value(i)));
    return QStringLiteral("the bytes differ (%1 against %2)").arg(expected.size()).arg(actual.size());
}

// What "lumibo-content check" does with a folder.
Problems checkFolder(const QString &dir) {
    Problems problems;
    const auto tables = readContentDir(dir, problems);
    checkContent(tables, problems);
    return problems;
}

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run runTool(const QStringList &args) {
    QProcess p;
    p.start(contentTool(), args);
    Run r;
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit) {
        r.err = QStringLiteral("lumibo-content did not finish: %1").arg(p.errorString());
        return r;
    }
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

class ContentFilesTest : public QObject {
    Q_OBJECT

    // Each broken fixture is the clean one with one file changed (or gone).
    static void brokenFixtures_data();

  private slots:
    void cleanFixturePasses() {
        QTemporaryDir dir;
        QVERIFY(writeFiles(cleanFiles(), dir.path()));
        Problems problems;
        const auto tables = readContentDir(dir.path(), problems);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        QCOMPARE(tables.size(), std::size_t(kTableCount));
        QCOMPARE(tables[0].rows.size(), std::size_t(3));
        QCOMPARE(tables[0].lines, std::vector<int>({2, 3, 4}));
        QCOMPARE(tables[kPoems - 1].rows.size(), std::size_t(12));
        checkContent(tables, problems);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));

        // The same holds for the study.dat built from it.
        QString error;
        const QString dat = dir.filePath(QStringLiteral("study.dat"));
        QVERIFY2(writeStudyDat(tables, dat, &error), qPrintable(error));
        const auto stored = readStudyDat(dat, problems);
        checkContent(stored, problems);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    // build, then export, gives back every table file byte for byte.
    void exportOfBuildGivesTheSameFiles_data() {
        QTest::addColumn<QString>("source");   // a content folder; empty: the small fixture
        QTest::addColumn<QString>("studyDat"); // a study.dat to export; empty: build one from source
        QTest::newRow("small fixture") << QString() << QString();
        QTest::newRow("shipped content") << shippedContentDir() << QString();
        QTest::newRow("shipped study.dat of this build") << shippedContentDir() << builtStudyDat();
    }

    void exportOfBuildGivesTheSameFiles() {
        QFETCH(QString, source);
        QFETCH(QString, studyDat);
        QTemporaryDir work;
        if (source.isEmpty()) {
            source = work.filePath(QStringLiteral("content"));
            QVERIFY(QDir().mkpath(source));
            QVERIFY(writeFiles(cleanFiles(), source));
        }
        Problems problems;
        if (studyDat.isEmpty()) {
            const auto tables = readContentDir(source, problems);
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
            studyDat = work.filePath(QStringLiteral("study.dat"));
            QString error;
            QVERIFY2(writeStudyDat(tables, studyDat, &error), qPrintable(error));
        }
        const auto stored = readStudyDat(studyDat, problems);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        const QString out = work.filePath(QStringLiteral("out"));
        QString error;
        QVERIFY2(writeContentDir(stored, out, &error), qPrintable(error));

        QStringList expectedFiles;
        for (const TableSchema &t : contentTables())
            expectedFiles << t.name + QStringLiteral(".tsv");
        expectedFiles.sort();
        QCOMPARE(QDir(out).entryList(QDir::Files, QDir::Name), expectedFiles);
        for (const QString &file : expectedFiles) {
            const QString difference =
                firstDifference(bytesOf(QDir(source).filePath(file)), bytesOf(QDir(out).filePath(file)));
            QVERIFY2(difference.isEmpty(), qPrintable(file + QStringLiteral(": ") + difference));
        }
    }

    // check() names the file and line of the fault and says what it is; nothing else is reported.
    void checkReportsFileLineAndWhat_data() { brokenFixtures_data(); }

    void checkReportsFileLineAndWhat() {
        QFETCH(QString, table);
        QFETCH(QByteArray, file);
        QFETCH(int, line);
        QFETCH(QString, says);
        QTemporaryDir dir;
        Files files = cleanFiles();
        files[table] = file;
        QVERIFY(writeFiles(files, dir.path()));
        const QString prefix = QStringLiteral("%1:%2: ")
                                   .arg(QDir(dir.path()).filePath(table + QStringLiteral(".tsv")))
                                   .arg(line);
        const Problems problems = checkFolder(dir.path());
        QVERIFY2(!problems.isEmpty(), "no problem reported");
        for (const QString &p : problems)
            QVERIFY2(p.startsWith(prefix),
                     qPrintable(QStringLiteral("expected at %1\n  got %2").arg(prefix, p)));
        const bool named = std::any_of(problems.cbegin(), problems.cend(),
                                       [&](const QString &p) { return p.contains(says); });
        QVERIFY2(named,
                 qPrintable(QStringLiteral("no problem says \"%1\":\n%2").arg(says, problems.join('\n'))));
    }

    // A file made before 单字 had its reading column (a study.dat, or the table files exported
    // from one) is read with the reading empty, passes the check, and exports with the column.
    void olderFilesWithoutTheReadingColumn_data() {
        QTest::addColumn<bool>("studyDat"); // else the content folder
        QTest::newRow("content folder") << false;
        QTest::newRow("study.dat") << true;
    }
    void olderFilesWithoutTheReadingColumn() {
        QFETCH(bool, studyDat);
        QTemporaryDir dir;
        const QString content = dir.filePath(QStringLiteral("content"));
        QVERIFY(QDir().mkpath(content));
        Files files = cleanFiles();
        files[nameOf(kSingleCharacters)] = "character\n山\n只\n";
        QVERIFY(writeFiles(files, content));
        Problems problems;
        auto tables = readContentDir(content, problems);
        QString source = content;
        if (studyDat) {
            // The study.dat an older program built: 单字 has the one column.
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
            source = dir.filePath(QStringLiteral("study.dat"));
            tables[kSingleCharacters - 1].header = QStringList{QStringLiteral("character")};
            for (QStringList &row : tables[kSingleCharacters - 1].rows)
                row = row.mid(0, 1);
            QString error;
            QVERIFY2(writeStudyDat(tables, source, &error), qPrintable(error));
            tables = readStudyDat(source, problems);
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
        const TableData &characters = tables[kSingleCharacters - 1];
        QCOMPARE(characters.header, (QStringList{"character", "reading"}));
        QCOMPARE(characters.rows, (std::vector<QStringList>{{"山", ""}, {"只", ""}}));
        checkContent(tables, problems);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));

        const Run check = runTool({QStringLiteral("check"), source});
        QVERIFY2(check.exitCode == 0, qPrintable(check.err));
        if (!studyDat) return;
        const QString out = dir.filePath(QStringLiteral("out"));
        const Run exported = runTool({QStringLiteral("export"), source, out});
        QVERIFY2(exported.exitCode == 0, qPrintable(exported.err));
        QCOMPARE(bytesOf(QDir(out).filePath(nameOf(kSingleCharacters) + QStringLiteral(".tsv"))),
                 QByteArray("character\treading\n山\n只\n"));
    }

    // study.dat is written beside its place and renamed over it: an old file is replaced whole,
    // a failed write leaves it as it was, and no .building file stays behind.
    void writeStudyDatReplacesInOneStep_data() {
        QTest::addColumn<QString>("fault"); // what makes the write fail; empty: nothing
        QTest::newRow("replaces an existing study.dat") << "";
        QTest::newRow("a table twice: keeps the old one") << "table twice";
        QTest::newRow("a record short of fields: keeps the old one") << "short record";
    }

    void writeStudyDatReplacesInOneStep() {
        QFETCH(QString, fault);
        QTemporaryDir dir;
        QVERIFY(writeFiles(cleanFiles(), dir.path()));
        Problems problems;
        auto tables = readContentDir(dir.path(), problems);
        QVERIFY(problems.isEmpty());
        const QString dat = dir.filePath(QStringLiteral("study.dat"));
        const QString building = dat + QStringLiteral(".building");
        QString error;
        QVERIFY2(writeStudyDat(tables, dat, &error), qPrintable(error));
        const QByteArray old = bytesOf(dat);
        {
            QFile stale(building); // left by an interrupted run
            QVERIFY(stale.open(QIODevice::WriteOnly));
            stale.write("half a file");
        }
        tables[kSingleCharacters - 1].rows.push_back({QStringLiteral("土")});
        if (fault == QLatin1String("table twice"))
            tables.push_back(tables.front());
        else if (fault == QLatin1String("short record")) // after full records: its columns are NOT NULL
            tables[kIdioms - 1].rows.push_back({QStringLiteral("守株待兔")});

        const bool written = writeStudyDat(tables, dat, &error);
        if (fault.isEmpty()) {
            QVERIFY2(written, qPrintable(error));
            const auto stored = readStudyDat(dat, problems);
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
            // The reading the record leaves out is stored empty.
            QCOMPARE(stored[kSingleCharacters - 1].rows.back(),
                     (QStringList{QStringLiteral("土"), QString()}));
        } else {
            QVERIFY2(!written, qPrintable(QStringLiteral("written; 成语 now ends with: ") +
                                          readStudyDat(dat, problems)[kIdioms - 1].rows.back().join(
                                              QStringLiteral(" | "))));
            QVERIFY(!error.isEmpty());
            QCOMPARE(bytesOf(dat), old);
        }
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("study.dat*")}, QDir::Files),
                 QStringList{"study.dat"});
    }

    void toolPassesShippedContent_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("content folder") << shippedContentDir();
        QTest::newRow("study.dat of this build") << builtStudyDat();
    }

    void toolPassesShippedContent() {
        QFETCH(QString, target);
        const Run r = runTool({QStringLiteral("check"), target});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        QVERIFY(r.out.contains(QStringLiteral("all thirty tables pass")));
    }

    // "check" exits 1 with file:line lines on stderr; "build" refuses and leaves study.dat as it was.
    void toolRefusesBrokenContent_data() { brokenFixtures_data(); }

    void toolRefusesBrokenContent() {
        QFETCH(QString, table);
        QFETCH(QByteArray, file);
        QFETCH(int, line);
        QTemporaryDir work;
        const QString content = work.filePath(QStringLiteral("content"));
        QVERIFY(QDir().mkpath(content));
        Files files = cleanFiles();
        files[table] = file;
        QVERIFY(writeFiles(files, content));
        const QString prefix =
            QStringLiteral("%1:%2: ").arg(QDir(content).filePath(table + QStringLiteral(".tsv"))).arg(line);

        const Run check = runTool({QStringLiteral("check"), content});
        QCOMPARE(check.exitCode, 1);
        const QStringList lines = check.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(!lines.isEmpty());
        static const QRegularExpression fileLineWhat(QStringLiteral("^.+\\.tsv:\\d+: \\S.*$"));
        for (const QString &l : lines)
            QVERIFY2(fileLineWhat.match(l).hasMatch(), qPrintable(l));
        QVERIFY2(lines.first().startsWith(prefix), qPrintable(lines.first()));

        // An existing study.dat (here: one built from clean content) stays as it is.
        const QString clean = work.filePath(QStringLiteral("clean"));
        QVERIFY(QDir().mkpath(clean));
        QVERIFY(writeFiles(cleanFiles(), clean));
        const QString dat = work.filePath(QStringLiteral("study.dat"));
        const Run built = runTool({QStringLiteral("build"), clean, dat});
        QVERIFY2(built.exitCode == 0, qPrintable(built.err));
        const QByteArray before = bytesOf(dat);
        const Run refused = runTool({QStringLiteral("build"), content, dat});
        QVERIFY2(refused.exitCode == 1, qPrintable(QStringLiteral("build exited %1").arg(refused.exitCode)));
        QVERIFY2(refused.err.contains(prefix), qPrintable(refused.err));
        QCOMPARE(bytesOf(dat), before);
        QVERIFY(!QFileInfo::exists(dat + QStringLiteral(".building")));
    }
};

// Each broken fixture is the clean one with one file changed (or gone), and where check() must say so.
void ContentFilesTest::brokenFixtures_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("says");
    const QString english = nameOf(1);
    QTest::newRow("missing table file") << nameOf(kWordGroups) << QByteArray() << 1 << "missing";
    QTest::newRow("wrong header") << english << withLine(tsvEnglish, 1, "number\tword\tmeaning\tsentence")
                                  << 1 << "header";
    QTest::newRow("wrong field count")
        << english << withLine(tsvEnglish, 3, "2\tbanana\t香蕉") << 3 << "fields";
    QTest::newRow("empty field") << nameOf(kIdioms)
                                 << withLine(tsvIdioms, 3, "小心翼翼\t做事非常小心，一点也不马虎。\t") << 3
                                 << "empty";
    QTest::newRow("成语 note unlike the idiom's reading")
        << nameOf(kIdioms) << withLine(tsvIdioms, 3, "小心翼翼\t做事非常小心，一点也不马虎。\txiǎo xīn yí yì")
        << 3 << "(翼 yí, reading yì)";
    QTest::newRow("blank at the end of a field")
        << nameOf(kWordGroups) << withLine(tsvWords, 3, "老师 ") << 3 << "blanks";
    QTest::newRow("blank line at the end of the file") << nameOf(kRiddles) << tsvRiddles + "\n"
                                                       << 4 << "fields";
    QTest::newRow("no line break at the end")
        << nameOf(kWordGroups) << tsvWords.chopped(1) << 4 << "line break";
    QTest::newRow("repeated 单字 character")
        << nameOf(kSingleCharacters) << withLine(tsvCharacters, 5, "山") << 5 << "repeats line 2";
    QTest::newRow("单字 reading not one of the character's")
        << nameOf(kSingleCharacters) << withLine(tsvCharacters, 4, "只\tzī") << 4 << "not a reading of 只";
    QTest::newRow("单字 reading with a tone digit")
        << nameOf(kSingleCharacters) << withLine(tsvCharacters, 4, "只\tzhi1") << 4
        << "not pinyin with tone marks";
    QTest::newRow("单字 record of three fields")
        << nameOf(kSingleCharacters) << withLine(tsvCharacters, 4, "只\tzhī\tzhǐ") << 4
        << "3 fields; a record holds 1 to 2";
    QTest::newRow("同义词 pair equal to itself")
        << nameOf(kSynonyms) << withLine(tsvSynonyms, 3, "高兴\t高兴") << 3 << "itself";
    QTest::newRow("repeated 反义词 answer")
        << nameOf(kAntonyms) << withLine(tsvAntonyms, 4, "凉\t热") << 4 << "repeats line 3";
    // Nine records: the second poem ends after its first line (line 10).
    QTest::newRow("唐诗 record count not a multiple of 6")
        << nameOf(kPoems) << tsvPoems.left(tsvPoems.indexOf("疑是地上霜")) << 10 << "six";
    QTest::newRow("poem line with punctuation")
        << nameOf(kPoems) << withLine(tsvPoems, 4, "春眠不觉晓，") << 4 << "poem line";
    QTest::newRow("English number not increasing")
        << english << withLine(tsvEnglish, 4, "2\tgrape\t葡萄\tTom says, \"The grapes are sweet.\"") << 4
        << "increase";
    QTest::newRow("English number skipping one")
        << english << withLine(tsvEnglish, 4, "4\tgrape\t葡萄\tTom says, \"The grapes are sweet.\"") << 4
        << "skips 3";
    // Eleven characters: one more than the link game shows.
    QTest::newRow("English meaning too long")
        << english << withLine(tsvEnglish, 3, "2\tbanana\t一种弯弯的长长的黄水果\tMonkeys like bananas.") << 3
        << "11 characters";
    QTest::newRow("English word with a digit")
        << english << withLine(tsvEnglish, 3, "2\tbanana2\t香蕉\tMonkeys like bananas.") << 3 << "\"2\"";
    QTest::newRow("English word with an abbreviation")
        << english << withLine(tsvEnglish, 3, "2\twatch TV\t看电视\tWe watch television.") << 3 << "\"TV\"";
    QTest::newRow("English word with a slash")
        << english << withLine(tsvEnglish, 3, "2\tbanana/s\t香蕉\tMonkeys like bananas.") << 3 << "\"/\"";
    QByteArray crlf = tsvCharacters;
    QTest::newRow("CR LF line endings")
        << nameOf(kSingleCharacters) << crlf.replace("\n", "\r\n") << 1 << "carriage";
    QByteArray cr = tsvSynonyms;
    QTest::newRow("CR line endings") << nameOf(kSynonyms) << cr.replace('\n', '\r') << 1 << "carriage";
    QTest::newRow("not UTF-8") << nameOf(kIdioms) << withLine(tsvIdioms, 1, "idiom\texplanation\tnot\xff")
                               << 1 << "UTF-8";
}

QTEST_GUILESS_MAIN(ContentFilesTest)
#include "ContentFilesTest.moc"
