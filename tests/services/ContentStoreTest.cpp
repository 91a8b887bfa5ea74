// ContentStore and its table cursors, on a small study.dat that every test writes for itself
// (testing_support::writeFixtureStudyDat) into a temporary folder: thirty tables, most with one or two
// records, A01 and 单字 with five, A23 with none.

#include "services/ContentStore.h"
#include "services/ContentFiles.h"
#include "services/ContentSchema.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sqlite3.h>

using namespace services;
using testing_support::bytesOf;
using testing_support::writeFixtureStudyDat;

namespace {

constexpr int kFiveRecords = 1; // A01: the five animals below
constexpr int kEmptySlot = 23;  // A23: no records at all

const QStringList kAnimals = {"cat", "dog", "bird", "fish", "duck"}; // A01 field 1, in order
const QStringList kCharacters = {"山", "水", "火", "木", "土"};      // 单字, in order

// The records of each fixture table, by slot.
std::vector<QStringList> fixtureRows(int slot) {
    if (slot == kFiveRecords)
        return {{"1", "cat", "猫", "I have a cat."},
                {"2", "dog", "狗", "The dog can run."},
                {"3", "bird", "鸟", "A bird can fly."},
                {"4", "fish", "鱼", "The fish can swim."},
                {"5", "duck", "鸭子", "The duck is yellow."}};
    if (slot == kEmptySlot) return {};
    if (slot < kSingleCharacters) {
        if (slot % 2 == 0)
            return {{"1", "red", "红色", "I like red."}, {"2", "blue", "蓝色", "The sky is blue."}};
        return {{"1", "sun", "太阳", "The sun is bright."}};
    }
    switch (slot) {
    case kSingleCharacters: {
        std::vector<QStringList> rows;
        for (const QString &c : kCharacters)
            rows.push_back({c, QString()}); // each with the usual reading
        return rows;
    }
    case kWordGroups:
        return {{"朋友"}, {"老师"}};
    case kIdioms:
        return {{"一心一意", "做事只想着一件事，很专心。", "yī xīn yī yì"},
                {"小心翼翼", "做事非常小心，一点也不马虎。", "xiǎo xīn yì yì"}};
    case kPoems:
        return {{"春晓"}, {"孟浩然"}, {"春眠不觉晓"}, {"处处闻啼鸟"}, {"夜来风雨声"}, {"花落知多少"}};
    case kSynonyms:
        return {{"美丽", "漂亮"}};
    case kAntonyms:
        return {{"大", "小"}, {"冷", "热"}};
    case kRiddles:
        return {{"红红脸蛋圆又圆，咬上一口脆又甜。", "一水果", "苹果"}};
    default:
        return {};
    }
}

// A field as a failure message shows it.
QString shown(const std::optional<QString> &field) {
    return field ? QLatin1Char('"') + *field + QLatin1Char('"') : QStringLiteral("<nothing>");
}

// All thirty tables with the records above, but those left out.
bool writeFixture(const QString &path, const std::set<int> &leaveOut = {}) {
    std::map<int, std::vector<QStringList>> rows;
    for (int slot = 1; slot <= kTableCount; ++slot)
        rows[slot] = fixtureRows(slot);
    return writeFixtureStudyDat(path, rows, leaveOut);
}

// Runs SQL on the file through a connection of its own, as another program would.
bool execOn(const QString &path, const QString &sql) {
    sqlite3 *db = nullptr;
    const bool opened = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK;
    char *message = nullptr;
    const bool ok =
        opened && sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) == SQLITE_OK;
    if (!ok) qWarning("%s", message ? message : sqlite3_errmsg(db));
    sqlite3_free(message);
    sqlite3_close(db);
    return ok;
}

// What is at a path: "<missing>", a folder's entries, or a file's bytes.
QByteArray snapshot(const QString &path) {
    const QFileInfo info(path);
    if (!info.exists()) return "<missing>";
    if (info.isDir())
        return "<folder> " + QDir(path)
                                 .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                                 .join(' ')
                                 .toUtf8();
    return bytesOf(path);
}

// The cursor operations of a data row: "first", "last", "next", "previous", "move:N", comma separated.
void apply(TableCursor *c, const QString &ops) {
    for (const QString &op : ops.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (op == QLatin1String("first"))
            c->MoveFirst();
        else if (op == QLatin1String("last"))
            c->MoveLast();
        else if (op == QLatin1String("next"))
            c->MoveNext();
        else if (op == QLatin1String("previous"))
            c->MovePrevious();
        else if (op.startsWith(QLatin1String("move:")))
            c->Move(op.mid(5).toInt());
        else
            QFAIL(qPrintable(QStringLiteral("unknown cursor operation %1").arg(op)));
    }
}

// The word (field 1) of every A01 record, as a fresh store reads it from the file.
QStringList animalsInFile(const QString &path) {
    ContentStore fresh(path);
    TableCursor *c = fresh.Data(kFiveRecords);
    if (!c) return {QStringLiteral("<store did not open: %1>").arg(fresh.problem())};
    QStringList words;
    for (const QStringList &r : c->records())
        words << r.value(1);
    return words;
}

QString firstCharacterInFile(const QString &path) {
    ContentStore fresh(path);
    TableCursor *c = fresh.Data(kSingleCharacters);
    return c ? c->field(0) : QStringLiteral("<store did not open: %1>").arg(fresh.problem());
}

} // namespace

Q_DECLARE_METATYPE(services::ContentStore::State)

class ContentStoreTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    QString path_; // <temporary folder>/study.dat, written by init()

    // No journal, WAL or other file is left beside study.dat.
    void verifyNothingBeside() {
        for (const char *suffix : {"-journal", "-wal", "-shm"})
            QVERIFY2(!QFileInfo::exists(path_ + QLatin1String(suffix)), suffix);
    }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        path_ = dir_->filePath(QStringLiteral("study.dat"));
        QVERIFY(writeFixture(path_));
    }

    // Opening on first access; every table with its columns and records, in stored order.
    void opensAllThirtyTables() {
        const QByteArray before = bytesOf(path_);
        ContentStore store(path_);
        QCOMPARE(store.state(), ContentStore::State::NotOpen);
        const auto &schema = contentTables();
        for (int slot = 1; slot <= kTableCount; ++slot) {
            const TableSchema &s = schema[static_cast<std::size_t>(slot - 1)];
            TableCursor *c = store.Data(slot);
            QVERIFY2(c, qPrintable(s.name));
            QCOMPARE(store.table(s.name), c);
            QCOMPARE(c->tableName(), s.name);
            QCOMPARE(c->columns(), s.columns);
            const std::vector<QStringList> rows = fixtureRows(slot);
            QVERIFY2(c->records() == rows, qPrintable(s.name));
            c->MoveLast();
            QCOMPARE(c->RecordCount(), static_cast<int>(rows.size()));
            if (!rows.empty()) {
                QCOMPARE(c->AbsolutePosition(), c->RecordCount() - 1);
                QCOMPARE(shown(c->Fields(0)), shown(rows.back().first()));
            }
        }
        QCOMPARE(store.state(), ContentStore::State::Open);
        QVERIFY(store.problem().isEmpty());
        QVERIFY(!store.readOnly());
        QCOMPARE(store.Data(0), nullptr);
        QCOMPARE(store.Data(kTableCount + 1), nullptr);
        QCOMPARE(store.table(QStringLiteral("不存在的表")), nullptr);
        // Reading changes nothing in the file.
        QCOMPARE(bytesOf(path_), before);
        verifyNothingBeside();
    }

    void cursorMoves_data() {
        QTest::addColumn<QString>("ops");
        QTest::addColumn<int>("position"); // -1: no current record
        QTest::addColumn<bool>("eof");
        QTest::addColumn<bool>("bof");
        QTest::newRow("on opening") << "" << 0 << false << false;
        QTest::newRow("MoveFirst") << "first" << 0 << false << false;
        QTest::newRow("MoveFirst, Move(0)") << "first,move:0" << 0 << false << false;
        QTest::newRow("MoveFirst, Move(2)") << "first,move:2" << 2 << false << false;
        QTest::newRow("MoveFirst, Move(4): the last") << "first,move:4" << 4 << false << false;
        QTest::newRow("MoveFirst, Move(5) on five records") << "first,move:5" << -1 << true << false;
        QTest::newRow("MoveFirst, Move(50)") << "first,move:50" << -1 << true << false;
        QTest::newRow("MoveNext twice") << "first,next,next" << 2 << false << false;
        QTest::newRow("MoveLast") << "last" << 4 << false << false;
        QTest::newRow("MoveNext past the last") << "last,next" << -1 << true << false;
        QTest::newRow("MoveNext again past the end") << "last,next,next" << -1 << true << false;
        QTest::newRow("back from past the end") << "last,next,next,previous" << 4 << false << false;
        QTest::newRow("MovePrevious before the first") << "first,previous" << -1 << false << true;
        QTest::newRow("MovePrevious again before the start")
            << "first,previous,previous" << -1 << false << true;
        QTest::newRow("back from before the start") << "first,previous,previous,next" << 0 << false << false;
        QTest::newRow("Move(-3) from the last") << "last,move:-3" << 1 << false << false;
        QTest::newRow("Move(-4) from the last: the first") << "last,move:-4" << 0 << false << false;
        QTest::newRow("Move(-1) from the first") << "first,move:-1" << -1 << false << true;
        QTest::newRow("Move(-50) from the last") << "last,move:-50" << -1 << false << true;
        QTest::newRow("Move(-1) from past the end") << "first,move:5,move:-1" << 4 << false << false;
        QTest::newRow("Move(1) from before the start") << "first,previous,move:1" << 0 << false << false;
    }

    void cursorMoves() {
        QFETCH(QString, ops);
        QFETCH(int, position);
        QFETCH(bool, eof);
        QFETCH(bool, bof);
        ContentStore store(path_);
        TableCursor *c = store.Data(kFiveRecords);
        QVERIFY(c);
        apply(c, ops);
        QCOMPARE(c->RecordCount(), 5);
        QCOMPARE(c->AbsolutePosition(), position);
        QCOMPARE(c->hasCurrent(), position >= 0);
        QCOMPARE(c->Eof(), eof);
        QCOMPARE(c->BOF(), bof);
        const std::optional<QString> word =
            position >= 0 ? std::optional<QString>(kAnimals[position]) : std::nullopt;
        QCOMPARE(shown(c->Fields(1)), shown(word));
        QCOMPARE(c->field(1), word.value_or(QString()));
        // Fields beyond the columns give nothing either.
        QVERIFY(!c->Fields(-1));
        QVERIFY(!c->Fields(4));
    }

    // An empty record set is before its start and past its end at once, whatever the move.
    void emptyTable_data() {
        QTest::addColumn<QString>("ops");
        QTest::newRow("on opening") << "";
        QTest::newRow("MoveFirst") << "first";
        QTest::newRow("MoveLast") << "last";
        QTest::newRow("MoveNext") << "next";
        QTest::newRow("MovePrevious") << "previous";
        QTest::newRow("MoveFirst, Move(1)") << "first,move:1";
    }

    void emptyTable() {
        QFETCH(QString, ops);
        ContentStore store(path_);
        TableCursor *c = store.Data(kEmptySlot);
        QVERIFY(c);
        apply(c, ops);
        QCOMPARE(c->RecordCount(), 0);
        QVERIFY(!c->hasCurrent());
        QCOMPARE(c->AbsolutePosition(), -1);
        QVERIFY(!c->Fields(0));
        QVERIFY2(c->Eof(), "an empty table is past its end");
        QVERIFY2(c->BOF(), "an empty table is before its start");
        QVERIFY(!c->Edit());
        QVERIFY(!c->Delete());
        QVERIFY(!store.lastError().isEmpty());
    }

    // Two screens that use one table share its cursor: each finds it where the other left it.
    void twoUsersShareOneCursor() {
        ContentStore store(path_);
        TableCursor *first = store.Data(kFiveRecords);
        TableCursor *second = store.table(contentTables().front().name);
        QVERIFY(first);
        QCOMPARE(second, first);
        first->MoveFirst();
        first->Move(3);
        QCOMPARE(second->AbsolutePosition(), 3);
        QCOMPARE(shown(second->Fields(1)), shown("fish"));
        second->MoveNext();
        second->MoveNext();
        QVERIFY(first->Eof());
        QVERIFY(!first->hasCurrent());
        first->MovePrevious();
        QCOMPARE(shown(store.Data(kFiveRecords)->Fields(1)), shown("duck"));
        // Another table's cursor is its own.
        QCOMPARE(store.Data(kSingleCharacters)->AbsolutePosition(), 0);
    }

    void deleteThenMove_data() {
        QTest::addColumn<int>("deleteAt");
        QTest::addColumn<QString>("ops");
        QTest::addColumn<QString>("expected"); // the word then current; empty: none
        QTest::addColumn<bool>("eof");
        QTest::newRow("first, MoveNext") << 0 << "next"
                                         << "dog" << false;
        QTest::newRow("middle, MoveNext") << 2 << "next"
                                          << "fish" << false;
        QTest::newRow("middle, MoveNext twice") << 1 << "next,next"
                                                << "fish" << false;
        QTest::newRow("last, MoveNext") << 4 << "next"
                                        << "" << true;
        QTest::newRow("middle, MovePrevious") << 2 << "previous"
                                              << "dog" << false;
        QTest::newRow("first, MovePrevious") << 0 << "previous"
                                             << "" << false;
        QTest::newRow("middle, Move(1)") << 2 << "move:1"
                                         << "fish" << false;
        QTest::newRow("middle, Move(2)") << 2 << "move:2"
                                         << "duck" << false;
        QTest::newRow("middle, Move(-1)") << 2 << "move:-1"
                                          << "dog" << false;
        QTest::newRow("middle, MoveFirst") << 2 << "first"
                                           << "cat" << false;
        QTest::newRow("middle, MoveLast") << 2 << "last"
                                          << "duck" << false;
    }

    void deleteThenMove() {
        QFETCH(int, deleteAt);
        QFETCH(QString, ops);
        QFETCH(QString, expected);
        QFETCH(bool, eof);
        ContentStore store(path_);
        TableCursor *c = store.Data(kFiveRecords);
        QVERIFY(c);
        c->MoveFirst();
        c->Move(deleteAt);
        QVERIFY(c->Delete());
        // The deleted record is no longer current, nor a second time deletable.
        QVERIFY(!c->hasCurrent());
        QVERIFY(!c->Fields(1));
        QVERIFY(!c->Delete());
        QCOMPARE(c->RecordCount(), 4);
        apply(c, ops);
        QCOMPARE(c->field(1), expected);
        QCOMPARE(c->hasCurrent(), !expected.isEmpty());
        QCOMPARE(c->Eof(), eof);
        QStringList remaining = kAnimals;
        remaining.removeAt(deleteAt);
        QCOMPARE(animalsInFile(path_), remaining);
    }

    // Edit/setField/Update and Delete land in the file at once: the store sees them after
    // close() and reopening, and so does a store opened afresh.
    void editsAndDeletesPersist() {
        ContentStore store(path_);
        TableCursor *animals = store.Data(kFiveRecords);
        QVERIFY(animals);
        QVERIFY(!animals->setField(2, QStringLiteral("小鸟"))); // not editing
        QVERIFY(!animals->Update());
        animals->MoveFirst();
        animals->Move(2);
        QVERIFY(animals->Edit());
        QVERIFY(animals->setField(2, QStringLiteral("小鸟")));
        QVERIFY(!animals->setField(4, QStringLiteral("no such field")));
        QCOMPARE(shown(animals->Fields(2)), shown("小鸟"));
        QVERIFY2(animals->Update(), qPrintable(store.lastError()));
        QCOMPARE(shown(animals->Fields(2)), shown("小鸟"));

        TableCursor *characters = store.Data(kSingleCharacters);
        characters->MoveFirst();
        characters->MoveNext();
        QVERIFY2(characters->Delete(), qPrintable(store.lastError()));

        // Without a current record nothing can be edited.
        animals->MoveLast();
        animals->MoveNext();
        QVERIFY(!animals->Edit());
        QVERIFY(!store.lastError().isEmpty());

        std::vector<QStringList> expectedAnimals = fixtureRows(kFiveRecords);
        expectedAnimals[2][2] = QStringLiteral("小鸟");
        QStringList expectedCharacters = kCharacters;
        expectedCharacters.removeAt(1);
        auto characterList = [](TableCursor *c) {
            QStringList list;
            for (const QStringList &r : c->records())
                list << r.value(0);
            return list;
        };

        store.close();
        QVERIFY(store.Data(kFiveRecords)->records() == expectedAnimals);
        QCOMPARE(characterList(store.Data(kSingleCharacters)), expectedCharacters);

        ContentStore fresh(path_);
        QVERIFY(fresh.Data(kFiveRecords));
        QVERIFY(fresh.Data(kFiveRecords)->records() == expectedAnimals);
        QCOMPARE(characterList(fresh.Data(kSingleCharacters)), expectedCharacters);
        // Nothing else changed.
        for (int slot = 1; slot <= kTableCount; ++slot)
            if (slot != kFiveRecords && slot != kSingleCharacters)
                QVERIFY2(fresh.Data(slot)->records() == fixtureRows(slot),
                         qPrintable(fresh.Data(slot)->tableName()));
    }

    // Leaving a record while editing it must not carry its values over to the next one.
    void editLeftByMovingStaysWithItsRecord() {
        ContentStore store(path_);
        TableCursor *c = store.Data(kFiveRecords);
        QVERIFY(c);
        c->MoveFirst();
        QVERIFY(c->Edit());
        QVERIFY(c->setField(1, QStringLiteral("kitten")));
        c->MoveNext();
        const QString shown = c->field(1);
        c->Update(); // with the edit left behind, nothing of it may land on "dog"
        ContentStore fresh(path_);
        QVERIFY(fresh.Data(kFiveRecords));
        QCOMPARE(fresh.Data(kFiveRecords)->records().at(1), fixtureRows(kFiveRecords).at(1));
        QCOMPARE(shown, QStringLiteral("dog"));
    }

    void closeReopensWithEveryCursorOnItsFirstRecord() {
        ContentStore store(path_);
        for (int slot = 1; slot <= kTableCount; ++slot) {
            TableCursor *c = store.Data(slot);
            QVERIFY(c);
            c->MoveLast();
            c->MoveNext();
        }
        store.Data(kFiveRecords)->MoveFirst();
        store.Data(kFiveRecords)->Move(3);
        store.close();
        QCOMPARE(store.state(), ContentStore::State::NotOpen);
        QVERIFY(!store.isOpen());
        for (int slot = 1; slot <= kTableCount; ++slot) {
            TableCursor *c = store.Data(slot);
            QVERIFY(c);
            const std::vector<QStringList> rows = fixtureRows(slot);
            if (rows.empty()) {
                QVERIFY(!c->hasCurrent());
                continue;
            }
            QVERIFY2(c->AbsolutePosition() == 0, qPrintable(c->tableName()));
            QCOMPARE(shown(c->Fields(0)), shown(rows.front().first()));
        }
        QVERIFY(store.isOpen());
        // Closing twice, or a store never opened, is harmless.
        store.close();
        store.close();
        ContentStore never(path_);
        never.close();
        QCOMPARE(never.state(), ContentStore::State::NotOpen);
    }

    // A study.dat that cannot serve is reported, and neither created nor touched.
    void badFiles_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<ContentStore::State>("state");
        QTest::addColumn<QString>("problemSays");
        QTest::newRow("missing") << "missing" << ContentStore::State::Missing << "找不到内容库 study.dat";
        QTest::newRow("a folder") << "folder" << ContentStore::State::Unreadable << "无法读取";
        QTest::newRow("first half of a real file")
            << "truncated" << ContentStore::State::Unreadable << "损坏";
        QTest::newRow("a text file") << "text" << ContentStore::State::NotADatabase << "不是 Lumibo 的内容库";
        QTest::newRow("SQLite with none of our tables")
            << "foreign" << ContentStore::State::NotADatabase << "不是 Lumibo 的内容库";
        QTest::newRow("0-byte file") << "empty" << ContentStore::State::NotADatabase << "不是";
    }

    void badFiles() {
        QFETCH(QString, kind);
        QFETCH(ContentStore::State, state);
        QFETCH(QString, problemSays);
        const QByteArray good = bytesOf(path_);
        QVERIFY(QFile::remove(path_));
        if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(path_));
        } else if (kind == QLatin1String("foreign")) {
            QVERIFY(execOn(path_, QStringLiteral("CREATE TABLE other(x); INSERT INTO other VALUES (1);")));
        } else if (kind != QLatin1String("missing")) {
            QFile f(path_);
            QVERIFY(f.open(QIODevice::WriteOnly));
            if (kind == QLatin1String("truncated"))
                f.write(good.left(good.size() / 2));
            else if (kind == QLatin1String("text"))
                f.write("hello");
            f.close();
        }
        const QByteArray before = snapshot(path_);
        const QStringList folderBefore = QDir(dir_->path()).entryList();
        {
            ContentStore store(path_);
            QCOMPARE(store.Data(1), nullptr);
            QCOMPARE(store.state(), state);
            QVERIFY2(store.problem().contains(problemSays), qPrintable(store.problem()));
            QVERIFY(!store.isOpen());
            // Every later access fails the same way.
            QCOMPARE(store.Data(kTableCount), nullptr);
            QCOMPARE(store.table(QStringLiteral("单字")), nullptr);
            // Each table's screens show the whole file's problem.
            QCOMPARE(store.problemFor(kRiddles), store.problem());
            QCOMPARE(store.problemFor(QStringLiteral("单字")), store.problem());
            QVERIFY(!store.begin());
            QCOMPARE(store.state(), state);
        }
        QCOMPARE(snapshot(path_), before);
        QCOMPARE(QDir(dir_->path()).entryList(), folderBefore);
        verifyNothingBeside();
    }

    // A failed opening is tried again on the next access: the file may have been put in place.
    // A table put back later is found on the next opening (after close()).
    void failedOpenIsRetried() {
        QVERIFY(QFile::remove(path_));
        ContentStore store(path_);
        QCOMPARE(store.Data(1), nullptr);
        QCOMPARE(store.state(), ContentStore::State::Missing);
        QVERIFY(writeFixture(path_, {kRiddles}));
        QVERIFY(store.Data(1));
        QCOMPARE(store.state(), ContentStore::State::Open);
        QVERIFY(store.problem().isEmpty());
        QCOMPARE(store.Data(kRiddles), nullptr);
        store.close();
        QVERIFY(writeFixture(path_));
        QVERIFY(store.Data(kRiddles));
        QVERIFY(store.problemFor(kRiddles).isEmpty());
    }

    // A file that lacks one table, or holds one SQLite cannot read, serves all the others; only
    // that table has no cursor, and its problem names it.
    // A file another program holds locked is in use, not damaged: the store says so without
    // waiting, the content reader says "locked", and the next access opens it once it is free.
    void lockedFileIsInUseNotDamaged() {
        testing_support::ReadLock writer(path_, true);
        QVERIFY(writer.held());
        ContentStore store(path_);
        QVERIFY(!store.Data(1));
        QCOMPARE(store.state(), ContentStore::State::Locked);
        QCOMPARE(store.problem(), QStringLiteral("内容库 study.dat 正被其他程序使用，请稍后再试"));
        Problems problems;
        QVERIFY(readStudyDat(path_, problems).empty());
        QCOMPARE(problems.size(), 1);
        QVERIFY2(problems.first().contains(QStringLiteral("locked by another program")),
                 qPrintable(problems.first()));
        writer.release();
        QVERIFY(store.Data(1));
        QVERIFY(store.isOpen());
    }

    void oneTableMissingOrBroken_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("asBrokenView"); // a view over a table that was dropped
        QTest::newRow("谜语 missing") << int(kRiddles) << false;
        QTest::newRow("成语 missing") << int(kIdioms) << false;
        QTest::newRow("A01 missing") << kFiveRecords << false;
        QTest::newRow("谜语 a broken view") << int(kRiddles) << true;
        QTest::newRow("单字 a broken view") << int(kSingleCharacters) << true;
    }

    void oneTableMissingOrBroken() {
        QFETCH(int, slot);
        QFETCH(bool, asBrokenView);
        const QString name = contentTables()[static_cast<std::size_t>(slot - 1)].name;
        QVERIFY(writeFixture(path_, {slot}));
        if (asBrokenView)
            QVERIFY(
                execOn(path_, QStringLiteral("CREATE TABLE gone(x); CREATE VIEW %1 AS SELECT * FROM gone; "
                                             "DROP TABLE gone;")
                                  .arg(quotedIdentifier(name))));
        const QByteArray before = bytesOf(path_);
        ContentStore store(path_);
        const QString expected = QStringLiteral("内容库 study.dat 不完整：缺少表“%1”").arg(name);
        QCOMPARE(store.Data(slot), nullptr);
        QCOMPARE(store.table(name), nullptr);
        QCOMPARE(store.problemFor(slot), expected);
        QCOMPARE(store.problemFor(name), expected);
        QCOMPARE(store.state(), ContentStore::State::Open);
        QVERIFY(store.isOpen());
        QVERIFY(store.problem().isEmpty());
        for (int other = 1; other <= kTableCount; ++other) {
            if (other == slot) continue;
            TableCursor *c = store.Data(other);
            QVERIFY2(c, qPrintable(contentTables()[static_cast<std::size_t>(other - 1)].name));
            QVERIFY(c->records() == fixtureRows(other));
            QVERIFY(store.problemFor(other).isEmpty());
        }
        QCOMPARE(bytesOf(path_), before);

        // The other tables still take changes, and a rollback reloads only what exists.
        const int other = slot == kSingleCharacters ? kWordGroups : kSingleCharacters;
        QVERIFY(store.begin());
        store.Data(other)->MoveFirst();
        QVERIFY(store.Data(other)->Delete());
        store.rollback();
        QVERIFY(store.Data(other)->records() == fixtureRows(other));
        QVERIFY(store.begin());
        store.Data(other)->MoveFirst();
        QVERIFY(store.Data(other)->Delete());
        QVERIFY2(store.commit(), qPrintable(store.lastError()));
        store.close();
        QCOMPARE(store.Data(slot), nullptr);
        QCOMPARE(static_cast<std::size_t>(store.Data(other)->RecordCount()), fixtureRows(other).size() - 1);
        verifyNothingBeside();
    }

    // What a screen shows for a table that gives it nothing: missing, no records, only blank
    // fields; a single field with text is something to show.
    void contentProblemFor_data() {
        QTest::addColumn<std::vector<QStringList>>("rows");
        QTest::addColumn<bool>("missing");
        QTest::addColumn<QString>("expected");
        const QString none = QStringLiteral("“谜语”里还没有内容");
        QTest::newRow("missing") << std::vector<QStringList>{} << true
                                 << QStringLiteral("内容库 study.dat 不完整：缺少表“谜语”");
        QTest::newRow("no records") << std::vector<QStringList>{} << false << none;
        QTest::newRow("blank fields")
            << std::vector<QStringList>{{"", " ", "\t"}, {" ", "", ""}} << false << none;
        QTest::newRow("one field with text")
            << std::vector<QStringList>{{"", "", ""}, {"", " 一水果", ""}} << false << QString();
    }
    void contentProblemFor() {
        QFETCH(std::vector<QStringList>, rows);
        QFETCH(bool, missing);
        QFETCH(QString, expected);
        QVERIFY(writeFixtureStudyDat(path_, {{kRiddles, rows}},
                                     missing ? std::set<int>{kRiddles} : std::set<int>{}));
        ContentStore store(path_);
        QCOMPARE(store.contentProblemFor(kRiddles), expected);
        QVERIFY(store.contentProblemFor(kSingleCharacters).isEmpty()); // the others serve
        QCOMPARE(store.Data(kRiddles) != nullptr, !missing);
    }

    void readOnlyFileReadsAndRefusesChanges() {
        // Marked 0444: read-only even for root, whom the system would still let write.
        QVERIFY(QFile::setPermissions(path_, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        const QByteArray before = bytesOf(path_);
        {
            ContentStore store(path_);
            TableCursor *c = store.Data(kFiveRecords);
            QVERIFY(c);
            QCOMPARE(store.state(), ContentStore::State::Open);
            QVERIFY(store.readOnly());
            QCOMPARE(shown(c->Fields(1)), shown("cat"));
            QVERIFY(!c->Edit());
            QVERIFY2(store.lastError().contains(QStringLiteral("只读")), qPrintable(store.lastError()));
            QVERIFY(!c->Delete());
            QVERIFY(!store.begin());
            QCOMPARE(c->RecordCount(), 5);
            QVERIFY(c->hasCurrent());
        }
        QCOMPARE(bytesOf(path_), before);
        verifyNothingBeside();
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner);
    }

    // begin() groups deletions and edits in two tables; they all land, or none does.
    void transactions_data() {
        QTest::addColumn<QString>("finish");
        QTest::addColumn<bool>("kept");
        QTest::newRow("rollback") << "rollback" << false;
        QTest::newRow("commit") << "commit" << true;
        QTest::newRow("close without commit") << "close" << false;
    }

    void transactions() {
        QFETCH(QString, finish);
        QFETCH(bool, kept);
        const QByteArray before = bytesOf(path_);
        ContentStore store(path_);
        TableCursor *animals = store.Data(kFiveRecords);
        TableCursor *characters = store.Data(kSingleCharacters);
        QVERIFY(animals && characters);
        animals->MoveFirst();
        animals->Move(1);
        QVERIFY(store.begin());
        QVERIFY(animals->Delete()); // dog
        animals->MoveNext();
        QVERIFY(animals->Delete()); // bird
        QVERIFY(characters->Edit());
        QVERIFY(characters->setField(0, QStringLiteral("石")));
        QVERIFY(characters->Update());
        QCOMPARE(animals->RecordCount(), 3);
        // Until the end of the transaction, the file as others read it holds none of this.
        QCOMPARE(animalsInFile(path_), kAnimals);
        QCOMPARE(firstCharacterInFile(path_), kCharacters.first());

        if (finish == QLatin1String("rollback")) {
            store.rollback();
            // The cursors are back as they were: all records, the same one current.
            QVERIFY(animals->records() == fixtureRows(kFiveRecords));
            QCOMPARE(animals->AbsolutePosition(), 1);
            QCOMPARE(shown(animals->Fields(1)), shown("dog"));
            QCOMPARE(shown(characters->Fields(0)), shown(kCharacters.first()));
        } else if (finish == QLatin1String("commit")) {
            QVERIFY2(store.commit(), qPrintable(store.lastError()));
            QCOMPARE(animals->RecordCount(), 3);
        } else {
            store.close();
        }

        const QStringList expectedAnimals = kept ? QStringList{"cat", "fish", "duck"} : kAnimals;
        const QString expectedCharacter = kept ? QStringLiteral("石") : kCharacters.first();
        QCOMPARE(animalsInFile(path_), expectedAnimals);
        QCOMPARE(firstCharacterInFile(path_), expectedCharacter);
        QVERIFY(store.Data(kFiveRecords));
        QCOMPARE(store.Data(kFiveRecords)->RecordCount(), static_cast<int>(expectedAnimals.size()));
        QCOMPARE(store.Data(kSingleCharacters)->records().front().front(), expectedCharacter);
        store.close();
        if (!kept) QCOMPARE(bytesOf(path_), before);
        verifyNothingBeside();
    }

    // One transaction at a time: a second begin() is refused and leaves the first one whole;
    // only the first one's commit ends it.
    void secondBeginIsRefused() {
        ContentStore store(path_);
        TableCursor *animals = store.Data(kFiveRecords);
        QVERIFY(animals);
        QVERIFY(store.begin());
        animals->MoveFirst();
        QVERIFY(animals->Delete()); // cat
        QVERIFY(!store.begin());
        QCOMPARE(store.lastError(), QStringLiteral("内容库正在进行另一项修改，请等它结束后再试"));
        QVERIFY(store.inTransaction());
        QCOMPARE(animalsInFile(path_), kAnimals);
        QVERIFY2(store.commit(), qPrintable(store.lastError()));
        QVERIFY(!store.inTransaction());
        QCOMPARE(animalsInFile(path_), kAnimals.mid(1));
        // With nothing open, commit() says so and rollback() ends nothing.
        QVERIFY(!store.commit());
        QCOMPARE(store.lastError(), QStringLiteral("没有进行中的修改可以保存"));
        store.rollback();
        QCOMPARE(animals->RecordCount(), 4);
        QCOMPARE(animalsInFile(path_), kAnimals.mid(1));
    }

    // A commit that fails (another program holds a read lock) reports SQLite's own reason, rolls
    // back, and the clean-up after it does not replace that reason.
    void failedCommitKeepsItsOwnReason() {
        const QByteArray before = bytesOf(path_);
        ContentStore store(path_);
        store.setBusyTimeout(0); // fail at once instead of after two seconds
        TableCursor *animals = store.Data(kFiveRecords);
        QVERIFY(animals);
        testing_support::ReadLock reader(path_);
        QVERIFY(reader.held());
        QVERIFY(store.begin());
        animals->MoveFirst();
        QVERIFY(animals->Delete());
        QVERIFY(!store.commit());
        const QString reason = QStringLiteral("内容库写入失败：database is locked");
        QCOMPARE(store.lastError(), reason);
        QVERIFY(!store.inTransaction());
        store.rollback();
        QCOMPARE(store.lastError(), reason);
        QVERIFY(animals->records() == fixtureRows(kFiveRecords));
        reader.release();
        QCOMPARE(animalsInFile(path_), kAnimals);
        store.close();
        QCOMPARE(bytesOf(path_), before);
        verifyNothingBeside();
    }

    // Each visit backs up to a file of its own; an older single study.dat.bak is left alone.
    void backupOncePerVisit() {
        const QString oldBak = path_ + QStringLiteral(".bak");
        {
            QFile old(oldBak);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("an old backup");
        }
        const QByteArray original = bytesOf(path_);
        ContentStore store(path_);
        QVERIFY2(store.backupOnce(), qPrintable(store.lastError()));
        const QString first = store.lastBackup();
        QVERIFY2(first.startsWith(QStringLiteral("study.dat.")) &&
                     first.endsWith(QStringLiteral(".start.bak")),
                 qPrintable(first));
        QCOMPARE(bytesOf(dir_->filePath(first)), original);

        TableCursor *c = store.Data(kFiveRecords);
        QVERIFY(c);
        QVERIFY(c->Delete());
        const QByteArray changed = bytesOf(path_);
        QVERIFY(store.backupOnce());
        QCOMPARE(store.lastBackup(), first); // once a visit: the first copy stays

        store.resetBackup();
        QVERIFY(store.backupOnce());
        QVERIFY(store.lastBackup() != first);
        QVERIFY(!store.lastBackup().endsWith(QStringLiteral(".start.bak")));
        QCOMPARE(bytesOf(dir_->filePath(store.lastBackup())), changed);
        QCOMPARE(bytesOf(dir_->filePath(first)), original); // two visits never lose the original
        QCOMPARE(bytesOf(oldBak), QByteArray("an old backup"));
        QVERIFY(QDir(dir_->path()).entryList({QStringLiteral("*.tmp")}, QDir::Files).isEmpty());
    }

    // Many visits over several runs: the newest ten stay, and so does the file as it was before
    // the first change of this run and of the run before.
    void backupsKeepTheNewestAndEachRunsStart() {
        QStringList starts;
        for (int run = 0; run < 3; ++run) {
            ContentStore store(path_);
            for (int visit = 0; visit < 12; ++visit) {
                store.resetBackup();
                QVERIFY2(store.backupOnce(), qPrintable(store.lastError()));
                if (visit == 0) starts << store.lastBackup();
            }
        }
        const QStringList kept =
            QDir(dir_->path()).entryList({QStringLiteral("study.dat.*.bak")}, QDir::Files, QDir::Name);
        QCOMPARE(kept.size(), ContentStore::kBackupsKept + 2);
        QVERIFY(!kept.contains(starts[0]));
        QVERIFY(kept.contains(starts[1]));
        QVERIFY(kept.contains(starts[2]));
    }

    // The user's own copy, as the store of an installed program uses it (the rule that asks for
    // one is tried on the maintenance screen): the first change copies the shipped file and
    // changes the copy; the shipped file is only ever read.
    void firstChangeCopiesAndLaterRunsReadTheCopy() {
        QTemporaryDir data;
        const QString copy = data.filePath(QStringLiteral("Lumibo/study.dat"));
        const QByteArray shipped = bytesOf(path_);
        {
            ContentStore store(path_, copy);
            TableCursor *c = store.Data(kFiveRecords);
            QVERIFY(store.copyPending());
            QVERIFY(!store.readOnly());
            QVERIFY(store.backupOnce());
            QCOMPARE(store.lastBackup(), QString()); // the shipped file itself is the content before
            QVERIFY(!QFileInfo::exists(copy));
            QVERIFY2(store.begin(), qPrintable(store.lastError()));
            QVERIFY(store.readsOwnCopy());
            c->MoveFirst();
            QVERIFY(c->Delete()); // the cursor fetched before the copy goes on in it
            QVERIFY(store.commit());
            QCOMPARE(store.path(), copy);
        }
        QCOMPARE(bytesOf(path_), shipped);
        verifyNothingBeside();
        QVERIFY(QFileInfo(copy).isWritable());
        ContentStore next(path_, copy);
        QCOMPARE(next.Data(kFiveRecords)->RecordCount(), 4);
        QVERIFY(next.readsOwnCopy());
        QVERIFY(!next.copyPending());
        QCOMPARE(next.notice(), QString());
        // Backups of the copy go beside it.
        QVERIFY(next.backupOnce());
        QVERIFY(QFileInfo::exists(data.filePath(QStringLiteral("Lumibo/") + next.lastBackup())));
        QVERIFY(QDir(dir_->path()).entryList({QStringLiteral("*.bak")}, QDir::Files).isEmpty());
    }

    // A copy that cannot serve is renamed aside, never deleted, and said; the
    // shipped file is read, and the next change makes a fresh copy.
    void damagedCopyIsSetAside_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("not a database") << QByteArray(4096, 'x');
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("cut short") << bytesOf(path_).left(1500);
    }

    void damagedCopyIsSetAside() {
        QFETCH(QByteArray, bytes);
        QTemporaryDir data;
        const QString copy = data.filePath(QStringLiteral("study.dat"));
        for (const QString &f : {copy, copy + QStringLiteral("-journal")}) {
            QFile out(f);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(f == copy ? bytes : QByteArray("a journal"));
        }
        ContentStore store(path_, copy);
        QVERIFY(store.ensureOpen());
        QCOMPARE(store.path(), path_);
        QVERIFY(store.copyPending());
        const QStringList aside =
            QDir(data.path()).entryList({QStringLiteral("study.dat.*.damaged")}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(bytesOf(data.filePath(aside.first())), bytes);
        // No journal is left to be played into the next copy (SQLite drops one it finds invalid).
        QVERIFY(!QFileInfo::exists(copy + QStringLiteral("-journal")));
        QCOMPARE(store.notice(),
                 QStringLiteral("你自己的内容库 %1 已损坏，已改名为 %2 保存；现在读取原始内容库")
                     .arg(copy, aside.first()));
        QVERIFY(store.begin());
        QVERIFY(store.commit());
        QCOMPARE(ContentStore(copy).Data(kFiveRecords)->RecordCount(), 5);
    }

    // A copy another program holds is in use, not damaged: it stays where it is.
    void lockedCopyStaysInPlace() {
        QTemporaryDir data;
        const QString copy = data.filePath(QStringLiteral("study.dat"));
        QVERIFY(QFile::copy(path_, copy));
        testing_support::ReadLock writer(copy, true);
        QVERIFY(writer.held());
        ContentStore store(path_, copy);
        QVERIFY(!store.ensureOpen());
        QCOMPARE(store.state(), ContentStore::State::Locked);
        QVERIFY(QFileInfo::exists(copy));
        QVERIFY(QDir(data.path()).entryList({QStringLiteral("*.damaged")}, QDir::Files).isEmpty());
    }

    // A copy that cannot be made leaves everything as it was and says why.
    void copyThatCannotBeMadeChangesNothing() {
        QTemporaryDir data;
        const QString blocker = data.filePath(QStringLiteral("Lumibo"));
        {
            QFile f(blocker); // a file where the data folder should be
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QByteArray shipped = bytesOf(path_);
        ContentStore store(path_, blocker + QStringLiteral("/study.dat"));
        QVERIFY(store.Data(kFiveRecords));
        QVERIFY(!store.begin());
        QCOMPARE(store.lastError(), QStringLiteral("无法建立文件夹 %1").arg(blocker));
        QVERIFY(!store.inTransaction());
        QVERIFY(store.copyPending());
        QCOMPARE(store.Data(kFiveRecords)->RecordCount(), 5);
        QCOMPARE(bytesOf(path_), shipped);
        verifyNothingBeside();
    }

    // Going back to the shipped content keeps the copy as a backup that no pruning removes.
    void restoreKeepsTheCopyForGood() {
        QTemporaryDir data;
        const QString copy = data.filePath(QStringLiteral("study.dat"));
        ContentStore store(path_, copy);
        QVERIFY(!store.restoreShipped()); // nothing of one's own yet
        QVERIFY(store.begin());
        store.Data(kFiveRecords)->MoveFirst();
        QVERIFY(store.Data(kFiveRecords)->Delete());
        QVERIFY(store.commit());
        const QByteArray own = bytesOf(copy);
        QVERIFY2(store.restoreShipped(), qPrintable(store.lastError()));
        const QString kept = store.lastBackup();
        QVERIFY2(kept.endsWith(QStringLiteral(".restore.bak")), qPrintable(kept));
        QCOMPARE(bytesOf(data.filePath(kept)), own);
        QVERIFY(!QFileInfo::exists(copy));
        QCOMPARE(store.path(), path_);
        QCOMPARE(store.Data(kFiveRecords)->RecordCount(), 5);
        QCOMPARE(store.Data(kFiveRecords)->AbsolutePosition(), 0);
        for (int visit = 0; visit < ContentStore::kBackupsKept + 3; ++visit) {
            store.resetBackup();
            QVERIFY(store.begin()); // the first makes a new copy; the others back it up
            QVERIFY(store.commit());
            QVERIFY(store.backupOnce());
        }
        QVERIFY(QFileInfo::exists(data.filePath(kept)));
    }
};

QTEST_GUILESS_MAIN(ContentStoreTest)
#include "ContentStoreTest.moc"
