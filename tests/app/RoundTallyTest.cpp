// The round tally the screens share: when a round is handed over, and that it is handed over once.
#include "app/RoundTally.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "support/TestSupport.h"
#include "ui/Screen.h"

using namespace testing_support;

class RoundTallyTest : public QObject {
    Q_OBJECT

    std::unique_ptr<app::AppContext> ctx;
    app::RoundTally *tally = nullptr;

    // A plain screen with a tally, opened as the navigator opens every screen.
    QWidget *openScreen(const QString &name) {
        QWidget *s = ctx->navigator().open(screens::kHelp, [&](app::AppContext &c) {
            auto *w = new ui::Screen(name, name, 3000, 3000);
            tally = new app::RoundTally(c, w, services::Area::Hanzi);
            return w;
        });
        return s;
    }
    services::RecordingRecorder &rec() { return record(*ctx); }

  private slots:
    void init() { ctx = app::AppContext::forTests(QDir::tempPath()); }
    void cleanup() {
        ctx.reset();
        flushDeletes();
    }

    // Another mode ends the round under way; the same mode again does not; a round without an
    // answer or a step is not handed over.
    void modes() {
        openScreen(QStringLiteral("s1"));
        tally->begin(QStringLiteral("A"));
        tally->right(QStringLiteral("l"), QStringLiteral("x"));
        tally->setMode(QStringLiteral("A"));
        QVERIFY(rec().rounds.isEmpty());
        rec().clock = rec().clock.addSecs(5);
        tally->setMode(QStringLiteral("B"));
        QCOMPARE(rec().rounds.size(), 1);
        QCOMPARE(rec().rounds[0].mode, QStringLiteral("A"));
        QCOMPARE(rec().rounds[0].screen, QStringLiteral("s1"));
        QCOMPARE(rec().rounds[0].started, QDateTime(QDate(2026, 1, 5), QTime(17, 0)));
        QCOMPARE(rec().rounds[0].seconds, 5);
        QCOMPARE(rec().rounds[0].hits.size(), 1);
        // The next answer opens a round in the new mode, from its own time.
        rec().clock = rec().clock.addSecs(60);
        tally->wrong(QStringLiteral("l"), QStringLiteral("y"), QStringLiteral("z"));
        rec().clock = rec().clock.addSecs(3);
        tally->finish();
        tally->finish();
        QCOMPARE(rec().rounds.size(), 2);
        QCOMPARE(rec().rounds[1].mode, QStringLiteral("B"));
        QCOMPARE(rec().rounds[1].seconds, 3);
        tally->begin(QStringLiteral("C"));
        tally->finish();
        QCOMPARE(rec().rounds.size(), 2);
        tally->stepped();
        tally->finish();
        QCOMPARE(rec().rounds.size(), 3);
    }

    // Hidden under a child screen the round goes on; put away, it is handed over once, and
    // the deletion that follows adds nothing.
    void childScreenAndLeaving() {
        QWidget *parent = openScreen(QStringLiteral("s2"));
        tally->right(QStringLiteral("l"), QStringLiteral("x"));
        ctx->navigator().openChild(screens::kHelp, [](app::AppContext &) {
            return new ui::Screen(QStringLiteral("child"), QString(), 2000, 2000);
        });
        QVERIFY(!parent->isVisible());
        QVERIFY(rec().rounds.isEmpty());
        ctx->navigator().leave();
        QCOMPARE(ctx->navigator().current(), parent);
        tally->wrong(QStringLiteral("l"), QStringLiteral("y"), QStringLiteral("z"));
        ctx->navigator().returnToMain();
        flushDeletes();
        QCOMPARE(rec().rounds.size(), 1);
        QCOMPARE(rec().rounds[0].right, 1);
        QCOMPARE(rec().rounds[0].wrong, 1);
    }

    // The program's end puts the screen away too.
    void quitting() {
        openScreen(QStringLiteral("s3"));
        tally->right(QStringLiteral("l"), QStringLiteral("x"));
        ctx->navigator().quit();
        QCOMPARE(rec().rounds.size(), 1);
    }
};

QTEST_MAIN(RoundTallyTest)
#include "RoundTallyTest.moc"
