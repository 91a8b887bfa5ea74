#include "ui/Widgets.h"

#include "ui/Fonts.h"

#include <QEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>

namespace ui {

namespace {

// Takes over a label's paint events; see paintTextFromCache.
class CachedTextPainter : public QObject {
  public:
    explicit CachedTextPainter(QLabel *label) : QObject(label), label_(label) {}

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched != label_ || event->type() != QEvent::Paint || label_->text().isEmpty() ||
            label_->textFormat() == Qt::RichText)
            return false;
        const qreal dpr = label_->devicePixelRatioF();
        const QRect area = label_->contentsRect();
        const QString key = QStringLiteral("lumibo-text-%1-%2-%3-%4x%5@%6-%7-%8")
                                .arg(label_->text(), label_->font().key())
                                .arg(label_->palette().color(label_->foregroundRole()).rgba())
                                .arg(area.width())
                                .arg(area.height())
                                .arg(dpr)
                                .arg(int(label_->alignment()))
                                .arg(label_->isEnabled());
        QPixmap text;
        if (!QPixmapCache::find(key, &text)) {
            text = QPixmap(area.size() * dpr);
            text.setDevicePixelRatio(dpr);
            text.fill(Qt::transparent);
            QPainter tp(&text);
            tp.setFont(label_->font());
            // As QLabel draws plain text.
            label_->style()->drawItemText(&tp, QRect(QPoint(0, 0), area.size()),
                                          QStyle::visualAlignment(label_->layoutDirection(), label_->alignment()),
                                          label_->palette(), label_->isEnabled(), label_->text(),
                                          label_->foregroundRole());
            tp.end();
            QPixmapCache::insert(key, text);
        }
        QPainter p(label_);
        p.drawPixmap(area.topLeft(), text);
        return true;
    }

  private:
    QLabel *label_;
};

} // namespace

void paintTextFromCache(QLabel *label) {
    label->installEventFilter(new CachedTextPainter(label));
}

QLabel *makeLabel(const QString &name, const QString &caption, QWidget *parent, const QRect &geometry,
                  double pointSize, const QColor &color, bool bold) {
    auto *l = new QLabel(caption, parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    l->setFont(simSun(pointSize, bold));
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, color);
    l->setPalette(p);
    l->setAttribute(Qt::WA_TranslucentBackground);
    return l;
}

QProgressBar *makeProgress(const QString &name, QWidget *parent, const QRect &geometry) {
    auto *bar = new QProgressBar(parent);
    bar->setObjectName(name);
    bar->setGeometry(geometry);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    bar->setStyleSheet(
        QStringLiteral("QProgressBar { border: 1px solid #64b5f6; border-radius: 4px; background: #ffffff; }"
                       "QProgressBar::chunk { background: #66bb6a; border-radius: 3px; }"));
    return bar;
}

QWidget *makePanel(const QString &name, QWidget *parent, const QRect &geometry, const QColor &background) {
    auto *w = new QWidget(parent);
    w->setObjectName(name);
    w->setGeometry(geometry);
    if (background.isValid()) {
        w->setAutoFillBackground(true);
        QPalette p = w->palette();
        p.setColor(QPalette::Window, background);
        w->setPalette(p);
    }
    return w;
}

} // namespace ui
