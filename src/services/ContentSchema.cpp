#include "services/ContentSchema.h"

namespace services {

const std::vector<TableSchema> &contentTables() {
    static const std::vector<TableSchema> tables = [] {
        std::vector<TableSchema> t;
        const QStringList english = {"number", "word", "meaning", "example"};
        const char *books[kEnglishBooks] = {
            "A01人教版小学英语第一册",   "A02人教版小学英语第二册",   "A03人教版小学英语第三册",
            "A04人教版小学英语第四册",   "A05人教版小学英语第五册",   "A06人教版小学英语第六册",
            "A07剑桥少儿英语第一册",     "A08剑桥少儿英语第二册",     "A09剑桥少儿英语第三册",
            "A10北京版小学英语第一册",   "A11北京版小学英语第二册",   "A12北京版小学英语第三册",
            "A13北京版小学英语第四册",   "A14北京版小学英语第五册",   "A15北京版小学英语第六册",
            "A16看听学3L小学英语第一册", "A17看听学3L小学英语第二册", "A18看听学3L小学英语第三册",
            "A19看听学3L小学英语第四册", "A20新人教版小学英语第一册", "A21新人教版小学英语第二册",
            "A22新人教版小学英语第三册", "A23新人教版小学英语第四册"};
        for (const char *b : books)
            t.push_back({QString::fromUtf8(b), english});
        // reading: the record's own toned reading where its lesson needs another than the
        // character's default (只 zhī among measure words); empty for the default.
        t.push_back({.name = QStringLiteral("单字"), .columns = {"character", "reading"}, .optional = 1});
        t.push_back({QStringLiteral("词组"), {"word"}});
        t.push_back({QStringLiteral("成语"), {"idiom", "explanation", "note"}});
        t.push_back({QStringLiteral("唐诗"), {"line"}});
        t.push_back({QStringLiteral("同义词"), {"word", "synonym"}});
        t.push_back({QStringLiteral("反义词"), {"word", "antonym"}});
        t.push_back({QStringLiteral("谜语"), {"riddle", "kind", "answer"}});
        return t;
    }();
    return tables;
}

QString quotedIdentifier(const QString &identifier) {
    QString q = identifier;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

int slotOf(const QString &tableName) {
    const auto &t = contentTables();
    for (std::size_t i = 0; i < t.size(); ++i)
        if (t[i].name == tableName) return static_cast<int>(i) + 1;
    return 0;
}

} // namespace services
