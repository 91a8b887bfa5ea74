#pragma once

#include "services/Recorder.h"

#include <QObject>
#include <QRect>
#include <functional>

class QWidget;

namespace ui {
class FlatButton;
}

namespace app {

class AppContext;

// Review lists several screens share: the characters (the spelling game asks them, the character
// lessons show them again) and the English words (recitation and the link game ask them, the
// English study shows them again). Other screens keep a list under their own control name.
inline const QString kCharacterList = QStringLiteral("单字");
inline const QString kEnglishWordList = QStringLiteral("英语单词");

// A screen's tally of the round under way, handed to the recorder once when it ends: the screen
// says so (a drill's twenty questions, a link-game level), the child picks another mode, or the
// screen is put away. A round in which nothing happened is not handed over. The screen's own
// counters and texts stay its own; this only records.
class RoundTally : public QObject {
    Q_OBJECT
  public:
    // The round's screen is the window's control name.
    RoundTally(AppContext &ctx, QWidget *screen, services::Area area);

    // Opens a round in mode, ending one still open first.
    void begin(const QString &mode);
    // Changes the mode: a round under way in another mode ends, and the next answer opens one.
    void setMode(const QString &mode);
    const QString &mode() const { return mode_; }
    // An answer; one given with no round open opens one in the current mode.
    void right(const QString &list, const QString &item);
    void wrong(const QString &list, const QString &item, const QString &given);
    // A step with no answer (a lesson's next entry): the round counts even without answers.
    void stepped();
    // Hands the round over if anything happened in it; afterwards none is open.
    void finish();

    bool isOpen() const { return open_; }
    int answered() const { return round_.right + round_.wrong; }

    // "复习错题" on parent at place: shown while the recorder has items of list to review; a press
    // hides it and hands the items to ask, most recent miss first.
    ui::FlatButton *makeReviewButton(QWidget *parent, const QRect &place, double pointSize,
                                     const QString &list, std::function<void(const QStringList &)> ask);
    // Shows or hides the review button as the recorder's list now stands.
    void refreshReview();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void openIfClosed();

    AppContext &ctx_;
    QWidget *screen_;
    services::Area area_;
    QString mode_;
    bool open_ = false;
    bool stepped_ = false;
    services::Round round_;
    ui::FlatButton *review_ = nullptr;
    QString reviewList_;
};

} // namespace app
