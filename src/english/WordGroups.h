#pragma once

#include "core/Random.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace services {
class TableCursor;
}

// The pieces the English word screens share: groups of a book, stepping through a group, the
// recitation's paces and choices, the link game's deal.
namespace english {

inline constexpr int kGroupSize = 100;

// The group starts a book of wordCount words offers, as text: "0", "100", ... Only groups that
// hold at least one word: a book of exactly 200 words offers "0" and "100".
QStringList groupStarts(int wordCount);

// Fields 0 to 3 of a book record, trimmed.
struct WordRecord {
    QString number;
    QString word;
    QString meaning;
    QString example;
};
// The cursor's current record; nothing when it has none.
std::optional<WordRecord> currentWord(const services::TableCursor &cursor);

// MoveFirst, Move(groupStart); the counter starts again.
void toGroupStart(services::TableCursor &cursor, int groupStart, int &groupCounter);
// One step on in the group. The 100th step after the group's first record, and a step that runs
// past the table's end, go back to the group's first record.
void stepInGroup(services::TableCursor &cursor, int groupStart, int &groupCounter);

// Recitation paces, by readingPace 0 (慢速), 1 (中速), 2 (快速).
struct Pace {
    int step;     // progress added per fill tick
    int fillMs;   // Timer3: fills the time bar
    int revealMs; // Timer2: shows the right meaning
};
Pace pace(int readingPace);

// Which of the three choice buttons holds the right meaning, and the other two, from one draw.
struct ChoiceOrder {
    int right;
    int other1;
    int other2;
};
ChoiceOrder choiceOrder(double r);

// Int(right × 100 / learned); 0 before any word was asked.
int percentRight(int right, int learned);

// Up to two records whose meanings go on the other choice buttons: drawn from positions 1 to
// count − 1 of the whole book, never the word asked, never a meaning equal to the right one or to
// each other, never an empty one. A book with fewer such meanings gives what it has.
std::vector<int> otherMeanings(core::Random &rnd, const services::TableCursor &cursor, int askedPosition);

// Link game.
inline constexpr int kBoardWords = 25;
inline constexpr int kLevels = 4;
// Where word i's meaning lies: a permutation of 0..24 drawn as Int(25 × Rnd + 1) until new.
std::array<int, kBoardWords> dealOrder(core::Random &rnd);
// 0 → 25 → 50 → 75 → 0.
int nextLevelOffset(int levelOffset);
// The first characters of a meaning the board shows.
QString shownMeaning(const QString &meaning);

} // namespace english
