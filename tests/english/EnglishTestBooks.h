#pragma once

// The English books the screen tests use, written into a study.dat of their own:
// book 1 of 250 words, book 2 of exactly 200, book 3 of three words with two meanings,
// book 4 of 60 words (a link-game group whose third level is short and fourth empty).
#include "services/ContentSchema.h"
#include "support/Fixtures.h"

namespace testing_support {

inline std::vector<QStringList> englishBook(const QString &prefix, int n) {
    std::vector<QStringList> rows;
    for (int i = 1; i <= n; ++i)
        rows.push_back({QString::number(i), QStringLiteral(" %1%2 ").arg(prefix).arg(i),
                        QStringLiteral("%1义%2").arg(prefix).arg(i),
                        QStringLiteral("An example of %1%2.").arg(prefix).arg(i)});
    return rows;
}

inline bool writeEnglishBooks(const QString &path) {
    std::vector<QStringList> tiny = {
        {"1", "cat", "猫", "A cat."}, {"2", "kitten", "猫", "A kitten."}, {"3", "dog", "狗", "A dog."}};
    return writeFixtureStudyDat(path, {{1, englishBook(QStringLiteral("a"), 250)},
                                       {2, englishBook(QStringLiteral("b"), 200)},
                                       {3, tiny},
                                       {4, englishBook(QStringLiteral("d"), 60)}});
}

} // namespace testing_support
