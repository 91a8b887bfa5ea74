#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "services/ContentSchema.h"
#include "support/Fixtures.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QListWidget>
#include <QTemporaryDir>

using namespace testing_support;

class PoemStudyScreenTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<app::AppContext> ctx;
    QWidget *screen = nullptr;

    QListWidget *list() { return screen->findChild<QListWidget *>("List1"); }
    QStringList onShow() {
        QStringList out;
        for (int i = 0; i < 6; ++i)
            out << caption(screen, QStringLiteral("Label1(%1)").arg(i));
        return out;
    }
    // Poems of records "题k", "作者k", "甲k", "乙k", "丙k", "丁k".
    static std::vector<QStringList> poems(int records) {
        std::vector<QStringList> rows;
        const QStringList parts = {"题", "作者", "春", "夏", "秋", "冬"};
        for (int r = 0; r < records; ++r)
            rows.push_back({parts[r % 6] + QString::number(r / 6 + 1)});
        return rows;
    }
    void openWith(int records) { openWithRows(poems(records)); }
    void openWithRows(const std::vector<QStringList> &rows) {
        ctx.reset();
        flushDeletes();
        QFile::remove(dir.filePath("study.dat"));
        QVERIFY(writeFixtureStudyDat(dir.filePath("study.dat"), {{services::kPoems, rows}}));
        reopen();
    }
    // The screen closed and opened again, as in a new run: only the settings carry over.
    void reopen() {
        ctx.reset();
        flushDeletes();
        ctx = app::AppContext::forTests(dir.path());
        screen = ctx->navigator().open(*app::findMenuItem("tangshi"));
    }
    QCheckBox *toneMarks() { return screen->findChild<QCheckBox *>("Check1"); }
    QStringList pinyinOnShow() {
        QStringList out;
        for (int i = 0; i < 6; ++i)
            out << caption(screen, QStringLiteral("Label5(%1)").arg(i));
        return out;
    }
    static std::vector<QStringList> jiangnanChun() {
        return {{"江南春"},         {"杜牧"},           {"千里莺啼绿映江"},
                {"水村山郭酒旗风"}, {"南朝四百八十寺"}, {"多少楼台烟雨中"}};
    }
    static QStringList jiangnanChunDisplay() {
        return {"jiang nan chun",
                "du mu",
                "qian li ying ti lü ying jiang",
                "shui cun shan guo jiu qi feng",
                "nan chao si bai ba shi si",
                "duo shao lou tai yan yu zhong"};
    }
    static QStringList jiangnanChunToned() {
        return {"jiāng nán chūn",
                "dù mù",
                "qiān lǐ yīng tí lǜ yìng jiāng",
                "shuǐ cūn shān guō jiǔ qí fēng",
                "nán cháo sì bǎi bā shí sì",
                "duō shǎo lóu tái yān yǔ zhōng"};
    }

  private slots:
    void initTestCase() { useOwnSettings(); }
    void init() { ui::openSettings()->clear(); } // each test starts as a first run
    void cleanup() {
        ctx.reset();
        flushDeletes();
    }

    void listAndCount_data() {
        QTest::addColumn<int>("records");
        QTest::newRow("24 records") << 24;
        QTest::newRow("27 records: the last three are no poem") << 27;
    }
    void listAndCount() {
        QFETCH(int, records);
        openWith(records);
        QCOMPARE(screen->windowTitle(), QStringLiteral("唐诗学习"));
        QCOMPARE(caption(screen, "Label2"), QStringLiteral("共有4首唐诗"));
        QCOMPARE(list()->count(), 4);
        QCOMPARE(list()->item(3)->text(), QStringLiteral("题4"));
        QVERIFY(!button(screen, "Button1")->isEnabled());
        QVERIFY(!screen->findChild<QLabel *>("Label1(0)")->isVisible());
        // Showing the window again does not add the titles twice.
        screen->hide();
        screen->show();
        QCOMPARE(list()->count(), 4);
    }

    void choosingAndStepping() {
        openWith(27);
        // Before any choice, "上一首" leaves the screen as it is.
        click(screen, "Button2");
        QVERIFY(!screen->findChild<QLabel *>("Label1(0)")->isVisible());
        QCOMPARE(ctx->globals.currentPoem, -1);

        list()->setCurrentRow(2);
        QCOMPARE(onShow(), (QStringList{"题3", "作者3", "春3", "夏3", "秋3", "冬3"}));
        QCOMPARE(caption(screen, "Label5(0)"), ctx->pinyin().GetPinYin("题3"));
        QCOMPARE(caption(screen, "Label5(2)"), ctx->pinyin().GetPinYin("春3"));
        QVERIFY(screen->findChild<QLabel *>("Label1(5)")->isVisible());
        QCOMPARE(list()->toolTip(), QStringLiteral("题3"));
        QVERIFY(button(screen, "Button1")->isEnabled());

        click(screen, "Button1");
        QCOMPARE(onShow().first(), QStringLiteral("题4"));
        click(screen, "Button1"); // the last poem: nothing changes
        QCOMPARE(onShow().first(), QStringLiteral("题4"));
        QCOMPARE(ctx->globals.currentPoem, 3);
        for (int i = 0; i < 4; ++i)
            click(screen, "Button2");
        QCOMPARE(onShow().first(), QStringLiteral("题1")); // and no further than the first
        QCOMPARE(list()->currentRow(), 0);
    }

    void pinyinSitsCentredAboveItsLine() {
        openWith(24);
        list()->setCurrentRow(0);
        for (int i = 0; i < 6; ++i) {
            auto *text = screen->findChild<QLabel *>(QStringLiteral("Label1(%1)").arg(i));
            auto *py = screen->findChild<QLabel *>(QStringLiteral("Label5(%1)").arg(i));
            QVERIFY(py->geometry().top() < text->geometry().top());
            QVERIFY(qAbs(py->geometry().center().x() - text->geometry().center().x()) <= 1);
            QVERIFY(text->geometry().right() < text->parentWidget()->width());
        }
    }

    // No label's letters meet those of the label above (the author's pinyin stayed clear of a
    // large title only by luck), in every shipped poem, with and without tone marks; the last
    // line still fits the panel. Qt scales the whole layout alike, so this holds at every scale.
    void lettersNeverMeet_data() {
        QTest::addColumn<bool>("tones");
        QTest::newRow("plain") << false;
        QTest::newRow("tone marks") << true;
    }

    void lettersNeverMeet() {
        QFETCH(bool, tones);
        ctx = app::AppContext::forTests(QStringLiteral(LUMIBO_BUILD_DIR));
        screen = ctx->navigator().open(*app::findMenuItem("tangshi"));
        toneMarks()->setChecked(tones);
        QVERIFY(list()->count() > 100);
        // The ink of a label's text, from the panel's top, as a centred one-line label draws it.
        const auto ink = [](const QLabel *l) {
            const QFontMetrics fm(l->font());
            const QRect r = fm.tightBoundingRect(l->text());
            const int baseline = l->y() + (l->height() - fm.height()) / 2 + fm.ascent();
            return std::pair{baseline + r.top(), baseline + r.bottom()};
        };
        for (int k = 0; k < list()->count(); ++k) {
            list()->setCurrentRow(k);
            int above = -1;
            QString aboveName;
            for (int i = 0; i < 6; ++i) {
                for (const QString &name :
                     {QStringLiteral("Label5(%1)").arg(i), QStringLiteral("Label1(%1)").arg(i)}) {
                    const auto *l = screen->findChild<QLabel *>(name);
                    const auto [top, bottom] = ink(l);
                    QVERIFY2(top > above,
                             qPrintable(QStringLiteral("%1: %2 meets %3 (%4)")
                                            .arg(list()->item(k)->text(), name, aboveName, l->text())));
                    above = bottom;
                    aboveName = name;
                    QVERIFY(l->geometry().bottom() < l->parentWidget()->height());
                }
            }
        }
    }

    // The pinyin a child reads: ü as ü; tone marks once "标声调" is ticked, on the poem on show
    // at once, and off again when it is cleared.
    void pinyinWithUmlautAndToneMarksOnRequest() {
        openWithRows(jiangnanChun());
        QCOMPARE(toneMarks()->text(), QStringLiteral("标声调"));
        QVERIFY(!toneMarks()->isChecked());
        QVERIFY(toneMarks()->isVisible());
        toneMarks()->click(); // before any poem: nothing on show changes
        QVERIFY(!screen->findChild<QLabel *>("Label5(0)")->isVisible());
        toneMarks()->click();

        list()->setCurrentRow(0);
        QCOMPARE(pinyinOnShow(), jiangnanChunDisplay());
        toneMarks()->click();
        QCOMPARE(pinyinOnShow(), jiangnanChunToned());
        // Each pinyin label is laid out again for its new text: whole and centred over its line.
        for (int i = 0; i < 6; ++i) {
            auto *text = screen->findChild<QLabel *>(QStringLiteral("Label1(%1)").arg(i));
            auto *py = screen->findChild<QLabel *>(QStringLiteral("Label5(%1)").arg(i));
            QVERIFY(qAbs(py->geometry().center().x() - text->geometry().center().x()) <= 1);
            QVERIFY(QFontMetrics(py->font()).horizontalAdvance(py->text()) <= py->width());
        }
        toneMarks()->click();
        QCOMPARE(pinyinOnShow(), jiangnanChunDisplay());
    }

    // The choice outlives the screen: closed and opened again, it shows as it was left.
    void toneMarksAreRemembered_data() {
        QTest::addColumn<bool>("ticked");
        QTest::newRow("ticked") << true;
        QTest::newRow("cleared again") << false;
    }
    void toneMarksAreRemembered() {
        QFETCH(bool, ticked);
        openWithRows(jiangnanChun());
        toneMarks()->click();
        if (!ticked) toneMarks()->click();
        reopen();
        QCOMPARE(toneMarks()->isChecked(), ticked);
        list()->setCurrentRow(0);
        QCOMPARE(pinyinOnShow(), ticked ? jiangnanChunToned() : jiangnanChunDisplay());
    }

    void missingStoreIsSaid() {
        ctx = app::AppContext::forTests(QDir::tempPath() + "/no-such-lumibo-dir");
        screen = ctx->navigator().open(*app::findMenuItem("tangshi"));
        QCOMPARE(caption(screen, "Label2"), QStringLiteral("找不到内容库 study.dat"));
        QCOMPARE(list()->count(), 0);
    }

    // A study.dat without 唐诗 still serves the other tables; this screen names the missing one.
    void missingPoemTableIsSaid() {
        QTemporaryDir other;
        QVERIFY(writeFixtureStudyDat(other.filePath("study.dat"), {}, {services::kPoems}));
        ctx = app::AppContext::forTests(other.path());
        screen = ctx->navigator().open(*app::findMenuItem("tangshi"));
        QCOMPARE(caption(screen, "Label2"), QStringLiteral("内容库 study.dat 不完整：缺少表“唐诗”"));
        auto *label2 = screen->findChild<QLabel *>("Label2");
        QVERIFY2(QFontMetrics(label2->font()).horizontalAdvance(label2->text()) <= label2->width(),
                 "clipped");
        QCOMPARE(list()->count(), 0);
        QVERIFY(ctx->store().Data(services::kSingleCharacters));
    }
};

QTEST_MAIN(PoemStudyScreenTest)
#include "PoemStudyScreenTest.moc"
