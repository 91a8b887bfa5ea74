// libFuzzer target: one table's TSV file, read and checked (the other tables empty, so each run
// checks only what the input holds). Input: the table's name, a line break, then the file's bytes.
#include "services/ContentCheck.h"
#include "services/ContentFiles.h"
#include "services/ContentSchema.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const qsizetype nl = input.indexOf('\n');
    if (nl < 0) return 0;
    const QString name = QString::fromUtf8(input.left(nl));
    std::vector<services::TableData> tables(services::contentTables().size());
    for (std::size_t i = 0; i < tables.size(); ++i) {
        tables[i].name = services::contentTables()[i].name;
        tables[i].header = services::contentTables()[i].columns;
        tables[i].origin = tables[i].name + QStringLiteral(".tsv");
    }
    for (std::size_t i = 0; i < tables.size(); ++i) {
        const services::TableSchema &schema = services::contentTables()[i];
        if (schema.name != name) continue;
        services::Problems problems;
        tables[i] =
            services::parseTableFile(schema, name + QStringLiteral(".tsv"), input.mid(nl + 1), problems);
        services::checkContent(tables, problems);
        // Every problem names its place as file:line.
        for (const QString &p : problems)
            if (!p.contains(QStringLiteral(".tsv:"))) std::abort();
        return 0;
    }
    return 0;
}
