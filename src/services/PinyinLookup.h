#pragma once

#include <QList>
#include <QString>

namespace services {

// Chinese text in, pinyin out: one syllable per Chinese character, syllables joined by the
// separator, anything that is not a Chinese character passed through unchanged. Polyphonic
// characters take their reading in a word from a phrase table, longest match first
// ("重阳" -> "chong yang"). Equal input gives equal output.
//
// One table of syllables with their tones gives three forms of the same result:
// - plain (GetPinYin's own): lower-case Latin letters, no tone marks, ü written as u ("女" -> "nu");
// - display: no tone marks, ü as ü ("女" -> "nü", "鱼" -> "yu"), what a child reads on the lessons
//   and poems and spells in the character game;
// - toned: tone marks as a textbook prints them, the neutral tone unmarked ("绿" -> "lǜ",
//   "走了" -> "zǒu le").
//
// A run of other characters (Latin letters, digits, punctuation) is one piece of the result and
// is set apart from the syllables by the separator ("A型" -> "A xing"); white space in the text is
// kept as it is and takes the separator's place ("你好 世界" -> "ni hao shi jie").
// The data is a table compiled in at build time (PinyinTable.h): nothing is loaded at start-up.
class PinyinLookup {
  public:
    enum class Form { Plain, Display, Toned };

    PinyinLookup();

    QString GetPinYin(const QString &text, const QString &separator = QStringLiteral(" ")) const {
        return GetPinYin(text, Form::Plain, separator);
    }
    QString GetPinYin(const QString &text, Form form, const QString &separator = QStringLiteral(" ")) const;

    // The default reading of one character; empty when it has none.
    QString reading(char32_t character, Form form = Form::Plain) const;
    // Every reading of one character, the default first; readings that look alike in the form
    // asked for are given once (zhī and zhǐ are both "zhi"). Empty when it has none.
    QStringList readings(char32_t character, Form form = Form::Plain) const;

    // A reading a record gives its own text (a 单字 record whose reading depends on its lesson:
    // 只 zhī among measure words) is toned pinyin as the toned form writes it ("zhī", not "zhi1"
    // or "Zhī"), one syllable for each character of the text, separated by one blank, each one of
    // that character's readings. Empty when the reading is such, else what is wrong with it.
    QString readingProblem(const QString &text, const QString &reading) const;
    // The pinyin of a record's text: its own reading in the form asked for, when it has a sound
    // one; otherwise (none, or one readingProblem() rejects) the lookup's.
    QString recordPinYin(const QString &text, const QString &ownReading, Form form = Form::Plain) const;
    // What a character without a reading shows in a result.
    static QString unknownMark() { return QStringLiteral("?"); }

    // A Han ideograph: GetPinYin gives it one syllable, or unknownMark() when it has no reading.
    static bool isChinese(char32_t character);
    // The Chinese characters of the text that have no reading, in the order they appear.
    QList<char32_t> unreadable(const QString &text) const;
};

} // namespace services
