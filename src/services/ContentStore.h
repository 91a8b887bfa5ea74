#pragma once

#include "services/ContentLocation.h"
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
//
// Given a place for the user's own copy (services/ContentLocation.h says when), the shipped
// file is only ever read: the first change copies it there and changes the copy, and while the
// copy exists it is the file read. A copy that cannot be read is renamed aside (never deleted),
// notice() says so, and the shipped file is read until the next change makes a new copy.
class ContentStore {
  public:
    enum class State { NotOpen, Open, Missing, Unreadable, NotADatabase, Locked };

    explicit ContentStore(QString path, QString ownCopy = {});
    explicit ContentStore(const ContentFiles &files) : ContentStore(files.shipped, files.ownCopy) {}
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
    // The file read now: the shipped file, or the user's copy.
    const QString &path() const { return path_; }
    const QString &shippedPath() const { return shipped_; }
    // Where the user's copy is or will be; empty when changes go into the shipped file.
    const QString &ownCopyPath() const { return ownCopy_; }
    // Open on the user's copy.
    bool readsOwnCopy() const { return isOpen() && !ownCopy_.isEmpty() && path_ == ownCopy_; }
    // Open on the shipped file, which the next change copies first.
    bool copyPending() const { return copyPending_; }
    // What the last opening had to do besides (a damaged copy renamed aside); empty otherwise.
    QString notice() const { return notice_; }

    // The reason the last change was refused.
    QString lastError() const { return lastError_; }

    // A maintenance tool's changes form one transaction: all of them land, or none. Only one
    // transaction is open at a time: begin() while one is open is refused (false, lastError()),
    // so nobody's work is joined to another's. A failed commit() rolls back and keeps SQLite's
    // own reason in lastError(); rollback() without an open transaction does nothing.
    // The first begin() on the shipped file of a store with a copy rule makes the user's copy
    // and goes on there; the cursors stay as they are, since the copy holds the same records.
    bool begin();
    bool commit();
    void rollback();
    bool inTransaction() const { return inTransaction_; }
    // How long a write waits for another program's lock before it fails (2 s unless set).
    void setBusyTimeout(int ms);
    // Copies the file read now to study.dat.<date-time>.bak beside it, once per visit of the
    // maintenance screen. The newest ten backups are kept, and always the first backup of this
    // run and of the run before, so the file as it was before either run's changes can be had
    // back. Nothing is copied while the shipped file awaits its copy: it stays as it is, and
    // lastBackup() is then empty.
    bool backupOnce();
    // The file name of the last backup made.
    QString lastBackup() const { return lastBackup_; }
    static constexpr int kBackupsKept = 10;
    void resetBackup() { backedUp_ = false; }
    // Back to the shipped content: the user's copy is renamed to study.dat.<date-time>.restore.bak
    // beside it (kept for good, never pruned), and the store opens again on the shipped file,
    // every cursor on its first record. Only while the copy is read and no change is open.
    bool restoreShipped();
    // Every cursor back on its first record, as a fresh opening leaves them.
    void rewind();

  private:
    friend class TableCursor;
    bool updateRow(const QString &table, qint64 rowId, const QStringList &columns, const QStringList &values);
    bool deleteRow(const QString &table, qint64 rowId);
    bool exec(const char *sql);
    bool load(int index, std::vector<qint64> &rowIds, std::vector<QStringList> &records, QStringList &columns,
              int &sqliteError);
    bool refuseIfReadOnly();
    bool openFile(const QString &path, bool shippedForCopy);
    bool makeOwnCopy();
    void setAsideDamagedCopy();
    QString nextBackupName(const QString &kind) const;
    void fail(State s, const QString &message);
    void pruneBackups();
    void reloadCursors();

    QString shipped_;
    QString ownCopy_;
    QString path_;
    QString notice_;
    bool copyPending_ = false;
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
