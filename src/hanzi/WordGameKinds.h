#pragma once

#include "core/FourChoice.h"
#include "core/Globals.h"
#include "core/Random.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace services {
class TableCursor;
}

namespace hanzi {

// One record of a word game as the screen shows it.
struct WordEntry {
    QString clue;     // the idiom's explanation, the word asked about, the riddle
    QString hint;     // riddles only: what kind of thing to guess
    QString answer;   // the caption of the answer button
    QString listItem; // the line in List1
};

// What sets the idiom, antonym, synonym and riddle games apart: one screen, one row each.
struct WordGameKind {
    enum class Clue { TextBox, Tile }; // Text1, or the large tile Button4
    // Where wrong answers come from: any record but the first, or records close to a centre.
    enum class WrongRule { Anywhere, AroundCentre };

    QString screenName{};     // "学成语"
    QString caption{};        // window caption
    QString table{};          // "成语"
    int slot = 0;             // the table's slot in the store
    Clue clue = Clue::Tile;   // how the clue is shown
    bool hint = false;        // Button3 "猜" & kind
    QString countWord{};      // "个成语"
    QString title{};          // Label3(4)
    QString libraryCaption{}; // Label3(5) before any count
    double answerPointSize = 12;
    bool answerBold = false;
    WrongRule wrongRule = WrongRule::Anywhere;
    int firstCentre = 0; // the centre of the first question's wrong answers (AroundCentre)
    WordEntry (*entry)(const QStringList &fields) = nullptr;
};

const WordGameKind &idioms();
const WordGameKind &antonyms();
const WordGameKind &synonyms();
const WordGameKind &riddles();

// Every record of the kind's table, in stored order, its fields trimmed.
std::vector<WordEntry> readWordEntries(const WordGameKind &kind, services::TableCursor &cursor);

// "共有100个成语", and with the entry on show "共有100个成语  这是第2个" (i is 0-based).
QString wordCountText(const WordGameKind &kind, int n);
QString wordCountText(const WordGameKind &kind, int n, int i);

// The wrong-answer positions around a centre m that the riddle draw can give: |⌊m + (0.5 − u) × 20⌋|
// for u in [0, 1), other than m and 0 and within the table.
std::vector<int> positionsAroundCentre(int m, int n);

// The four buttons for entry c: its answer on a random button, three other answers beside it.
// Answers are compared by text, so no two buttons read the same; a table too small for three
// wrong answers leaves the rest of the buttons empty. m is the centre for AroundCentre.
core::FourChoice drawWordQuestion(core::Random &rnd, core::Globals &g, const WordGameKind &kind,
                                  const std::vector<WordEntry> &entries, int c, int m);

// The entry asked after a right answer: the next one in order (the last one stays), or a random
// one among all positions but c (a table of one record stays on it).
int nextWordEntry(core::Random &rnd, int n, int c, bool inOrder);

} // namespace hanzi
