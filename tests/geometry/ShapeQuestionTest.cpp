#include "geometry/ShapeQuestion.h"
#include "geometry/ShapeCatalogue.h"

#include <QSet>
#include <QTest>

using geometry::ShapeCatalogue;

class ShapeQuestionTest : public QObject {
    Q_OBJECT

    const QStringList firstSix = {"坐标轴", "直线", "线段", "锐角", "直角", "钝角"};

  private slots:
    void catalogueNames() {
        const QStringList expected = {
            "坐标轴",     "直线",       "线段",       "锐角",       "直角",           "钝角",
            "锐角三角形", "钝角三角形", "等腰三角形", "直角三角形", "等腰直角三角形", "等边三角形",
            "长方形",     "正方形",     "菱形",       "等腰梯形",   "直角梯形",       "圆",
            "椭圆",       "五角星",     "正六边形",   "正方体",     "圆柱体",         "长方体",
            "圆锥体",     "三棱锥",     "平行线",     "相交线",     "圆与切线",       "正玄曲线",
            "余玄曲线",   "正切曲线",   "余切曲线",   "抛物线",     "黑色",           "蓝色",
            "绿色",       "青色",       "洋红色",     "紫色",       "棕色",           "白色",
            "灰色",       "淡蓝色",     "淡绿色",     "淡青色",     "红色",           "粉红色",
            "黄色",       "强白色"};
        QStringList names;
        for (int i = 1; i <= ShapeCatalogue::kCount; ++i)
            names << ShapeCatalogue::name(i);
        QCOMPARE(names, expected);
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
        core::Globals g;
        r.script({rnd});
        QCOMPARE(geometry::drawShapeItem(r, g), item);
        // The item shares the menu's mode variable.
        QCOMPARE(g.menuMode, item);
    }

    // Every item, many questions: the right name on answerSlot1, three different wrong names
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
            const auto captions = geometry::placeShapeNames(r, g, item);
            const QSet<int> places{g.answerSlot1, g.answerSlot2, g.answerSlot3, g.answerSlot4};
            QCOMPARE(places, (QSet<int>{1, 2, 3, 4}));
            QCOMPARE(captions[g.answerSlot1 - 1], ShapeCatalogue::name(item));
            QSet<QString> wrong;
            for (int k : {g.answerSlot2, g.answerSlot3, g.answerSlot4}) {
                QVERIFY2(firstSix.contains(captions[k - 1]), qPrintable(captions[k - 1]));
                QVERIFY(captions[k - 1] != ShapeCatalogue::name(item));
                wrong << captions[k - 1];
            }
            QCOMPARE(wrong.size(), 3);
            QCOMPARE(captions[g.answerSlot2 - 1], ShapeCatalogue::name(int(g.wrongChoice1)));
            QCOMPARE(captions[g.answerSlot3 - 1], ShapeCatalogue::name(int(g.wrongChoice2)));
            QCOMPARE(captions[g.answerSlot4 - 1], ShapeCatalogue::name(int(g.wrongChoice3)));
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
        const auto captions = geometry::placeShapeNames(r, g, 4);
        QCOMPARE(g.answerSlot1, 3);
        QCOMPARE(g.answerSlot2, 1);
        QCOMPARE(g.answerSlot3, 4);
        QCOMPARE(g.answerSlot4, 2);
        QCOMPARE(g.wrongChoice1, 1.0);
        QCOMPARE(g.wrongChoice2, 6.0);
        QCOMPARE(g.wrongChoice3, qint16(2));
        QCOMPARE(g.lastAnswerSlot, 3);
        QCOMPARE(captions, (std::array<QString, 4>{"坐标轴", "直线", "锐角", "钝角"}));
        QCOMPARE(r.scriptedLeft(), std::size_t(0));
    }

    void colourQuestionShowsOnlyOneColourName() {
        core::Random r;
        r.pin(7);
        core::Globals g;
        for (int item = ShapeCatalogue::kFirstColour; item <= ShapeCatalogue::kCount; ++item) {
            const auto captions = geometry::placeShapeNames(r, g, item);
            int colours = 0;
            for (const QString &c : captions)
                colours += c.endsWith(QStringLiteral("色"));
            QCOMPARE(colours, 1);
        }
    }
};

QTEST_MAIN(ShapeQuestionTest)
#include "ShapeQuestionTest.moc"
