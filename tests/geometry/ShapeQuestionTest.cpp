#include "geometry/ShapeQuestion.h"
#include "geometry/ShapeCatalogue.h"

#include <QSet>
#include <QTest>

using geometry::ShapeCatalogue;

class ShapeQuestionTest : public QObject {
    Q_OBJECT

    const QStringList firstSix = {"坐标轴", "直线", "线段", "锐角", "直角", "钝角"};

  private slots:
    // Every item has its own name; the colours, and only they, are named as colours.
    void catalogueNames() {
        QSet<QString> names;
        for (int i = 1; i <= ShapeCatalogue::kCount; ++i) {
            const geometry::Shape s = ShapeCatalogue::at(i);
            names << ShapeCatalogue::name(s);
            QCOMPARE(ShapeCatalogue::name(s).endsWith(QStringLiteral("色")), ShapeCatalogue::isColour(s));
        }
        QCOMPARE(names.size(), ShapeCatalogue::kCount);
        QVERIFY(!names.contains(QString()));
        QCOMPARE(ShapeCatalogue::name(geometry::Shape::Axes), QStringLiteral("坐标轴"));
        QCOMPARE(ShapeCatalogue::name(geometry::Shape::Rhombus), QStringLiteral("菱形"));
        QCOMPARE(ShapeCatalogue::name(geometry::Shape::BrightWhite), QStringLiteral("强白色"));
        QCOMPARE(ShapeCatalogue::name(0), QString());
        QCOMPARE(ShapeCatalogue::name(51), QString());
    }

    void itemIsOneToFifty_data() {
        QTest::addColumn<double>("rnd");
        QTest::addColumn<int>("item");
        QTest::newRow("lowest") << 0.0 << 1;
        QTest::newRow("just below the second") << 0.0199 << 1;
        QTest::newRow("second") << 0.02 << 2;
        QTest::newRow("first colour") << 0.68 << 35;
        QTest::newRow("highest") << 0.99999 << 50;
    }
    void itemIsOneToFifty() {
        QFETCH(double, rnd);
        QFETCH(int, item);
        core::Random r;
        r.script({rnd});
        QCOMPARE(ShapeCatalogue::place(geometry::drawShapeItem(r)), item);
    }

    // Every item, many questions: the right name on the first button drawn, three different wrong names
    // from the first six items on the other buttons.
    void wrongNamesComeFromTheFirstSix_data() {
        QTest::addColumn<int>("item");
        for (int item = 1; item <= ShapeCatalogue::kCount; ++item)
            QTest::addRow("%d %s", item, qPrintable(ShapeCatalogue::name(item))) << item;
    }
    void wrongNamesComeFromTheFirstSix() {
        QFETCH(int, item);
        core::Random r;
        r.pin(static_cast<std::uint64_t>(item));
        core::Globals g;
        for (int round = 0; round < 200; ++round) {
            const core::FourChoice q = geometry::placeShapeNames(r, g, ShapeCatalogue::at(item));
            const auto &captions = q.captions;
            const QSet<int> places{q.places.begin(), q.places.end()};
            QCOMPARE(places, (QSet<int>{1, 2, 3, 4}));
            QCOMPARE(q.rightSlot, q.places[0]);
            QCOMPARE(captions[q.places[0] - 1], ShapeCatalogue::name(item));
            QSet<QString> wrong;
            for (int k : {q.places[1], q.places[2], q.places[3]}) {
                QVERIFY2(firstSix.contains(captions[k - 1]), qPrintable(captions[k - 1]));
                QVERIFY(captions[k - 1] != ShapeCatalogue::name(item));
                wrong << captions[k - 1];
            }
            QCOMPARE(wrong.size(), 3);
            for (int w = 0; w < 3; ++w)
                QCOMPARE(captions[q.places[w + 1] - 1], ShapeCatalogue::name(int(q.wrongKeys[w])));
        }
    }

    // The draws in order: p1; p2 until it differs, d1 until it is not the item; p3 and d2
    // likewise; p4 is the place left, d3 until it is new.
    void exactPlacementFromScriptedDraws() {
        core::Random r;
        core::Globals g;
        g.lastAnswerSlot = 3;      // not consulted: the right name may take any button
        r.script({0.6,             // p1 = 3
                  0.7, 0.1,        // p2: 3 is taken, then 1
                  0.5, 0.0,        // d1: 4 is the item itself, then 1 坐标轴
                  0.1, 0.6, 0.9,   // p3: 1 and 3 are taken, then 4
                  0.05, 0.99,      // d2: 1 is taken, then 6 钝角
                  0.9, 0.6, 0.3}); // d3: 6 taken, 4 the item, then 2 直线
        const core::FourChoice q = geometry::placeShapeNames(r, g, geometry::Shape::AcuteAngle);
        QCOMPARE(q.places, (std::array<int, 4>{3, 1, 4, 2}));
        QCOMPARE(q.wrongKeys, (std::array<double, 3>{1, 6, 2}));
        QCOMPARE(g.lastAnswerSlot, 3);
        QCOMPARE(q.captions, (std::array<QString, 4>{"坐标轴", "直线", "锐角", "钝角"}));
        QCOMPARE(r.scriptedLeft(), std::size_t(0));
    }

    void colourQuestionShowsOnlyOneColourName() {
        core::Random r;
        r.pin(7);
        core::Globals g;
        for (int item = ShapeCatalogue::place(ShapeCatalogue::kFirstColour); item <= ShapeCatalogue::kCount;
             ++item) {
            const core::FourChoice q = geometry::placeShapeNames(r, g, ShapeCatalogue::at(item));
            int colours = 0;
            for (const QString &c : q.captions)
                colours += c.endsWith(QStringLiteral("色"));
            QCOMPARE(colours, 1);
        }
    }
};

QTEST_MAIN(ShapeQuestionTest)
#include "ShapeQuestionTest.moc"
