#include "ui/Backdrop.h"

#include "ui/Fonts.h"
#include "ui/Widgets.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QPointer>
#include <QRadialGradient>

namespace ui {

Backdrop::Backdrop(Scene scene, QWidget *parent, const QString &name) : QWidget(parent), scene_(scene) {
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (parent) setGeometry(parent->rect());
    lower();
}

void Backdrop::paintEvent(QPaintEvent *) {
    const qreal dpr = devicePixelRatioF();
    if (cache_.size() != size() * dpr) {
        // Every screen of a kind has the same backdrop: it is drawn once for the program, not on
        // each open (Qt's pixmap cache holds it).
        const QString key = QStringLiteral("lumibo-backdrop-%1-%2x%3@%4")
                                .arg(int(scene_))
                                .arg(width())
                                .arg(height())
                                .arg(dpr);
        if (!QPixmapCache::find(key, &cache_)) {
            cache_ = QPixmap(size() * dpr);
            cache_.setDevicePixelRatio(dpr);
            QPainter cp(&cache_);
            paintScene(cp, rect(), scene_);
            cp.end();
            QPixmapCache::insert(key, cache_);
        }
    }
    QPainter p(this);
    p.drawPixmap(0, 0, cache_);
}

namespace {

void cloud(QPainter &p, QPointF c, qreal s) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawEllipse(c, 28 * s, 16 * s);
    p.drawEllipse(c + QPointF(-24 * s, 6 * s), 20 * s, 12 * s);
    p.drawEllipse(c + QPointF(24 * s, 6 * s), 22 * s, 13 * s);
}

void flower(QPainter &p, QPointF c, const QColor &petal) {
    p.setPen(Qt::NoPen);
    p.setBrush(petal);
    for (int i = 0; i < 5; ++i) {
        p.save();
        p.translate(c);
        p.rotate(i * 72);
        p.drawEllipse(QPointF(0, -5), 3.5, 5);
        p.restore();
    }
    p.setBrush(QColor(255, 214, 0));
    p.drawEllipse(c, 3, 3);
}

void paintMeadow(QPainter &p, const QRect &r) {
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(135, 206, 250));
    sky.setColorAt(0.65, QColor(224, 246, 255));
    p.fillRect(r, sky);

