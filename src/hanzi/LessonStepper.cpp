#include "hanzi/LessonStepper.h"

namespace hanzi {

int LessonStepper::count() {
    cursor_->MoveLast();
    n_ = cursor_->RecordCount();
    return n_;
}

void LessonStepper::moveTo(int position) {
    cursor_->MoveFirst();
    cursor_->Move(position);
}

int LessonStepper::position() const {
    if (cursor_->BOF()) return -1;
    if (cursor_->Eof()) return cursor_->RecordCount();
    return cursor_->AbsolutePosition();
}

LessonStepper::Shown LessonStepper::choose(int k) {
    cursor_->MoveFirst();
    Shown s;
    s.place = placeText(cursor_->AbsolutePosition());
    count();
    k_ = k;
    s.entry = QString::number(k + 1);
    moveTo(first() - 1);
    return s;
}

LessonStepper::Shown LessonStepper::forward() {
    // Wherever the cursor was left (by the silent back press, or by another screen sharing
    // it), the next step stays inside the lesson.
    const int p0 = position();
    if (p0 < first() - 1 || p0 >= last()) moveTo(first() - 1);
    cursor_->MoveNext();
    Shown s;
    s.entry = cursor_->field(0);
    s.reading = cursor_->field(1);
    const int p = cursor_->AbsolutePosition();
    s.place = placeText(p);
    if (p >= last()) moveTo(first() - 1);
    return s;
}

LessonStepper::Shown LessonStepper::back() {
    const int p = position();
    Shown s;
    if (p < first() + 1 || p > last() + 1) {
        // On the lesson's first record (or before it): one silent press, the cursor waits
        // just past the lesson's last record.
        moveTo(last() + 1);
        s.changed = false;
        return s;
    }
    cursor_->MovePrevious();
    s.entry = cursor_->field(0);
    s.reading = cursor_->field(1);
    s.place = placeText(cursor_->AbsolutePosition());
    return s;
}

} // namespace hanzi
