#include "services/ContentFiles.h"

#include "services/ContentSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>
#include <sqlite3.h>

namespace services {

namespace {

QString at(const TableData &t, int line) {
    return problemAt(t, line);
}

struct Db {
    sqlite3 *db = nullptr;
    ~Db() { sqlite3_close(db); }
};

// A record of a file without some optional columns (a study.dat made before they were added) or
// one that leaves them out gets them empty, so every record has all the table's fields.
void fillOptional(QStringList &fields, const TableSchema &schema) {
    while (fields.size() < schema.columns.size())
        fields << QString();
}

} // namespace

qsizetype requiredFields(const TableData &t) {
    const int slot = slotOf(t.name);
    if (slot == 0) return t.header.size();
    return std::min(t.header.size(), contentTables()[static_cast<std::size_t>(slot - 1)].required());
}

QString problemAt(const TableData &t, int line) {
    return QStringLiteral("%1:%2: ").arg(t.origin).arg(line);
}

TableData parseTableFile(const TableSchema &schema, const QString &origin, const QByteArray &bytes,
                         Problems &problems) {
    TableData t;
    t.name = schema.name;
    t.origin = origin;
    if (const qsizetype cr = bytes.indexOf('\r'); cr >= 0)
        problems << at(t, static_cast<int>(bytes.left(cr).count('\n')) + 1) +
                        QStringLiteral("carriage return found; lines must end with LF only");
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        problems << at(t, static_cast<int>(bytes.count('\n')) + 1) +
                        QStringLiteral("the last line has no line break");
    const QString text = QString::fromUtf8(bytes);
    if (text.contains(QChar::ReplacementCharacter))
        problems << at(t, 1) + QStringLiteral("the file is not valid UTF-8");
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    if (lines.isEmpty()) {
        problems << at(t, 1) + QStringLiteral("the header row is missing");
        return t;
    }
    t.header = lines.first().split(QLatin1Char('\t'));
    const bool accepted = schema.accepts(t.header);
    if (!accepted)
        problems << at(t, 1) + QStringLiteral("the header must be \"%1\"")
                                   .arg(schema.columns.join(QStringLiteral("\\t")));
    // A record may leave out the optional fields at its end.
    const qsizetype most = accepted ? t.header.size() : schema.columns.size();
    const qsizetype least = std::min(most, schema.required());
    for (int i = 1; i < lines.size(); ++i) {
        QString line = lines[i];
        line.remove(QLatin1Char('\r'));
        QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() < least || fields.size() > most) {
            problems << at(t, i + 1) + (least == most ? QStringLiteral("%1 fields, the table has %2 columns")
                                                            .arg(fields.size())
                                                            .arg(most)
                                                      : QStringLiteral("%1 fields; a record holds %2 to %3")
                                                            .arg(fields.size())
                                                            .arg(least)
                                                            .arg(most));
            continue;
        }
        if (accepted) fillOptional(fields, schema);
        t.rows.push_back(fields);
        t.lines.push_back(i + 1);
    }
    if (accepted) t.header = schema.columns;
    return t;
}

std::vector<TableData> readContentDir(const QString &dir, Problems &problems) {
    std::vector<TableData> tables;
    for (const TableSchema &schema : contentTables()) {
        const QString path = QDir(dir).filePath(schema.name + QStringLiteral(".tsv"));
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            problems << QStringLiteral("%1:1: the table file is missing or unreadable").arg(path);
            TableData t;
            t.name = schema.name;
            t.origin = path;
            tables.push_back(std::move(t));
            continue;
        }
        tables.push_back(parseTableFile(schema, path, f.readAll(), problems));
    }
    return tables;
}

std::vector<TableData> readStudyDat(const QString &path, Problems &problems) {
    std::vector<TableData> tables;
    Db db;
    if (!QFileInfo(path).isFile() || sqlite3_open_v2(QFile::encodeName(path).constData(), &db.db,
                                                     SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        problems << QStringLiteral("%1:1: cannot open the content file").arg(path);
        return tables;
    }
    for (const TableSchema &schema : contentTables()) {
        TableData t;
        t.name = schema.name;
        t.origin = QStringLiteral("%1[%2]").arg(path, schema.name);
        sqlite3_stmt *st = nullptr;
        const QByteArray sql =
            QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(quotedIdentifier(schema.name)).toUtf8();
        if (const int rc = sqlite3_prepare_v2(db.db, sql.constData(), -1, &st, nullptr); rc != SQLITE_OK) {
            if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
                problems << QStringLiteral("%1:1: the content file is locked by another program; try again "
                                           "when it is done")
                                .arg(path);
                sqlite3_finalize(st);
                return {};
            }
            problems << at(t, 1) + QStringLiteral("the table is missing (%1)")
                                       .arg(QString::fromUtf8(sqlite3_errmsg(db.db)));
            sqlite3_finalize(st);
            tables.push_back(std::move(t));
            continue;
        }
        const int n = sqlite3_column_count(st);
        for (int c = 0; c < n; ++c)
            t.header << QString::fromUtf8(sqlite3_column_name(st, c));
        const bool accepted = schema.accepts(t.header);
        if (!accepted)
            problems << at(t, 1) + QStringLiteral("the columns must be \"%1\"")
                                       .arg(schema.columns.join(QStringLiteral(", ")));
        if (accepted) t.header = schema.columns;
        int line = 1, rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            QStringList fields;
            for (int c = 0; c < n; ++c) {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(st, c));
                fields << (text ? QString::fromUtf8(text, sqlite3_column_bytes(st, c)) : QString());
            }
            if (accepted) fillOptional(fields, schema);
            t.rows.push_back(fields);
            t.lines.push_back(++line);
        }
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
            problems << QStringLiteral(
                            "%1:1: the content file is locked by another program; try again when it "
                            "is done")
                            .arg(path);
            sqlite3_finalize(st);
            return {};
        }
        if (rc != SQLITE_DONE)
            problems << at(t, line) + QStringLiteral("reading failed (%1)")
                                          .arg(QString::fromUtf8(sqlite3_errmsg(db.db)));
        sqlite3_finalize(st);
        tables.push_back(std::move(t));
    }
    return tables;
}

