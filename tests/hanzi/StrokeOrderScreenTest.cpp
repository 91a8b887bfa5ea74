// 笔顺 as a child meets it: opened from a character lesson, the strokes written one after another
// by the screen's timer, stepped one by one, then traced with a mouse, a finger or a pen, and back
// to the lesson where it was. The strokes are the shipped stroke file's.

#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "hanzi/StrokeCanvas.h"
#include "hanzi/StrokeOrderScreen.h"
#include "hanzi/StrokePlayer.h"
#include "services/ContentSchema.h"
#include "support/Fixtures.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPointingDevice>
#include <QTabletEvent>
#include <QTemporaryDir>

using namespace testing_support;
using hanzi::Polyline;
using hanzi::StrokeCanvas;
using hanzi::StrokePlayer;

namespace {

const QString kShippedStrokes = QStringLiteral(LUMIBO_SOURCE_DIR "/data/strokes/strokes.dat");

Polyline reversed(Polyline line) {
    std::reverse(line.begin(), line.end());
    return line;
}

} // namespace

class StrokeOrderScreenTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<app::AppContext> ctx;

    QWidget *current() { return ctx->navigator().current(); }
    StrokeCanvas *canvas() { return current()->findChild<StrokeCanvas *>("Picture1"); }
    services::RecordingWavePlayer &sounds() { return static_cast<services::RecordingWavePlayer &>(ctx->jieguo()); }

    // The lesson on its n-th character of lesson 1 (一 二 三 … 十).
    QWidget *lessonAt(int n) {
        QWidget *lesson = ctx->navigator().open(*app::findMenuItem("danzi"));
        auto *c = lesson->findChild<QComboBox *>("Combo1");
        c->setCurrentIndex(0);
        emit c->activated(0);
        for (int i = 0; i < n; ++i)
            click(lesson, "Button1");
        return lesson;
    }

    QWidget *strokesOf(const QString &character) {
        return ctx->navigator().open(screens::kStrokeOrder, [character](app::AppContext &c) -> QWidget * {
            return new hanzi::StrokeOrderScreen(c, {.shown = {character, {}}});
        });
    }

    Polyline median(int stroke) { return canvas()->character()->strokes[stroke].median; }

    // The child draws a line (in the stroke box's units) on the grid with the mouse.
    void draw(const Polyline &line) {
        StrokeCanvas *c = canvas();
        c->pointerDown(c->toWidget(line.front()));
        for (const QPointF &p : line)
            c->pointerMove(c->toWidget(p));
        c->pointerUp(c->toWidget(line.back()));
    }

    // Ticks of the screen's timer until the given time has passed since the last reset.
    int ticksFor(int ms) {
        const int interval = timer(current(), "Timer1")->interval();
        return (ms + interval - 1) / interval;
    }
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i)
            timer(current(), "Timer1")->fire();
    }

  private slots:
    void initTestCase() {
        std::vector<QStringList> chars;
        for (QChar c : QStringLiteral("一二三四五六七八九十人口手大小上下中土木"))
            chars.push_back({QString(c)});
        QVERIFY(writeFixtureStudyDat(dir.filePath("study.dat"), {{services::kSingleCharacters, chars}}));
        QVERIFY(QFile::copy(kShippedStrokes, dir.filePath("strokes.dat")));
        useOwnSettings();
    }
    void init() {
        ui::openSettings()->clear();
        ctx = app::AppContext::forTests(dir.path());
    }
    void cleanup() {
        ctx.reset();
        flushDeletes();
    }

    // Stroke k is written in full once (k - 1) steps and one stroke's drawing time have passed,
    // and not a tick before; the labels follow.
    void animationWritesStrokeKAfterKSteps_data() {
        QTest::addColumn<QString>("character");
        QTest::addColumn<int>("strokes");
        QTest::newRow("一") << "一" << 1;
        QTest::newRow("十") << "十" << 2;
        QTest::newRow("我") << "我" << 7;
        QTest::newRow("国") << "国" << 8;
    }
    void animationWritesStrokeKAfterKSteps() {
        QFETCH(QString, character);
        QFETCH(int, strokes);
        QWidget *screen = strokesOf(character);
        QCOMPARE(caption(screen, "Label3"), QStringLiteral("共%1画").arg(strokes));
        QCOMPARE(caption(screen, "Label4"), QStringLiteral("第1画"));
        QVERIFY(timer(screen, "Timer1")->isEnabled());
        const int interval = timer(screen, "Timer1")->interval();
        int ticks = 0;
        for (int k = 1; k <= strokes; ++k) {
            const int done = (k - 1) * StrokePlayer::kStepMs + StrokePlayer::kDrawMs;
            const int needed = (done + interval - 1) / interval;
            tick(needed - 1 - ticks);
            QCOMPARE(canvas()->written(), k - 1);
            QCOMPARE(caption(screen, "Label4"), QStringLiteral("第%1画").arg(k));
            tick();
            ticks = needed;
            QCOMPARE(canvas()->written(), k);
            QVERIFY(canvas()->written() >= k && ticks * interval <= k * StrokePlayer::kStepMs);
        }
        QVERIFY(!timer(screen, "Timer1")->isEnabled());
        QCOMPARE(caption(screen, "Label4"), QStringLiteral("第%1画").arg(strokes));
    }

    // 一笔一笔: a press writes the next stroke and stops; a press while one grows completes it;
    // after the last stroke the next press starts on a blank grid. 再看一遍 writes them all again.
    void stepOneStrokeAPress() {
        QWidget *screen = strokesOf("十");
        click(screen, "Button2"); // while the first stroke grows: it is completed, the second grows
        QCOMPARE(canvas()->written(), 1);
        QCOMPARE(caption(screen, "Label4"), QStringLiteral("第2画"));
        tick(ticksFor(StrokePlayer::kDrawMs));
        QCOMPARE(canvas()->written(), 2);
        QVERIFY(!timer(screen, "Timer1")->isEnabled());
        click(screen, "Button2");
        QCOMPARE(canvas()->written(), 0);
        QCOMPARE(caption(screen, "Label4"), QStringLiteral("第1画"));
        tick(ticksFor(StrokePlayer::kStepMs));
        QCOMPARE(canvas()->written(), 1);
        QVERIFY(!timer(screen, "Timer1")->isEnabled()); // it waits for the next press
        click(screen, "Button1");
        QCOMPARE(canvas()->written(), 0);
        tick(ticksFor(StrokePlayer::kStepMs + StrokePlayer::kDrawMs));
        QCOMPARE(canvas()->written(), 2);
    }

    // The whole way: from lesson 1's second character to the stroke screen, traced with a right
    // stroke, wrong ones and the hint they earn, praised, on to the next character, and back to
    // the lesson on that character.
    void traceFromTheLessonAndBack() {
        QWidget *lesson = lessonAt(2);
        QCOMPARE(caption(lesson, "Label1"), QStringLiteral("二"));
        click(lesson, "strokeOrder");
        QWidget *screen = current();
        QCOMPARE(screen->objectName(), screens::kStrokeOrder);
        QVERIFY(!lesson->isVisible());
        QCOMPARE(caption(screen, "Label2"), ctx->pinyin().recordPinYin("二", {}, services::PinyinLookup::Form::Display));
        QCOMPARE(caption(screen, "Label3"), QStringLiteral("共2画"));

        click(screen, "Button3");
        QCOMPARE(caption(screen, "Label5"), QStringLiteral("用鼠标、手指或笔，照着灰色的字写第1画"));
        QCOMPARE(canvas()->written(), 0);
        sounds().log.clear();
        draw(median(0));
        QCOMPARE(canvas()->written(), 1);
        QCOMPARE(sounds().plays(), QStringList{"play 0..1227"});
        QCOMPARE(caption(screen, "Label4"), QStringLiteral("第2画"));
        QCOMPARE(caption(screen, "Label5"), QStringLiteral("写对了，接着写第2画"));

        draw(reversed(median(1)));
        QCOMPARE(canvas()->written(), 1);
        QCOMPARE(caption(screen, "Label5"), QStringLiteral("方向反了，从第2画的起笔处写"));
        QVERIFY(timer(screen, "Timer1")->isEnabled()); // the wrong line fades
        tick(ticksFor(1000));
        QVERIFY(!timer(screen, "Timer1")->isEnabled());
        draw(median(0)); // the first stroke again: not the one asked for
        draw(median(0));
        QCOMPARE(sounds().plays(), (QStringList{"play 0..1227", "play 3227..3680", "play 3227..3680", "play 3227..3680"}));
        QCOMPARE(caption(screen, "Label5"), QStringLiteral("看一看第2画怎么写，再写一遍"));
        QVERIFY(timer(screen, "Timer1")->isEnabled()); // the hint grows
        tick(ticksFor(StrokePlayer::kDrawMs));
        QCOMPARE(canvas()->written(), 1); // a hint writes nothing for the child

        QVERIFY(!button(screen, "Button6")->isVisible());
        sounds().log.clear();
        draw(median(1));
        QCOMPARE(canvas()->written(), 2);
        QCOMPARE(caption(screen, "Label5"), QStringLiteral("写对了！"));
        QCOMPARE(sounds().plays(), QStringList{"play 0..3227"});
        QVERIFY(button(screen, "Button5")->isVisible());
        draw(median(1)); // nothing more to write
        QCOMPARE(sounds().plays(), QStringList{"play 0..3227"});

        click(screen, "Button6");
        QCOMPARE(caption(screen, "Label3"), QStringLiteral("共3画"));
        QCOMPARE(caption(screen, "Label4"), QStringLiteral("第1画"));
        QVERIFY(!button(screen, "Button6")->isVisible());
        click(screen, "Button4");
        QCOMPARE(current(), lesson);
        QVERIFY(lesson->isVisible());
        QCOMPARE(caption(lesson, "Label1"), QStringLiteral("三"));
        QCOMPARE(caption(lesson, "Label2"), QStringLiteral("第3个"));
    }

    // Opened and left without writing, the lesson is where it was; its auto-play is stopped, and
    // its 标声调 holds for the pinyin.
    void lessonKeepsItsPlace() {
        QWidget *lesson = lessonAt(4);
        lesson->findChild<QCheckBox *>("Check1")->setChecked(true);
        click(lesson, "Button4"); // auto-play on
        click(lesson, "strokeOrder");
        QVERIFY(!timer(lesson, "Timer1")->isEnabled());
        QCOMPARE(caption(current(), "Label2"), QStringLiteral("sì"));
        click(current(), "Button4");
        QCOMPARE(current(), lesson);
        QCOMPARE(caption(lesson, "Label1") + caption(lesson, "Label2"), QStringLiteral("四第4个"));
        QCOMPARE(caption(lesson, "Button4"), QStringLiteral("自动播放"));
    }

    // The pointer may be a mouse, a finger or a pen: each writes 一's stroke.
    void everyPointerWrites_data() {
        QTest::addColumn<QString>("device");
        QTest::newRow("mouse") << "mouse";
        QTest::newRow("touch") << "touch";
        QTest::newRow("pen") << "pen";
    }
    void everyPointerWrites() {
        QFETCH(QString, device);
        QWidget *screen = strokesOf("一");
        screen->show();
        click(screen, "Button3");
        StrokeCanvas *c = canvas();
        QList<QPoint> points;
        for (const QPointF &p : median(0))
            points << c->toWidget(p).toPoint();
        if (device == "mouse") {
            QTest::mousePress(c, Qt::LeftButton, {}, points.front());
            for (const QPoint &p : points)
                QTest::mouseMove(c, p);
            QTest::mouseRelease(c, Qt::LeftButton, {}, points.back());
        } else if (device == "touch") {
            static QPointingDevice *finger = QTest::createTouchDevice();
            QTest::touchEvent(c, finger).press(0, points.front(), c);
            for (const QPoint &p : points)
                QTest::touchEvent(c, finger).move(0, p, c);
            QTest::touchEvent(c, finger).release(0, points.back(), c);
        } else {
            const QPointingDevice *pen = QPointingDevice::primaryPointingDevice();
            auto send = [&](QEvent::Type type, QPoint at) {
                QTabletEvent e(type, pen, at, c->mapToGlobal(at), 0.5, 0, 0, 0, 0, 0, Qt::NoModifier,
                               Qt::LeftButton, type == QEvent::TabletRelease ? Qt::NoButton : Qt::LeftButton);
                QCoreApplication::sendEvent(c, &e);
            };
            send(QEvent::TabletPress, points.front());
            for (const QPoint &p : points)
                send(QEvent::TabletMove, p);
            send(QEvent::TabletRelease, points.back());
        }
        QCOMPARE(canvas()->written(), 1);
        QCOMPARE(caption(screen, "Label5"), QStringLiteral("写对了！"));
    }

    // Without a usable stroke file the lesson offers no 笔顺 and goes on as before; a character
    // the file lacks is named on a plain stroke screen.
    void noStrokeFileNoButton_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("truncated") << bytesOf(kShippedStrokes).left(5000);
        QTest::newRow("not a stroke file") << QByteArray("LUMISTRK but nothing more of it");
    }
    void noStrokeFileNoButton() {
        QFETCH(QByteArray, file);
        QTemporaryDir program;
        QVERIFY(QFile::copy(dir.filePath("study.dat"), program.filePath("study.dat")));
        if (!file.isEmpty()) {
            QFile f(program.filePath("strokes.dat"));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(file) == file.size());
        }
        ctx = app::AppContext::forTests(program.path());
        QWidget *lesson = lessonAt(1);
        QCOMPARE(caption(lesson, "Label1"), QStringLiteral("一"));
        QVERIFY(!button(lesson, "strokeOrder")->isVisible());
        click(lesson, "Button1");
        QCOMPARE(caption(lesson, "Label1"), QStringLiteral("二"));

        QWidget *screen = strokesOf("二");
        QCOMPARE(caption(screen, "Label5"), QStringLiteral("“二”还没有笔顺"));
        for (const char *b : {"Button1", "Button2", "Button3"})
            QVERIFY(!button(screen, b)->isEnabled());
        QVERIFY(button(screen, "Button4")->isEnabled());
    }
};

QTEST_MAIN(StrokeOrderScreenTest)
#include "StrokeOrderScreenTest.moc"
