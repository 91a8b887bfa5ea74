#include "app/ScreenRegistry.h"
#include "gallery/GalleryStates.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

// The tools behind the README's pictures: the gallery's index of what it rendered, and the
// montage that lays pictures out on one sheet.
class GalleryToolsTest : public QObject {
    Q_OBJECT

    static constexpr int kGap = 16;
    static inline const QColor kBackground{0xf0, 0xf0, 0xf0};
    static inline const QColor kFrame{0x90, 0x90, 0x90};

    static QString picture(const QTemporaryDir &dir, const QString &name, QSize size, QColor colour) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = dir.filePath(name);
        image.save(path);
        return path;
    }

    static int run(const QString &tool, const QStringList &args, QString *errors = nullptr) {
        QProcess p;
        p.start(QStringLiteral(LUMIBO_BUILD_DIR "/") + tool, args);
        if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit) return -1;
        if (errors) *errors = QString::fromLocal8Bit(p.readAllStandardError());
        return p.exitCode();
    }

  private slots:
    // Pictures larger than the cell shrink to fit it, keeping their shape; smaller ones stay.
    // Rows are as tall as their tallest picture, the sheet as wide as its widest row.
    void montageLaysPicturesOutInAGrid_data() {
        QTest::addColumn<int>("columns");
        QTest::addColumn<QList<QSize>>("sizes");
        QTest::addColumn<QSize>("sheet");
        QTest::addColumn<QPoint>("firstAt"); // top left of the first picture on the sheet
        QTest::addColumn<QSize>("firstSize");

        QTest::newRow("one small picture")
            << 3 << QList<QSize>{{100, 50}} << QSize(100 + 2 * kGap, 50 + 2 * kGap) << QPoint(kGap, kGap)
            << QSize(100, 50);
        QTest::newRow("too wide: halved")
            << 3 << QList<QSize>{{960, 400}} << QSize(480 + 2 * kGap, 200 + 2 * kGap) << QPoint(kGap, kGap)
            << QSize(480, 200);
        QTest::newRow("too tall: scaled to the height")
            << 3 << QList<QSize>{{200, 800}} << QSize(100 + 2 * kGap, 400 + 2 * kGap) << QPoint(kGap, kGap)
            << QSize(100, 400);
        // Row one: 100 + 16 + 100 wide, 80 tall; row two: 100 wide, 50 tall, centred.
        QTest::newRow("two rows") << 2 << QList<QSize>{{100, 50}, {100, 80}, {100, 50}}
                                  << QSize(216 + 2 * kGap, kGap + 80 + kGap + 50 + kGap)
                                  << QPoint(kGap, kGap + 15) << QSize(100, 50);
    }
    void montageLaysPicturesOutInAGrid() {
        QFETCH(int, columns);
        QFETCH(QList<QSize>, sizes);
        QFETCH(QSize, sheet);
        QFETCH(QPoint, firstAt);
        QFETCH(QSize, firstSize);

        QTemporaryDir dir;
        QStringList args{dir.filePath("sheet.png"), QString::number(columns), "480", "400"};
        for (int i = 0; i < sizes.size(); ++i)
            args << picture(dir, QStringLiteral("p%1.png").arg(i), sizes[i], i == 0 ? Qt::red : Qt::blue);
        QString errors;
        QCOMPARE(run("lumibo-montage", args, &errors), 0);
        QCOMPARE(errors, QString());

        const QImage out(dir.filePath("sheet.png"));
        QCOMPARE(out.size(), sheet);
        QCOMPARE(out.pixelColor(0, 0), kBackground);
        const QRect first(firstAt, firstSize);
        QCOMPARE(out.pixelColor(first.topLeft()), QColor(Qt::red));
        QCOMPARE(out.pixelColor(first.bottomRight()), QColor(Qt::red));
        QCOMPARE(out.pixelColor(first.topLeft() - QPoint(1, 1)), kFrame);
        QCOMPARE(out.pixelColor(first.bottomRight() + QPoint(1, 1)), kFrame);
        QCOMPARE(out.pixelColor(first.bottomRight() + QPoint(2, 2)), kBackground);
    }

    void montageRefusesBadArguments_data() {
        QTest::addColumn<QStringList>("args"); // "@" stands for the temporary folder
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("error");

        QTest::newRow("no pictures") << QStringList{"@/out.png", "3", "480", "400"} << 2
                                     << "usage: lumibo-montage";
        QTest::newRow("no columns") << QStringList{"@/out.png", "0", "480", "400", "@/a.png"} << 2
                                    << "usage: lumibo-montage";
        QTest::newRow("cell not a number")
            << QStringList{"@/out.png", "3", "wide", "400", "@/a.png"} << 2 << "usage: lumibo-montage";
        QTest::newRow("missing picture")
            << QStringList{"@/out.png", "3", "480", "400", "@/a.png", "@/none.png"} << 1
            << "cannot read @/none.png";
        QTest::newRow("unwritable sheet")
            << QStringList{"@/no/such/dir/out.png", "3", "480", "400", "@/a.png"} << 1
            << "cannot write @/no/such/dir/out.png";
    }
    void montageRefusesBadArguments() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, error);

        QTemporaryDir dir;
        picture(dir, "a.png", {40, 30}, Qt::green);
        args.replaceInStrings("@", dir.path());
        QString errors;
        QCOMPARE(run("lumibo-montage", args, &errors), exitCode);
        QVERIFY2(errors.contains(error.replace("@", dir.path())), qPrintable(errors));
        QVERIFY(!QFile::exists(dir.filePath("out.png")));
    }

    // The index names every picture the gallery wrote, once, with the registered screen it shows;
    // every screen has its pictures: its registered states, and its load state unless a state
    // named like the screen replaces it.
    void galleryIndexListsEveryPicture() {
        QTemporaryDir dir;
        QCOMPARE(run("lumibo-gallery", {dir.path()}), 0);

        QFile index(dir.filePath("index.tsv"));
        QVERIFY(index.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines = QString::fromUtf8(index.readAll()).split('\n', Qt::SkipEmptyParts);
        QStringList listed;
        for (const QString &line : lines) {
            const QStringList f = line.split('\t');
            QCOMPARE(f.size(), 3);
            listed << f[0];
        }
        QStringList written = QDir(dir.path()).entryList({"*.png"}, QDir::Files);
        QStringList sortedListed = listed;
        sortedListed.sort();
        written.sort();
        QCOMPARE(sortedListed, written);

        QStringList expected;
        for (const app::ScreenEntry &entry : app::ScreenRegistry::instance().entries()) {
            if (!gallery::replacesLoadState(entry.name))
                expected << entry.name + ".png\t" + entry.name + "\tload";
            for (const gallery::State &state : gallery::statesOf(entry.name).states)
                expected << state.file + ".png\t" + entry.name + "\tshot";
        }
        QCOMPARE(lines, expected);
    }

    // The smoke path: the program folder's three files are checked first, each missing or
    // damaged one named; when all serve, only each screen's load state is rendered.
    void gallerySmokeChecksTheProgramFiles() {
        QTemporaryDir program, out;
        QVERIFY(QFile::copy(LUMIBO_BUILD_DIR "/study.dat", program.filePath("study.dat")));
        QFile bad(program.filePath("sound.wav"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("RIFF but not a sound");
        bad.close();
        QString errors;
        QCOMPARE(run("lumibo-gallery", {"--smoke", "--program-dir", program.path(), out.path()}, &errors), 1);
        const QStringList lines = errors.split('\n', Qt::SkipEmptyParts).filter("lumibo-gallery:");
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].startsWith("lumibo-gallery: " + program.filePath("jieguo.wav") + ": "),
                 qPrintable(errors));
        QVERIFY2(lines[1].startsWith("lumibo-gallery: " + program.filePath("sound.wav") + ": "),
                 qPrintable(errors));
        QVERIFY(QDir(out.path()).entryList({"*.png"}).isEmpty());

        QVERIFY(QFile::remove(program.filePath("study.dat")));
        QCOMPARE(run("lumibo-gallery", {"--smoke", "--program-dir", program.path(), out.path()}, &errors), 1);
        QVERIFY2(errors.contains(program.filePath("study.dat") + ": 找不到内容库 study.dat"),
                 qPrintable(errors));

        QCOMPARE(run("lumibo-gallery", {"--smoke", out.path()}, &errors), 0);
        QCOMPARE(QDir(out.path()).entryList({"*.png"}).size(),
                 int(app::ScreenRegistry::instance().entries().size()));
    }

    // At a scale the pictures are drawn that many times larger, not enlarged afterwards.
    void galleryRendersAtAScale() {
        QTemporaryDir one, two;
        QCOMPARE(run("lumibo-gallery", {"--only", "Main,jiafa10", one.path()}), 0);
        QCOMPARE(run("lumibo-gallery", {"--scale", "2", "--only", "Main,jiafa10", two.path()}), 0);
        QCOMPARE(QDir(two.path()).entryList({"*.png"}), QDir(one.path()).entryList({"*.png"}));
        for (const QString &file : QDir(one.path()).entryList({"*.png"})) {
            const QImage a(one.filePath(file)), b(two.filePath(file));
            QCOMPARE(b.size(), a.size() * 2);
        }
        QString errors;
        QCOMPARE(run("lumibo-gallery", {"--only", "nosuch", one.path()}, &errors), 2);
        QVERIFY2(errors.contains("no screen is named nosuch"), qPrintable(errors));
        QCOMPARE(run("lumibo-gallery", {"--scale", "0", one.path()}, &errors), 2);
    }
};

QTEST_MAIN(GalleryToolsTest)
#include "GalleryToolsTest.moc"
