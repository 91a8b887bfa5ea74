#pragma once

// The compiled pinyin data, generated at build time by tools/pinyin from Unihan's readings and
// data/pinyin (readings.tsv, phrases.tsv). Static arrays: nothing is parsed at start-up.

#include <cstddef>
#include <cstdint>

namespace services::pinyintable {

// A syllable with its tone, as services::syllable keeps it ("lv4", "le5"), and its NUL fit in
// eight bytes; index 0 is the empty syllable (no reading).
constexpr std::size_t kSyllableWidth = 8;
extern const char kSyllables[][kSyllableWidth];
extern const std::size_t kSyllableCount;

// Character entries: a two-level table over code points below kCodePointLimit. kPageOf[cp / 256]
// names the page (0 is the empty page), kPages[page][cp % 256] is the entry: the syllable index
// in the low bits, kStartsPhrase set when some phrase begins with this character.
constexpr std::uint16_t kStartsPhrase = 0x8000;
extern const char32_t kCodePointLimit;
extern const std::uint16_t kPageOf[];
extern const std::uint16_t kPages[][256];

// The readings of a character besides its default, for characters that have more than one:
// kOtherReadingOf[i] is the code point (in ascending order), kOtherReadings[i] the syllable index.
extern const char32_t kOtherReadingOf[];
extern const std::uint16_t kOtherReadings[];
extern const std::size_t kOtherReadingCount;

// Phrases sorted by first character and, for one first character, longest first. A phrase's
// characters are kPhraseText[offset .. offset + length), its syllables kPhraseSyllables at the same
// places.
struct PhraseEntry {
    char32_t first;
    std::uint32_t offset;
    std::uint32_t length;
};
extern const char32_t kPhraseText[];
extern const std::uint16_t kPhraseSyllables[];
extern const PhraseEntry kPhrases[];
extern const std::size_t kPhraseCount;

} // namespace services::pinyintable
