#include "services/LearningRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

namespace services {

namespace {

// One prepared statement, finalized when it goes.
class Statement {
  public:
    Statement(sqlite3 *db, const char *sql) { rc_ = sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr); }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    Statement &text(int i, const QString &v) {
        const QByteArray u = v.toUtf8();
        sqlite3_bind_text(stmt_, i, u.constData(), int(u.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement &integer(int i, qint64 v) {
        sqlite3_bind_int64(stmt_, i, v);
        return *this;
    }
    // The next row; false at the end or on an error (rc() tells which).
    bool next() {
        if (!stmt_) return false;
        rc_ = sqlite3_step(stmt_);
        return rc_ == SQLITE_ROW;
    }
    // Runs a statement that returns no rows and makes it ready for the next bindings.
    bool run() {
        if (!stmt_) return false;
        rc_ = sqlite3_step(stmt_);
        sqlite3_reset(stmt_);
        return rc_ == SQLITE_DONE;
    }
    bool failed() const { return rc_ != SQLITE_OK && rc_ != SQLITE_ROW && rc_ != SQLITE_DONE; }
    int rc() const { return rc_; }
    QString textAt(int c) const {
        const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(stmt_, c));
        return p ? QString::fromUtf8(p, sqlite3_column_bytes(stmt_, c)) : QString();
    }
    qint64 intAt(int c) const { return sqlite3_column_int64(stmt_, c); }

  private:
    sqlite3_stmt *stmt_ = nullptr;
    int rc_ = SQLITE_OK;
};

// The first version of the record: rounds and their misses, one child, no review.
const char *const kSchemaV1 = R"(
CREATE TABLE rounds(id INTEGER PRIMARY KEY, started TEXT NOT NULL, screen TEXT NOT NULL,
  area INTEGER NOT NULL, mode TEXT NOT NULL, seconds INTEGER NOT NULL, right INTEGER NOT NULL,
  wrong INTEGER NOT NULL);
CREATE TABLE misses(round INTEGER NOT NULL, list TEXT NOT NULL, item TEXT NOT NULL, given TEXT NOT NULL);
CREATE TABLE settings(key TEXT PRIMARY KEY, value TEXT NOT NULL);
PRAGMA user_version = 1;
)";

// Version 2: children, the day of each round for the charts, and one row per missed item that
// keeps how often it was missed and where it stands on its review list. The misses of version 1
// are counted into it, all of them on review, all the first child's.
const char *const kMigrateTo2 = R"(
CREATE TABLE children(id INTEGER PRIMARY KEY, name TEXT NOT NULL DEFAULT '');
INSERT INTO children(id, name) VALUES (1, '');
ALTER TABLE rounds ADD COLUMN child INTEGER NOT NULL DEFAULT 1;
ALTER TABLE rounds ADD COLUMN day TEXT NOT NULL DEFAULT '';
UPDATE rounds SET day = substr(started, 1, 10);
CREATE INDEX rounds_by_day ON rounds(child, day);
CREATE TABLE items(child INTEGER NOT NULL, list TEXT NOT NULL, item TEXT NOT NULL,
  misses INTEGER NOT NULL, last_miss TEXT NOT NULL, hit_day TEXT, review INTEGER NOT NULL,
  PRIMARY KEY(child, list, item)) WITHOUT ROWID;
INSERT INTO items(child, list, item, misses, last_miss, hit_day, review)
  SELECT 1, m.list, m.item, count(*), max(r.started), NULL, 1
  FROM misses m JOIN rounds r ON r.id = m.round GROUP BY m.list, m.item;
CREATE INDEX items_by_misses ON items(child, misses);
PRAGMA user_version = 2;
)";

const QString kDayFormat = QStringLiteral("yyyy-MM-dd");
const QString kTimeFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

QString childKey() {
    return QStringLiteral("child");
}

} // namespace

