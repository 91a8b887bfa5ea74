#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "services/ContentSchema.h"
#include "support/Fixtures.h"
#include "support/TestSupport.h"

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
    void openWith(int records) {
        ctx.reset();
        flushDeletes();
        QFile::remove(dir.filePath("study.dat"));
        QVERIFY(writeFixtureStudyDat(dir.filePath("study.dat"), {{services::kPoems, poems(records)}}));
        ctx = app::AppContext::forTests(dir.path());
        screen = ctx->navigator().open(*app::findMenuItem("tangshi"));
    }

  private slots:
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
