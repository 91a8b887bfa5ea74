// The parent's side of the learning record: the parent's check, the 家长 menu, the record's
// page, the child's tile on the main window and the daily limit, on a record in a temporary
// folder with a clock the tests set.

#include "app/RecordPage.h"
#include "app/MainWindow.h"
#include "app/Navigator.h"
#include "app/ParentCheck.h"
#include "app/RestScreen.h"
#include "app/ScreenNames.h"
#include "services/LearningRecord.h"
#include "support/TestSupport.h"
#include "ui/BarChart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTreeWidget>

using namespace testing_support;
using services::Answer;
using services::Area;
using services::Round;

class RecordPageTest : public QObject {
    Q_OBJECT

    std::unique_ptr<app::AppContext> ctx;
    QTemporaryDir programDir;
    std::unique_ptr<QTemporaryDir> recordDir;
    QDateTime clock;
    services::LearningRecord *record = nullptr;

    QWidget *current() { return ctx->navigator().current(); }
    app::ParentCheck *check() {
        return current()->findChild<app::ParentCheck *>(QStringLiteral("parentCheck"));
    }
    void answer(app::ParentCheck *c, int value) {
        c->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QString::number(value));
        click(c, QStringLiteral("Command1"));
    }
    int rightAnswer(app::ParentCheck *c) { return c->question().a * c->question().b; }
    void play(int minutes, Area area = Area::English, QList<Answer> misses = {}) {
        Round r;
        r.screen = QStringLiteral("背单词");
        r.area = area;
        r.mode = QStringLiteral("第一册");
        r.started = clock.addSecs(-60 * minutes);
        r.seconds = 60 * minutes;
        r.right = 8;
        r.wrong = int(misses.size());
        r.misses = misses;
        record->addRound(r);
    }
    void useRecord() {
        auto r = std::make_unique<services::LearningRecord>(recordDir->path(), [this] { return clock; });
        record = r.get();
        ctx->useRecorder(std::move(r));
    }

  private slots:
    void init() {
        ctx = app::AppContext::forTests(programDir.path());
        recordDir = std::make_unique<QTemporaryDir>();
        clock = QDateTime(QDate(2026, 3, 20), QTime(17, 0));
        record = nullptr;
    }
    void cleanup() {
        ctx.reset();
        flushDeletes();
    }

    // A two-digit number times one from 3 to 19; typed answers with spaces or full-width digits
    // count, anything else does not.
    void theParentsQuestion() {
        ctx->random.script({0.0, 0.0, 0.999, 0.999, 0.5, 0.5});
        const app::ParentQuestion low = app::ParentQuestion::draw(ctx->random);
        QCOMPARE(low.a * 100 + low.b, 1003);
        const app::ParentQuestion high = app::ParentQuestion::draw(ctx->random);
        QCOMPARE(high.a * 100 + high.b, 9919);
        const app::ParentQuestion q = app::ParentQuestion::draw(ctx->random);
        QCOMPARE(q.text(), QStringLiteral("55 × 11 = ?"));
        QVERIFY(q.accepts(QStringLiteral("605")));
        QVERIFY(q.accepts(QStringLiteral(" ６０５ ")));
        QVERIFY(!q.accepts(QStringLiteral("604")));
        QVERIFY(!q.accepts(QString()));
        QVERIFY(!q.accepts(QStringLiteral("60 5")));
    }

    // 家长 > 学习记录 asks first: a wrong answer is refused with a new question, the right one
    // opens the page; giving up stays on the main window.
    void theMenuAsksTheParentFirst() {
        useRecord();
        ctx->navigator().showMain();
        QAction *item = current()->findChild<QAction *>(QStringLiteral("xuexijilu"));
        QCOMPARE(item->text(), QStringLiteral("学习记录"));
        item->trigger();
        app::ParentCheck *c = check();
        QVERIFY(c && c->isVisible());
        QCOMPARE(caption(c, "Label1"), c->question().text());
        const app::ParentQuestion first = c->question();
        answer(c, rightAnswer(c) + 1);
        QCOMPARE(current()->objectName(), screens::kMain);
        QCOMPARE(caption(c, "Label3"), QStringLiteral("答得不对，请再算一道。"));
        QVERIFY(c->question().a != first.a || c->question().b != first.b);
        answer(c, rightAnswer(c));
        QCOMPARE(current()->objectName(), screens::kLearningRecord);

        ctx->navigator().showMain();
        current()->findChild<QAction *>(QStringLiteral("xuexijilu"))->trigger();
        click(check(), QStringLiteral("Command2"));
        flushDeletes();
        QCOMPARE(current()->objectName(), screens::kMain);
        QVERIFY(!check());
    }

    // The page shows the child's week and month by area, the items missed most, and changes
    // the parent's settings, the children, exports and clears.
    void thePage() {
        useRecord();
        play(10, Area::English, {{"words", "cat", "cut"}, {"words", "dog", "dig"}});
        play(5, Area::English, {{"words", "cat", "cap"}});
        clock = clock.addDays(-9);
        play(20, Area::Arithmetic);
        clock = clock.addDays(9);
        auto *page = qobject_cast<app::RecordPage *>(ctx->navigator().open(screens::kLearningRecord));
        QVERIFY(page);
        QCOMPARE(caption(page, "Label9"), QString());

        auto *days = page->findChild<ui::BarChart *>(QStringLiteral("Chart1"));
        QCOMPARE(days->bars().size(), 7);
        QCOMPARE(days->bars().last().caption, QStringLiteral("今天"));
        QCOMPARE(days->bars().last().label, QStringLiteral("15"));
        QCOMPARE(days->bars()[0].caption, QStringLiteral("3/14"));
        auto *weeks = page->findChild<ui::BarChart *>(QStringLiteral("Chart3"));
        QStringList weekLabels;
        for (const auto &b : weeks->bars())
            weekLabels << b.caption + "=" + b.label;
        QCOMPARE(weekLabels, (QStringList{"2/21起=", "2/28起=", "3/7起=20", "本周=15"}));
        auto *accuracy = page->findChild<ui::BarChart *>(QStringLiteral("Chart2"));
        QCOMPARE(accuracy->bars()[int(Area::English)].label, QStringLiteral("84%")); // 16 of 19
        QCOMPARE(accuracy->bars()[int(Area::Arithmetic)].label, QStringLiteral("—"));
        auto *missed = page->findChild<QTreeWidget *>(QStringLiteral("List1"));
        QCOMPARE(missed->topLevelItemCount(), 2);
        QCOMPARE(missed->topLevelItem(0)->text(0), QStringLiteral("cat"));
        QCOMPARE(missed->topLevelItem(0)->text(1), QStringLiteral("2"));

        // The limit and the review switch.
        auto *limit = page->findChild<QComboBox *>(QStringLiteral("Combo2"));
        QCOMPARE(limit->currentText(), QStringLiteral("不限"));
        limit->setCurrentIndex(limit->findText(QStringLiteral("45分钟")));
        emit limit->activated(limit->currentIndex());
        QCOMPARE(record->dailyLimitMinutes(), 45);
        auto *review = page->findChild<QCheckBox *>(QStringLiteral("Check1"));
        QVERIFY(!review->isChecked());
        QVERIFY(record->reviewItems(QStringLiteral("words")).isEmpty());
        review->click();
        QCOMPARE(record->reviewItems(QStringLiteral("words")), (QStringList{"cat", "dog"}));

        // Export through the file the parent chose.
        const QString csv = recordDir->filePath(QStringLiteral("out.csv"));
        page->setChooseFile([&](const QString &suggested) {
            [&] { QVERIFY(suggested.endsWith(QStringLiteral("学习记录-孩子-20260320.csv"))); }();
            return csv;
        });
        click(page, QStringLiteral("Command1"));
        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), record->csv(1));
        QCOMPARE(caption(page, "Label9"), QStringLiteral("已导出到 ") + QDir::toNativeSeparators(csv));

        // Names: the first names the child the record began with.
        auto *name = page->findChild<QLineEdit *>(QStringLiteral("Text1"));
        name->setText(QStringLiteral("小明"));
        click(page, QStringLiteral("Command3"));
        auto *child = page->findChild<QComboBox *>(QStringLiteral("Combo1"));
        QCOMPARE(child->currentText(), QStringLiteral("小明"));
        name->setText(QStringLiteral("小明"));
        click(page, QStringLiteral("Command3"));
        QCOMPARE(caption(page, "Label9"), QStringLiteral("已经有叫“小明”的孩子了。"));
        name->setText(QStringLiteral("小红"));
        click(page, QStringLiteral("Command3"));
        QCOMPARE(child->count(), 2);
        QCOMPARE(child->currentText(), QStringLiteral("小红"));
        QCOMPARE(days->bars().last().label, QString()); // 小红 has played nothing

        // Clearing asks; a no keeps everything.
        child->setCurrentIndex(0);
        emit child->activated(0);
        QStringList asked;
        bool yes = false;
        page->setConfirm([&](const QString &q) {
            asked << q;
            return yes;
        });
        click(page, QStringLiteral("Command2"));
        QCOMPARE(asked, QStringList{QStringLiteral("清除“小明”的全部学习记录吗？清除后不能恢复。")});
        QCOMPARE(missed->topLevelItemCount(), 2);
        yes = true;
        click(page, QStringLiteral("Command2"));
        QCOMPARE(missed->topLevelItemCount(), 0);
        QCOMPARE(days->bars().last().label, QString());
        QCOMPARE(caption(page, "Label9"), QStringLiteral("“小明”的学习记录已清除。"));
        QCOMPARE(record->dailyLimitMinutes(), 45);

        click(page, QStringLiteral("Command9"));
        QCOMPARE(current()->objectName(), screens::kMain);
    }

    // Without a record on file (the tests' recorder) the page says so and offers nothing to change.
    void thePageWithoutARecord() {
        QWidget *page = ctx->navigator().open(screens::kLearningRecord);
        QCOMPARE(caption(page, "Label9"), QStringLiteral("这次运行没有打开学习记录。"));
        QVERIFY(!page->findChild<QPushButton *>(QStringLiteral("Command2"))->isEnabled());
        QVERIFY(!page->findChild<QComboBox *>(QStringLiteral("Combo2"))->isEnabled());
    }

    // No tile until a parent names a child; then it says who is learning and switches.
    void theLearnersTile() {
        useRecord();
        auto *main = qobject_cast<app::MainWindow *>(ctx->navigator().showMain());
        QVERIFY(!main->learnerTile());
        play(3);
        QVERIFY(record->addChild(QStringLiteral("小明")));
        QVERIFY(record->addChild(QStringLiteral("小红")));
        main = qobject_cast<app::MainWindow *>(ctx->navigator().showMain());
        QVERIFY(main->learnerTile());
        QCOMPARE(caption(main, "Command2"), QStringLiteral("小明在学习"));
        QStringList names;
        for (QAction *a : main->childMenu()->actions())
            names << a->text() + (a->isChecked() ? "*" : "");
        QCOMPARE(names, (QStringList{"小明*", "小红"}));
        main->childMenu()->actions()[1]->trigger();
        QCOMPARE(caption(main, "Command2"), QStringLiteral("小红在学习"));
        QCOMPARE(record->currentChild().name, QStringLiteral("小红"));
        play(2);
        QCOMPARE(record->secondsOn(record->currentChild().id, clock.date()), 120);
    }

    // The limit counts today's recorded time and the screen on show; when it is reached the
    // rest screen comes, closing it brings it back, and a parent's right answer lifts it for today.
    void theDailyLimit() {
        useRecord();
        QVERIFY(record->setDailyLimitMinutes(20));
        play(15);
        ctx->navigator().showMain();
        QCoreApplication::processEvents();
        QCOMPARE(current()->objectName(), screens::kMain);

        ctx->navigator().open(screens::kHelp);
        app::RestGuard &guard = ctx->restGuard();
        QVERIFY(guard.timer()->isEnabled());
        clock = clock.addSecs(4 * 60);
        guard.timer()->fire();
        QCOMPARE(current()->objectName(), screens::kHelp);
        QCOMPARE(guard.runningSeconds(), 240);
        ctx->navigator().openChild(screens::kHelp); // another screen: the time runs on
        QCOMPARE(guard.runningSeconds(), 240);
        clock = clock.addSecs(60);
        guard.timer()->fire();
        QCOMPARE(current()->objectName(), screens::kRest);
        QCOMPARE(caption(current(), "Label1"), QStringLiteral("今天学得真棒，休息一下吧！"));
        QVERIFY(!guard.timer()->isEnabled());

        // The frame's close leads back to the main window, which sends the child back to rest.
        current()->close();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(current()->objectName(), screens::kRest);

        // The next day starts afresh.
        clock = clock.addDays(1);
        QVERIFY(!record->limitReached(0));
        clock = clock.addDays(-1);

        click(current(), QStringLiteral("Command1"));
        app::ParentCheck *c = check();
        answer(c, rightAnswer(c) - 1);
        QCOMPARE(current()->objectName(), screens::kRest);
        answer(c, rightAnswer(c));
        QCoreApplication::processEvents();
        QCOMPARE(current()->objectName(), screens::kMain);
        QVERIFY(!guard.check());
    }

    // A family that never opens 家长 has nothing written and no limit.
    void nothingChangesUnasked() {
        useRecord();
        ctx->navigator().showMain();
        ctx->navigator().open(screens::kHelp);
        QVERIFY(!ctx->restGuard().timer()->isEnabled());
        QVERIFY(!ctx->restGuard().check());
        QVERIFY(!QFile::exists(record->path()));
    }
};

QTEST_MAIN(RecordPageTest)
#include "RecordPageTest.moc"
