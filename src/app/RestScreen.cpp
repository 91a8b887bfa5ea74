#include "app/RestScreen.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/ParentCheck.h"
#include "app/ScreenNames.h"
#include "ui/Backdrop.h"
#include "ui/Fonts.h"
#include "ui/Timer.h"

#include <QLabel>

namespace app {

RestScreen::RestScreen(AppContext &ctx) : ui::Screen(screens::kRest, QStringLiteral("休息一下"), 8790, 5760) {
    new ui::Backdrop(ui::Backdrop::Scene::Meadow, this);
    auto *text = ui::makeLabel(QStringLiteral("Label1"), QStringLiteral("今天学得真棒，休息一下吧！"), this,
                               ui::twRect(600, 1500, 7590, 1500), 24, QColor(0xc2, 0x18, 0x5b), true);
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    auto *parent = new ui::FlatButton(QStringLiteral("Command1"), QStringLiteral("家长"), this, 10.5);
    parent->setGeometry(ui::twRect(6960, 4800, 1455, 615));
    parent->setAccessibleName(QStringLiteral("家长解除今天的时间限制"));
    connect(parent, &QPushButton::clicked, this, [this, &ctx] {
        ParentCheck::ask(ctx.random, this, [&ctx] {
            if (auto *record = ctx.learningRecord()) record->liftLimitForToday();
            ctx.navigator().returnToMain();
        });
    });
}

RestGuard::RestGuard(AppContext &ctx) : ctx_(ctx) {
    timer_ = new ui::Timer(QStringLiteral("restTimer"), 10000, this);
    connect(timer_, &ui::Timer::tick, this, &RestGuard::check);
    connect(&ctx_.navigator(), &Navigator::screenChanged, this, &RestGuard::screenChanged);
}

bool RestGuard::exempt(QWidget *screen) const {
    return !screen || screen->objectName() == screens::kRest ||
           screen->objectName() == screens::kLearningRecord;
}

void RestGuard::screenChanged(QWidget *screen) {
    auto *record = ctx_.learningRecord();
    const bool game = !exempt(screen) && screen->objectName() != screens::kMain;
    // From one screen to another (a book choice to its game, a game back to its choice) the
    // time runs on; the main window stops it.
    if (!game || !record)
        screenSince_ = QDateTime();
    else if (!screenSince_.isValid())
        screenSince_ = record->now();
    timer_->setEnabled(game && record && record->dailyLimitMinutes() > 0);
    // Not while the navigator is still putting the screen up.
    if (record && !exempt(screen)) QMetaObject::invokeMethod(this, &RestGuard::check, Qt::QueuedConnection);
}

int RestGuard::runningSeconds() const {
    auto *record = ctx_.learningRecord();
    if (!record || !screenSince_.isValid()) return 0;
    QDateTime since = screenSince_;
    if (record->lastRoundAt().isValid() && record->lastRoundAt() > since) since = record->lastRoundAt();
    return int(std::max<qint64>(0, since.secsTo(record->now())));
}

bool RestGuard::check() {
    auto *record = ctx_.learningRecord();
    if (!record || exempt(ctx_.navigator().current()) || ctx_.navigator().quitting()) return false;
    const QDate today = record->now().date();
    if (reachedOn_ != today && !record->limitReached(runningSeconds())) return false;
    // Lifted or switched off by a parent: not again today.
    if (reachedOn_ == today && (record->dailyLimitMinutes() == 0 || record->limitLiftedToday())) return false;
    reachedOn_ = today;
    timer_->setEnabled(false);
    ctx_.navigator().open(screens::kRest);
    return true;
}

} // namespace app
