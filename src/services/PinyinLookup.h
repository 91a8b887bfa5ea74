#pragma once

#include <QString>

namespace services {

// Chinese text in, pinyin out: one syllable per Chinese character, syllables joined by the
// separator, lower-case Latin letters without tone marks, ü written as u ("女" -> "nu"),
// anything that is not a Chinese character passed through unchanged. Polyphonic characters
// take their reading in a word from a phrase table, longest match first ("重阳" -> "chong yang").
// Equal input gives equal output.
class PinyinLookup {
public:
    PinyinLookup();

    QString GetPinYin(const QString &text, const QString &separator = QStringLiteral(" ")) const;

    // The default reading of one character; empty when it has none.
    QString reading(char32_t character) const;
    // What a character without a reading shows in a result.
    static QString unknownMark() { return QStringLiteral("?"); }
};

} // namespace services
