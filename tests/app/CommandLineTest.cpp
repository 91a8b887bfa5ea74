#include "app/CommandLine.h"
#include "app/WindowScale.h"

#include <QProcess>
#include <QTest>

// What the command line asks, the window scale chosen for a screen, and the program answering
// --help and --version without a display.
class CommandLineTest : public QObject {
    Q_OBJECT

    using Action = app::CommandLine::Action;

  private slots:
    void parses_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("firstLine");

        QTest::newRow("nothing") << QStringList{} << int(Action::Run) << QString();
        QTest::newRow("help") << QStringList{"--help"} << int(Action::Help) << "Usage: lumibo [OPTION]";
        QTest::newRow("-h wins over what follows")
            << QStringList{"-h", "--bogus"} << int(Action::Help) << "Usage: lumibo [OPTION]";
        QTest::newRow("version") << QStringList{"--version"} << int(Action::Version)
                                 << "Lumibo " LUMIBO_VERSION;
        QTest::newRow("-v") << QStringList{"-v"} << int(Action::Version) << "Lumibo " LUMIBO_VERSION;
        QTest::newRow("Qt's options pass")
            << QStringList{"-platform", "offscreen", "--style", "fusion", "-reverse"} << int(Action::Run)
            << QString();
        QTest::newRow("unknown option")
            << QStringList{"--bogus"} << int(Action::Error) << "lumibo: unknown option '--bogus'";
        QTest::newRow("an argument") << QStringList{"study.dat"} << int(Action::Error)
                                     << "lumibo: unexpected argument 'study.dat'";
        QTest::newRow("Qt option without its value")
            << QStringList{"-platform"} << int(Action::Error) << "lumibo: the option -platform needs a value";
        QTest::newRow("bad one after a good one")
            << QStringList{"-reverse", "-x"} << int(Action::Error) << "lumibo: unknown option '-x'";
    }
    void parses() {
        QFETCH(QStringList, args);
        QFETCH(int, action);
        QFETCH(QString, firstLine);
        const app::CommandLine c = app::parseCommandLine(args);
        QCOMPARE(int(c.action), action);
        QCOMPARE(c.text.section('\n', 0, 0), firstLine);
        QCOMPARE(c.exitCode(), c.action == Action::Error ? 2 : 0);
    }

    // The main window (586 × 408 with its menu bar) takes about half the available height.
    void scaleFollowsTheScreen_data() {
        QTest::addColumn<QSize>("available");
        QTest::addColumn<double>("scale");
        QTest::newRow("1080p with a panel") << QSize(1920, 1040) << 1.25;
        QTest::newRow("4K with a panel") << QSize(3840, 2120) << 2.5;
        QTest::newRow("4K whole") << QSize(3840, 2160) << 2.75;
        QTest::newRow("small laptop: never below 1") << QSize(1366, 728) << 1.0;
        QTest::newRow("portrait: no wider than the screen") << QSize(1080, 1920) << 1.75;
        QTest::newRow("no screen") << QSize(0, 0) << 1.0;
        QTest::newRow("8K: at most 8") << QSize(30720, 17280) << 8.0;
    }
    void scaleFollowsTheScreen() {
        QFETCH(QSize, available);
        QFETCH(double, scale);
        QCOMPARE(app::scaleForScreen(available), scale);
    }

    void scaleTheUserTyped_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("scale");
        QTest::addColumn<QString>("problem");
        QTest::newRow("1.5") << "1.5" << 1.5 << QString();
        QTest::newRow("2") << " 2 " << 2.0 << QString();
        QTest::newRow("to the nearest step") << "1.3" << 1.25 << QString();
        QTest::newRow("too small") << "0.5" << 0.0 << "LUMIBO_SCALE=0.5 is outside 1 to 8";
        QTest::newRow("too large") << "9" << 0.0 << "LUMIBO_SCALE=9 is outside 1 to 8";
        QTest::newRow("not a number") << "big" << 0.0 << "LUMIBO_SCALE=big is not a number";
        QTest::newRow("empty") << "" << 0.0 << "LUMIBO_SCALE= is not a number";
        QTest::newRow("nan") << "nan" << 0.0 << "LUMIBO_SCALE=nan is not a number";
    }
    void scaleTheUserTyped() {
        QFETCH(QString, text);
        QFETCH(double, scale);
        QFETCH(QString, problem);
        QString said;
        QCOMPARE(app::parseScale(text, &said), scale);
        QCOMPARE(said, problem);
    }

    // The program itself: it answers and exits without a window, even with no display at all.
    void programAnswersWithoutADisplay_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("version") << QStringList{"--version"} << 0 << "Lumibo " LUMIBO_VERSION "\n"
                                 << QString();
        QTest::newRow("unknown")
            << QStringList{"--colour"} << 2 << QString()
            << "lumibo: unknown option '--colour'\nTry 'lumibo --help' for more information.\n";
    }
    void programAnswersWithoutADisplay() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(name));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(LUMIBO_BUILD_DIR "/lumibo"), args);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), exitCode);
        QCOMPARE(QString::fromLocal8Bit(p.readAllStandardOutput()), out);
        QCOMPARE(QString::fromLocal8Bit(p.readAllStandardError()), err);
    }
};

QTEST_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
