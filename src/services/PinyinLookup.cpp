#include "services/PinyinLookup.h"

#include "services/PinyinSyllable.h"
#include "services/PinyinTable.h"

#include <QVarLengthArray>
#include <algorithm>
#include <array>
#include <vector>

namespace services {

namespace {

using namespace pinyintable;

using CodePoints = QVarLengthArray<char32_t, 64>;

// UTF-16 to code points; a lone surrogate stays as it is and passes through unchanged.
CodePoints decode(const QString &text) {
    CodePoints out;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(text[i + 1].unicode())) {
            out.append(QChar::surrogateToUcs4(u, text[i + 1].unicode()));
            ++i;
        } else {
            out.append(u);
        }
    }
    return out;
}

std::uint16_t entryOf(char32_t c) {
    return c < kCodePointLimit ? kPages[kPageOf[c >> 8]][c & 0xFF] : 0;
}

std::uint16_t syllableOf(std::uint16_t entry) {
    return entry & ~kStartsPhrase;
}

// The longest phrase of the table that starts at text[at]; nullptr when none does.
const PhraseEntry *longestPhrase(const CodePoints &text, qsizetype at) {
    const char32_t first = text[at];
    const PhraseEntry *end = kPhrases + kPhraseCount;
    const PhraseEntry *p =
        std::lower_bound(kPhrases, end, first, [](const PhraseEntry &e, char32_t c) { return e.first < c; });
    const auto left = static_cast<std::size_t>(text.size() - at);
    for (; p != end && p->first == first; ++p) {
        if (p->length > left) continue;
        if (std::equal(kPhraseText + p->offset, kPhraseText + p->offset + p->length, text.constData() + at))
            return p;
    }
    return nullptr;
}

// Every syllable of the table written in each form, made once: a lookup then only appends.
const QString &written(std::uint16_t s, PinyinLookup::Form form) {
    static const std::array<std::vector<QString>, 3> forms = [] {
        std::array<std::vector<QString>, 3> f;
        for (auto &v : f)
            v.reserve(kSyllableCount);
        for (std::size_t i = 0; i < kSyllableCount; ++i) {
            const QString kept = QString::fromLatin1(kSyllables[i]);
            f[0].push_back(syllable::plain(kept));
            f[1].push_back(syllable::display(kept));
            f[2].push_back(syllable::toned(kept));
        }
        return f;
    }();
    return forms[static_cast<std::size_t>(form)][s];
}

} // namespace

PinyinLookup::PinyinLookup() = default;

bool PinyinLookup::isChinese(char32_t c) {
    return (c >= 0x3400 && c <= 0x4DBF)       // Extension A
           || (c >= 0x4E00 && c <= 0x9FFF)    // the unified ideographs
           || (c >= 0xF900 && c <= 0xFAFF)    // compatibility ideographs
           || (c >= 0x20000 && c <= 0x3FFFD); // the ideographic planes: extensions B onward
}

QString PinyinLookup::reading(char32_t character, Form form) const {
    const std::uint16_t s = syllableOf(entryOf(character));
    return s ? written(s, form) : QString();
}

QStringList PinyinLookup::readings(char32_t character, Form form) const {
    QStringList out;
    if (const std::uint16_t s = syllableOf(entryOf(character))) out << written(s, form);
    const char32_t *begin = kOtherReadingOf, *end = kOtherReadingOf + kOtherReadingCount;
    const auto [from, to] = std::equal_range(begin, end, character);
    for (const char32_t *p = from; p != to; ++p)
        if (const QString &w = written(kOtherReadings[p - begin], form); !out.contains(w)) out << w;
    return out;
}

QString PinyinLookup::readingProblem(const QString &text, const QString &reading) const {
    const CodePoints characters = decode(text);
    const QStringList syllables = reading.split(QLatin1Char(' '));
    if (syllables.size() != characters.size())
        return QStringLiteral("\"%1\" has %2 syllables for the %3 characters of %4")
            .arg(reading)
            .arg(syllables.size())
            .arg(characters.size())
            .arg(text);
    for (qsizetype i = 0; i < characters.size(); ++i) {
        const QString written = syllables[i].normalized(QString::NormalizationForm_C);
        const QString kept = syllable::fromPinyin(written);
        if (kept.isEmpty() || syllable::toned(kept) != written)
            return QStringLiteral("\"%1\" is not pinyin with tone marks%2")
                .arg(syllables[i], kept.isEmpty()
                                       ? QString()
                                       : QStringLiteral("; write it \"%1\"").arg(syllable::toned(kept)));
        const QString character = QString::fromUcs4(&characters[i], 1);
        const QStringList known = readings(characters[i], Form::Toned);
        if (!known.contains(written))
            return known.isEmpty() ? QStringLiteral("%1 has no reading").arg(character)
                                   : QStringLiteral("\"%1\" is not a reading of %2 (its readings: %3)")
                                         .arg(written, character, known.join(QLatin1Char(' ')));
    }
    return QString();
}

QString PinyinLookup::recordPinYin(const QString &text, const QString &ownReading, Form form) const {
    const QString reading = ownReading.trimmed();
    if (reading.isEmpty() || !readingProblem(text, reading).isEmpty()) return GetPinYin(text, form);
    QStringList out;
    for (const QString &s : reading.split(QLatin1Char(' '))) {
        const QString kept = syllable::fromPinyin(s);
        out << (form == Form::Plain     ? syllable::plain(kept)
                : form == Form::Display ? syllable::display(kept)
                                        : syllable::toned(kept));
    }
    return out.join(QLatin1Char(' '));
}

QList<char32_t> PinyinLookup::unreadable(const QString &text) const {
    QList<char32_t> out;
    for (char32_t c : decode(text))
        if (isChinese(c) && syllableOf(entryOf(c)) == 0) out.append(c);
    return out;
}

QString PinyinLookup::GetPinYin(const QString &text, Form form, const QString &separator) const {
    const CodePoints cps = decode(text);
    const qsizetype n = cps.size();
    QString out;
    out.reserve(n * (7 + separator.size()));
    bool afterPiece = false; // the last thing written was a syllable or a run of other characters
    auto startPiece = [&] {
        if (afterPiece) out += separator;
        afterPiece = true;
    };
    auto appendSyllable = [&](std::uint16_t s) {
        startPiece();
        out += written(s, form);
    };

    for (qsizetype i = 0; i < n;) {
        const char32_t c = cps[i];
        const std::uint16_t entry = entryOf(c);
        if (entry & kStartsPhrase) {
            if (const PhraseEntry *p = longestPhrase(cps, i)) {
                for (std::uint32_t k = 0; k < p->length; ++k)
                    appendSyllable(kPhraseSyllables[p->offset + k]);
                i += p->length;
                continue;
            }
        }
        if (syllableOf(entry) != 0) {
            appendSyllable(syllableOf(entry));
            ++i;
        } else if (isChinese(c)) {
            startPiece();
            out += unknownMark();
            ++i;
        } else if (QChar::isSpace(c)) {
            out += QStringView(QChar::fromUcs4(c));
            afterPiece = false;
            ++i;
        } else {
            // A run of other characters (letters, digits, punctuation) is one piece.
            startPiece();
            auto other = [](char32_t x) {
                return !isChinese(x) && syllableOf(entryOf(x)) == 0 && !QChar::isSpace(x);
            };
            for (; i < n && other(cps[i]); ++i)
                out += QStringView(QChar::fromUcs4(cps[i]));
        }
    }
    return out;
}

} // namespace services
