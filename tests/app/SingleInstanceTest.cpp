#include "app/SingleInstance.h"
#include "app/Navigator.h"
#include "services/ContentLocation.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <unistd.h>

using namespace testing_support;

namespace {

// What is written to standard error while it lives.
class StderrCapture {
  public:
    StderrCapture() {
        file_.open();
        std::fflush(stderr);
        saved_ = ::dup(2);
        ::dup2(file_.handle(), 2);
    }
    ~StderrCapture() { restore(); }
    QString text() {
        restore();
        file_.seek(0);
        return QString::fromUtf8(file_.readAll());
    }

  private:
    void restore() {
        if (saved_ < 0) return;
        std::fflush(stderr);
        ::dup2(saved_, 2);
        ::close(saved_);
        saved_ = -1;
    }
    QTemporaryFile file_;
    int saved_ = -1;
};

} // namespace

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

    // Only a live holder means another copy runs: a lock that cannot be taken for another reason
    // lets Lumibo start, with one line on standard error that names the lock's path. (Tests run
    // as root, whom a read-only folder does not stop, so the lock's folder is made impossible.)
    void unusableLockStillStarts_data() {
        QTest::addColumn<QString>("lock");
        QTest::newRow("its folder is a file") << "a-file/lumibo.lock";
        QTest::newRow("its folder does not exist") << "no-such-folder/lumibo.lock";
        QTest::newRow("a lock file naming no program") << "garbage.lock";
    }
    void unusableLockStillStarts() {
        QFETCH(QString, lock);
        {
            QFile file(runtime.filePath("a-file"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QFile garbage(runtime.filePath("garbage.lock"));
            QVERIFY(garbage.open(QIODevice::WriteOnly));
            garbage.write("not a lock\n");
        }
        const QString path = runtime.filePath(lock);
        {
            app::SingleInstance probe(path);
            QVERIFY(!probe.acquired());
            QVERIFY(!probe.otherRunning());
            QVERIFY2(probe.problem().contains(path), qPrintable(probe.problem()));
        }

        QStringList shown;
        app::ProgramOptions options;
        options.programDir = runtime.path();
        options.lockPath = path;
        options.realServices = false;
        options.showMessage = [&](const QString &title, const QString &text) { shown << title << text; };
        bool mainShown = false;
        QTimer::singleShot(0, qApp, [&] {
            for (QWidget *w : QApplication::topLevelWidgets())
                mainShown |= w->objectName() == QStringLiteral("Main") && w->isVisible();
            qApp->quit();
        });
        StderrCapture stderrText;
        const int rc = app::runLumibo(*qApp, options);
        const QString said = stderrText.text();
        flushDeletes();
        QCOMPARE(rc, 0);
        QVERIFY(shown.isEmpty());
        QVERIFY(mainShown);
        const QStringList lines = said.split(QLatin1Char('\n'), Qt::SkipEmptyParts).filter(path);
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().startsWith(QStringLiteral("Lumibo: ")), qPrintable(lines.first()));
        QVERIFY2(!said.contains(QStringLiteral("already running")), qPrintable(said));
    }

    // With no display at all the program explains itself in a sentence instead of aborting, and
    // names the command for a screenless run: the build tree's, or the installed program's.
    void noDisplayGivesAClearSentence_data() {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("command");
        QTest::newRow("build tree") << false << "or without a screen as: xvfb-run make run";
        QTest::newRow("installed") << true << "or without a screen as: xvfb-run lumibo";
    }

    void noDisplayGivesAClearSentence() {
        QFETCH(bool, installed);
        QFETCH(QString, command);
        QString program = QStringLiteral(LUMIBO_BUILD_DIR "/lumibo");
        QTemporaryDir installedDir;
        if (installed) {
            // The program alone in a folder with the install marker, as the package puts it.
            const QString copy = installedDir.filePath("lumibo");
            QVERIFY(QFile::copy(program, copy));
            QFile marker(installedDir.filePath(services::kInstalledMarker));
            QVERIFY(marker.open(QIODevice::WriteOnly));
            program = copy;
        }
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.remove("QT_QPA_PLATFORM");
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        p.setProcessEnvironment(env);
        p.start(program, {});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        const QString said = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(said.trimmed().endsWith(command), qPrintable(said));
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
