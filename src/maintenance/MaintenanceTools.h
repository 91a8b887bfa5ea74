#pragma once

#include "core/Random.h"
#include "services/ContentStore.h"

#include <QString>
#include <functional>

namespace maintenance {

// What a tool did: how many records it changed, or why it changed none.
struct ToolResult {
    bool ok = true;
    int changed = 0;
    QString error;
    QString backup; // the file that holds study.dat as it was before this visit's first change
};

// Called with a running figure while a tool works, so the window can show it.
using Progress = std::function<void(int)>;

// Each tool runs as one transaction: a failure or a kill part-way leaves the table as it was.

// Removes every later repeat of a character in 单字 (compared trimmed); the first stays.
ToolResult removeDuplicateCharacters(services::ContentStore &store, const Progress &progress = {});
// Removes the 反义词 records whose trimmed word is longer than four characters.
ToolResult removeLongAntonyms(services::ContentStore &store);
// Drops the first character of the trimmed answer of every 同义词 record.
ToolResult dropFirstSynonymCharacter(services::ContentStore &store);
// The number of records of the first English book.
int countFirstBook(services::ContentStore &store);

// The shuffle of the first English book: each step swaps the word numbers of two records drawn
// among positions 200..1179; nothing changes when either position lies past the table's end.
struct ShuffleStep {
    ToolResult result;
    int a = 0, b = 0;
    QString shown; // number at position 250, five spaces, number at position 252
};

// A book of fewer records than this has nothing the shuffle could move.
constexpr int kShuffleMinimum = 201;

// The shuffle's steps land in batches: the first step opens one (after the visit's backup),
// commit() lands it, and leaving lands what is open. A batch never joins another change.
class ShuffleBatch {
  public:
    explicit ShuffleBatch(services::ContentStore &store) : store_(store) {}
    ~ShuffleBatch() { commit(); }
    ShuffleBatch(const ShuffleBatch &) = delete;
    ShuffleBatch &operator=(const ShuffleBatch &) = delete;

    ShuffleStep step(core::Random &rnd);
    // Lands the open batch, if any.
    ToolResult commit();
    bool isOpen() const { return open_; }

  private:
    services::ContentStore &store_;
    bool open_ = false;
};

// One step in a batch of its own.
ShuffleStep shuffleFirstBook(services::ContentStore &store, core::Random &rnd);

} // namespace maintenance
