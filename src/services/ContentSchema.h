#pragma once

#include <QString>
#include <QStringList>
#include <algorithm>
#include <vector>

namespace services {

// The thirty tables of study.dat, in slot order (Data1 .. Data30), with their columns in the
// field order the screens address (field 0 is the first column).
// The last `optional` columns may be empty, and may be missing altogether from a record or from
// a file made before they were added (a 单字 table of one column): they then read as empty.
struct TableSchema {
    QString name;
    QStringList columns;
    int optional = 0;

    qsizetype required() const { return columns.size() - optional; }
    // A header this table accepts: all its columns, or all but some of the optional ones at the end.
    bool accepts(const QStringList &header) const {
        return header.size() >= required() &&
               header == columns.first(std::min(header.size(), columns.size()));
    }
};

const std::vector<TableSchema> &contentTables();
constexpr int kTableCount = 30;
constexpr int kEnglishBooks = 23;
// The word link game shows this many characters of an English word's meaning.
constexpr int kMeaningShown = 10;

// Slot numbers of the Chinese tables.
enum Slot : int {
    kSingleCharacters = 24, // 单字
    kWordGroups = 25,       // 词组
    kIdioms = 26,           // 成语
    kPoems = 27,            // 唐诗
    kSynonyms = 28,         // 同义词
    kAntonyms = 29,         // 反义词
    kRiddles = 30,          // 谜语
};

// A table or column name quoted for SQL.
QString quotedIdentifier(const QString &identifier);

// The slot (1..30) of a table name, 0 when it is not one of ours.
int slotOf(const QString &tableName);

} // namespace services