    // Sun with a soft glow.
    const QPointF sun(r.width() * 0.80, r.height() * 0.30);
    QRadialGradient glow(sun, 70);
    glow.setColorAt(0, QColor(255, 236, 120, 255));
    glow.setColorAt(0.45, QColor(255, 220, 90, 200));
    glow.setColorAt(1, QColor(255, 220, 90, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(sun, 70, 70);

    cloud(p, QPointF(r.width() * 0.35, r.height() * 0.16), 1.1);
    cloud(p, QPointF(r.width() * 0.60, r.height() * 0.10), 0.8);

    // Two rolling hills and the meadow.
    QPainterPath far;
    far.moveTo(r.left(), r.height() * 0.62);
    far.cubicTo(r.width() * 0.3, r.height() * 0.45, r.width() * 0.55, r.height() * 0.70, r.right() + 1,
                r.height() * 0.52);
    far.lineTo(r.right() + 1, r.bottom() + 1);
    far.lineTo(r.left(), r.bottom() + 1);
    p.setBrush(QColor(129, 199, 132));
    p.drawPath(far);
    QPainterPath near;
    near.moveTo(r.left(), r.height() * 0.78);
    near.cubicTo(r.width() * 0.35, r.height() * 0.66, r.width() * 0.7, r.height() * 0.86, r.right() + 1,
                 r.height() * 0.72);
    near.lineTo(r.right() + 1, r.bottom() + 1);
    near.lineTo(r.left(), r.bottom() + 1);
    p.setBrush(QColor(102, 187, 106));
    p.drawPath(near);

    // A tree on the far hill.
    const QPointF tree(r.width() * 0.68, r.height() * 0.58);
    p.setBrush(QColor(121, 85, 72));
    p.drawRect(QRectF(tree.x() - 4, tree.y() - 6, 8, 34));
    p.setBrush(QColor(56, 142, 60));
    p.drawEllipse(tree + QPointF(0, -22), 26, 24);
    p.drawEllipse(tree + QPointF(-16, -8), 16, 14);
    p.drawEllipse(tree + QPointF(16, -8), 16, 14);

    // An open picture book lying in the grass.
    const QPointF book(r.width() * 0.45, r.height() * 0.86);
    p.setBrush(QColor(255, 255, 255));
    p.setPen(QPen(QColor(90, 90, 140), 1.5));
    QPolygonF left{book, book + QPointF(-46, -10), book + QPointF(-46, 22), book + QPointF(0, 30)};
    QPolygonF right{book, book + QPointF(46, -10), book + QPointF(46, 22), book + QPointF(0, 30)};
    p.drawPolygon(left);
    p.drawPolygon(right);
    p.setPen(QPen(QColor(120, 144, 156), 1));
    for (int i = 0; i < 3; ++i) {
        p.drawLine(book + QPointF(-38, -2 + i * 8), book + QPointF(-8, 4 + i * 8));
        p.drawLine(book + QPointF(8, 4 + i * 8), book + QPointF(38, -2 + i * 8));
    }

    const QColor petals[] = {QColor(244, 143, 177), QColor(255, 255, 255), QColor(186, 104, 200),
                             QColor(255, 138, 101)};
    for (int i = 0; i < 14; ++i) {
        const qreal x = r.width() * (0.2 + 0.057 * i);
        const qreal y = r.height() * (0.80 + 0.06 * ((i * 7) % 3));
        flower(p, QPointF(x, y), petals[i % 4]);
    }

    // The colour strip down the left edge that carries the title letters.
    const QColor strip[] = {QColor(255, 205, 210), QColor(255, 224, 178), QColor(255, 249, 196),
                            QColor(200, 230, 201), QColor(187, 222, 251), QColor(225, 190, 231)};
    const qreal stripW = 58;
    const qreal band = r.height() / 6.0;
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        p.setBrush(strip[i]);
        p.drawRect(QRectF(r.left(), r.top() + i * band, stripW, band + 1));
    }
}

void paintSky(QPainter &p, const QRect &r) {
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(179, 229, 252));
    sky.setColorAt(1, QColor(232, 245, 233));
    p.fillRect(r, sky);
    cloud(p, QPointF(r.width() * 0.12, r.height() * 0.08), 1.0);
    cloud(p, QPointF(r.width() * 0.88, r.height() * 0.06), 0.9);
    cloud(p, QPointF(r.width() * 0.55, r.height() * 0.95), 1.2);
}

} // namespace

void paintScene(QPainter &p, const QRect &r, Backdrop::Scene scene) {
    p.setRenderHint(QPainter::Antialiasing);
    switch (scene) {
    case Backdrop::Scene::Meadow:
        paintMeadow(p, r);
        break;
    case Backdrop::Scene::Sky:
        paintSky(p, r);
        break;
    case Backdrop::Scene::LightBlue:
        p.fillRect(r, QColor(204, 236, 255));
        break;
    }
}

void applyLook(QApplication &app) {
    installFontSubstitutions();
    app.setFont(simSun(10.5));
    // No application-wide style sheet: with one, every widget of every screen is polished by
    // the sheet's style, which was a third of the time a screen took to open. Flat buttons paint
    // themselves; progress bars and dialogs carry their own sheets.
}

QString dialogLook() {
    using namespace buttonColour;
    return QStringLiteral(
               "QPushButton { background: %1; color: %2; border: 2px solid %3; border-radius: 10px;"
               " padding: 4px 16px; min-width: 64px; }"
               "QPushButton:hover { background: %4; }"
               "QPushButton:pressed { background: %5; }")
        .arg(kFace.name(), kText.name(), kBorder.name(), kHover.name(), kPressed.name());
}

QMessageBox *makeMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
                         QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
    auto *box = new QMessageBox(icon, title, text, buttons, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setStyleSheet(dialogLook());
    if (defaultButton != QMessageBox::NoButton) box->setDefaultButton(defaultButton);
    return box;
}

int showMessage(QMessageBox *box) {
    // Held by a guard: a box whose parent goes away while it is shown goes with it.
    const QPointer<QMessageBox> guard(box);
    box->setAttribute(Qt::WA_DeleteOnClose, false);
    const int answer = box->exec();
    delete guard.data();
    return answer;
}

int showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
                QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
    return showMessage(makeMessage(parent, icon, title, text, buttons, defaultButton));
}

} // namespace ui