QString areaName(Area area) {
    switch (area) {
    case Area::Arithmetic:
        return QStringLiteral("算术");
    case Area::Pinyin:
        return QStringLiteral("拼音");
    case Area::Hanzi:
        return QStringLiteral("汉字词语");
    case Area::Poems:
        return QStringLiteral("唐诗");
    case Area::English:
        return QStringLiteral("英语");
    case Area::Geometry:
        return QStringLiteral("几何");
    }
    return {};
}

QString csvField(const QString &text) {
    static const QString special = QStringLiteral(",\"\r\n");
    bool quote = false;
    for (QChar c : text)
        quote = quote || special.contains(c);
    if (!quote) return text;
    QString q = text;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

LearningRecord::LearningRecord(QString folder, Clock clock)
    : folder_(std::move(folder)), path_(QDir(folder_).filePath(fileName())), clock_(std::move(clock)) {}

LearningRecord::~LearningRecord() {
    close();
}

void LearningRecord::close() {
    // Once more for the rounds that waited: a lock may have gone by now.
    if (!pending_.isEmpty()) addRound({});
    if (db_) {
        sqlite3_close(db_);
        db_ = nullptr;
    }
}

void LearningRecord::setNotice(Problem p, const QString &text) const {
    problem_ = p;
    if (text == notice_) return;
    notice_ = text;
    if (!text.isEmpty())
        std::fprintf(stderr, "Lumibo: %s (%s)\n", text.toUtf8().constData(),
                     QFile::encodeName(path_).constData());
}

LearningRecord::Problem LearningRecord::failed(int rc, const QString &what) const {
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        setNotice(Problem::Locked,
                  QStringLiteral("学习记录正被另一个程序使用，新的成绩先留在内存里，稍后再写入。"));
        return Problem::Locked;
    case SQLITE_FULL:
        setNotice(Problem::Full, QStringLiteral("磁盘已满，学习记录暂时写不进去。"));
        return Problem::Full;
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        setNotice(Problem::Unwritable, QStringLiteral("学习记录的文件夹不能写入（%1），成绩没有保存。")
                                           .arg(QDir::toNativeSeparators(folder_)));
        return Problem::Unwritable;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        moveAside();
        return Problem::Damaged;
    default:
        setNotice(Problem::Other,
                  QStringLiteral("学习记录无法%1：%2。").arg(what, QString::fromUtf8(sqlite3_errstr(rc))));
        return Problem::Other;
    }
}

void LearningRecord::moveAside() const {
    if (db_) {
        sqlite3_close(db_);
        db_ = nullptr;
    }
    currentChild_ = 0;
    const QString stamp = now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = path_ + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = path_ + QStringLiteral(".damaged-%1-%2").arg(stamp).arg(n);
    if (!QFile::rename(path_, aside)) {
        setNotice(Problem::Other, QStringLiteral("学习记录已损坏，也无法改名保存（%1），成绩没有保存。")
                                      .arg(QDir::toNativeSeparators(path_)));
        return;
    }
    // Its journal files go with it: they belong to that file and nothing else.
    for (const char *suffix : {"-wal", "-shm"})
        if (QFileInfo::exists(path_ + QLatin1String(suffix)))
            QFile::rename(path_ + QLatin1String(suffix), aside + QLatin1String(suffix));
    setNotice(Problem::Damaged, QStringLiteral("学习记录已损坏，旧文件改名为 %1 保存，新的记录从现在开始。")
                                    .arg(QFileInfo(aside).fileName()));
}

