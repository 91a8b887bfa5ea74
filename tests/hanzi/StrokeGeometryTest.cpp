// Points along a median: where the brush is after a given length, the part written after a
// fraction of the stroke, even spacing for comparing lines, and the nearest point of a line.

#include "hanzi/StrokeGeometry.h"

#include <QTest>

using namespace hanzi;

namespace {

// An L: 300 across, then 400 down; 700 long. A repeated point adds no length.
const Polyline kEll{{100, 100}, {400, 100}, {400, 100}, {400, 500}};

bool near(QPointF a, QPointF b) {
    return std::abs(a.x() - b.x()) < 1e-9 && std::abs(a.y() - b.y()) < 1e-9;
}

QString text(const Polyline &line) {
    QStringList out;
    for (QPointF p : line)
        out << QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y());
    return out.join(QLatin1Char(' '));
}

} // namespace

class StrokeGeometryTest : public QObject {
    Q_OBJECT

  private slots:
    void pointAtLength_data() {
        QTest::addColumn<Polyline>("line");
        QTest::addColumn<double>("distance");
        QTest::addColumn<QPointF>("point");
        QTest::newRow("start") << kEll << 0.0 << QPointF(100, 100);
        QTest::newRow("before the start") << kEll << -5.0 << QPointF(100, 100);
        QTest::newRow("along the first piece") << kEll << 150.0 << QPointF(250, 100);
        QTest::newRow("at the corner") << kEll << 300.0 << QPointF(400, 100);
        QTest::newRow("past the corner and the repeated point") << kEll << 400.0 << QPointF(400, 200);
        QTest::newRow("the end") << kEll << 700.0 << QPointF(400, 500);
        QTest::newRow("beyond the end") << kEll << 900.0 << QPointF(400, 500);
        QTest::newRow("a line of one point") << Polyline{{7, 8}} << 10.0 << QPointF(7, 8);
        QTest::newRow("no line") << Polyline{} << 10.0 << QPointF(0, 0);
    }

    void pointAtLength() {
        QFETCH(Polyline, line);
        QFETCH(double, distance);
        QFETCH(QPointF, point);
        QCOMPARE(hanzi::pointAtLength(line, distance), point);
    }

    void partialPolyline_data() {
        QTest::addColumn<double>("fraction");
        QTest::addColumn<Polyline>("part");
        QTest::newRow("nothing written yet: the start alone") << 0.0 << Polyline{{100, 100}};
        QTest::newRow("below 0 is 0") << -1.0 << Polyline{{100, 100}};
        QTest::newRow("a third: along the first piece") << 0.3 << Polyline{{100, 100}, {310, 100}};
        QTest::newRow("past the corner: the corner kept")
            << 4.0 / 7.0 << Polyline{{100, 100}, {400, 100}, {400, 100}, {400, 200}};
        QTest::newRow("the whole stroke") << 1.0 << kEll;
        QTest::newRow("above 1 is 1") << 2.0 << kEll;
    }

    void partialPolyline() {
        QFETCH(double, fraction);
        QFETCH(Polyline, part);
        const Polyline got = hanzi::partialPolyline(kEll, fraction);
        QVERIFY2(got.size() == part.size() && std::equal(got.begin(), got.end(), part.begin(), near),
                 qPrintable(text(got)));
        QCOMPARE(polylineLength(got), std::clamp(fraction, 0.0, 1.0) * 700);
    }

    void lengthOfLines() {
        QCOMPARE(polylineLength(kEll), 700.0);
        QCOMPARE(polylineLength({}), 0.0);
        QCOMPARE(polylineLength({{3, 4}}), 0.0);
        QCOMPARE(polylineLength({{0, 0}, {3, 4}}), 5.0);
    }

    // Even steps along the line, no longer than asked, ends kept; a line of no length is a point.
    void resampled_data() {
        QTest::addColumn<Polyline>("line");
        QTest::addColumn<double>("step");
        QTest::addColumn<int>("points");
        QTest::newRow("the L in steps of 100") << kEll << 100.0 << 8;
        QTest::newRow("steps that do not divide it") << kEll << 150.0 << 6;
        QTest::newRow("a step longer than the line") << kEll << 1000.0 << 2;
        QTest::newRow("a tap") << Polyline{{5, 5}, {5, 5}} << 10.0 << 1;
        QTest::newRow("one point") << Polyline{{5, 5}} << 10.0 << 1;
        QTest::newRow("nothing") << Polyline{} << 10.0 << 0;
    }

    void resampled() {
        QFETCH(Polyline, line);
        QFETCH(double, step);
        QFETCH(int, points);
        const Polyline got = hanzi::resampled(line, step);
        QCOMPARE(int(got.size()), points);
        if (got.empty()) return;
        QCOMPARE(got.front(), line.front());
        if (points == 1) return;
        QCOMPARE(got.back(), line.back());
        const double spacing = polylineLength(line) / (points - 1);
        QVERIFY(spacing <= step);
        // Each point lies its share of the length along the line.
        for (int k = 0; k < points; ++k)
            QVERIFY2(near(got[k], hanzi::pointAtLength(line, k * spacing)), qPrintable(text(got)));
    }

    void nearestOnPolyline_data() {
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<double>("distance");
        QTest::addColumn<int>("piece");
        QTest::newRow("above the first piece") << QPointF(250, 60) << 40.0 << 0;
        QTest::newRow("on the line") << QPointF(400, 300) << 0.0 << 2;
        QTest::newRow("right of the second piece") << QPointF(430, 450) << 30.0 << 2;
        QTest::newRow("beyond the start: to the start point") << QPointF(70, 140) << 50.0 << 0;
        QTest::newRow("beyond the end: to the end point") << QPointF(400, 520) << 20.0 << 2;
    }

    void nearestOnPolyline() {
        QFETCH(QPointF, point);
        QFETCH(double, distance);
        QFETCH(int, piece);
        const NearestPoint n = hanzi::nearestOnPolyline(point, kEll);
        QCOMPARE(n.distance, distance);
        QCOMPARE(n.piece, piece);
        QCOMPARE(hanzi::nearestOnPolyline(QPointF(3, 4), {{0, 0}}).distance, 5.0);
    }
};

QTEST_GUILESS_MAIN(StrokeGeometryTest)
#include "StrokeGeometryTest.moc"
