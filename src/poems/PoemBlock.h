#pragma once

#include "services/TableCursor.h"

#include <QString>
#include <array>
#include <optional>

namespace poems {

// A poem is six consecutive records of 唐诗: title, author and its four lines.
// Trailing records that do not fill a block are not a poem.
struct PoemBlock {
    static constexpr int kRecords = 6;
    std::array<QString, kRecords> records;

    const QString &title() const { return records[0]; }

    // The number of whole poems in the table.
    static int count(services::TableCursor &cursor);
    // Poem k, read from record 6k on; nothing when the table has no such poem.
    static std::optional<PoemBlock> read(services::TableCursor &cursor, int k);
    // The titles of all poems, in order.
    static QStringList titles(services::TableCursor &cursor);
};

} // namespace poems
