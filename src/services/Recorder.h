#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace services {

// The areas of the parent's page; a round belongs to one of them.
enum class Area { Arithmetic, Pinyin, Hanzi, Poems, English, Geometry };

// One item a child answered in a round. `list` names the review list the item belongs to (the
// screen's own name, or a list several screens share, such as the characters of the lessons);
// `item` is what was asked (the question, the character, the word, the letter) as the screen
// shows it; `given` is the answer the child gave (empty for a right answer).
struct Answer {
    QString list;
    QString item;
    QString given;
};

// A finished or left run of a screen: a drill's 20 questions or its clock, a word game, a
// recitation group, a lesson stepped through. Rounds with no answer and no time are not kept.
struct Round {
    QString screen; // the screen's control name ("jiafa10", "renzidan")
    Area area = Area::Arithmetic;
    QString mode; // the mode, book, group or lesson as the child chose it ("第3课", "加法")
    QDateTime started;
    int seconds = 0;
    int right = 0;
    int wrong = 0;
    QList<Answer> misses; // every wrong answer, in order
    QList<Answer> hits;   // right answers; the record keeps only those that count for a review
};

// Where the screens hand their rounds. Never fails into a screen and never blocks it: a record
// that cannot be written says why once on stderr and on the parent's page, and the game goes on.
class Recorder {
  public:
    virtual ~Recorder() = default;
    virtual void addRound(const Round &round) = 0;
    // The items of a review list the current child still has to review, the most recent miss
    // first; empty when there are none or the review is not offered.
    virtual QStringList reviewItems(const QString &list) const = 0;
    // The time rounds are stamped and timed by; the fake's stands still until a test moves it.
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }
};

// Keeps what it is handed, for tests; the review lists are whatever a test puts in `review`.
class RecordingRecorder : public Recorder {
  public:
    void addRound(const Round &round) override { rounds << round; }
    QStringList reviewItems(const QString &list) const override { return review.value(list); }
    QDateTime now() const override { return clock; }
    QList<Round> rounds;
    QHash<QString, QStringList> review;
    QDateTime clock{QDate(2026, 1, 5), QTime(17, 0)};
};

} // namespace services
