// The order Tab and the number keys follow, from the boxes' places alone.
#include "core/ReadingOrder.h"

#include <QList>
#include <QTest>

class ReadingOrderTest : public QObject {
    Q_OBJECT

  private slots:
    // Reading order of boxes: a grid row by row, a block beside it after it, stacked columns one
    // after the other.
    void readingOrderOfPlaces_data() {
        QTest::addColumn<QList<QRect>>("places");
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("grid") << QList<QRect>{{300, 10, 50, 20},
                                              {10, 10, 50, 20},
                                              {10, 40, 50, 20},
                                              {300, 40, 50, 20}}
                              << QList<int>{1, 0, 2, 3};
        QTest::newRow("grid and a panel beside it") << QList<QRect>{{10, 10, 50, 20},
                                                                    {70, 10, 50, 20},
                                                                    {10, 40, 50, 20},
                                                                    {70, 40, 50, 20},
                                                                    {130, 5, 40, 70}}
                                                    << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("two stacked columns") << QList<QRect>{{200, 0, 50, 90},
                                                             {10, 0, 100, 30},
                                                             {10, 40, 100, 20},
                                                             {200, 100, 50, 20},
                                                             {10, 70, 100, 20}}
                                             << QList<int>{1, 2, 4, 0, 3};
        QTest::newRow("rows") << QList<QRect>{{10, 50, 50, 20}, {80, 0, 50, 20}, {10, 0, 50, 20}}
                              << QList<int>{2, 1, 0};
        QTest::newRow("overlapping") << QList<QRect>{{20, 20, 50, 50}, {0, 0, 50, 50}, {40, 0, 50, 50}}
                                     << QList<int>{1, 2, 0};
    }

    void readingOrderOfPlaces() {
        QFETCH(QList<QRect>, places);
        QFETCH(QList<int>, order);
        const std::vector<int> got = core::readingOrder(std::vector<QRect>(places.begin(), places.end()));
        QCOMPARE(QList<int>(got.begin(), got.end()), order);
    }
};

QTEST_MAIN(ReadingOrderTest)
#include "ReadingOrderTest.moc"