bool writeStudyDat(const std::vector<TableData> &tables, const QString &path, QString *error) {
    const QString tmp = path + QStringLiteral(".building");
    QFile::remove(tmp);
    {
        Db db;
        if (sqlite3_open_v2(QFile::encodeName(tmp).constData(), &db.db,
                            SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
            *error = QStringLiteral("cannot create %1").arg(tmp);
            return false;
        }
        auto exec = [&](const QByteArray &sql) {
            char *msg = nullptr;
            if (sqlite3_exec(db.db, sql.constData(), nullptr, nullptr, &msg) != SQLITE_OK) {
                *error = QString::fromUtf8(msg ? msg : "sqlite error");
                sqlite3_free(msg);
                return false;
            }
            return true;
        };
        bool ok = exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN");
        for (const TableData &t : tables) {
            if (!ok) break;
            QStringList cols;
            QStringList marks;
            for (const QString &c : t.header) {
                cols << quotedIdentifier(c) + QStringLiteral(" TEXT NOT NULL");
                marks << QStringLiteral("?");
            }
            ok = exec(QStringLiteral("CREATE TABLE %1 (%2)")
                          .arg(quotedIdentifier(t.name), cols.join(QStringLiteral(", ")))
                          .toUtf8());
            sqlite3_stmt *st = nullptr;
            const QByteArray insert = QStringLiteral("INSERT INTO %1 VALUES (%2)")
                                          .arg(quotedIdentifier(t.name), marks.join(QStringLiteral(", ")))
                                          .toUtf8();
            if (ok && sqlite3_prepare_v2(db.db, insert.constData(), -1, &st, nullptr) != SQLITE_OK) {
                *error = QString::fromUtf8(sqlite3_errmsg(db.db));
                ok = false;
            }
            for (const QStringList &row : t.rows) {
                if (!ok) break;
                // Optional fields a record leaves out are stored empty.
                if (row.size() > t.header.size() || row.size() < requiredFields(t)) {
                    *error = QStringLiteral("%1: a record has %2 fields, the table has %3 columns")
                                 .arg(t.name)
                                 .arg(row.size())
                                 .arg(t.header.size());
                    ok = false;
                    break;
                }
                sqlite3_clear_bindings(st);
                std::vector<QByteArray> keep;
                for (int i = 0; i < t.header.size(); ++i) {
                    keep.push_back(row.value(i).toUtf8());
                    sqlite3_bind_text(st, i + 1, keep.back().constData(),
                                      static_cast<int>(keep.back().size()), SQLITE_TRANSIENT);
                }
                if (sqlite3_step(st) != SQLITE_DONE) {
                    *error = QString::fromUtf8(sqlite3_errmsg(db.db));
                    ok = false;
                }
                sqlite3_reset(st);
            }
            sqlite3_finalize(st);
        }
        if (ok) ok = exec("COMMIT");
        if (!ok) {
            QFile::remove(tmp);
            return false;
        }
    }
    // Replace the old file in one step: a reader sees the old content or the new, never half.
    if (std::rename(QFile::encodeName(tmp).constData(), QFile::encodeName(path).constData()) != 0) {
        *error = QStringLiteral("cannot move %1 to %2").arg(tmp, path);
        QFile::remove(tmp);
        return false;
    }
    return true;
}

bool writeContentDir(const std::vector<TableData> &tables, const QString &dir, QString *error) {
    if (!QDir().mkpath(dir)) {
        *error = QStringLiteral("cannot create %1").arg(dir);
        return false;
    }
    for (const TableData &t : tables) {
        QSaveFile f(QDir(dir).filePath(t.name + QStringLiteral(".tsv")));
        if (!f.open(QIODevice::WriteOnly)) {
            *error = QStringLiteral("cannot write %1").arg(f.fileName());
            return false;
        }
        QByteArray out = t.header.join(QLatin1Char('\t')).toUtf8() + '\n';
        const qsizetype required = requiredFields(t);
        for (QStringList row : t.rows) {
            // Empty optional fields at the end are left out, as the content files write them.
            while (row.size() > required && row.last().isEmpty())
                row.removeLast();
            out += row.join(QLatin1Char('\t')).toUtf8() + '\n';
        }
        f.write(out);
        if (!f.commit()) {
            *error = QStringLiteral("cannot write %1").arg(f.fileName());
            return false;
        }
    }
    return true;
}

} // namespace services
