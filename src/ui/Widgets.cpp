#include "ui/Widgets.h"

#include "ui/Fonts.h"

namespace ui {

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