bool LearningRecord::exec(const char *sql) const {
    if (!db_) return false;
    return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool LearningRecord::open(bool create) const {
    if (db_) return true;
    // A newer program's record is left as it is.
    if (problem_ == Problem::Newer) return false;
    const bool exists = QFileInfo::exists(path_);
    if (!exists && !create) return false;
    if (!exists && !QDir().mkpath(folder_)) {
        failed(SQLITE_CANTOPEN, QString());
        return false;
    }
    int rc = sqlite3_open_v2(QFile::encodeName(path_).constData(), &db_,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close(db_);
        db_ = nullptr;
        failed(rc, QStringLiteral("打开"));
        return false;
    }
    // A game waits for another program's write no longer than this.
    sqlite3_busy_timeout(db_, 20);
    if (!prepareSchema()) {
        if (db_) {
            sqlite3_close(db_);
            db_ = nullptr;
        }
        return false;
    }
    // WAL: a write appends, readers are never in the way; NORMAL waits for the disk only at
    // checkpoints, which keeps a round's commit well under a millisecond.
    exec("PRAGMA journal_mode = WAL");
    exec("PRAGMA synchronous = NORMAL");
    return true;
}

bool LearningRecord::prepareSchema() const {
    int version = 0;
    int tables = 0;
    {
        Statement v(db_, "PRAGMA user_version");
        if (v.next()) version = int(v.intAt(0));
        if (v.failed()) return failed(v.rc(), QStringLiteral("读取")), false;
        Statement t(db_, "SELECT count(*) FROM sqlite_master");
        if (t.next()) tables = int(t.intAt(0));
        if (t.failed()) return failed(t.rc(), QStringLiteral("读取")), false;
    }
    if (version == kSchemaVersion) return true;
    if (version > kSchemaVersion) {
        setNotice(Problem::Newer, QStringLiteral("学习记录是新版本的 Lumibo 写的，这个版本不改动它。"));
        return false;
    }
    if (version == 0 && tables > 0) {
        // Not a record of ours: set it aside rather than write into it.
        failed(SQLITE_NOTADB, QString());
        return false;
    }
    return migrate(version);
}

bool LearningRecord::migrate(int from) const {
    // The whole way up is one transaction: a failed step leaves the file as it was.
    int rc = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK && from < 1) rc = sqlite3_exec(db_, kSchemaV1, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK && from < 2) rc = sqlite3_exec(db_, kMigrateTo2, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) return true;
    exec("ROLLBACK");
    failed(rc, QStringLiteral("更新"));
    return false;
}

void LearningRecord::addRound(const Round &round) {
    const bool empty = round.seconds <= 0 && round.right == 0 && round.wrong == 0 && round.misses.isEmpty();
    if (!empty) {
        Round r = round;
        if (!r.started.isValid()) r.started = now().addSecs(-r.seconds);
        pending_ << r;
        lastRoundAt_ = now();
        while (pending_.size() > kMaxPending)
            pending_.removeFirst();
    }
    bool retried = false;
    while (!pending_.isEmpty()) {
        if (writeRound(pending_.first())) {
            pending_.removeFirst();
            // A passing problem is over once a round lands; a file set aside stays said.
            if (problem_ != Problem::Damaged && problem_ != Problem::None)
                setNotice(Problem::None, QString());
            continue;
        }
        // A damaged file is set aside by now: the round goes into a fresh one, once.
        if (problem_ != Problem::Damaged || retried) break;
        retried = true;
    }
}

