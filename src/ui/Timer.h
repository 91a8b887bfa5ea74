#pragma once

#include <QObject>
#include <QTimer>

namespace ui {

// A screen timer with a fixed interval. It ticks only while enabled; tests call fire() to
// deliver one tick at once instead of waiting on the wall clock.
class Timer : public QObject {
    Q_OBJECT
  public:
    Timer(const QString &name, int intervalMs, QObject *parent);

    void setEnabled(bool on);
    bool isEnabled() const { return timer_.isActive(); }
    int interval() const { return timer_.interval(); }
    void setInterval(int ms) { timer_.setInterval(ms); }
    // One tick now, as if the interval had passed.
    void fire() { emit tick(); }

  signals:
    void tick();

  private:
    QTimer timer_;
};

} // namespace ui
