// What the child sees in the drawing area: each item is put on show the way the quiz does it
// (the generator's next value picks the item, then "开始"), and the pixels are read back.
#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "geometry/ShapesScreen.h"
#include "support/TestSupport.h"
#include "ui/DrawingSurface.h"

#include <cmath>

using namespace testing_support;

namespace {

const QColor kBack(192, 192, 255);
const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);
const QColor kYellow(255, 255, 0);
const QColor kBlue(0, 0, 255);

// Pixels of the colour in a box of user coordinates (edges included).
int countIn(ui::DrawingSurface *s, const QColor &c, double x0, double y0, double x1, double y1) {
    const QRect box = QRect(s->pixelOf(x0, y0), s->pixelOf(x1, y1)).normalized() & s->image().rect();
    int n = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            n += s->image().pixelColor(x, y) == c;
    return n;
}

} // namespace

class ShapeDrawingTest : public QObject {
    Q_OBJECT

    std::unique_ptr<app::AppContext> ctx;
    QWidget *screen = nullptr;
    geometry::ShapesScreen *shapes() const { return qobject_cast<geometry::ShapesScreen *>(screen); }

    ui::DrawingSurface *surface() {
        return screen->findChild<ui::DrawingSurface *>(QStringLiteral("Picture3"));
    }

    // Opens the screen from its menu item and starts the quiz on the given item.
    ui::DrawingSurface *show(int item) {
        screen = ctx->navigator().open(*app::findMenuItem(QStringLiteral("tx1")));
        ctx->random.script({(item - 0.5) / 50});
        click(screen, "Button7");
        return surface();
    }

  private slots:
    void init() { ctx = app::AppContext::forTests(QDir::tempPath(), 3); }
    void cleanup() {
        ctx.reset();
        flushDeletes();
    }