bool LearningRecord::writeRound(const Round &round) {
    if (!open(true)) return false;
    const int child = currentChild().id;
    const QString day = round.started.date().toString(kDayFormat);
    const QString started = round.started.toString(kTimeFormat);
    int rc = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    auto fail = [&](int code) {
        exec("ROLLBACK");
        failed(code, QStringLiteral("写入"));
        return false;
    };
    if (rc != SQLITE_OK) return fail(rc);
    {
        Statement insert(db_,
                         "INSERT INTO rounds(child, day, started, screen, area, mode, seconds, right, wrong) "
                         "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
        insert.integer(1, child)
            .text(2, day)
            .text(3, started)
            .text(4, round.screen)
            .integer(5, int(round.area))
            .text(6, round.mode)
            .integer(7, round.seconds)
            .integer(8, round.right)
            .integer(9, round.wrong);
        if (!insert.run()) return fail(insert.rc());
        const qint64 id = sqlite3_last_insert_rowid(db_);

        Statement miss(db_, "INSERT INTO misses(round, list, item, given) VALUES (?, ?, ?, ?)");
        Statement onReview(db_,
                           "INSERT INTO items(child, list, item, misses, last_miss, hit_day, review) "
                           "VALUES (?, ?, ?, 1, ?, NULL, 1) ON CONFLICT(child, list, item) DO UPDATE SET "
                           "misses = misses + 1, last_miss = excluded.last_miss, hit_day = NULL, review = 1");
        for (const Answer &a : round.misses) {
            miss.integer(1, id).text(2, a.list).text(3, a.item).text(4, a.given);
            if (!miss.run()) return fail(miss.rc());
            onReview.integer(1, child).text(2, a.list).text(3, a.item).text(4, started);
            if (!onReview.run()) return fail(onReview.rc());
        }
        // A right answer counts for an item on review: the first day is kept, a second day
        // takes it off the list. Other right answers leave nothing behind.
        Statement hit(db_, "UPDATE items SET hit_day = coalesce(hit_day, ?1), "
                           "review = CASE WHEN hit_day IS NOT NULL AND hit_day <> ?1 THEN 0 ELSE 1 END "
                           "WHERE child = ?2 AND list = ?3 AND item = ?4 AND review = 1");
        for (const Answer &a : round.hits) {
            hit.text(1, day).integer(2, child).text(3, a.list).text(4, a.item);
            if (!hit.run()) return fail(hit.rc());
        }
    }
    rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) return fail(rc);
    return true;
}

QStringList LearningRecord::reviewItems(const QString &list) const {
    QStringList items;
    if (!reviewOffered() || !open(false)) return items;
    Statement q(db_, "SELECT item FROM items WHERE child = ? AND list = ? AND review = 1 "
                     "ORDER BY last_miss DESC, misses DESC");
    q.integer(1, currentChild().id).text(2, list);
    while (q.next())
        items << q.textAt(0);
    if (q.failed()) failed(q.rc(), QStringLiteral("读取"));
    return items;
}

// --- Children

QList<Child> LearningRecord::children() const {
    QList<Child> list;
    if (open(false)) {
        Statement q(db_, "SELECT id, name FROM children ORDER BY id");
        while (q.next())
            list << Child{int(q.intAt(0)), q.textAt(1)};
        if (q.failed()) failed(q.rc(), QStringLiteral("读取"));
    }
    if (list.isEmpty()) list << Child{1, QString()};
    return list;
}

bool LearningRecord::hasNamedChild() const {
    for (const Child &c : children())
        if (!c.name.isEmpty()) return true;
    return false;
}

Child LearningRecord::currentChild() const {
    const QList<Child> all = children();
    if (currentChild_ == 0) currentChild_ = setting(childKey()).toInt();
    for (const Child &c : all)
        if (c.id == currentChild_) return c;
    currentChild_ = all.first().id;
    return all.first();
}

void LearningRecord::setCurrentChild(int id) {
    for (const Child &c : children())
        if (c.id == id) {
            currentChild_ = id;
            setSetting(childKey(), QString::number(id));
        }
}

bool LearningRecord::addChild(const QString &name) {
    const QString n = name.trimmed();
    const QList<Child> all = children();
    if (n.isEmpty()) return lastError_ = QStringLiteral("请输入名字。"), false;
    for (const Child &c : all)
        if (c.name == n) return lastError_ = QStringLiteral("已经有叫“%1”的孩子了。").arg(n), false;
    // The first name names the child the record started with, whose rounds stay theirs.
    if (all.size() == 1 && all.first().name.isEmpty()) return renameChild(all.first().id, n);
    if (all.size() >= kMaxChildren) return lastError_ = QStringLiteral("最多只能记四个孩子。"), false;
    if (!open(true)) return lastError_ = notice_, false;
    Statement q(db_, "INSERT INTO children(name) VALUES (?)");
    q.text(1, n);
    if (!q.run()) return failed(q.rc(), QStringLiteral("写入")), lastError_ = notice_, false;
    return true;
}

