#include "services/ContentStore.h"

#include "services/ContentLocation.h"
#include "services/ContentSchema.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

namespace services {

namespace {

struct Statement {
    sqlite3_stmt *stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

} // namespace

ContentStore::ContentStore(QString path, QString ownCopy)
    : shipped_(std::move(path)), ownCopy_(std::move(ownCopy)), path_(shipped_) {}

ContentStore::~ContentStore() {
    close();
}

void ContentStore::fail(State s, const QString &message) {
    state_ = s;
    problem_ = message;
    std::fprintf(stderr, "Lumibo: %s (%s)\n", message.toUtf8().constData(),
                 QFile::encodeName(path_).constData());
    if (db_) {
        sqlite3_close(db_);
        db_ = nullptr;
    }
    for (auto &c : cursors_)
        c.reset();
    for (QString &p : tableProblems_)
        p.clear();
}

bool ContentStore::ensureOpen() {
    if (state_ == State::Open) return true;
    // A failed open is tried again on the next access: the file may have been put in place.
    if (!ownCopy_.isEmpty() && QFileInfo::exists(ownCopy_)) {
        if (openFile(ownCopy_, false)) return true;
        // Only a copy that cannot serve is set aside; one in use by another program is waited for.
        if (state_ != State::NotADatabase && state_ != State::Unreadable) return false;
        setAsideDamagedCopy();
    }
    return openFile(shipped_, !ownCopy_.isEmpty());
}

bool ContentStore::openFile(const QString &path, bool shippedForCopy) {
    path_ = path;
    copyPending_ = false;
    const QFileInfo info(path_);
    if (!info.exists()) {
        fail(State::Missing, QStringLiteral("找不到内容库 study.dat"));
        return false;
    }
    if (info.isFile() && info.size() == 0) {
        fail(State::NotADatabase, QStringLiteral("study.dat 不是 Lumibo 的内容库"));
        return false;
    }
    if (!info.isFile() || !info.isReadable()) {
        fail(State::Unreadable, QStringLiteral("内容库 study.dat 无法读取"));
        return false;
    }
    // A file marked read-only is honoured even for a user (root) whom the system would let write.
    // The shipped file of a store with a copy rule is only read, whoever may write it; changes
    // then go to the copy, so they are not refused.
    readOnly_ = !shippedForCopy && isReadOnlyFile(path_);
    // Never SQLITE_OPEN_CREATE: a missing file must stay missing.
    const int flags = readOnly_ || shippedForCopy ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (sqlite3_open_v2(QFile::encodeName(path_).constData(), &db_, flags, nullptr) != SQLITE_OK) {
        fail(State::Unreadable, QStringLiteral("内容库 study.dat 无法打开"));
        return false;
    }
    // Reading the tables waits for nobody: a file another program holds locked is said to be
    // in use at once, and the next access simply tries again. Writes wait a while.
    sqlite3_busy_timeout(db_, 0);
    const auto &tables = contentTables();
    QStringList lacking;
    for (int i = 0; i < kTableCount; ++i) {
        std::vector<qint64> rowIds;
        std::vector<QStringList> records;
        QStringList columns;
        int err = SQLITE_OK;
        tableProblems_[i].clear();
        if (!load(i, rowIds, records, columns, err)) {
            if (err == SQLITE_NOTADB) {
                fail(State::NotADatabase, QStringLiteral("study.dat 不是 Lumibo 的内容库"));
                return false;
            }
            if (err == SQLITE_BUSY || err == SQLITE_LOCKED) {
                fail(State::Locked, QStringLiteral("内容库 study.dat 正被其他程序使用，请稍后再试"));
                return false;
            }
            if (err != SQLITE_ERROR) {
                fail(State::Unreadable, QStringLiteral("内容库 study.dat 已损坏，无法读取"));
                return false;
            }
            // A table that is absent, or whose definition SQLite rejects, costs only its own screens.
            tableProblems_[i] = QStringLiteral("内容库 study.dat 不完整：缺少表“%1”").arg(tables[i].name);
            lacking << tableProblems_[i];
            continue;
        }
        cursors_[i] = std::make_unique<TableCursor>(this, tables[i].name, columns, std::move(rowIds),
                                                    std::move(records));
    }
    if (lacking.size() == kTableCount) {
        // Not one of our tables: some other program's database.
        fail(State::NotADatabase, QStringLiteral("study.dat 不是 Lumibo 的内容库"));
        return false;
    }
    sqlite3_busy_timeout(db_, busyTimeoutMs_);
    for (const QString &why : lacking)
        std::fprintf(stderr, "Lumibo: %s (%s)\n", why.toUtf8().constData(),
                     QFile::encodeName(path_).constData());
    state_ = State::Open;
    problem_.clear();
    copyPending_ = shippedForCopy;
    return true;
}

void ContentStore::setAsideDamagedCopy() {
    // study.dat.<date-time>.damaged, with the copy's journal beside it: a journal left at the
    // copy's name would be played into the next copy made there.
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = QStringLiteral("%1.%2.damaged").arg(ownCopy_, stamp);
    for (int n = 1; QFileInfo::exists(aside); ++n)
        aside = QStringLiteral("%1.%2-%3.damaged").arg(ownCopy_, stamp).arg(n);
    const QString journal = ownCopy_ + QStringLiteral("-journal");
    if (QFile::rename(ownCopy_, aside)) {
        if (QFileInfo::exists(journal)) QFile::rename(journal, aside + QStringLiteral("-journal"));
        notice_ = QStringLiteral("你自己的内容库 %1 已损坏，已改名为 %2 保存；现在读取原始内容库")
                      .arg(ownCopy_, QFileInfo(aside).fileName());
    } else {
        notice_ = QStringLiteral("你自己的内容库 %1 已损坏，现在读取原始内容库").arg(ownCopy_);
    }
    std::fprintf(stderr, "Lumibo: %s\n", notice_.toUtf8().constData());
}

bool ContentStore::makeOwnCopy() {
    const QFileInfo copy(ownCopy_);
    // Whatever lies at the copy's place is the user's: it is never overwritten.
    if (copy.exists() || copy.isSymLink() || QFileInfo::exists(ownCopy_ + QStringLiteral("-journal"))) {
        lastError_ = QStringLiteral("%1 已经存在，不能覆盖它").arg(ownCopy_);
        return false;
    }
    if (!QDir().mkpath(copy.absolutePath())) {
        lastError_ = QStringLiteral("无法建立文件夹 %1").arg(copy.absolutePath());
        return false;
    }
    const QString tmp = ownCopy_ + QStringLiteral(".tmp");
    QFile::remove(tmp);
    // Copied under a temporary name first, so a failed copy never leaves half a file in its place;
    // the copy is the user's to change, whatever the shipped file's permissions.
    const auto mode =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (!QFile::copy(shipped_, tmp) || !QFile::setPermissions(tmp, mode) || !QFile::rename(tmp, ownCopy_)) {
        QFile::remove(tmp);
        lastError_ = QStringLiteral("无法把内容库复制到 %1").arg(ownCopy_);
        return false;
    }
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(ownCopy_).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        lastError_ = QStringLiteral("无法打开复制的内容库 %1").arg(ownCopy_);
        return false;
    }
    // The copy holds the very records the cursors show, under the same row ids: they go on as they are.
    sqlite3_close(db_);
    db_ = db;
    sqlite3_busy_timeout(db_, busyTimeoutMs_);
    path_ = ownCopy_;
    copyPending_ = false;
    readOnly_ = false;
    std::fprintf(stderr, "Lumibo: the content is changed in the user's own copy %s\n",
                 QFile::encodeName(ownCopy_).constData());
    return true;
}

QString ContentStore::problemFor(int slot) {
    if (slot < 1 || slot > kTableCount) return QStringLiteral("内容库 study.dat 里没有第%1个表").arg(slot);
    if (!ensureOpen()) return problem_;
    return tableProblems_[static_cast<std::size_t>(slot - 1)];
}

QString ContentStore::problemFor(const QString &tableName) {
    const int slot = slotOf(tableName);
    if (slot == 0) return QStringLiteral("内容库 study.dat 里没有表“%1”").arg(tableName);
    return problemFor(slot);
}

QString ContentStore::contentProblemFor(int slot) {
    const QString why = problemFor(slot);
    if (!why.isEmpty()) return why;
    const TableCursor *cursor = Data(slot);
    return cursor && cursor->holdsText() ? QString()
                                         : noContentText(contentTables()[std::size_t(slot - 1)].name);
}

QString ContentStore::noContentText(const QString &tableName) {
    return QStringLiteral("“%1”里还没有内容").arg(tableName);
}

void ContentStore::setBusyTimeout(int ms) {
    busyTimeoutMs_ = ms;
    if (db_) sqlite3_busy_timeout(db_, ms);
}

bool ContentStore::load(int index, std::vector<qint64> &rowIds, std::vector<QStringList> &records,
                        QStringList &columns, int &sqliteError) {
    const QString sql = QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid")
                            .arg(quotedIdentifier(contentTables()[index].name));
    Statement st;
    const QByteArray utf8 = sql.toUtf8();
    sqliteError = sqlite3_prepare_v2(db_, utf8.constData(), -1, &st.stmt, nullptr);
    if (sqliteError != SQLITE_OK) return false;
    const int n = sqlite3_column_count(st.stmt);
    for (int c = 1; c < n; ++c)
        columns << QString::fromUtf8(sqlite3_column_name(st.stmt, c));
    int rc;
    while ((rc = sqlite3_step(st.stmt)) == SQLITE_ROW) {
        rowIds.push_back(sqlite3_column_int64(st.stmt, 0));
        QStringList fields;
        fields.reserve(n - 1);
        for (int c = 1; c < n; ++c) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(st.stmt, c));
            fields << (text ? QString::fromUtf8(text, sqlite3_column_bytes(st.stmt, c)) : QString());
        }
        records.push_back(std::move(fields));
    }
    sqliteError = rc == SQLITE_DONE ? SQLITE_OK : rc;
    return rc == SQLITE_DONE;
}

