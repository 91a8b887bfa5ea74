#pragma once

#include "services/Recorder.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <map>

struct sqlite3;

namespace services {

inline constexpr int kAreaCount = 6;

// The area's caption on the parent's page and in the CSV export.
QString areaName(Area area);

struct Child {
    int id = 0;
    QString name; // empty for the one unnamed child a record starts with
};

// Time and answers over some rounds.
struct Totals {
    int seconds = 0;
    int right = 0;
    int wrong = 0;
    int minutes() const { return (seconds + 30) / 60; }
    // Right answers in percent of all answers; -1 when nothing was answered.
    int accuracy() const {
        return right + wrong == 0 ? -1 : (right * 100 + (right + wrong) / 2) / (right + wrong);
    }
    Totals &operator+=(const Totals &o) {
        seconds += o.seconds;
        right += o.right;
        wrong += o.wrong;
        return *this;
    }
};
using AreaTotals = std::array<Totals, kAreaCount>;

struct MissCount {
    QString list;
    QString item;
    int count = 0;
};

// One CSV field as RFC 4180 wants it: quoted when it holds a comma, a quote or a line break,
// with its quotes doubled.
QString csvField(const QString &text);

// The learning record: one SQLite file per user account, record.sqlite in the user's data
// folder. The file is made by the first round a child finishes, so a family that never plays
// finds nothing written. Every round lands in one transaction. The record never fails into a
// game: a file that cannot be opened or written (locked, damaged, a full disk, a read-only
// folder) says why once on stderr and in notice(), the rounds it could not take wait in memory
// for the next write, and a damaged file is renamed aside (record.sqlite.damaged-<time>), never
// deleted.
//
// Children: the record starts with one unnamed child; the first name a parent adds names that
// child (its rounds stay its own), and up to four children in all may be kept.
//
// Review: an item goes on its review list with every miss and leaves it once it is answered
// right on two different days; a new miss starts the count again. The lists are offered only
// while a parent has switched the review on (off by default).
class LearningRecord : public Recorder {
  public:
    using Clock = std::function<QDateTime()>;
    static constexpr int kSchemaVersion = 2;
    static constexpr int kMaxChildren = 4;
    static constexpr int kMaxPending = 500;
    // The daily limits a parent may choose, in minutes; 0 is no limit.
    static constexpr std::array<int, 5> kLimits = {0, 20, 30, 45, 60};

    // folder holds record.sqlite; clock gives the time (the system clock when empty).
    explicit LearningRecord(QString folder, Clock clock = {});
    ~LearningRecord() override;
    LearningRecord(const LearningRecord &) = delete;
    LearningRecord &operator=(const LearningRecord &) = delete;

    static QString fileName() { return QStringLiteral("record.sqlite"); }
    const QString &path() const { return path_; }
    QDateTime now() const { return clock_ ? clock_() : QDateTime::currentDateTime(); }

    void addRound(const Round &round) override;
    QStringList reviewItems(const QString &list) const override;

    // Why the record cannot be read or written now, or what it had to do (a damaged file moved
    // aside); empty when all is well. The parent's page shows it.
    QString notice() const { return notice_; }
    // Rounds waiting in memory for the record to take them.
    int pendingRounds() const { return int(pending_.size()); }
    // Closes the file (the pending rounds are tried once more first).
    void close();

    // Children. children() always holds at least the unnamed child.
    QList<Child> children() const;
    bool hasNamedChild() const;
    Child currentChild() const;
    void setCurrentChild(int id);
    // Each returns false with lastError() saying why (no name, a name taken, four already, the
    // record not writable).
    bool addChild(const QString &name);
    bool renameChild(int id, const QString &name);
    // Removes the child and every round of theirs; the last child left becomes the unnamed one.
    bool removeChild(int id);
    QString lastError() const { return lastError_; }

    // The parent's settings.
    int dailyLimitMinutes() const;
    bool setDailyLimitMinutes(int minutes);
    bool reviewOffered() const;
    bool setReviewOffered(bool on);

    // The daily limit: the current child's recorded time today plus runningSeconds (the screen
    // on show, which no round holds yet) against the parent's limit. Not while there is no
    // limit, nor once a parent has lifted it for today.
    bool limitReached(int runningSeconds) const;
    void liftLimitForToday() { liftedOn_ = now().date(); }
    bool limitLiftedToday() const { return liftedOn_ == now().date(); }
    // When the last round came in (this run of the program); invalid before the first.
    QDateTime lastRoundAt() const { return lastRoundAt_; }

    // What the parent's page shows: the totals of each day from first to last, by area.
    std::map<QDate, AreaTotals> totalsByDay(int child, QDate first, QDate last) const;
    // The seconds a child spent in recorded rounds on that day.
    int secondsOn(int child, QDate day) const;
    // The items missed most often, most first.
    QList<MissCount> mostMissed(int child, int count = 20) const;
    // Every round of the child as CSV (UTF-8 with a byte-order mark, a header row, CRLF lines).
    QByteArray csv(int child) const;
    // Forgets every round, miss and review item of the child (the child stays).
    bool clear(int child);

  private:
    enum class Problem { None, Unwritable, Locked, Full, Damaged, Newer, Other };

    bool open(bool create) const;
    bool prepareSchema() const;
    bool migrate(int from) const;
    bool exec(const char *sql) const;
    bool writeRound(const Round &round);
    bool setSetting(const QString &key, const QString &value);
    QString setting(const QString &key) const;
    void ensureChild() const;
    // Looks at an SQLite result code after a failure: sets the notice, says it on stderr once,
    // moves a damaged file aside. Returns the problem.
    Problem failed(int rc, const QString &what) const;
    void setNotice(Problem p, const QString &text) const;
    void moveAside() const;

    QString folder_;
    QString path_;
    Clock clock_;
    mutable sqlite3 *db_ = nullptr;
    mutable QString notice_;
    mutable Problem problem_ = Problem::None;
    QString lastError_;
    QList<Round> pending_;
    mutable int currentChild_ = 0; // 0 until read from the file
    QDate liftedOn_;
    QDateTime lastRoundAt_;
};

} // namespace services
