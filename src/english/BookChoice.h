#pragma once

#include <QString>

namespace english {

// What a book selection screen hands to the word screen it opens. Default: no book chosen, the
// state a word screen opened on its own shows.
struct BookChoice {
    int book = 0;        // 1..23; 0: none
    QString title;       // the heading's start: the start button's caption, or the book's name
    int groupStart = 0;  // position of the group's first record: 0, 100, 200, ...
    int readingPace = 0; // the recitation's: 0 慢速, 1 中速, 2 快速
};

} // namespace english