    void pixels_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<QColor>("colour");
        auto row = [](const char *what, int item, double x, double y, const QColor &c) {
            QTest::addRow("%d %s", item, what) << item << x << y << c;
        };
        // 坐标轴: grid to the very edges, axes, arrowheads.
        row("grid at the left edge", 1, -100, 55, kYellow);
        row("grid at the right edge", 1, 100, -55, kYellow);
        row("grid at the top edge", 1, -55, 100, kYellow);
        row("grid at the bottom edge", 1, 55, -100, kYellow);
        row("grid inside", 1, -90, 45, kYellow);
        row("between grid lines", 1, -95, -95, kBack);
        row("x axis", 1, 50, 0, kBlue);
        row("y axis", 1, 0, -50, kBlue);
        row("x arrowhead", 1, 97.5, -1, kBlue);
        row("y arrowhead", 1, 1, 97.5, kBlue);
        // Lines without and with end dots.
        row("直线 end", 2, -100, 0, kRed);
        row("直线 no dot", 2, 0, 0, kRed);
        row("线段 dot", 3, -50, 0, kBlack);
        row("线段 middle", 3, 0, 0, kRed);
        row("线段 ends at 50", 3, 60, 0, kBack);
        row("锐角 vertex", 4, -40, -40, kBlack);
        row("锐角 arm", 4, 5, 5, kRed);
        row("直角 vertex", 5, -50, -50, kBlack);
        row("钝角 arm", 6, -50, 0, kRed);
        row("钝角 end", 6, -80, 30, kBlack);
        row("等边三角形 vertex", 12, 60.62, -35, kBlack);
        row("长方形 side", 13, 0, 40, kRed);
        // 菱形's four vertices.
        row("菱形 top", 15, 0, 75, kBlack);
        row("菱形 right", 15, 30, 0, kBlack);
        row("菱形 bottom", 15, 0, -75, kBlack);
        row("菱形 left", 15, -30, 0, kBlack);
        row("菱形 edge", 15, 15, 37.5, kRed);
        row("菱形 inside", 15, 10, 0, kBack);
        // 圆: red on the circle of radius 70, the black dot at its centre.
        row("圆 right", 18, 70, 0, kRed);
        row("圆 top", 18, 0, 70, kRed);
        row("圆 left", 18, -70, 0, kRed);
        row("圆 bottom", 18, 0, -70, kRed);
        row("圆 diagonal", 18, 49.5, 49.5, kRed);
        row("圆 centre dot", 18, 0, 0, kBlack);
        row("椭圆 top", 19, 0, 45, kRed);
        row("椭圆 bottom", 19, 0, -45, kRed);
        row("椭圆 left end", 19, -70, 0, kRed);
        row("椭圆 right end", 19, 70, 0, kRed);
        row("椭圆 no centre dot", 19, 0, 0, kBack);
        row("五角星 top point", 20, 0, 80, kBlack);
        row("五角星 lower point", 20, 47.02, -64.72, kBlack);
        row("五角星 cross bar", 20, 0, 24.72, kRed);
        row("正六边形 vertex", 21, 40, 69.28, kBlack);
        row("正六边形 diagonals cross", 21, 0, 0, kRed);
        row("正六边形 side", 21, 60, 34.64, kRed);
        // 正方体: hidden back corner (-30, -30), its three edges yellow and under the red ones.
        row("正方体 hidden dot", 22, -30, -30, kBlue);
        row("正方体 hidden upright", 22, -30, 0, kYellow);
        row("正方体 hidden bottom", 22, 0, -30, kYellow);
        row("正方体 hidden depth edge", 22, -45, -45, kYellow);
        row("正方体 red over hidden", 22, 60, -30, kRed);
        row("正方体 red over hidden 2", 22, -30, 60, kRed);
        row("正方体 front", 22, 0, 60, kRed);
        row("正方体 back top", 22, 30, 90, kRed);
        row("正方体 back right", 22, 90, 30, kRed);
        row("正方体 depth edge", 22, 75, 75, kRed);
        row("正方体 back corner", 22, 90, 90, kBlack);
        row("正方体 front corner", 22, -60, -60, kBlack);
        row("圆柱体 top front", 23, 0, 45, kRed);
        row("圆柱体 top back", 23, 0, 75, kRed);
        row("圆柱体 bottom back", 23, 0, -45, kYellow);
        row("圆柱体 bottom front", 23, 0, -75, kRed);
        row("圆柱体 side", 23, 60, 0, kRed);
        // 长方体: hidden back corner (-50, -50).
        row("长方体 hidden dot", 24, -50, -50, kBlue);
        row("长方体 hidden upright", 24, -50, 0, kYellow);
        row("长方体 hidden bottom", 24, 0, -50, kYellow);
        row("长方体 hidden depth edge", 24, -55, -55, kYellow);
        row("长方体 red over hidden", 24, -50, 60, kRed);
        row("长方体 back top", 24, 0, 70, kRed);
        row("长方体 back corner", 24, 70, 70, kBlack);
        row("圆锥体 base back", 25, 0, -45, kYellow);
        row("圆锥体 base front", 25, 0, -75, kRed);
        row("圆锥体 slant", 25, 30, 0, kRed);
        row("圆锥体 apex without dot", 25, 0, 60, kRed);
        row("三棱锥 hidden dot", 26, 0, 0, kBlue);
        row("三棱锥 hidden to apex", 26, 0, 40, kYellow);
        row("三棱锥 hidden to corner", 26, 34.64, -20, kYellow);
        row("三棱锥 front edge", 26, 0, -40, kRed);
        row("三棱锥 apex", 26, 0, 80, kBlack);
        row("三棱锥 corner", 26, 69.28, -40, kBlack);
        row("平行线 upper", 27, 0, 30, kRed);
        row("平行线 lower", 27, 0, -30, kRed);
        row("相交线 crossing", 28, 0, 0, kRed);
        row("圆与切线 touching point", 29, 35.36, 35.36, kBlack);
        row("圆与切线 centre", 29, 0, 0, kBlack);
        row("圆与切线 circle", 29, 0, -50, kRed);
        row("圆与切线 tangent", 29, 70, 0.71, kRed);
        // Curves, over the axes.
        row("正玄曲线 through the origin", 30, 0, 0, kRed);
        row("正玄曲线 crest", 30, 22.52, 50, kRed);
        row("正玄曲线 grid still there", 30, -90, -90, kYellow);
        row("余玄曲线 crest at 0", 31, 0, 50, kRed);
        row("正切曲线 through the origin", 32, 0, 0, kRed);
        row("余切曲线 zero", 33, 30, 0, kRed);
        row("抛物线 vertex", 34, 0, -50, kRed);
        row("抛物线 right", 34, 40, 30, kRed);
        row("抛物线 left", 34, -40, 30, kRed);
        row("抛物线 nearly at the top", 34, 54, 95.8, kRed);
    }
    void pixels() {
        QFETCH(int, item);
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(QColor, colour);
        QCOMPARE(show(item)->colorAt(x, y), colour);
    }

    void circleHasNothingInsideButTheCentreDot() {
        ui::DrawingSurface *s = show(18);
        const QImage &img = s->image();
        const QPointF centre = s->toDevice(0, 0);
        const double r = 60 * 2.16; // pixels per unit on a 433-pixel area
        int black = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const double d = std::hypot(x + 0.5 - centre.x(), y + 0.5 - centre.y());
                if (d > r) continue;
                const QColor c = img.pixelColor(x, y);
                if (c == kBlack) {
                    ++black;
                    // Diameter 10 on whole pixels: within half a pixel of the point.
                    QVERIFY2(d <= 5 + 0.5 * std::sqrt(2.0),
                             qPrintable(QStringLiteral("black at %1,%2").arg(x).arg(y)));
                } else {
                    QCOMPARE(c, kBack);
                }
            }
        QVERIFY(black >= 70);
    }

    // y = 0.05x² - 50 leaves the area at |x| = √3000 ≈ 54.8.
    void parabolaVisibleOnlyWhereItFits() {
        ui::DrawingSurface *s = show(34);
        // No red on either side beyond that, up to where the red "X" is printed.
        QCOMPARE(countIn(s, kRed, 56, 100, 92, -100), 0);
        QCOMPARE(countIn(s, kRed, -100, 100, -56, -100), 0);
        QVERIFY(countIn(s, kRed, 54, 100, 55, 90) > 0);
        QVERIFY(countIn(s, kRed, -55, 100, -54, 90) > 0);
    }

    void tangentCurvesRunOffTopAndBottom_data() {
        QTest::addColumn<int>("item");
        QTest::newRow("正切曲线") << 32;
        QTest::newRow("余切曲线") << 33;
    }
    void tangentCurvesRunOffTopAndBottom() {
        QFETCH(int, item);
        ui::DrawingSurface *s = show(item);
        QVERIFY(countIn(s, kRed, -100, 100, 100, 100) > 0);
        QVERIFY(countIn(s, kRed, -100, -100, 100, -100) > 0);
    }

    void axesLabelsAreRed() {
        ui::DrawingSurface *s = show(1);
        QVERIFY2(countIn(s, kRed, 93, 6, 100, 0) > 0, "X");
        QVERIFY2(countIn(s, kRed, 2, 95, 8, 89) > 0, "Y");
        QVERIFY2(countIn(s, kRed, 0.3, 0.9, 6, -6) > 0, "0");
        // Nothing red anywhere else.
        QCOMPARE(countIn(s, kRed, -100, 100, -1, -100), 0);
        QCOMPARE(countIn(s, kRed, 10, 80, 85, -100), 0);
    }

    void colourFillsTheWholeArea_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<QColor>("colour");
        const int rgb[16][3] = {{0, 0, 0},       {0, 0, 128},   {0, 128, 0},   {0, 128, 128},
                                {128, 0, 0},     {128, 0, 128}, {128, 128, 0}, {192, 192, 192},
                                {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
                                {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255}};
        const char *names[16] = {"黑色", "蓝色",   "绿色",   "青色",   "洋红色", "紫色",   "棕色", "白色",
                                 "灰色", "淡蓝色", "淡绿色", "淡青色", "红色",   "粉红色", "黄色", "强白色"};
        for (int i = 0; i < 16; ++i)
            QTest::addRow("%d %s", 35 + i, names[i]) << 35 + i << QColor(rgb[i][0], rgb[i][1], rgb[i][2]);
    }
    void colourFillsTheWholeArea() {
        QFETCH(int, item);
        QFETCH(QColor, colour);
        ui::DrawingSurface *s = show(item);
        QCOMPARE(countIn(s, colour, -100, 100, 100, -100), 433 * 433);

        // The next question starts on the question background again.
        ctx->random.script({(14 - 0.5) / 50});
        click(screen, QStringLiteral("Button9(%1)").arg(shapes()->rightButton()));
        QCOMPARE(shapes()->item(), geometry::Shape::Square);
        QCOMPARE(s->colorAt(-100, 100), kBack);
        QCOMPARE(s->colorAt(0, 0), kBack);
        QCOMPARE(s->colorAt(60, 0), kRed);
    }
};

QTEST_MAIN(ShapeDrawingTest)
#include "ShapeDrawingTest.moc"
