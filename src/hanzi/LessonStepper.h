#pragma once

#include "services/TableCursor.h"

#include <QString>

namespace hanzi {

// Lessons of ten consecutive records of one table, stepped forwards and backwards within the
// chosen lesson. The cursor is the table's shared one; every step positions it itself.
class LessonStepper {
  public:
    explicit LessonStepper(services::TableCursor *cursor) : cursor_(cursor) {}

    static constexpr int kLessonSize = 10;

    // Counts the records again (last record, record count).
    int count();
    // Lessons that hold records: a last lesson of fewer than ten counts, an empty one does not.
    int lessonCount() const { return (n_ + kLessonSize - 1) / kLessonSize; }
    int lesson() const { return k_; }
    bool chosen() const { return k_ >= 0; }

    // What the screen shows: the entry and its place counted from the table's start.
    struct Shown {
        QString entry;
        QString reading; // the record's own reading (field 1), empty where the lookup's serves
        QString place;   // "第13个"
        bool changed = true;
    };

    // Chooses lesson k: shows the lesson number and 第1个; the cursor waits just before the
    // lesson's first record.
    Shown choose(int k);
    // The next record of the lesson; after its last record the lesson starts again.
    Shown forward();
    // The previous record; on the lesson's first record one silent press, then its last.
    Shown back();

    static QString placeText(int position) { return QStringLiteral("第%1个").arg(position + 1); }

  private:
    int first() const { return k_ * kLessonSize; }
    int last() const { return std::min((k_ + 1) * kLessonSize, n_) - 1; }
    void moveTo(int position);
    int position() const; // -1 before the start, n past the end

    services::TableCursor *cursor_;
    int n_ = 0;
    int k_ = -1;
};

} // namespace hanzi