void ContentStore::close() {
    if (inTransaction_) rollback();
    for (auto &c : cursors_)
        c.reset();
    for (QString &p : tableProblems_)
        p.clear();
    if (db_) {
        sqlite3_close(db_);
        db_ = nullptr;
    }
    state_ = State::NotOpen;
    copyPending_ = false;
}

TableCursor *ContentStore::Data(int slot) {
    if (slot < 1 || slot > kTableCount || !ensureOpen()) return nullptr;
    return cursors_[static_cast<std::size_t>(slot - 1)].get();
}

TableCursor *ContentStore::table(const QString &name) {
    return Data(slotOf(name));
}

bool ContentStore::refuseIfReadOnly() {
    if (!readOnly_) return false;
    lastError_ = QStringLiteral("内容库 study.dat 是只读文件，不能修改");
    return true;
}

bool ContentStore::exec(const char *sql) {
    char *message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        lastError_ = QStringLiteral("内容库写入失败：%1").arg(QString::fromUtf8(message ? message : "?"));
        sqlite3_free(message);
        return false;
    }
    return true;
}

bool ContentStore::updateRow(const QString &table, qint64 rowId, const QStringList &columns,
                             const QStringList &values) {
    if (refuseIfReadOnly() || !db_) return false;
    QStringList sets;
    for (const QString &c : columns)
        sets << quotedIdentifier(c) + QStringLiteral(" = ?");
    const QByteArray sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                               .arg(quotedIdentifier(table), sets.join(QStringLiteral(", ")))
                               .toUtf8();
    Statement st;
    if (sqlite3_prepare_v2(db_, sql.constData(), -1, &st.stmt, nullptr) != SQLITE_OK) {
        lastError_ = QStringLiteral("内容库写入失败：%1").arg(QString::fromUtf8(sqlite3_errmsg(db_)));
        return false;
    }
    std::vector<QByteArray> keep;
    for (int i = 0; i < columns.size(); ++i) {
        keep.push_back(values.value(i).toUtf8());
        sqlite3_bind_text(st.stmt, i + 1, keep.back().constData(), static_cast<int>(keep.back().size()),
                          SQLITE_TRANSIENT);
    }
    sqlite3_bind_int64(st.stmt, static_cast<int>(columns.size()) + 1, rowId);
    if (sqlite3_step(st.stmt) != SQLITE_DONE) {
        lastError_ = QStringLiteral("内容库写入失败：%1").arg(QString::fromUtf8(sqlite3_errmsg(db_)));
        return false;
    }
    return true;
}

