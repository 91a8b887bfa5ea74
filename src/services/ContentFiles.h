#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace services {

// One table as the content files hold it: a header row, then records.
struct TableData {
    QString name;
    QStringList header;
    std::vector<QStringList> rows;
    std::vector<int> lines; // line number in its file of each row (header is line 1)
    QString origin;         // the file or "study.dat[table]" the data came from
};

// Problems are reported as "file:line: what is wrong". The rules the content keeps are checked
// in ContentCheck.h.
using Problems = QStringList;

struct TableSchema;

// One table's file, already read: its header and records; structural problems go to problems.
TableData parseTableFile(const TableSchema &schema, const QString &origin, const QByteArray &bytes,
                         Problems &problems);
// Reads <dir>/<table>.tsv for each of the thirty tables; structural problems go to problems.
std::vector<TableData> readContentDir(const QString &dir, Problems &problems);
// Reads the thirty tables of an SQLite content file (without creating or changing it).
std::vector<TableData> readStudyDat(const QString &path, Problems &problems);

// Writes a new study.dat from the tables: to a temporary file beside it, then renamed over it.
bool writeStudyDat(const std::vector<TableData> &tables, const QString &path, QString *error);
// Writes <dir>/<table>.tsv for each table.
bool writeContentDir(const std::vector<TableData> &tables, const QString &dir, QString *error);

// How many fields of a record the table requires: the rest are optional and may be left out.
qsizetype requiredFields(const TableData &t);

// Where a problem is: "file:line: ".
QString problemAt(const TableData &t, int line);

} // namespace services
