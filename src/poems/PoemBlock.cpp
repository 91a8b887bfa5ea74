#include "poems/PoemBlock.h"

#include <QStringList>

namespace poems {

int PoemBlock::count(services::TableCursor &cursor) {
    cursor.MoveLast();
    return cursor.RecordCount() / kRecords;
}

std::optional<PoemBlock> PoemBlock::read(services::TableCursor &cursor, int k) {
    if (k < 0 || k >= count(cursor)) return std::nullopt;
    PoemBlock poem;
    cursor.MoveFirst();
    cursor.Move(k * kRecords);
    for (QString &r : poem.records) {
        r = cursor.field(0).trimmed();
        cursor.MoveNext();
    }
    return poem;
}

QStringList PoemBlock::titles(services::TableCursor &cursor) {
    QStringList out;
    const int c = count(cursor);
    for (int k = 0; k < c; ++k) {
        cursor.MoveFirst();
        cursor.Move(k * kRecords);
        out << cursor.field(0).trimmed();
    }
    return out;
}

} // namespace poems