bool ContentStore::deleteRow(const QString &table, qint64 rowId) {
    if (refuseIfReadOnly() || !db_) return false;
    const QByteArray sql =
        QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quotedIdentifier(table)).toUtf8();
    Statement st;
    if (sqlite3_prepare_v2(db_, sql.constData(), -1, &st.stmt, nullptr) != SQLITE_OK) {
        lastError_ = QStringLiteral("内容库写入失败：%1").arg(QString::fromUtf8(sqlite3_errmsg(db_)));
        return false;
    }
    sqlite3_bind_int64(st.stmt, 1, rowId);
    if (sqlite3_step(st.stmt) != SQLITE_DONE) {
        lastError_ = QStringLiteral("内容库写入失败：%1").arg(QString::fromUtf8(sqlite3_errmsg(db_)));
        return false;
    }
    return true;
}

bool ContentStore::begin() {
    if (!ensureOpen()) return false;
    if (inTransaction_) {
        // Joining would let one tool's commit or rollback end the other's work.
        lastError_ = QStringLiteral("内容库正在进行另一项修改，请等它结束后再试");
        return false;
    }
    if (refuseIfReadOnly() || (copyPending_ && !makeOwnCopy())) return false;
    lastError_.clear();
    inTransaction_ = exec("BEGIN IMMEDIATE");
    return inTransaction_;
}

bool ContentStore::commit() {
    if (!inTransaction_) {
        lastError_ = QStringLiteral("没有进行中的修改可以保存");
        return false;
    }
    if (exec("COMMIT")) {
        inTransaction_ = false;
        return true;
    }
    // lastError_ now holds SQLite's reason for the failed COMMIT; the rollback keeps it.
    rollback();
    return false;
}

