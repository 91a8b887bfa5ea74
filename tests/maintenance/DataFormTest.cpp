#include "app/Navigator.h"
#include "maintenance/DataFormScreen.h"
#include "maintenance/MaintenanceTools.h"
#include "services/ContentFiles.h"
#include "services/ContentLocation.h"
#include "services/ContentSchema.h"
#include "support/Fixtures.h"
#include "support/TestSupport.h"
#include "ui/Timer.h"
#include "ui/Translations.h"

#include <QDateTime>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace testing_support;

namespace {

// A study.dat with every table but those left out, small, with the records each tool works on.
bool writeFixture(const QString &path, int bookRecords, const std::set<int> &leaveOut = {}) {
    std::vector<QStringList> book;
    for (int i = 1; i <= bookRecords; ++i)
        book.push_back({QString::number(i), QStringLiteral("w%1").arg(i), QStringLiteral("m%1").arg(i), "e"});
    return writeFixtureStudyDat(
        path,
        {{1, book},
         {services::kSingleCharacters, {{"A"}, {"B"}, {" A"}, {"C"}, {"A"}, {"B"}, {"D"}}},
         {services::kAntonyms,
          {{"大", "小"}, {"一二三四", "x"}, {"一二三四五", "y"}, {"一二三四五六", "z"}, {" 高 ", "矮"}}},
         {services::kSynonyms, {{"美丽", "很漂亮"}, {"高兴", "快乐"}}}},
        leaveOut);
}

QStringList column(services::ContentStore &store, int slot, int field) {
    QStringList out;
    services::TableCursor *c = store.Data(slot);
    if (!c) return {QStringLiteral("<no table: %1>").arg(store.problemFor(slot))};
    for (c->MoveFirst(); !c->Eof(); c->MoveNext())
        out << c->field(field);
    return out;
}

} // namespace

class DataFormTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<app::AppContext> ctx;
    maintenance::DataFormScreen *screen = nullptr;
    QStringList asked, told;
    bool answer = true;

    QTemporaryDir home; // stands in for the user's home: the data folder lies inside

    QString dat() { return dir.filePath("study.dat"); }
    // The user's data folder, made by the first copy.
    QString data() const { return home.filePath("share/Lumibo"); }
    static QStringList backupsIn(const QString &folder) {
        return QDir(folder).entryList({QStringLiteral("study.dat.*.bak")}, QDir::Files, QDir::Name);
    }
    QStringList backups() const { return backupsIn(dir.path()); }

    // The program folder as installed (with the install marker) or as a build tree, its
    // study.dat read-only or not; a fresh context and screen on it. Returns where the copy goes.
    QString useShippedFile(bool installed, bool readOnly) {
        cleanup();
        if (installed) {
            QFile marker(dir.filePath(services::kInstalledMarker));
            if (!marker.open(QIODevice::WriteOnly)) qWarning("cannot write the install marker");
        }
        if (readOnly)
            QFile::setPermissions(dat(),
                                  QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        ctx = app::AppContext::forTests(dir.path(), 5, data());
        openScreen();
        return QDir(data()).filePath("study.dat");
    }

    void openScreen() {
        screen = qobject_cast<maintenance::DataFormScreen *>(ctx->navigator().open("dataform"));
        QVERIFY(screen);
        screen->setConfirm([this](const QString &q) {
            asked << q;
            return answer;
        });
        screen->setInform([this](const QString &m) { told << m; });
    }

    // A fresh file, context and screen.
    void reopen(int bookRecords, const std::set<int> &leaveOut = {}) {
        cleanup();
        QFile::remove(dat());
        QVERIFY(writeFixture(dat(), bookRecords, leaveOut));
        ctx = app::AppContext::forTests(dir.path(), 5, data());
        openScreen();
    }

  private slots:
    void init() {
        QFile::remove(dir.filePath(services::kInstalledMarker));
        QDir(data()).removeRecursively();
        QFile::remove(dat());
        for (const QString &f : QDir(dir.path()).entryList({QStringLiteral("study.dat.*.bak")}, QDir::Files))
            QFile::remove(dir.filePath(f));
        QVERIFY(writeFixture(dat(), 1200));
        ctx = app::AppContext::forTests(dir.path(), 5, data());
        asked.clear();
        told.clear();
        answer = true;
        openScreen();
    }
    void cleanup() {
        ctx.reset();
        flushDeletes();
    }

    void captions() {
        QCOMPARE(screen->windowTitle(), QStringLiteral("Form1"));
        const QStringList expected = {"返回", "删除重复字",          "Command3", "结束",     "重新排序",
                                      "停止", "删除长度大于4个汉字", "列出相同", "删除唐诗", "Command10"};
        for (int i = 0; i < 10; ++i)
            QCOMPARE(caption(screen, QStringLiteral("Command%1").arg(i + 1)), expected[i]);
    }

    void removeDuplicatesAsksBacksUpAndKeepsFirsts() {
        const QByteArray before = bytesOf(dat());
        answer = false; // declined: the file stays as it was
        click(screen, "Command2");
        QCOMPARE(asked.size(), 1);
        QCOMPARE(column(ctx->store(), services::kSingleCharacters, 0).size(), 7);
        QCOMPARE(bytesOf(dat()), before);
        QVERIFY(backups().isEmpty());

        answer = true;
        click(screen, "Command2");
        QCOMPARE(column(ctx->store(), services::kSingleCharacters, 0), (QStringList{"A", "B", "C", "D"}));
        QCOMPARE(backups().size(), 1);
        QCOMPARE(bytesOf(dir.filePath(backups().first())), before);
        QVERIFY(screen->printed().contains(QStringLiteral("原来的内容库已备份为 ") + backups().first()));
        QVERIFY(screen->printed().contains(QStringLiteral("删除了3个重复字")));
        // Stored at once: a fresh store on the file sees it.
        services::ContentStore fresh(dat());
        QCOMPARE(column(fresh, services::kSingleCharacters, 0), (QStringList{"A", "B", "C", "D"}));
    }

    // A repeat goes whatever its reading; the first record stays whole, its reading with it. A file
    // made before 单字 had its reading column works the same.
    void removeDuplicatesKeepsTheFirstsReading_data() {
        QTest::addColumn<bool>("oldFile");
        QTest::newRow("with the reading column") << false;
        QTest::newRow("without it") << true;
    }
    void removeDuplicatesKeepsTheFirstsReading() {
        QFETCH(bool, oldFile);
        cleanup();
        QFile::remove(dat());
        QVERIFY(writeFixtureStudyDat(
            dat(),
            {{services::kSingleCharacters, {{"只", "zhī"}, {"个"}, {"只"}, {"只", "zhǐ"}, {"个", "gè"}}}}));
        if (oldFile) QVERIFY(dropColumn(dat(), QStringLiteral("单字"), QStringLiteral("reading")));
        ctx = app::AppContext::forTests(dir.path(), 5);
        openScreen();
        click(screen, "Command2");
        QVERIFY(screen->printed().contains(QStringLiteral("删除了3个重复字")));
        services::ContentStore fresh(dat());
        QCOMPARE(column(fresh, services::kSingleCharacters, 0), (QStringList{"只", "个"}));
        QCOMPARE(column(fresh, services::kSingleCharacters, 1),
                 oldFile ? (QStringList{"", ""}) : (QStringList{"zhī", ""}));
    }

    void longAntonymsGoShortOnesStay() {
        click(screen, "Command7");
        QCOMPARE(column(ctx->store(), services::kAntonyms, 0), (QStringList{"大", "一二三四", " 高 "}));
    }

    void command10TwiceDropsTwoCharacters() {
        click(screen, "Command10");
        QCOMPARE(column(ctx->store(), services::kSynonyms, 1), (QStringList{"漂亮", "乐"}));
        click(screen, "Command10");
        QCOMPARE(column(ctx->store(), services::kSynonyms, 1), (QStringList{"亮", ""}));
        click(screen, "Command10"); // an empty answer stays empty
        QCOMPARE(column(ctx->store(), services::kSynonyms, 1), (QStringList{"", ""}));
    }

    void countPrintsTheFirstBook() {
        click(screen, "Command3");
        QCOMPARE(screen->printed(), QStringLiteral("1200"));
        QCOMPARE(ctx->globals.bookWordCount, 1200);
    }

    void shuffleSwapsNumbersWithin200To1179() {
        click(screen, "Command5");
        QVERIFY(screen->shuffleTimer()->isEnabled());
        for (int i = 0; i < 300; ++i)
            screen->shuffleTimer()->fire();
        click(screen, "Command6");
        QVERIFY(!screen->shuffleTimer()->isEnabled());
        const QStringList numbers = column(ctx->store(), 1, 0);
        int moved = 0;
        for (int i = 0; i < numbers.size(); ++i) {
            if (i < 200 || i >= 1180) QCOMPARE(numbers[i], QString::number(i + 1));
            moved += numbers[i] != QString::number(i + 1);
        }
        QVERIFY(moved > 100);
        QStringList sorted = numbers;
        std::sort(sorted.begin(), sorted.end(), [](auto &a, auto &b) { return a.toInt() < b.toInt(); });
        for (int i = 0; i < sorted.size(); ++i)
            QCOMPARE(sorted[i], QString::number(i + 1));
        const QStringList shown = screen->printed().split("     ");
        QCOMPARE(shown, (QStringList{numbers[250], numbers[252]}));
    }

    // A book too short to shuffle is said so before any question, and nothing is backed up.
    void shuffleOnAShortBookChangesNothing() {
        cleanup();
        QFile::remove(dat());
        QVERIFY(writeFixture(dat(), 200));
        const QByteArray before = bytesOf(dat());
        ctx = app::AppContext::forTests(dir.path(), 6, data());
        openScreen();
        click(screen, "Command5");
        QVERIFY(asked.isEmpty());
        QCOMPARE(told, QStringList{QStringLiteral("第一册英语单词只有200个，不到201个，没有可以打乱的")});
        QVERIFY(!screen->shuffleTimer()->isEnabled());
        QCOMPARE(bytesOf(dat()), before);
        QVERIFY(backups().isEmpty());
    }

    // The swaps land in batches: nothing reaches the file between quarter-second landings, a
    // landing stores them all, and "停止" lands the rest.
    void shuffleLandsInBatches() {
        const QByteArray before = bytesOf(dat());
        click(screen, "Command5");
        QVERIFY(screen->landTimer()->isEnabled());
        for (int i = 0; i < 50; ++i)
            screen->shuffleTimer()->fire();
        const QStringList shuffled = column(ctx->store(), 1, 0);
        QCOMPARE(bytesOf(dat()), before); // not yet landed
        screen->landTimer()->fire();
        {
            services::ContentStore other(dat());
            QCOMPARE(column(other, 1, 0), shuffled);
        }
        for (int i = 0; i < 50; ++i)
            screen->shuffleTimer()->fire();
        const QStringList more = column(ctx->store(), 1, 0);
        click(screen, "Command6");
        QVERIFY(!screen->landTimer()->isEnabled());
        services::ContentStore other(dat());
        QCOMPARE(column(other, 1, 0), more);
        QCOMPARE(backups().size(), 1);
    }

    // A kill part-way through a tool leaves the table as it was before the tool.
    void killMidToolLeavesTableWhole() {
        ctx.reset();
        flushDeletes();
        const QByteArray before = bytesOf(dat());
        const pid_t pid = fork();
        if (pid == 0) {
            services::ContentStore store(dat());
            maintenance::removeDuplicateCharacters(store, [](int pass) {
                if (pass == 2) // the first pass has deleted two records by now
                    ::kill(::getpid(), SIGKILL);
            });
            ::_exit(0);
        }
        int status = 0;
        QCOMPARE(waitpid(pid, &status, 0), pid);
        QVERIFY(WIFSIGNALED(status));
        QVERIFY(QFile::exists(dat() + "-journal")); // killed mid-change: its journal is left behind
        {
            // The next opening finds the file byte for byte as it was.
            services::ContentStore store(dat());
            QCOMPARE(column(store, services::kSingleCharacters, 0),
                     (QStringList{"A", "B", " A", "C", "A", "B", "D"}));
        }
        QCOMPARE(bytesOf(dat()), before);
        ctx = app::AppContext::forTests(dir.path(), 5, data());
        openScreen();
    }

    // The program's study.dat is changed where it lies in a build tree only; an installed
    // program's (whoever runs it: these tests run as root in CI, who could write it) and a
    // read-only one are copied to the user's data folder by the first change, which goes there.
    void contentCopyRule_data() {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("copied");
        QTest::newRow("build tree") << false << false << false;
        QTest::newRow("build tree, read-only file") << false << true << true;
        QTest::newRow("installed, file this user may write") << true << false << true;
        QTest::newRow("installed, read-only file") << true << true << true;
    }

    void contentCopyRule() {
        QFETCH(bool, installed);
        QFETCH(bool, readOnly);
        QFETCH(bool, copied);
        const QString copy = useShippedFile(installed, readOnly);
        const QByteArray before = bytesOf(dat());
        const QString edited = copied ? copy : dat();
        QCOMPARE(
            screen->fileLine(),
            copied
                ? QStringLiteral(
                      "内容库：%1（原始内容，不会改动）\n第一次修改时复制到 %2，之后修改这份你自己的内容库")
                      .arg(dat(), copy)
                : QStringLiteral("修改的内容库：%1").arg(dat()));
        QCOMPARE(screen->printed(), QString()); // nothing is refused: nothing to say
        QCOMPARE(button(screen, "restoreOriginal")->isVisible(), copied);
        QVERIFY(!button(screen, "restoreOriginal")->isEnabled());

        click(screen, "Command2");
        QCOMPARE(asked.size(), 1);
        QVERIFY(told.isEmpty());
        QCOMPARE(column(ctx->store(), services::kSingleCharacters, 0), (QStringList{"A", "B", "C", "D"}));
        QCOMPARE(ctx->store().path(), edited);
        {
            services::ContentStore fresh(edited);
            QCOMPARE(column(fresh, services::kSingleCharacters, 0), (QStringList{"A", "B", "C", "D"}));
        }
        QCOMPARE(QFileInfo::exists(copy), copied);
        if (!copied) {
            QVERIFY(!QFileInfo::exists(data()));
            QCOMPARE(backups().size(), 1);
            return;
        }
        // The shipped file stays as it was, so it is the backup: none is made, none beside it.
        QCOMPARE(bytesOf(dat()), before);
        QVERIFY(backups().isEmpty());
        // the last pass's figure, what was done, and where it went
        QCOMPARE(
            screen->printed(),
            QStringLiteral("3\n删除了3个重复字\n原始内容库没有改动；修改保存在你自己的内容库 %1").arg(copy));
        QCOMPARE(screen->fileLine(),
                 QStringLiteral("修改的内容库：%1（你自己的内容库）\n原始内容库：%2").arg(copy, dat()));
        QVERIFY(button(screen, "restoreOriginal")->isEnabled());
        // A later visit backs up the copy, beside the copy.
        click(screen, "Command1");
        openScreen();
        click(screen, "Command7");
        QCOMPARE(backupsIn(data()).size(), 1);
        QVERIFY(backups().isEmpty());
        QVERIFY2(
            screen->printed().contains(QStringLiteral("原来的内容库已备份为 ") + backupsIn(data()).first()),
            qPrintable(screen->printed()));
        // The next run reads the copy.
        cleanup();
        ctx = app::AppContext::forTests(dir.path(), 5, data());
        QCOMPARE(column(ctx->store(), services::kSingleCharacters, 0), (QStringList{"A", "B", "C", "D"}));
        QCOMPARE(ctx->store().path(), copy);
    }

    // "恢复原始内容" asks first, keeps the user's copy as a backup beside it and reads the shipped
    // file again; the next change makes a fresh copy.
    void restoreGoesBackToTheShippedContent() {
        const QString copy = useShippedFile(true, false);
        const QByteArray shipped = bytesOf(dat());
        click(screen, "Command2");
        const QByteArray changed = bytesOf(copy);
        asked.clear();

        answer = false;
        click(screen, "restoreOriginal");
        QCOMPARE(asked,
                 QStringList{"恢复原始内容？你自己的内容库会先改名备份在它旁边，然后读取原始内容库。"});
        QCOMPARE(bytesOf(copy), changed);

        answer = true;
        click(screen, "restoreOriginal");
        const QStringList kept = backupsIn(data());
        QCOMPARE(kept.size(), 1);
        QVERIFY2(kept.first().endsWith(".restore.bak"), qPrintable(kept.first()));
        QCOMPARE(bytesOf(QDir(data()).filePath(kept.first())), changed);
        QVERIFY(!QFileInfo::exists(copy));
        QVERIFY2(screen->printed().endsWith(QStringLiteral("\n已恢复原始内容；你自己的内容库已备份为 ") +
                                            kept.first()),
                 qPrintable(screen->printed()));
        QCOMPARE(ctx->store().path(), dat());
        QCOMPARE(column(ctx->store(), services::kSingleCharacters, 0).size(), 7);
        QVERIFY(!button(screen, "restoreOriginal")->isEnabled());
        QVERIFY(screen->fileLine().startsWith(QStringLiteral("内容库：%1（原始内容，不会改动）").arg(dat())));
        QCOMPARE(bytesOf(dat()), shipped);

        click(screen, "Command10");
        QVERIFY(QFileInfo::exists(copy));
        services::ContentStore fresh(copy);
        QCOMPARE(column(fresh, services::kSynonyms, 1), (QStringList{"漂亮", "乐"}));
        QCOMPARE(column(fresh, services::kSingleCharacters, 0).size(), 7);
    }

    // The shuffle's first landing makes the copy too; the shipped file never sees a swap.
    void shuffleOnAnInstalledProgramChangesTheCopy() {
        const QString copy = useShippedFile(true, false);
        const QByteArray before = bytesOf(dat());
        click(screen, "Command5");
        for (int i = 0; i < 20; ++i)
            screen->shuffleTimer()->fire();
        click(screen, "Command6");
        const QStringList numbers = column(ctx->store(), 1, 0);
        services::ContentStore fresh(copy);
        QCOMPARE(column(fresh, 1, 0), numbers);
        QVERIFY(numbers != column(*std::make_unique<services::ContentStore>(dat()), 1, 0));
        QCOMPARE(bytesOf(dat()), before);
        QVERIFY(screen->fileLine().startsWith(QStringLiteral("修改的内容库：%1").arg(copy)));
    }

    // A copy of one's own marked read-only is not changed: the screen says so on opening, each
    // tool that would change it says so again, and reading still works.
    void readOnlyOwnCopyRefusesEdits() {
        const QString copy = useShippedFile(true, false);
        cleanup();
        QVERIFY(QDir().mkpath(data()));
        QVERIFY(QFile::copy(dat(), copy));
        QVERIFY(QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                QFileDevice::ReadOther));
        const QByteArray before = bytesOf(copy);
        ctx = app::AppContext::forTests(dir.path(), 5, data());
        openScreen();
        QCOMPARE(screen->printed(), QStringLiteral("内容库 study.dat 是只读文件，不能修改"));
        click(screen, "Command2");
        click(screen, "Command5");
        QCOMPARE(told, QStringList(2, QStringLiteral("内容库 study.dat 是只读文件，不能修改")));
        QVERIFY(asked.isEmpty());
        QCOMPARE(bytesOf(copy), before);
        QVERIFY(backupsIn(data()).isEmpty());
        click(screen, "Command3"); // reading still works
        QCOMPARE(screen->printed(), QStringLiteral("内容库 study.dat 是只读文件，不能修改\n1200"));
    }

    // A copy that cannot be read is set aside, the screen says so, and the shipped content serves.
    void damagedCopyIsSaidAndSetAside() {
        const QString copy = useShippedFile(true, false);
        cleanup();
        QVERIFY(QDir().mkpath(data()));
        {
            QFile f(copy);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(4096, 'x'));
        }
        ctx = app::AppContext::forTests(dir.path(), 5, data());
        openScreen();
        const QStringList aside =
            QDir(data()).entryList({QStringLiteral("study.dat.*.damaged")}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(screen->printed(),
                 QStringLiteral("你自己的内容库 %1 已损坏，已改名为 %2 保存；现在读取原始内容库")
                     .arg(copy, aside.first()));
        QCOMPARE(bytesOf(QDir(data()).filePath(aside.first())), QByteArray(4096, 'x'));
        QCOMPARE(column(ctx->store(), services::kSingleCharacters, 0).size(), 7);
        QVERIFY(!button(screen, "restoreOriginal")->isEnabled());
    }

    // Qt's standard buttons speak Chinese in the maintenance screen's question.
    void questionButtonsAreChinese() {
        QVERIFY(ui::installQtTranslations(*qApp));
        std::unique_ptr<QMessageBox> box(screen->questionBox(QStringLiteral("删除？")));
        QCOMPARE(box->button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
        QCOMPARE(box->button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::Cancel));
    }

    // A file that can be changed in a folder that takes no backup (a name taken by a folder here,
    // as root ignores permissions): the tool stops before changing anything and says why, and
    // no backup is claimed.
    void failedBackupChangesNothing() {
        QStringList blocked;
        const auto unblock = qScopeGuard([&] {
            for (const QString &name : blocked)
                QDir(dir.filePath(name)).removeRecursively();
        });
        const QDateTime now = QDateTime::currentDateTime();
        for (int s = -2; s <= 60; ++s) {
            const QString stamp = now.addSecs(s).toString(QStringLiteral("yyyyMMdd-HHmmss"));
            blocked << QStringLiteral("study.dat.%1-000.start.bak").arg(stamp);
            QVERIFY(QDir(dir.path()).mkdir(blocked.last()));
        }
        const QByteArray before = bytesOf(dat());
        click(screen, "Command2");
        QCOMPARE(asked.size(), 1);
        QCOMPARE(told.size(), 1);
        QVERIFY2(told.first().startsWith(QStringLiteral("无法备份内容库到 study.dat.")),
                 qPrintable(told.first()));
        QVERIFY2(!screen->printed().contains(QStringLiteral("备份")), qPrintable(screen->printed()));
        QVERIFY2(!screen->printed().contains(QStringLiteral("删除了")), qPrintable(screen->printed()));
        QCOMPARE(bytesOf(dat()), before);
        QCOMPARE(column(ctx->store(), services::kSingleCharacters, 0).size(), 7);
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.tmp")}, QDir::Files), QStringList());
    }

    void missingFileDisablesTheTools() {
        cleanup();
        QFile::remove(dat());
        ctx = app::AppContext::forTests(dir.path(), 5, data());
        openScreen();
        QCOMPARE(screen->printed(), QStringLiteral("找不到内容库 study.dat"));
        QVERIFY(!button(screen, "Command2")->isEnabled());
        QVERIFY(button(screen, "Command1")->isEnabled());
        QVERIFY(!QFile::exists(dat()));
    }

    // A table the file lacks is named on the window and turns off only the tools that use it.
    void missingTableTurnsOffOnlyItsTools_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QStringList>("off");
        QTest::addColumn<QString>("working"); // a tool that still works
        QTest::addColumn<QString>("done");
        QTest::newRow("单字") << int(services::kSingleCharacters) << QStringList{"Command2"} << "Command7"
                              << "删除了2个记录";
        QTest::newRow("A01") << 1 << QStringList{"Command3", "Command5", "Command6"} << "Command2"
                             << "删除了3个重复字";
        QTest::newRow("反义词") << int(services::kAntonyms) << QStringList{"Command7"} << "Command10"
                                << "修改了2个记录";
        QTest::newRow("同义词") << int(services::kSynonyms) << QStringList{"Command10"} << "Command2"
                                << "删除了3个重复字";
        QTest::newRow("谜语: no tool uses it") << int(services::kRiddles) << QStringList{} << "Command7"
                                               << "删除了2个记录";
    }

    void missingTableTurnsOffOnlyItsTools() {
        QFETCH(int, slot);
        QFETCH(QStringList, off);
        QFETCH(QString, working);
        QFETCH(QString, done);
        reopen(1200, {slot});
        const QString name = services::contentTables()[static_cast<std::size_t>(slot - 1)].name;
        QCOMPARE(screen->printed(), QStringLiteral("内容库 study.dat 不完整：缺少表“%1”").arg(name));
        for (const QString tool : {"Command2", "Command3", "Command5", "Command6", "Command7", "Command10"})
            QVERIFY2(button(screen, tool)->isEnabled() == !off.contains(tool), qPrintable(tool));
        QVERIFY(button(screen, "Command1")->isEnabled());
        click(screen, working);
        QVERIFY2(screen->printed().contains(QLatin1Char('\n') + done + QLatin1Char('\n')),
                 qPrintable(screen->printed()));
        QVERIFY(told.isEmpty());
        // The tool itself, reached some other way, says the same.
        if (slot == services::kAntonyms)
            QCOMPARE(maintenance::removeLongAntonyms(ctx->store()).error,
                     QStringLiteral("内容库 study.dat 不完整：缺少表“反义词”"));
    }

    // While the shuffle runs, the other tools wait for "停止", so its ticks never mix into a
    // tool's change; they work again once it is stopped.
    void toolsWaitUntilTheShuffleStops() {
        click(screen, "Command5");
        QVERIFY(screen->shuffleTimer()->isEnabled());
        asked.clear();
        for (const char *tool : {"Command2", "Command7", "Command10"})
            click(screen, tool);
        QCOMPARE(told, QStringList(3, QStringLiteral("正在重新排序，请先按“停止”，再使用其他工具")));
        QVERIFY(asked.isEmpty());
        QVERIFY(screen->shuffleTimer()->isEnabled()); // the shuffle goes on
        QCOMPARE(column(ctx->store(), services::kSingleCharacters, 0).size(), 7);
        QCOMPARE(column(ctx->store(), services::kAntonyms, 0).size(), 5);
        click(screen, "Command6");
        click(screen, "Command2");
        QCOMPARE(column(ctx->store(), services::kSingleCharacters, 0), (QStringList{"A", "B", "C", "D"}));
        QCOMPARE(told.size(), 3);
    }

    // A shuffle step that comes while another change is open is refused: it neither joins that
    // change nor ends it.
    void shuffleStepCannotJoinAnOpenChange() {
        services::ContentStore &store = ctx->store();
        const QByteArray before = bytesOf(dat());
        services::TableCursor *chars = store.Data(services::kSingleCharacters);
        QVERIFY(store.begin());
        chars->MoveFirst();
        QVERIFY(chars->Delete());
        const QStringList numbers = column(store, 1, 0);
        const maintenance::ShuffleStep step = maintenance::shuffleFirstBook(store, ctx->random);
        QVERIFY(!step.result.ok);
        QCOMPARE(step.result.error, QStringLiteral("内容库正在进行另一项修改，请等它结束后再试"));
        QCOMPARE(column(store, 1, 0), numbers);
        QVERIFY(store.inTransaction());
        {
            services::ContentStore other(dat());
            QCOMPARE(column(other, services::kSingleCharacters, 0).size(), 7); // nothing committed
        }
        store.rollback();
        QCOMPARE(column(store, services::kSingleCharacters, 0).size(), 7);
        QCOMPARE(bytesOf(dat()), before);
    }

    // When a tool's commit fails, the message is SQLite's own reason for it, and the file stays
    // as it was.
    void failedCommitShowsItsOwnReason() {
        const QByteArray before = bytesOf(dat());
        ctx->store().setBusyTimeout(0); // fail at once instead of after two seconds
        ReadLock reader(dat());
        QVERIFY(reader.held());
        click(screen, "Command7");
        const QString reason = QStringLiteral("内容库写入失败：database is locked");
        QCOMPARE(told, QStringList{reason});
        QCOMPARE(ctx->store().lastError(), reason);
        QCOMPARE(column(ctx->store(), services::kAntonyms, 0).size(), 5);
        reader.release();
        QCOMPARE(bytesOf(dat()), before);
    }

    // Leaving keeps the store open (nothing is read again), every cursor back on its first record.
    void leavingKeepsTheStoreOpen() {
        services::TableCursor *c = ctx->store().Data(services::kSingleCharacters);
        click(screen, "Command2");
        c->MoveLast();
        click(screen, "Command1");
        flushDeletes();
        QCOMPARE(ctx->navigator().current()->objectName(), QStringLiteral("Main"));
        QVERIFY(ctx->store().isOpen());
        QCOMPARE(ctx->store().Data(services::kSingleCharacters), c);
        QCOMPARE(c->AbsolutePosition(), 0);
        QCOMPARE(column(ctx->store(), services::kSingleCharacters, 0), (QStringList{"A", "B", "C", "D"}));
    }
};

QTEST_MAIN(DataFormTest)
#include "DataFormTest.moc"
