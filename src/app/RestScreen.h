#pragma once

#include "ui/Widgets.h"

#include <QDateTime>
#include <QObject>

namespace ui {
class Timer;
}

namespace app {

class AppContext;

// 休息: shown once the day's time is used up. The child cannot leave it; a parent who passes the
// parent's check ("Command1") lifts the limit for the rest of the day.
class RestScreen : public ui::Screen {
    Q_OBJECT
  public:
    explicit RestScreen(AppContext &ctx);
};

// Sends the child to the rest screen when the day's time is up: it looks when a screen opens,
// and every ten seconds while one is up ("restTimer"). With no limit set it does nothing.
// The parent's page and the rest screen itself are never interrupted.
class RestGuard : public QObject {
    Q_OBJECT
  public:
    explicit RestGuard(AppContext &ctx);
    ui::Timer *timer() const { return timer_; }
    // The time spent on the screen on show that no round holds yet.
    int runningSeconds() const;
    // Opens the rest screen when the time is up; returns whether it did.
    bool check();

  private:
    void screenChanged(QWidget *screen);
    bool exempt(QWidget *screen) const;

    AppContext &ctx_;
    ui::Timer *timer_ = nullptr;
    QDateTime screenSince_; // when the child left the main window for the screens on show; invalid on it
    // The day the time ran out: the rest screen stays for the rest of it, even though the time
    // of a screen the child was taken from may never reach the record.
    QDate reachedOn_;
};

} // namespace app
