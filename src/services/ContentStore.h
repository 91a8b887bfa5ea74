#pragma once

#include "services/TableCursor.h"

#include <QString>
#include <array>
#include <memory>

struct sqlite3;

namespace services {

// study.dat: the thirty content tables, one shared cursor each (slots Data1 .. Data30).
// It opens on the first access by any screen and stays open until close(); the next access
// opens it again with every cursor on its first record. The file is never created,
// overwritten or repaired: a missing or foreign file leaves the store unusable with a
// message the screens can show, and the rest of the program works on. A file that lacks
// some tables (or holds one that cannot be read) still serves all the others; only the
// screens of a missing table find no cursor, and problemFor() says why.
class ContentStore {
  public:
    enum class State { NotOpen, Open, Missing, Unreadable, NotADatabase, Locked };

    explicit ContentStore(QString path);
    ~ContentStore();
    ContentStore(const ContentStore &) = delete;
    ContentStore &operator=(const ContentStore &) = delete;

    // The cursor of slot 1..30 (opening the store if needed); null when the store is unusable
    // or the file lacks that table.
    TableCursor *Data(int slot);
    TableCursor *table(const QString &name);

    bool ensureOpen();
    void close();
    bool isOpen() const { return state_ == State::Open; }
    State state() const { return state_; }
    // Why the whole file cannot serve, in the child's language ("找不到内容库 study.dat").
    QString problem() const { return problem_; }
    // What a screen shows when Data(slot) gave it no cursor: the whole file's problem, or that
    // table's own; empty when the table serves. Opens the store if needed, as Data() does.
    QString problemFor(int slot);
    QString problemFor(const QString &tableName);
    // What a screen shows when a table gives it nothing to show: problemFor(slot), or for a table
    // without text (no records, or only empty and NULL fields) noContentText; empty when the
    // table has something to show.
    QString contentProblemFor(int slot);
    // "“成语”里还没有内容": one wording for every screen whose table holds nothing.
    static QString noContentText(const QString &tableName);
    bool readOnly() const { return readOnly_; }
    const QString &path() const { return path_; }

    // The reason the last change was refused.
    QString lastError() const { return lastError_; }

    // A maintenance tool's changes form one transaction: all of them land, or none. Only one
    // transaction is open at a time: begin() while one is open is refused (false, lastError()),
    // so nobody's work is joined to another's. A failed commit() rolls back and keeps SQLite's
    // own reason in lastError(); rollback() without an open transaction does nothing.
    bool begin();
    bool commit();
    void rollback();
    bool inTransaction() const { return inTransaction_; }
    // How long a write waits for another program's lock before it fails (2 s unless set).
    void setBusyTimeout(int ms);
    // Copies study.dat beside it to study.dat.<date-time>.bak, once per visit of the maintenance
    // screen. The newest ten backups are kept, and always the first backup of this run and of
    // the run before, so the file as it was before either run's changes can be had back.
    bool backupOnce();
    // The file name of the last backup made.
    QString lastBackup() const { return lastBackup_; }
    static constexpr int kBackupsKept = 10;
    void resetBackup() { backedUp_ = false; }

  private:
    friend class TableCursor;
    bool updateRow(const QString &table, qint64 rowId, const QStringList &columns, const QStringList &values);
    bool deleteRow(const QString &table, qint64 rowId);
    bool exec(const char *sql);
    bool load(int index, std::vector<qint64> &rowIds, std::vector<QStringList> &records, QStringList &columns,
              int &sqliteError);
    bool refuseIfReadOnly();
    void fail(State s, const QString &message);
    void pruneBackups();
    void reloadCursors();

    QString path_;
    sqlite3 *db_ = nullptr;
    State state_ = State::NotOpen;
    QString problem_;
    QString lastError_;
    bool readOnly_ = false;
    bool inTransaction_ = false;
    bool backedUp_ = false;
    bool startBackupMade_ = false;
    QString lastBackup_;
    int busyTimeoutMs_ = 2000;
    std::array<std::unique_ptr<TableCursor>, 30> cursors_;
    std::array<QString, 30> tableProblems_; // why a table has no cursor, while the file serves
};

} // namespace services
