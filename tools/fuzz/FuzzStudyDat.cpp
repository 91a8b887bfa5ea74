// libFuzzer target: any file as study.dat. The store opens it (or says why not) and every
// table's cursor is walked both ways and read field by field; the content reader reads it too.
// The file is never changed.
#include "services/ContentFiles.h"
#include "services/ContentSchema.h"
#include "services/ContentStore.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

QString scratchPath() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/lumibo-fuzz-XXXXXX"));
    return dir.filePath(QStringLiteral("study.dat"));
}

void walk(services::TableCursor &c) {
    const int fields = static_cast<int>(c.columns().size());
    for (c.MoveFirst(); !c.Eof(); c.MoveNext())
        for (int f = -1; f <= fields; ++f)
            (void)c.field(f);
    for (c.MoveLast(); !c.BOF(); c.MovePrevious())
        (void)c.field(0);
    c.MoveFirst();
    c.Move(c.RecordCount() / 2);
    (void)c.Fields(0);
    c.Move(-c.RecordCount() - 1);
    (void)c.Fields(0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QString path = scratchPath();
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) return 0;
    }
    {
        services::ContentStore store(path);
        for (int slot = 1; slot <= services::kTableCount; ++slot)
            if (services::TableCursor *c = store.Data(slot)) walk(*c);
        if (!store.isOpen() && store.problem().isEmpty()) std::abort(); // a refusal always says why
    }
    services::Problems problems;
    (void)services::readStudyDat(path, problems);

    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.readAll() != bytes) std::abort(); // never written to
    QFile::remove(path);
    return 0;
}