bool LearningRecord::renameChild(int id, const QString &name) {
    const QString n = name.trimmed();
    if (n.isEmpty()) return lastError_ = QStringLiteral("请输入名字。"), false;
    for (const Child &c : children())
        if (c.name == n && c.id != id)
            return lastError_ = QStringLiteral("已经有叫“%1”的孩子了。").arg(n), false;
    if (!open(true)) return lastError_ = notice_, false;
    Statement q(db_, "INSERT INTO children(id, name) VALUES (?, ?) "
                     "ON CONFLICT(id) DO UPDATE SET name = excluded.name");
    q.integer(1, id).text(2, n);
    if (!q.run()) return failed(q.rc(), QStringLiteral("写入")), lastError_ = notice_, false;
    return true;
}

bool LearningRecord::removeChild(int id) {
    if (!open(false)) return true; // nothing was ever kept
    if (!clear(id)) return lastError_ = notice_, false;
    const bool last = children().size() == 1;
    Statement q(db_,
                last ? "UPDATE children SET name = '' WHERE id = ?" : "DELETE FROM children WHERE id = ?");
    q.integer(1, id);
    if (!q.run()) return failed(q.rc(), QStringLiteral("写入")), lastError_ = notice_, false;
    if (currentChild_ == id) {
        currentChild_ = 0;
        setSetting(childKey(), QString());
    }
    return true;
}

// --- Settings

QString LearningRecord::setting(const QString &key) const {
    if (!open(false)) return {};
    Statement q(db_, "SELECT value FROM settings WHERE key = ?");
    q.text(1, key);
    return q.next() ? q.textAt(0) : QString();
}

bool LearningRecord::setSetting(const QString &key, const QString &value) {
    if (!open(true)) return lastError_ = notice_, false;
    Statement q(db_, "INSERT INTO settings(key, value) VALUES (?, ?) "
                     "ON CONFLICT(key) DO UPDATE SET value = excluded.value");
    q.text(1, key).text(2, value);
    if (!q.run()) return failed(q.rc(), QStringLiteral("写入")), lastError_ = notice_, false;
    return true;
}

int LearningRecord::dailyLimitMinutes() const {
    const int m = setting(QStringLiteral("limit")).toInt();
    return std::find(kLimits.begin(), kLimits.end(), m) != kLimits.end() ? m : 0;
}

bool LearningRecord::setDailyLimitMinutes(int minutes) {
    if (std::find(kLimits.begin(), kLimits.end(), minutes) == kLimits.end())
        return lastError_ = QStringLiteral("没有 %1 分钟这一档。").arg(minutes), false;
    return setSetting(QStringLiteral("limit"), QString::number(minutes));
}

bool LearningRecord::reviewOffered() const {
    return setting(QStringLiteral("review")) == QLatin1String("1");
}

bool LearningRecord::setReviewOffered(bool on) {
    return setSetting(QStringLiteral("review"), on ? QStringLiteral("1") : QStringLiteral("0"));
}

bool LearningRecord::limitReached(int runningSeconds) const {
    const int limit = dailyLimitMinutes();
    const QDate today = now().date();
    if (limit == 0 || liftedOn_ == today) return false;
    return secondsOn(currentChild().id, today) + runningSeconds >= limit * 60;
}

// --- What the parent's page shows

std::map<QDate, AreaTotals> LearningRecord::totalsByDay(int child, QDate first, QDate last) const {
    std::map<QDate, AreaTotals> days;
    for (QDate d = first; d <= last; d = d.addDays(1))
        days[d] = AreaTotals{};
    if (!open(false)) return days;
    Statement q(db_, "SELECT day, area, sum(seconds), sum(right), sum(wrong) FROM rounds "
                     "WHERE child = ? AND day BETWEEN ? AND ? GROUP BY day, area");
    q.integer(1, child).text(2, first.toString(kDayFormat)).text(3, last.toString(kDayFormat));
    while (q.next()) {
        const QDate d = QDate::fromString(q.textAt(0), kDayFormat);
        const int area = int(q.intAt(1));
        if (!days.count(d) || area < 0 || area >= kAreaCount) continue;
        days[d][area] = Totals{int(q.intAt(2)), int(q.intAt(3)), int(q.intAt(4))};
    }
    if (q.failed()) failed(q.rc(), QStringLiteral("读取"));
    return days;
}

