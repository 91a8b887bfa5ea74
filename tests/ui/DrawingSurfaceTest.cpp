#include "ui/DrawingSurface.h"
#include "ui/Widgets.h"

#include <QTest>
#include <cmath>
#include <limits>

namespace {

const QColor kBack(192, 192, 255);
const QColor kRed(255, 0, 0);

// Pixels of the image in the given colour.
int count(const QImage &img, const QColor &c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixelColor(x, y) == c;
    return n;
}

QRect bounds(const QImage &img, const QColor &c) {
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) == c) r |= QRect(x, y, 1, 1);
    return r;
}

} // namespace

class DrawingSurfaceTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ui::DrawingSurface> surface;

  private slots:
    void init() {
        // The geometry screen's area: 6495 twips square, 433 pixels.
        surface = std::make_unique<ui::DrawingSurface>(QStringLiteral("Picture3"), nullptr,
                                                       ui::twRect(0, 0, 6495, 6495), kBack);
        surface->setScale(-100, 100, 100, -100);
    }
    void cleanup() { surface.reset(); }

    void startsInItsBackground() {
        QCOMPARE(surface->objectName(), QStringLiteral("Picture3"));
        QCOMPARE(surface->image().size(), QSize(433, 433));
        QCOMPARE(count(surface->image(), kBack), 433 * 433);
    }

    void userScaleMapsEdgesToTheOuterPixels_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<QPoint>("pixel");
        QTest::newRow("top left") << -100.0 << 100.0 << QPoint(0, 0);
        QTest::newRow("bottom right") << 100.0 << -100.0 << QPoint(432, 432);
        QTest::newRow("origin in the centre") << 0.0 << 0.0 << QPoint(216, 216);
        QTest::newRow("y grows upwards") << 0.0 << 50.0 << QPoint(216, 108);
        QTest::newRow("half way right") << 50.0 << 0.0 << QPoint(324, 216);
        QTest::newRow("off the area") << 150.0 << 0.0 << QPoint(540, 216);
    }
    void userScaleMapsEdgesToTheOuterPixels() {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(QPoint, pixel);
        QCOMPARE(surface->pixelOf(x, y), pixel);
    }

    void aScaleWithoutExtentIsRefused() {
        surface->setScale(10, 100, 10, -100);
        surface->setScale(-100, 5, 100, 5);
        surface->setScale(std::numeric_limits<double>::quiet_NaN(), 100, 100, -100);
        QCOMPARE(surface->pixelOf(100, -100), QPoint(432, 432));
        surface->setScale(0, 0, 432, 432);
        QCOMPARE(surface->pixelOf(100, 20), QPoint(100, 20));
    }

    // A point is a filled disc whose diameter is the draw width in pixels.
    void pointIsADiscOfTheDrawWidth_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("pixels");
        QTest::newRow("1") << 1 << 1;
        QTest::newRow("2") << 2 << 4;
        QTest::newRow("3") << 3 << 9;
        QTest::newRow("10: round, not square") << 10 << 80;
    }
    void pointIsADiscOfTheDrawWidth() {
        QFETCH(int, width);
        QFETCH(int, pixels);
        surface->setDrawWidth(width);
        surface->pset(20, -30, kRed);
        const QImage &img = surface->image();
        QCOMPARE(count(img, kRed), pixels);
        const QRect box = bounds(img, kRed);
        QCOMPARE(box.width(), width);
        QCOMPARE(box.height(), width);
        // The disc sits on the point.
        QVERIFY(box.contains(surface->pixelOf(20, -30)));
        QVERIFY(std::abs(box.center().x() - surface->pixelOf(20, -30).x()) <= 1);
    }

    void pointsOffTheAreaOrWithoutANumberDrawNothing() {
        surface->setDrawWidth(10);
        const double inf = std::numeric_limits<double>::infinity();
        const double nan = std::numeric_limits<double>::quiet_NaN();
        for (auto [x, y] :
             {std::pair{nan, 0.0}, {0.0, inf}, {-inf, 0.0}, {1e300, 1e300}, {0.0, 110.0}, {-200.0, 0.0}})
            surface->pset(x, y, kRed);
        surface->line(0, 0, nan, 10, kRed);
        surface->circle(0, 0, inf, kRed);
        surface->print(nan, 0, QStringLiteral("X"));
        QCOMPARE(count(surface->image(), kBack), 433 * 433);
    }

    void pointAtTheEdgeIsCutOff() {
        surface->setDrawWidth(10);
        surface->pset(100, 100, kRed);
        const QRect box = bounds(surface->image(), kRed);
        QCOMPARE(box.topRight(), QPoint(432, 0));
        QVERIFY(box.width() < 10 && box.height() < 10);
    }

    void lineHasItsColourAndWidth() {
        surface->setDrawWidth(3);
        surface->line(-50, 0, 50, 0, kRed);
        const QImage &img = surface->image();
        const QPoint mid = surface->pixelOf(0, 0);
        QCOMPARE(img.pixelColor(mid.x(), mid.y() - 1), kRed);
        QCOMPARE(img.pixelColor(mid.x(), mid.y()), kRed);
        QCOMPARE(img.pixelColor(mid.x(), mid.y() + 1), kRed);
        QCOMPARE(img.pixelColor(mid.x(), mid.y() - 2), kBack);
        QCOMPARE(img.pixelColor(mid.x(), mid.y() + 2), kBack);
        QCOMPARE(surface->colorAt(-50, 0), kRed);
        QCOMPARE(surface->colorAt(50, 0), kRed);
        QCOMPARE(surface->colorAt(55, 0), kBack);
        surface->setDrawWidth(1);
        surface->line(0, 100, 0, -100, QColor(0, 0, 255));
        QCOMPARE(surface->colorAt(0, 100), QColor(0, 0, 255));
        QCOMPARE(surface->colorAt(0, -100), QColor(0, 0, 255));
        QCOMPARE(img.pixelColor(mid.x() + 1, 50), kBack);
    }

    void circleTakesTheForeColourUnlessGivenOne() {
        surface->setDrawWidth(3);
        surface->setForeColor(kRed);
        surface->circle(0, 0, 70);
        QCOMPARE(surface->colorAt(70, 0), kRed);
        QCOMPARE(surface->colorAt(0, -70), kRed);
        QCOMPARE(surface->colorAt(70 / std::sqrt(2.0), 70 / std::sqrt(2.0)), kRed);
        QCOMPARE(surface->colorAt(0, 0), kBack);
        QCOMPARE(surface->colorAt(66, 0), kBack);
        surface->circle(0, 0, 30, QColor(0, 0, 0));
        QCOMPARE(surface->colorAt(-30, 0), QColor(0, 0, 0));
    }

    void textInTheForeColourBelowAndRightOfItsPoint() {
        surface->setForeColor(kRed);
        surface->print(0, 0, QStringLiteral("X"));
        const QRect box = bounds(surface->image(), kRed);
        QVERIFY2(!box.isEmpty(), "no pure red text pixel");
        const QPoint at = surface->pixelOf(0, 0);
        QVERIFY(box.left() >= at.x() && box.top() >= at.y());
        QVERIFY(box.right() < at.x() + 20 && box.bottom() < at.y() + 20);
    }

    void backColourFillsAndClearKeepsIt() {
        surface->setDrawWidth(3);
        surface->line(-50, 0, 50, 0, kRed);
        const QColor navy(0, 0, 128);
        surface->setBackColor(navy);
        QCOMPARE(surface->backColor(), navy);
        QCOMPARE(count(surface->image(), navy), 433 * 433);
        surface->pset(0, 0, kRed);
        surface->clear();
        QCOMPARE(count(surface->image(), navy), 433 * 433);
    }

    void paintsItsImageOnScreen() {
        surface->setDrawWidth(10);
        surface->pset(-40, 40, kRed);
        surface->show();
        const QImage shown = surface->grab().toImage();
        const QPoint p = surface->pixelOf(-40, 40);
        QCOMPARE(shown.pixelColor(p), kRed);
        QCOMPARE(shown.pixelColor(surface->pixelOf(40, 40)), kBack);
        // Later drawing reaches the screen as well.
        surface->pset(40, 40, kRed);
        QCOMPARE(surface->grab().toImage().pixelColor(surface->pixelOf(40, 40)), kRed);
    }
};

QTEST_MAIN(DrawingSurfaceTest)
#include "DrawingSurfaceTest.moc"
