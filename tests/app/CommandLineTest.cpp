#include "app/CommandLine.h"
#include "app/WindowScale.h"

#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
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

    // Where the screen's size comes from: the X server itself on X11, no screen at all offscreen,
    // Qt's own look where Qt is told how to scale or another platform decides.
    void screenQuery_data() {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<bool>("x11");
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<bool>("userScaling");
        QTest::addColumn<int>("query");
        using Q = app::ScreenQuery;
        QTest::newRow("X11 desktop") << "" << true << false << false << int(Q::XServer);
        QTest::newRow("xcb asked for") << "xcb" << true << true << false << int(Q::XServer);
        QTest::newRow("xcb with options") << "xcb:nomitshm" << true << false << false << int(Q::XServer);
        QTest::newRow("xcb without a display") << "xcb" << false << false << false << int(Q::Application);
        QTest::newRow("Wayland session") << "" << true << true << false << int(Q::Application);
        QTest::newRow("wayland first") << "wayland;xcb" << true << false << false << int(Q::Application);
        QTest::newRow("offscreen") << "offscreen" << true << false << false << int(Q::None);
        QTest::newRow("offscreen though scaled") << "offscreen" << false << false << true << int(Q::None);
        QTest::newRow("minimal") << "minimal" << true << false << false << int(Q::None);
        QTest::newRow("user's Qt scaling") << "" << true << false << true << int(Q::Application);
        QTest::newRow("no display at all") << "" << false << false << false << int(Q::Application);
    }
    void screenQuery() {
        QFETCH(QString, platform);
        QFETCH(bool, x11);
        QFETCH(bool, wayland);
        QFETCH(bool, userScaling);
        QFETCH(int, query);
        QCOMPARE(int(app::screenQueryFor({platform, x11, wayland, userScaling})), query);
    }

    void qtOptionValues() {
        const QStringList args{"-reverse", "-platform", "offscreen", "--display", ":3", "-platform", "xcb"};
        QCOMPARE(app::qtOptionValue(args, "-platform"), std::optional<QString>("xcb")); // the last wins
        QCOMPARE(app::qtOptionValue(args, "-display"), std::optional<QString>(":3"));
        QCOMPARE(app::qtOptionValue(args, "-style"), std::nullopt);
        QCOMPARE(app::qtOptionValue({"-platform"}, "-platform"), std::nullopt);
    }

    void xftDpi_data() {
        QTest::addColumn<QByteArray>("resources");
        QTest::addColumn<double>("dpi");
        QTest::newRow("set") << QByteArray("Xcursor.size:\t24\nXft.dpi:\t192\n") << 192.0;
        QTest::newRow("fractional") << QByteArray("Xft.dpi: 120.5") << 120.5;
        QTest::newRow("not set") << QByteArray("Xft.antialias:\t1\n") << 0.0;
        QTest::newRow("another's dpi") << QByteArray("Foo.Xft.dpi:\t192\n") << 0.0;
        QTest::newRow("nonsense") << QByteArray("Xft.dpi: many\n") << 0.0;
        QTest::newRow("empty") << QByteArray() << 0.0;
    }
    void xftDpi() {
        QFETCH(QByteArray, resources);
        QFETCH(double, dpi);
        QCOMPARE(app::xftDpi(resources), dpi);
    }

    // The scale the user gives wins; offscreen there is no screen to fit, so Qt is left at 1.
    void scaleChosenBeforeStart_data() {
        QTest::addColumn<QByteArray>("lumiboScale");  // "-": not set
        QTest::addColumn<QByteArray>("qtScale");      // "-": not set
        QTest::addColumn<QByteArray>("expect");       // QT_SCALE_FACTOR afterwards, "-": not set
        QTest::newRow("LUMIBO_SCALE") << QByteArray("2") << QByteArray("-") << QByteArray("2");
        QTest::newRow("LUMIBO_SCALE over Qt's") << QByteArray("1.5") << QByteArray("3") << QByteArray("1.5");
        QTest::newRow("QT_SCALE_FACTOR") << QByteArray("-") << QByteArray("1.75") << QByteArray("1.75");
        QTest::newRow("bad LUMIBO_SCALE leaves Qt's")
            << QByteArray("big") << QByteArray("1.75") << QByteArray("1.75");
        QTest::newRow("offscreen: 1") << QByteArray("-") << QByteArray("-") << QByteArray("-");
    }
    void scaleChosenBeforeStart() {
        QFETCH(QByteArray, lumiboScale);
        QFETCH(QByteArray, qtScale);
        QFETCH(QByteArray, expect);
        const QByteArray savedQt = qgetenv("QT_SCALE_FACTOR");
        const bool hadQt = qEnvironmentVariableIsSet("QT_SCALE_FACTOR");
        const auto restore = qScopeGuard([&] {
            qunsetenv("LUMIBO_SCALE");
            if (hadQt)
                qputenv("QT_SCALE_FACTOR", savedQt);
            else
                qunsetenv("QT_SCALE_FACTOR");
        });
        const auto set = [](const char *name, const QByteArray &value) {
            if (value == "-")
                qunsetenv(name);
            else
                qputenv(name, value);
        };
        set("LUMIBO_SCALE", lumiboScale);
        set("QT_SCALE_FACTOR", qtScale);
        char program[] = "lumibo", platformOption[] = "-platform", platform[] = "offscreen";
        char *argv[] = {program, platformOption, platform, nullptr};
        app::chooseWindowScale(3, argv);
        QCOMPARE(qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qgetenv("QT_SCALE_FACTOR") : QByteArray("-"), expect);
    }

    // On X11 the size comes from the X server: the screen, within the window manager's work area,
    // in Qt's pixels when Xft.dpi says a pixel is more than one. Asked of a virtual X server.
    void scaleFromTheXServer() {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("xprop")).isEmpty())
            QSKIP("Xvfb or xprop is missing (scripts/install-deps.sh installs them)");
        QProcess xvfb;
        // -displayfd: the server picks a free display and prints its number once it listens;
        // -noreset: it keeps the root window's properties when xprop, its only client, leaves.
        xvfb.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-noreset", "-screen", "0", "1920x1080x24", "-nolisten", "tcp"});
        QVERIFY(xvfb.waitForStarted());
        const auto stop = qScopeGuard([&] {
            xvfb.terminate();
            xvfb.waitForFinished();
        });
        QByteArray number;
        while (!number.contains('\n') && xvfb.waitForReadyRead(30000))
            number += xvfb.readAllStandardOutput();
        QVERIFY2(number.contains('\n'), "Xvfb did not say its display");
        const QByteArray display = ':' + number.trimmed();
        QCOMPARE(app::xAvailableSize(display), std::optional<QSize>(QSize(1920, 1080)));

        const auto xprop = [&](const QStringList &args) {
            QProcess p;
            p.start(QStringLiteral("xprop"), QStringList{"-display", QString::fromLatin1(display), "-root"} + args);
            return p.waitForFinished(30000) && p.exitCode() == 0;
        };
        QVERIFY(xprop({"-format", "_NET_WORKAREA", "32c", "-set", "_NET_WORKAREA", "0,0,1920,1040"}));
        QCOMPARE(app::xAvailableSize(display), std::optional<QSize>(QSize(1920, 1040)));
        QVERIFY(xprop({"-format", "RESOURCE_MANAGER", "8s", "-set", "RESOURCE_MANAGER", "Xft.dpi:\t192\n"}));
        QCOMPARE(app::xAvailableSize(display), std::optional<QSize>(QSize(960, 520)));

        // What the program sets for itself: the work area's size at Xft.dpi 192 fits scale 1.
        QVERIFY(xprop({"-remove", "RESOURCE_MANAGER"}));
        const QByteArray savedQt = qgetenv("QT_SCALE_FACTOR");
        const bool hadQt = qEnvironmentVariableIsSet("QT_SCALE_FACTOR");
        const auto restore = qScopeGuard([&] {
            if (hadQt)
                qputenv("QT_SCALE_FACTOR", savedQt);
            else
                qunsetenv("QT_SCALE_FACTOR");
        });
        qunsetenv("QT_SCALE_FACTOR");
        qunsetenv("LUMIBO_SCALE");
        QByteArray displayArg = display;
        char program[] = "lumibo", platformOption[] = "-platform", platform[] = "xcb", displayOption[] = "-display";
        char *argv[] = {program, platformOption, platform, displayOption, displayArg.data(), nullptr};
        app::chooseWindowScale(5, argv);
        QCOMPARE(qgetenv("QT_SCALE_FACTOR"), QByteArray("1.25")); // 1920 × 1040, as the table above
        QCOMPARE(app::xAvailableSize(":" + QByteArray::number(number.trimmed().toInt() + 50)), std::nullopt);
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
