#pragma once

#include <QString>
#include <array>

namespace services {
class TableCursor;
}

namespace core {

// The values that outlive a screen, each with its reason. They live for the whole run, start at
// 0 or empty and are never saved. A screen's own working values are its members.
struct Globals {
    // Never reset: the right answer never sits on the same button two questions running, even
    // across screens (the drills, the letter games and the word games share it).
    int lastAnswerSlot = 0;

    // Hand-over of the English book screens: the selection screen sets them, its word screen
    // reads them. The maintenance screen's count lands in bookWordCount too.
    int bookNumber = 0; // 1..23, 0 before any choice
    QString bookTitle;
    int groupStart = 0; // position of the group's first record: 0, 100, 200, ...
    int bookWordCount = 0;
    services::TableCursor *bookCursor = nullptr; // the chosen book's cursor, owned by the store
    int groupCounter = 0;                        // steps moved since the group's first record
    QString spokenWord;                          // the word on show, for the repeat buttons

    // Recitation: the pace chosen on its selection screen and its working values.
    int readingPace = 0; // 0 慢速, 1 中速, 2 快速
    int paceStep = 1;    // progress added per pace tick
    int learnedCount = 0;
    int rightWordCount = 0;
    int rightButton = 0;
    int otherButton1 = 1, otherButton2 = 2;

    // Link game: the level's offset in the group, the meanings' places and the pairing state.
    int levelOffset = 0; // 0, 25, 50, 75
    std::array<int, 25> meaningOrder{};
    int wantedMeaning = 25;  // 25 after a deal, 66 after a meaning click that did not match
    int clickedMeaning = 25; // 25 after a deal, 55 after a word click that did not match
    int clickedWord = 0;
    int pairCount = 0;

    // The poem on show on the poem screens, -1 before the first choice.
    int currentPoem = -1;
};

} // namespace core
