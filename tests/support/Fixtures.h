#pragma once

// A small study.dat made by a test: every table present but those left out, the given ones
// with the given rows, the others with one placeholder record.
#include "services/ContentFiles.h"
#include "services/ContentSchema.h"

#include <QFile>
#include <QTest>
#include <map>
#include <set>
#include <sqlite3.h>

namespace testing_support {

inline bool writeFixtureStudyDat(const QString &path, const std::map<int, std::vector<QStringList>> &rows,
                                 const std::set<int> &leaveOut = {}) {
    std::vector<services::TableData> tables;
    int slot = 0;
    for (const services::TableSchema &s : services::contentTables()) {
        ++slot;
        if (leaveOut.count(slot)) continue;
        services::TableData t;
        t.name = s.name;
        t.header = s.columns;
        if (auto it = rows.find(slot); it != rows.end()) {
            t.rows = it->second;
        } else {
            QStringList row;
            for (int c = 0; c < s.columns.size(); ++c)
                row << QStringLiteral("x%1").arg(c);
            t.rows.push_back(row);
        }
        tables.push_back(std::move(t));
    }
    QString error;
    if (!services::writeStudyDat(tables, path, &error)) {
        qWarning("%s", qPrintable(error));
        return false;
    }
    return true;
}

// Removes a column from a table of study.dat, as a file made before the column was added has it.
inline bool dropColumn(const QString &path, const QString &table, const QString &column) {
    sqlite3 *db = nullptr;
    const QByteArray sql = QStringLiteral("ALTER TABLE %1 DROP COLUMN %2")
                               .arg(services::quotedIdentifier(table), services::quotedIdentifier(column))
                               .toUtf8();
    const bool ok = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE,
                                    nullptr) == SQLITE_OK &&
                    sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

// Records "<prefix>1", "<prefix>2", ... as one-field rows.
inline std::vector<QStringList> numberedRows(const QString &prefix, int n) {
    std::vector<QStringList> out;
    for (int i = 1; i <= n; ++i)
        out.push_back({prefix + QString::number(i)});
    return out;
}

// A file's bytes, to show it is unchanged; empty when it cannot be read.
inline QByteArray bytesOf(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Another program reading study.dat: holds a read lock on the file until released, so a commit
// made meanwhile cannot finish (SQLITE_BUSY).
class ReadLock {
  public:
    // exclusive: as another program writing the file holds it, so nobody else may even read.
    explicit ReadLock(const QString &path, bool exclusive = false) {
        const char *sql = exclusive ? "BEGIN EXCLUSIVE" : "BEGIN; SELECT count(*) FROM sqlite_master;";
        held_ =
            sqlite3_open_v2(QFile::encodeName(path).constData(), &db_,
                            exclusive ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
            sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~ReadLock() { release(); }
    ReadLock(const ReadLock &) = delete;
    ReadLock &operator=(const ReadLock &) = delete;
    bool held() const { return held_; }
    void release() {
        if (!db_) return;
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
        db_ = nullptr;
        held_ = false;
    }

  private:
    sqlite3 *db_ = nullptr;
    bool held_ = false;
};

} // namespace testing_support
