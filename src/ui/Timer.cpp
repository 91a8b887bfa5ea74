#include "ui/Timer.h"

namespace ui {

Timer::Timer(const QString &name, int intervalMs, QObject *parent) : QObject(parent) {
    setObjectName(name);
    timer_.setInterval(intervalMs);
    connect(&timer_, &QTimer::timeout, this, &Timer::tick);
}

void Timer::setEnabled(bool on) {
    // Enabling a running timer keeps its phase, as a stopped timer is simply disabled.
    if (on && !timer_.isActive())
        timer_.start();
    else if (!on)
        timer_.stop();
}

} // namespace ui