int LearningRecord::secondsOn(int child, QDate day) const {
    if (!open(false)) return 0;
    Statement q(db_, "SELECT total(seconds) FROM rounds WHERE child = ? AND day = ?");
    q.integer(1, child).text(2, day.toString(kDayFormat));
    return q.next() ? int(q.intAt(0)) : 0;
}

QList<MissCount> LearningRecord::mostMissed(int child, int count) const {
    QList<MissCount> list;
    if (!open(false)) return list;
    Statement q(db_, "SELECT list, item, misses FROM items WHERE child = ? "
                     "ORDER BY misses DESC, last_miss DESC LIMIT ?");
    q.integer(1, child).integer(2, count);
    while (q.next())
        list << MissCount{q.textAt(0), q.textAt(1), int(q.intAt(2))};
    if (q.failed()) failed(q.rc(), QStringLiteral("读取"));
    return list;
}

QByteArray LearningRecord::csv(int child) const {
    const QStringList header = {QStringLiteral("孩子"),     QStringLiteral("日期"), QStringLiteral("时间"),
                                QStringLiteral("科目"),     QStringLiteral("练习"), QStringLiteral("内容"),
                                QStringLiteral("用时(秒)"), QStringLiteral("答对"), QStringLiteral("答错"),
                                QStringLiteral("错题")};
    QString out = header.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    if (open(false)) {
        QString name;
        for (const Child &c : children())
            if (c.id == child) name = c.name.isEmpty() ? QStringLiteral("孩子") : c.name;
        // Each round's misses, "item→given", in the order they were made.
        std::map<qint64, QStringList> missed;
        Statement m(db_, "SELECT m.round, m.item, m.given FROM misses m JOIN rounds r ON r.id = m.round "
                         "WHERE r.child = ? ORDER BY m.round, m.rowid");
        m.integer(1, child);
        while (m.next())
            missed[m.intAt(0)] << m.textAt(1) + QStringLiteral("→") + m.textAt(2);
        Statement q(db_, "SELECT id, started, area, screen, mode, seconds, right, wrong FROM rounds "
                         "WHERE child = ? ORDER BY started, id");
        q.integer(1, child);
        while (q.next()) {
            const QDateTime at = QDateTime::fromString(q.textAt(1), kTimeFormat);
            const int area = int(q.intAt(2));
            const QStringList row = {name,
                                     at.date().toString(kDayFormat),
                                     at.time().toString(QStringLiteral("HH:mm")),
                                     area >= 0 && area < kAreaCount ? areaName(Area(area)) : QString(),
                                     q.textAt(3),
                                     q.textAt(4),
                                     QString::number(q.intAt(5)),
                                     QString::number(q.intAt(6)),
                                     QString::number(q.intAt(7)),
                                     missed[q.intAt(0)].join(QStringLiteral("; "))};
            QStringList fields;
            for (const QString &f : row)
                fields << csvField(f);
            out += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
        }
    }
    return QByteArray("\xEF\xBB\xBF") + out.toUtf8();
}

bool LearningRecord::clear(int child) {
    if (!open(false)) return true;
    int rc = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) {
        const char *steps[] = {"DELETE FROM misses WHERE round IN (SELECT id FROM rounds WHERE child = ?)",
                               "DELETE FROM rounds WHERE child = ?", "DELETE FROM items WHERE child = ?"};
        for (const char *sql : steps) {
            Statement s(db_, sql);
            s.integer(1, child);
            if (!s.run()) {
                rc = s.rc();
                break;
            }
        }
    }
    if (rc == SQLITE_OK) rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) return true;
    exec("ROLLBACK");
    failed(rc, QStringLiteral("清除"));
    return false;
}

} // namespace services
