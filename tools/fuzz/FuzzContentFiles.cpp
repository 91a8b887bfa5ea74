// libFuzzer target: one table's TSV file, read and checked among the shipped tables.
// Input: the table's name, a line break, then the file's bytes.
#include "services/ContentFiles.h"
#include "services/ContentSchema.h"

#include <QCoreApplication>
#include <cstdint>
#include <cstdlib>

namespace {

const std::vector<services::TableData> &shippedTables() {
    static const std::vector<services::TableData> tables = [] {
        services::Problems problems;
        return services::readContentDir(QStringLiteral(LUMIBO_SOURCE_DIR "/content"), problems);
    }();
    return tables;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const qsizetype nl = input.indexOf('\n');
    if (nl < 0) return 0;
    const QString name = QString::fromUtf8(input.left(nl));
    std::vector<services::TableData> tables = shippedTables();
    for (std::size_t i = 0; i < tables.size(); ++i) {
        const services::TableSchema &schema = services::contentTables()[i];
        if (schema.name != name) continue;
        services::Problems problems;
        tables[i] = services::parseTableFile(schema, name + QStringLiteral(".tsv"), input.mid(nl + 1), problems);
        services::checkContent(tables, problems);
        // Every problem names its place as file:line.
        for (const QString &p : problems)
            if (!p.contains(QStringLiteral(".tsv:"))) std::abort();
        return 0;
    }
    return 0;
}
