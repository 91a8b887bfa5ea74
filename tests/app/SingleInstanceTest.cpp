#include "app/SingleInstance.h"
#include "app/Navigator.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <csignal>

using namespace testing_support;

class SingleInstanceTest : public QObject {
    Q_OBJECT

    QTemporaryDir runtime;

    QString lockPath() { return runtime.filePath("lumibo.lock"); }

    // The real program, headless, with its lock in our runtime folder.
    void startFirst(QProcess &p) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(LUMIBO_BUILD_DIR "/lumibo"), {});
        QVERIFY(p.waitForStarted());
        // The lock file appears once the first instance holds it.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lockPath()), 20000);
    }

  private slots:
    void initTestCase() { qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit()); }

    void secondStartShowsMessageAndNoMainWindow() {
        QProcess first;
        startFirst(first);

        QStringList shown;
        app::ProgramOptions options;
        options.programDir = runtime.path();
        options.lockPath = lockPath();
        options.realServices = false;
        options.showMessage = [&](const QString &title, const QString &text) { shown << title << text; };
        const int rc = app::runLumibo(*qApp, options);
        QCOMPARE(rc, 0);
        QCOMPARE(shown, (QStringList{"Lumibo", "正在运行"}));
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY(w->objectName() != QStringLiteral("Main"));
        QCOMPARE(first.state(), QProcess::Running); // the first instance is untouched

        // A crash leaves the lock file behind, but not a stuck lock.
        ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
        QVERIFY(first.waitForFinished(10000));
        QVERIFY(QFile::exists(lockPath()));
        app::SingleInstance next(lockPath());
        QVERIFY(next.acquired());
    }

    // With no display at all the program explains itself in a sentence instead of aborting.
    void noDisplayGivesAClearSentence() {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.remove("QT_QPA_PLATFORM");
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(LUMIBO_BUILD_DIR "/lumibo"), {});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains("xvfb-run make run"));
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
