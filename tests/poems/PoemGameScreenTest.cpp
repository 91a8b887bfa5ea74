#include "poems/PoemGameScreen.h"
#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "services/ContentSchema.h"
#include "support/Fixtures.h"
#include "support/TestSupport.h"
#include "ui/Fonts.h"

#include <QFontInfo>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace testing_support;

namespace {

const QStringList kStems = {"春来花满枝", "夏日荷叶圆", "秋风落叶黄", "冬雪盖山白"};

// Poem k (from 1): title "题k", author "作者k", lines "春来花满枝k" ... "冬雪盖山白k".
std::vector<QStringList> poemRows(int records) {
    std::vector<QStringList> rows;
    for (int r = 0; r < records; ++r) {
        const int k = r / 6 + 1;
        const int i = r % 6;
        rows.push_back({i == 0   ? QStringLiteral("题%1").arg(k)
                        : i == 1 ? QStringLiteral("作者%1").arg(k)
                                 : kStems[i - 2] + QString::number(k)});
    }
    return rows;
}

QString line(int k, int i) {
    return kStems[i - 1] + QString::number(k);
}

// The draw that makes Int(Rnd * 4 + 1) give v.
double place(int v) {
    return (v - 0.5) / 4;
}

} // namespace

class PoemGameScreenTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<app::AppContext> ctx;
    QWidget *screen = nullptr;

    void openWith(int records, const QList<double> &draws = {}) {
        ctx.reset();
        flushDeletes();
        const QString path = dir.filePath(QStringLiteral("study.dat"));
        QFile::remove(path);
        QVERIFY(writeFixtureStudyDat(path, {{services::kPoems, poemRows(records)}}));
        ctx = app::AppContext::forTests(dir.path());
        for (double d : draws)
            ctx->random.script({d});
        screen = ctx->navigator().open(*app::findMenuItem("tangshiyx"));
        QVERIFY(screen);
    }
    QListWidget *list() { return screen->findChild<QListWidget *>("List1"); }
    ui::Timer *typing() { return timer(screen, "Timer1"); }
    ui::Timer *pause() { return timer(screen, "Timer2"); }
    QString b(int j) { return QStringLiteral("Button1(%1)").arg(j); }
    QStringList slotTexts() {
        QStringList out;
        for (int j = 5; j <= 8; ++j)
            out << caption(screen, b(j));
        return out;
    }
    QList<bool> linesEnabled() {
        QList<bool> out;
        for (int j = 1; j <= 4; ++j)
            out << button(screen, b(j))->isEnabled();
        return out;
    }
    // The line button that carries this text.
    QString lineButton(const QString &text) {
        for (int j = 1; j <= 4; ++j)
            if (caption(screen, b(j)) == text) return b(j);
        return {};
    }
    // Clicks a button and lets the typing run to its end.
    void placeLine(const QString &name) {
        click(screen, name);
        for (int ticks = 0; typing()->isEnabled() && ticks < 100; ++ticks)
            typing()->fire();
        QVERIFY(!typing()->isEnabled());
    }
    void placeLines(int k, const QList<int> &order) {
        for (int i : order)
            placeLine(lineButton(line(k, i)));
    }

  private slots:
    void cleanup() {
        ctx.reset();
        flushDeletes();
    }

    void opening() {
        openWith(24, {place(3), place(1), place(4)});
        QCOMPARE(screen->windowTitle(), QStringLiteral("唐诗游戏"));
        QCOMPARE(caption(screen, "Label3(4)"), QStringLiteral("唐诗游戏"));
        QCOMPARE(caption(screen, "Label3(5)"), QStringLiteral("共有4首唐诗  这是第1首"));
        QCOMPARE(caption(screen, "Button4"), QStringLiteral("题1"));
        QCOMPARE(caption(screen, "Button3"), QStringLiteral("作者：作者1"));
        QCOMPARE(screen->findChild<QRadioButton *>("Option1(0)")->text(), QStringLiteral("顺序唐诗"));
        QCOMPARE(screen->findChild<QRadioButton *>("Option1(1)")->text(), QStringLiteral("随机唐诗"));
        QVERIFY(screen->findChild<QRadioButton *>("Option1(0)")->isChecked());
        QCOMPARE(caption(screen, "Button5"), QStringLiteral("呀！错了！重新来！"));
        QCOMPARE(caption(screen, "Button2"), QStringLiteral("不想玩了"));
        const QStringList markers{caption(screen, "Label3(0)"), caption(screen, "Label3(3)"),
                                  caption(screen, "Label3(9)"), caption(screen, "Label3(6)")};
        QCOMPARE(markers, (QStringList{"A:", "D:", "1:", "4:"}));
        QCOMPARE(list()->count(), 4);
        QCOMPARE(list()->item(3)->text(), QStringLiteral("题4"));
        QCOMPARE(list()->currentRow(), 0);
        // Line 1 on button 3, line 2 on 1, line 3 on 4, line 4 on the one left.
        const QStringList shown{caption(screen, b(1)), caption(screen, b(2)), caption(screen, b(3)),
                                caption(screen, b(4))};
        QCOMPARE(shown, (QStringList{line(1, 2), line(1, 4), line(1, 1), line(1, 3)}));
        QCOMPARE(slotTexts(), (QStringList{"", "", "", ""}));
        QCOMPARE(linesEnabled(), (QList<bool>{true, true, true, true}));
        QVERIFY(typing()->interval() >= 60 && typing()->interval() <= 100);
        QVERIFY(pause()->interval() >= 1000 && pause()->interval() <= 2000);
    }

    // A line appears one character per tick; other clicks wait until it is done.
    void typingOneCharacterPerTick() {
        openWith(24);
        const QString first = lineButton(line(1, 1));
        click(screen, first);
        QCOMPARE(caption(screen, b(5)), QStringLiteral("春"));
        QVERIFY(typing()->isEnabled());
        // Clicks while typing are ignored: no second line starts, none is typed twice.
        click(screen, lineButton(line(1, 2)));
        click(screen, first);
        const QString whole = line(1, 1);
        for (int n = 2; n <= whole.size(); ++n) {
            typing()->fire();
            QCOMPARE(caption(screen, b(5)), whole.left(n));
            QVERIFY(button(screen, first)->isEnabled());
        }
        typing()->fire();
        QVERIFY(!typing()->isEnabled());
        QVERIFY(!button(screen, first)->isEnabled());
        QCOMPARE(slotTexts(), (QStringList{whole, "", "", ""}));
        QVERIFY(clips(*ctx).plays().isEmpty());
    }

    void solvedInOrder() {
        openWith(24);
        placeLines(1, {1, 2, 3});
        QVERIFY(clips(*ctx).plays().isEmpty());
        placeLine(lineButton(line(1, 4)));
        QCOMPARE(clips(*ctx).plays(), QStringList{played(core::jieguo::kRightWithPraise)});
        QCOMPARE(slotTexts(), (QStringList{line(1, 1), line(1, 2), line(1, 3), line(1, 4)}));
        QVERIFY(pause()->isEnabled());
        // During the pause a click changes nothing.
        click(screen, b(5));
        QVERIFY(!typing()->isEnabled());
        QCOMPARE(slotTexts(), (QStringList{line(1, 1), line(1, 2), line(1, 3), line(1, 4)}));
        pause()->fire();
        QVERIFY(!pause()->isEnabled());
        QCOMPARE(list()->currentRow(), 1);
        QCOMPARE(caption(screen, "Label3(5)"), QStringLiteral("共有4首唐诗  这是第2首"));
        QCOMPARE(caption(screen, "Button4"), QStringLiteral("题2"));
        QCOMPARE(caption(screen, "Button3"), QStringLiteral("作者：作者2"));
        QCOMPARE(slotTexts(), (QStringList{"", "", "", ""}));
        QCOMPARE(linesEnabled(), (QList<bool>{true, true, true, true}));
        QVERIFY(!lineButton(line(2, 1)).isEmpty());
    }

    void wrongOrder() {
        openWith(24);
        placeLines(1, {2, 1, 3, 4});
        QCOMPARE(clips(*ctx).plays(), QStringList{played(core::jieguo::kWrong)});
        QCOMPARE(slotTexts(), (QStringList{"", "", "", ""}));
        QCOMPARE(linesEnabled(), (QList<bool>{true, true, true, true}));
        QVERIFY(!pause()->isEnabled());
        QCOMPARE(list()->currentRow(), 0);
        // The lines stay where they were; the poem can be solved now.
        placeLines(1, {1, 2, 3, 4});
        QCOMPARE(clips(*ctx).plays().last(), played(core::jieguo::kRightWithPraise));
    }

    // A round is one poem: its wrong orders (the lines as placed) and the solve, handed over at
    // once; a poem begun and left unanswered adds nothing.
    void roundPerPoem() {
        openWith(24);
        auto &rec = record(*ctx);
        placeLines(1, {2, 1, 3, 4});
        rec.clock = rec.clock.addSecs(50);
        placeLines(1, {1, 2, 3, 4});
        QCOMPARE(rec.rounds.size(), 1);
        const services::Round &r = rec.rounds[0];
        QCOMPARE(roundLine(r), QStringLiteral("唐诗游戏 poems 题1: 1 right, 1 wrong, 50 s"));
        const QString placed =
            QStringList{line(1, 2), line(1, 1), line(1, 3), line(1, 4)}.join(QStringLiteral("，"));
        QCOMPARE(missList(r), QStringList{QStringLiteral("题1→") + placed});
        pause()->fire();
        click(screen, "Button2");
        QCOMPARE(rec.rounds.size(), 1);
    }

    void startAgain() {
        openWith(24);
        placeLines(1, {1});
        click(screen, lineButton(line(1, 2)));
        typing()->fire();
        QCOMPARE(caption(screen, b(6)), line(1, 2).left(2));
        click(screen, "Button5");
        QCOMPARE(slotTexts(), (QStringList{"", "", "", ""}));
        QCOMPARE(linesEnabled(), (QList<bool>{true, true, true, true}));
        // The interrupted line types no further.
        typing()->fire();
        QCOMPARE(slotTexts(), (QStringList{"", "", "", ""}));
        QVERIFY(!typing()->isEnabled());
        QVERIFY(clips(*ctx).plays().isEmpty());
        placeLines(1, {1, 2, 3, 4});
        QCOMPARE(clips(*ctx).plays(), QStringList{played(core::jieguo::kRightWithPraise)});
    }

    // A filled slot is copied into the next empty one; an empty slot clicked is only disabled.
    void clickingSlots() {
        openWith(24);
        placeLines(1, {1});
        placeLine(b(5));
        QCOMPARE(slotTexts(), (QStringList{line(1, 1), line(1, 1), "", ""}));
        QVERIFY(!button(screen, b(5))->isEnabled());
        placeLine(b(8));
        QCOMPARE(slotTexts(), (QStringList{line(1, 1), line(1, 1), "", ""}));
        QVERIFY(!button(screen, b(8))->isEnabled());
        click(screen, "Button5");
        QVERIFY(!button(screen, b(5))->isEnabled()); // only the lines come back
    }

    void lastPoemInOrder() {
        openWith(24);
        list()->setCurrentRow(3);
        QCOMPARE(caption(screen, "Label3(5)"), QStringLiteral("共有4首唐诗  这是第4首"));
        placeLines(4, {1, 2, 3, 4});
        pause()->fire();
        QCOMPARE(list()->currentRow(), 3);
        QCOMPARE(slotTexts(), (QStringList{line(4, 1), line(4, 2), line(4, 3), line(4, 4)}));
        click(screen, "Button5");
        QCOMPARE(slotTexts(), (QStringList{"", "", "", ""}));
    }

    void randomPoem() {
        openWith(24);
        QTest::mouseClick(screen->findChild<QRadioButton *>("Option1(1)"), Qt::LeftButton);
        list()->setCurrentRow(2);
        placeLines(3, {1, 2, 3, 4});
        ctx->random.script({0.7}); // among the three other poems: the third, poem 4
        pause()->fire();
        QCOMPARE(list()->currentRow(), 3);
        QCOMPARE(caption(screen, "Button4"), QStringLiteral("题4"));
        // Never the poem just solved, the first one included.
        QSet<int> seen;
        for (int round = 0; round < 12; ++round) {
            const int solved = list()->currentRow();
            placeLines(solved + 1, {1, 2, 3, 4});
            pause()->fire();
            QVERIFY(list()->currentRow() != solved);
            seen << list()->currentRow();
        }
        QVERIFY(seen.contains(0));
    }

    // Fewer than six records hold no poem; the screen says so and nothing can be clicked.
    void tooFewRecords_data() {
        QTest::addColumn<int>("records");
        QTest::newRow("empty") << 0;
        QTest::newRow("five records") << 5;
    }
    void tooFewRecords() {
        QFETCH(int, records);
        openWith(records);
        QCOMPARE(caption(screen, "Label3(5)"), QStringLiteral("共有0首唐诗"));
        QCOMPARE(caption(screen, "Button4"), QStringLiteral("“唐诗”里还没有内容"));
        QCOMPARE(linesEnabled(), (QList<bool>{false, false, false, false}));
        QCOMPARE(list()->count(), 0);
    }

    void onePoem() {
        openWith(8);
        QCOMPARE(caption(screen, "Label3(5)"), QStringLiteral("共有1首唐诗  这是第1首"));
        QTest::mouseClick(screen->findChild<QRadioButton *>("Option1(1)"), Qt::LeftButton);
        placeLines(1, {1, 2, 3, 4});
        pause()->fire();
        QCOMPARE(list()->currentRow(), 0);
        QCOMPARE(slotTexts(), (QStringList{line(1, 1), line(1, 2), line(1, 3), line(1, 4)}));
    }

    void missingStore() {
        ctx.reset();
        flushDeletes();
        QTemporaryDir empty;
        ctx = app::AppContext::forTests(empty.path());
        screen = ctx->navigator().open(*app::findMenuItem("tangshiyx"));
        QCOMPARE(caption(screen, "Button4"), ctx->store().problem());
        QCOMPARE(caption(screen, "Label3(5)"), QStringLiteral("唐诗库"));
        QCOMPARE(linesEnabled(), (QList<bool>{false, false, false, false}));
    }

    void titleFont() {
        openWith(6);
        auto *title = screen->findChild<QLabel *>("Label3(4)");
        QCOMPARE(QFontInfo(title->font()).family(), ui::calligraphicFamily());
        QVERIFY2(ui::calligraphicFamily() != ui::cjkFamily(), "no calligraphic font installed");
        const QFontMetrics fm(title->font());
        for (QChar c : QStringLiteral("唐诗游戏"))
            QVERIFY2(fm.inFont(c), qPrintable(QString(c)));
    }

    void leaving() {
        openWith(24);
        click(screen, lineButton(line(1, 1)));
        click(screen, "Button2");
        flushDeletes();
        QCOMPARE(ctx->navigator().current()->objectName(), QStringLiteral("Main"));
    }
};

QTEST_MAIN(PoemGameScreenTest)
#include "PoemGameScreenTest.moc"
