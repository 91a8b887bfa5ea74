// The learning record on a temporary folder, with a clock the tests set.

#include "services/LearningRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <memory>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace services;

namespace {

// A plain connection of its own to a record file, as another program would have.
struct Db {
    sqlite3 *db = nullptr;
    explicit Db(const QString &path) { sqlite3_open(QFile::encodeName(path).constData(), &db); }
    ~Db() { sqlite3_close(db); }
    int exec(const char *sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }
    qint64 value(const char *sql) {
        sqlite3_stmt *s = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
        const qint64 v = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int64(s, 0) : -1;
        sqlite3_finalize(s);
        return v;
    }
    QString text(const char *sql) {
        sqlite3_stmt *s = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
        QString v;
        if (sqlite3_step(s) == SQLITE_ROW)
            v = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, 0)));
        sqlite3_finalize(s);
        return v;
    }
};

Answer miss(const QString &item, const QString &given = QStringLiteral("x"),
            const QString &list = QStringLiteral("words")) {
    return {list, item, given};
}
Answer hit(const QString &item, const QString &list = QStringLiteral("words")) {
    return {list, item, QString()};
}

} // namespace

class LearningRecordTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QDateTime clock;
    std::unique_ptr<LearningRecord> record;

    void reopen() {
        record.reset();
        record = std::make_unique<LearningRecord>(dir->path(), [this] { return clock; });
    }
    QString file() const { return QDir(dir->path()).filePath(QStringLiteral("record.sqlite")); }
    Round round(int right, int wrong, QList<Answer> misses = {}, QList<Answer> hits = {}) {
        Round r;
        r.screen = QStringLiteral("renzidan");
        r.area = Area::Hanzi;
        r.mode = QStringLiteral("第1课");
        r.started = clock;
        r.seconds = 120;
        r.right = right;
        r.wrong = wrong;
        r.misses = misses;
        r.hits = hits;
        return r;
    }
    // Lets a day pass on the record's clock.
    void nextDay() { clock = clock.addDays(1); }

  private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        clock = QDateTime(QDate(2026, 3, 2), QTime(17, 0));
        reopen();
    }
    void cleanup() {
        record.reset();
        dir.reset();
    }

    // Reading, the parent's questions and the review lists write nothing; the first round
    // makes the file: version 2, WAL.
    void madeByTheFirstRound() {
        QCOMPARE(record->children().size(), 1);
        QVERIFY(!record->hasNamedChild());
        QVERIFY(record->reviewItems(QStringLiteral("words")).isEmpty());
        QCOMPARE(record->dailyLimitMinutes(), 0);
        QVERIFY(record->mostMissed(1).isEmpty());
        record->addRound(Round{}); // nothing answered, no time: not kept
        QVERIFY(!QFileInfo::exists(file()));

        record->addRound(round(3, 1, {miss("猫", "狗")}));
        QVERIFY(QFileInfo::exists(file()));
        QVERIFY(record->notice().isEmpty());
        Db db(file());
        QCOMPARE(db.value("PRAGMA user_version"), qint64(LearningRecord::kSchemaVersion));
        QCOMPARE(db.text("PRAGMA journal_mode"), QStringLiteral("wal"));
        QCOMPARE(db.value("SELECT count(*) FROM rounds"), 1);
        QCOMPARE(db.text("SELECT given FROM misses"), QStringLiteral("狗"));
    }

    // A version 1 record (rounds and misses, no children, no review) is brought up to date with
    // everything it held: its rounds belong to the first child, its misses are counted and on review.
    void migratesFromVersion1() {
        {
            Db db(file());
            QCOMPARE(db.exec(R"(
CREATE TABLE rounds(id INTEGER PRIMARY KEY, started TEXT NOT NULL, screen TEXT NOT NULL,
  area INTEGER NOT NULL, mode TEXT NOT NULL, seconds INTEGER NOT NULL, right INTEGER NOT NULL,
  wrong INTEGER NOT NULL);
CREATE TABLE misses(round INTEGER NOT NULL, list TEXT NOT NULL, item TEXT NOT NULL, given TEXT NOT NULL);
CREATE TABLE settings(key TEXT PRIMARY KEY, value TEXT NOT NULL);
INSERT INTO rounds VALUES (1, '2026-03-01T09:00:00', 'jiafa10', 0, '加法', 300, 18, 2);
INSERT INTO rounds VALUES (2, '2026-03-02T10:00:00', 'pyyxform', 1, '', 60, 4, 1);
INSERT INTO misses VALUES (1, 'jiafa10', '3+4', '8'), (1, 'jiafa10', '3+4', '6'), (2, 'pyyx', 'ā', 'á');
INSERT INTO settings VALUES ('review', '1');
PRAGMA user_version = 1;)"),
                     SQLITE_OK);
        }
        reopen();
        QCOMPARE(record->children().size(), 1);
        const auto days = record->totalsByDay(1, QDate(2026, 3, 1), QDate(2026, 3, 2));
        QCOMPARE(days.at(QDate(2026, 3, 1))[int(Area::Arithmetic)].seconds, 300);
        QCOMPARE(days.at(QDate(2026, 3, 1))[int(Area::Arithmetic)].accuracy(), 90);
        QCOMPARE(days.at(QDate(2026, 3, 2))[int(Area::Pinyin)].right, 4);
        const QList<MissCount> most = record->mostMissed(1);
        QCOMPARE(most.size(), 2);
        QCOMPARE(most[0].item, QStringLiteral("3+4"));
        QCOMPARE(most[0].count, 2);
        QCOMPARE(record->reviewItems(QStringLiteral("pyyx")), QStringList{QStringLiteral("ā")});
        Db db(file());
        QCOMPARE(db.value("PRAGMA user_version"), qint64(2));
        // And it goes on taking rounds.
        record->addRound(round(1, 0));
        QCOMPARE(db.value("SELECT count(*) FROM rounds WHERE child = 1"), 3);
    }

    // A round whose write fails half way (a statement refused after the round and its misses
    // went in) leaves nothing of itself: the record stays whole, the round waits and lands with
    // the next one.
    void aFailedWriteLeavesTheRecordWhole() {
        record->addRound(round(1, 0));
        {
            Db db(file());
            QCOMPARE(db.exec("CREATE TRIGGER refuse BEFORE INSERT ON items WHEN NEW.item = '鸟' "
                             "BEGIN SELECT RAISE(ABORT, 'refused'); END"),
                     SQLITE_OK);
        }
        record->addRound(round(2, 2, {miss("鱼"), miss("鸟")}));
        QCOMPARE(record->pendingRounds(), 1);
        QVERIFY(!record->notice().isEmpty());
        {
            Db db(file());
            QCOMPARE(db.value("SELECT count(*) FROM rounds"), 1);
            QCOMPARE(db.value("SELECT count(*) FROM misses"), 0);
            QCOMPARE(db.value("SELECT count(*) FROM items"), 0);
            QCOMPARE(db.text("PRAGMA integrity_check"), QStringLiteral("ok"));
            QCOMPARE(db.exec("DROP TRIGGER refuse"), SQLITE_OK);
        }
        record->addRound(round(5, 0));
        QCOMPARE(record->pendingRounds(), 0);
        QVERIFY(record->notice().isEmpty());
        Db db(file());
        QCOMPARE(db.value("SELECT count(*) FROM rounds"), 3);
        QCOMPARE(db.value("SELECT count(*) FROM misses"), 2);
    }

    // A program killed while it writes round after round leaves a whole record: every round
    // kept has all five of its misses, the review counts agree, and the next start goes on.
    void aKilledWriterLeavesTheRecordWhole() {
        record->addRound(round(1, 0)); // the file and its schema exist before the writer starts
        record.reset();
        const pid_t writer = fork();
        QVERIFY(writer >= 0);
        if (writer == 0) {
            LearningRecord mine(dir->path(), [this] { return clock; });
            for (int i = 0;; ++i)
                mine.addRound(
                    round(15, 5, {miss(QString::number(i % 7)), miss("a"), miss("b"), miss("c"), miss("d")}));
        }
        {
            Db db(file());
            // Wait for the writer to be well under way (bounded: a stuck writer fails the test).
            for (int tries = 0; tries < 2000 && db.value("SELECT count(*) FROM rounds") < 200; ++tries)
                QThread::msleep(5);
        }
        kill(writer, SIGKILL);
        int status = 0;
        waitpid(writer, &status, 0);
        QVERIFY(WIFSIGNALED(status));

        reopen();
        record->addRound(round(2, 0));
        QCOMPARE(record->pendingRounds(), 0);
        Db db(file());
        QCOMPARE(db.text("PRAGMA integrity_check"), QStringLiteral("ok"));
        QVERIFY(db.value("SELECT count(*) FROM rounds") >= 200);
        QCOMPARE(db.value("SELECT count(*) FROM rounds r WHERE r.wrong = 5 AND "
                          "(SELECT count(*) FROM misses m WHERE m.round = r.id) <> 5"),
                 0);
        QCOMPARE(db.value("SELECT sum(misses) FROM items"), db.value("SELECT count(*) FROM misses"));
    }

    // A file that is not a database is renamed aside, never deleted; the round goes into a
    // fresh record and the parent is told.
    void aDamagedFileIsMovedAside() {
        {
            QFile f(file());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(8192, 'z'));
        }
        reopen();
        record->addRound(round(1, 1, {miss("山")}));
        const QString aside = file() + QStringLiteral(".damaged-20260302-170000");
        QVERIFY(QFileInfo::exists(aside));
        QCOMPARE(QFileInfo(aside).size(), 8192);
        QCOMPARE(record->pendingRounds(), 0);
        QCOMPARE(record->notice(),
                 QStringLiteral("学习记录已损坏，旧文件改名为 record.sqlite.damaged-20260302-170000 "
                                "保存，新的记录从现在开始。"));
        Db db(file());
        QCOMPARE(db.value("SELECT count(*) FROM rounds"), 1);
    }

    // Another program holding the file: the game's call returns at once, the round waits in
    // memory and lands when the lock is gone.
    void aLockedFileKeepsTheRoundWaiting() {
        record->addRound(round(1, 0));
        Db other(file());
        QCOMPARE(other.exec("BEGIN EXCLUSIVE"), SQLITE_OK);
        QCOMPARE(other.exec("INSERT INTO settings VALUES ('x', 'y')"), SQLITE_OK);
        record->addRound(round(2, 0));
        QCOMPARE(record->pendingRounds(), 1);
        QCOMPARE(record->notice(),
                 QStringLiteral("学习记录正被另一个程序使用，新的成绩先留在内存里，稍后再写入。"));
        QCOMPARE(other.exec("COMMIT"), SQLITE_OK);
        record->addRound(round(3, 0));
        QCOMPARE(record->pendingRounds(), 0);
        QVERIFY(record->notice().isEmpty());
        QCOMPARE(other.value("SELECT sum(right) FROM rounds"), 6);
    }

    // A folder that cannot be made or written: the call returns, the parent is told.
    void anUnwritableFolderKeepsTheGameGoing() {
        QFile blocker(QDir(dir->path()).filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        LearningRecord underAFile(blocker.fileName() + QStringLiteral("/Lumibo"), [this] { return clock; });
        underAFile.addRound(round(1, 0));
        QCOMPARE(underAFile.pendingRounds(), 1);
        QVERIFY(underAFile.notice().startsWith(QStringLiteral("学习记录的文件夹不能写入")));
        QVERIFY(underAFile.reviewItems(QStringLiteral("words")).isEmpty());
        QCOMPARE(underAFile.children().size(), 1);

        if (geteuid() == 0) return; // the superuser writes into a read-only folder
        QDir(dir->path()).mkdir(QStringLiteral("ro"));
        const QString ro = QDir(dir->path()).filePath(QStringLiteral("ro"));
        QFile::setPermissions(ro, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        LearningRecord readOnly(ro, [this] { return clock; });
        readOnly.addRound(round(1, 0));
        QCOMPARE(readOnly.pendingRounds(), 1);
        QVERIFY(!readOnly.notice().isEmpty());
        QFile::setPermissions(ro, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    // An item leaves its review list once answered right on two different days; two right
    // answers on one day are not enough, and a new miss starts the count again. The lists are
    // offered only while the parent has switched the review on.
    void theReviewRule() {
        record->addRound(round(0, 2, {miss("狗"), miss("猫")}));
        QVERIFY(record->reviewItems(QStringLiteral("words")).isEmpty()); // the switch is off
        QVERIFY(record->setReviewOffered(true));
        QCOMPARE(record->reviewItems(QStringLiteral("words")), (QStringList{"狗", "猫"}));
        QVERIFY(record->reviewItems(QStringLiteral("other")).isEmpty());

        record->addRound(round(2, 0, {}, {hit("狗"), hit("猫")}));
        record->addRound(round(1, 0, {}, {hit("狗")}));
        QCOMPARE(record->reviewItems(QStringLiteral("words")).size(), 2); // one day only

        nextDay();
        record->addRound(round(1, 1, {miss("猫")}, {hit("狗")}));
        QCOMPARE(record->reviewItems(QStringLiteral("words")), QStringList{"猫"});
        nextDay();
        record->addRound(round(1, 0, {}, {hit("猫")})); // the first day since its new miss
        QCOMPARE(record->reviewItems(QStringLiteral("words")), QStringList{"猫"});
        nextDay();
        record->addRound(round(1, 0, {}, {hit("猫")}));
        QVERIFY(record->reviewItems(QStringLiteral("words")).isEmpty());
        // The counts stay for the page.
        QCOMPARE(record->mostMissed(1)[0].item, QStringLiteral("猫"));
        QCOMPARE(record->mostMissed(1)[0].count, 2);

        // The most recent miss first.
        nextDay();
        record->addRound(round(0, 1, {miss("鱼")}));
        clock = clock.addSecs(60);
        record->addRound(round(0, 1, {miss("羊")}));
        QCOMPARE(record->reviewItems(QStringLiteral("words")), (QStringList{"羊", "鱼"}));
        record->setReviewOffered(false);
        QVERIFY(record->reviewItems(QStringLiteral("words")).isEmpty());
    }

    void csvHeaderAndQuoting() {
        QCOMPARE(csvField(QStringLiteral("加法")), QStringLiteral("加法"));
        QCOMPARE(csvField(QStringLiteral("a,b")), QStringLiteral("\"a,b\""));
        QCOMPARE(csvField(QStringLiteral("say \"hi\"")), QStringLiteral("\"say \"\"hi\"\"\""));
        QCOMPARE(csvField(QStringLiteral("two\nlines")), QStringLiteral("\"two\nlines\""));

        record->addChild(QStringLiteral("小明"));
        Round r = round(18, 2, {miss("3+4", "8", "jiafa10"), miss("5,6", "\"7\"", "jiafa10")});
        r.screen = QStringLiteral("jiafa10");
        r.area = Area::Arithmetic;
        r.mode = QStringLiteral("一位数加一位数(和小于10)");
        record->addRound(r);
        const QByteArray csv = record->csv(record->currentChild().id);
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        const QStringList lines = QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QStringLiteral("孩子,日期,时间,科目,练习,内容,用时(秒),答对,答错,错题"));
        QCOMPARE(lines[1],
                 QStringLiteral("小明,2026-03-02,17:00,算术,jiafa10,一位数加一位数(和小于10),120,18,2,"
                                "\"3+4→8; 5,6→\"\"7\"\"\""));
        QCOMPARE(lines[2], QString());
    }

    // Up to four children; the first name names the child the record began with.
    void children() {
        record->addRound(round(3, 0));
        QVERIFY(record->addChild(QStringLiteral("小明")));
        QCOMPARE(record->children().size(), 1);
        QCOMPARE(record->currentChild().name, QStringLiteral("小明"));
        QCOMPARE(record->secondsOn(record->currentChild().id, clock.date()), 120);
        QVERIFY(record->addChild(QStringLiteral("小红")));
        QVERIFY(!record->addChild(QStringLiteral("小红")));
        QCOMPARE(record->lastError(), QStringLiteral("已经有叫“小红”的孩子了。"));
        QVERIFY(!record->addChild(QStringLiteral("  ")));
        QVERIFY(record->addChild(QStringLiteral("小刚")));
        QVERIFY(record->addChild(QStringLiteral("小丽")));
        QVERIFY(!record->addChild(QStringLiteral("小五")));
        QCOMPARE(record->lastError(), QStringLiteral("最多只能记四个孩子。"));

        const int red = record->children()[1].id;
        record->setCurrentChild(red);
        record->addRound(round(1, 1, {miss("鸟")}));
        reopen(); // the choice is kept
        QCOMPARE(record->currentChild().name, QStringLiteral("小红"));
        QVERIFY(record->renameChild(red, QStringLiteral("红红")));
        QCOMPARE(record->currentChild().name, QStringLiteral("红红"));
        QCOMPARE(record->mostMissed(red).size(), 1);
        QVERIFY(record->removeChild(red));
        QCOMPARE(record->children().size(), 3);
        QCOMPARE(record->currentChild().name, QStringLiteral("小明"));
        QCOMPARE(record->secondsOn(red, clock.date()), 0);
        QCOMPARE(record->secondsOn(record->currentChild().id, clock.date()), 120);
    }

    void settingsAndClearing() {
        QVERIFY(record->setDailyLimitMinutes(30));
        QVERIFY(!record->setDailyLimitMinutes(25));
        reopen();
        QCOMPARE(record->dailyLimitMinutes(), 30);
        record->addRound(round(1, 1, {miss("鸟")}));
        QVERIFY(record->clear(1));
        QCOMPARE(record->secondsOn(1, clock.date()), 0);
        QVERIFY(record->mostMissed(1).isEmpty());
        QCOMPARE(record->dailyLimitMinutes(), 30);
    }
};

QTEST_GUILESS_MAIN(LearningRecordTest)
#include "LearningRecordTest.moc"
