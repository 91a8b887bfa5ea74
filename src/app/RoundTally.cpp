#include "app/RoundTally.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "ui/FlatButton.h"

#include <QEvent>
#include <QWidget>

namespace app {

RoundTally::RoundTally(AppContext &ctx, QWidget *screen, services::Area area)
    : QObject(screen), ctx_(ctx), screen_(screen), area_(area) {
    screen->installEventFilter(this);
}

void RoundTally::begin(const QString &mode) {
    finish();
    mode_ = mode;
    openIfClosed();
}

void RoundTally::setMode(const QString &mode) {
    if (mode == mode_) return;
    finish();
    mode_ = mode;
}

void RoundTally::openIfClosed() {
    if (open_) return;
    round_ = services::Round{};
    round_.screen = screen_->objectName();
    round_.area = area_;
    round_.mode = mode_;
    round_.started = ctx_.recorder().now();
    stepped_ = false;
    open_ = true;
}

void RoundTally::right(const QString &list, const QString &item) {
    openIfClosed();
    ++round_.right;
    round_.hits << services::Answer{list, item, {}};
}

void RoundTally::wrong(const QString &list, const QString &item, const QString &given) {
    openIfClosed();
    ++round_.wrong;
    round_.misses << services::Answer{list, item, given};
}

void RoundTally::stepped() {
    openIfClosed();
    stepped_ = true;
}

void RoundTally::finish() {
    if (!open_) return;
    open_ = false;
    if (answered() == 0 && !stepped_) return;
    round_.seconds = int(std::max<qint64>(0, round_.started.secsTo(ctx_.recorder().now())));
    ctx_.recorder().addRound(round_);
    refreshReview();
}

ui::FlatButton *RoundTally::makeReviewButton(QWidget *parent, const QRect &place, double pointSize,
                                             const QString &list,
                                             std::function<void(const QStringList &)> ask) {
    review_ =
        new ui::FlatButton(QStringLiteral("ReviewButton"), QStringLiteral("复习错题"), parent, pointSize);
    review_->setGeometry(place);
    reviewList_ = list;
    connect(review_, &QPushButton::clicked, this, [this, ask = std::move(ask)] {
        const QStringList items = ctx_.recorder().reviewItems(reviewList_);
        review_->hide();
        if (!items.isEmpty()) ask(items);
    });
    refreshReview();
    return review_;
}

void RoundTally::refreshReview() {
    if (review_) review_->setVisible(!ctx_.recorder().reviewItems(reviewList_).isEmpty());
}

bool RoundTally::eventFilter(QObject *watched, QEvent *event) {
    // Put away by the navigator (not hidden under a child screen, nor minimised): the round ends.
    if (watched == screen_ && event->type() == QEvent::Hide && !event->spontaneous() &&
        ctx_.navigator().current() != screen_)
        finish();
    return QObject::eventFilter(watched, event);
}

} // namespace app