void ContentStore::rollback() {
    if (!inTransaction_) return; // nothing of ours to end
    inTransaction_ = false;
    if (!db_) return;
    // After some failed COMMITs SQLite has already rolled back by itself.
    if (!sqlite3_get_autocommit(db_)) {
        const QString first = lastError_;
        if (!exec("ROLLBACK") && !first.isEmpty()) lastError_ = first;
    }
    reloadCursors();
}

void ContentStore::reloadCursors() {
    // The cursors go back to what the file holds.
    for (int i = 0; i < kTableCount; ++i) {
        if (!cursors_[i]) continue;
        std::vector<qint64> rowIds;
        std::vector<QStringList> records;
        QStringList columns;
        int err = SQLITE_OK;
        if (load(i, rowIds, records, columns, err))
            cursors_[i]->replaceSnapshot(std::move(rowIds), std::move(records));
    }
}

QString ContentStore::nextBackupName(const QString &kind) const {
    const QFileInfo info(path_);
    // Backups made in the same second are numbered on from the last one, so names sort by time.
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString prefix = QStringLiteral("%1.%2-").arg(info.fileName(), stamp);
    int next = 0;
    for (const QString &f : info.absoluteDir().entryList({prefix + QStringLiteral("*.bak")}, QDir::Files))
        next = std::max(next, f.mid(prefix.size(), 3).toInt() + 1);
    return prefix + QStringLiteral("%1%2.bak").arg(next, 3, 10, QLatin1Char('0')).arg(kind);
}

bool ContentStore::backupOnce() {
    if (backedUp_) return true;
    // What is backed up is the file the store reads, which only an opening tells.
    if (!ensureOpen()) {
        lastError_ = problem_;
        return false;
    }
    if (copyPending_) {
        // The shipped file is not changed: it is itself the content as it was.
        backedUp_ = true;
        lastBackup_.clear();
        return true;
    }
    // study.dat.<date-time>.bak; the first backup of a run is marked .start, so the file as it
    // was before any change of this run and of the run before it is always kept.
    const QString name = nextBackupName(startBackupMade_ ? QString() : QStringLiteral(".start"));
    const QString bak = QFileInfo(path_).absoluteDir().filePath(name);
    const QString tmp = bak + QStringLiteral(".tmp");
    QFile::remove(tmp);
    // Copy to a temporary name first, so a failed copy never leaves a half backup behind.
    if (!QFile::copy(path_, tmp) || !QFile::rename(tmp, bak)) {
        QFile::remove(tmp);
        lastError_ = QStringLiteral("无法备份内容库到 %1").arg(name);
        return false;
    }
    backedUp_ = true;
    startBackupMade_ = true;
    lastBackup_ = name;
    pruneBackups();
    return true;
}

bool ContentStore::restoreShipped() {
    if (!readsOwnCopy()) {
        lastError_ = QStringLiteral("没有你自己的内容库，读取的就是原始内容");
        return false;
    }
    if (inTransaction_) {
        lastError_ = QStringLiteral("内容库正在进行另一项修改，请等它结束后再试");
        return false;
    }
    const QString name = nextBackupName(QStringLiteral(".restore"));
    const QString bak = QFileInfo(path_).absoluteDir().filePath(name);
    close();
    // A rename keeps every byte of the copy: nothing of the user's is lost on the way back.
    if (!QFile::rename(ownCopy_, bak)) {
        lastError_ = QStringLiteral("无法把你自己的内容库改名为 %1").arg(name);
        ensureOpen();
        return false;
    }
    lastBackup_ = name;
    backedUp_ = false;
    notice_.clear();
    return ensureOpen();
}

void ContentStore::rewind() {
    for (auto &c : cursors_)
        if (c) c->MoveFirst();
}

void ContentStore::pruneBackups() {
    const QFileInfo info(path_);
    QDir dir = info.absoluteDir();
    // Names sort by time: newest last.
    // A copy given up for the shipped content (.restore.bak) is kept for good, and not counted.
    QStringList all = dir.entryList({info.fileName() + QStringLiteral(".*.bak")}, QDir::Files, QDir::Name);
    all.removeIf([](const QString &f) { return f.endsWith(QStringLiteral(".restore.bak")); });
    QStringList starts;
    for (const QString &f : all)
        if (f.endsWith(QStringLiteral(".start.bak"))) starts << f;
    for (int i = 0; i < all.size() - kBackupsKept; ++i) {
        const QString &f = all[i];
        const qsizetype start = starts.indexOf(f);
        if (start >= 0 && start >= starts.size() - 2) continue; // this run's start, and the run before
        dir.remove(f);
    }
}

} // namespace services
