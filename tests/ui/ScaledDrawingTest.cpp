#include "ui/DrawingSurface.h"
#include "ui/Widgets.h"

#include <QApplication>
#include <QTest>

// In a window scaled by 2 the drawing area has twice the pixels each way, and lines and
// points are twice as wide, so a drawing looks the same, only sharper.
class ScaledDrawingTest : public QObject {
    Q_OBJECT

    static QRect bounds(const QImage &img, const QColor &c) {
        QRect r;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixelColor(x, y) == c) r |= QRect(x, y, 1, 1);
        return r;
    }

  private slots:
    void drawsAtTheScreensResolution() {
        ui::DrawingSurface surface(QStringLiteral("Picture3"), nullptr, ui::twRect(0, 0, 6495, 6495),
                                   Qt::white);
        QCOMPARE(surface.pixelRatio(), 2.0);
        QCOMPARE(surface.image().size(), QSize(866, 866));
        surface.setScale(-100, 100, 100, -100);
        QCOMPARE(surface.pixelOf(100, -100), QPoint(865, 865));

        surface.setDrawWidth(3);
        surface.pset(0, 0, Qt::red);
        QCOMPARE(bounds(surface.image(), Qt::red).size(), QSize(6, 6));
        surface.setDrawWidth(1);
        surface.line(-50, 50, 50, 50, Qt::blue);
        QCOMPARE(bounds(surface.image(), Qt::blue).height(), 2);
    }
};

int main(int argc, char **argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    ScaledDrawingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ScaledDrawingTest.moc"
