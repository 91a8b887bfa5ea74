#pragma once

#include <QString>
#include <QStringView>

// One pinyin syllable as the pinyin table keeps it: lower-case letters with ü written v, then its
// tone digit, 5 for the neutral tone ("lv4" for lǜ, "le5" for le). The three ways a syllable is
// written for a reader all come from it. Shared by the table generator and the lookup.
namespace services::syllable {

// Pinyin with tone marks, one syllable, to the kept form: "lǜ" -> "lv4", "de" -> "de5",
// "ḿ" -> "m2", "ê̄" -> "e1" (ê read as e). Empty when the text is not one syllable of Latin
// letters and tone marks.
QString fromPinyin(const QString &pinyin);

// "lv4" -> "lu": no tone, ü written u.
QString plain(QStringView kept);
// "lv4" -> "lü": no tone, ü as ü.
QString display(QStringView kept);
// "lv4" -> "lǜ", "hao3" -> "hǎo", "de5" -> "de": tone marks where a textbook puts them.
QString toned(QStringView kept);

} // namespace services::syllable
