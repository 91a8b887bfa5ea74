// The stroke matcher on the shipped strokes of lesson 1: lines as a child draws them are taken,
// a line along another stroke of the same character is not, and each kind of wrong line gets
// its own verdict.

#include "hanzi/StrokeMatcher.h"
#include "services/StrokeData.h"

#include <QTest>
#include <cmath>

using namespace hanzi;
using services::kStrokeBox;

Q_DECLARE_METATYPE(hanzi::StrokeVerdict)

namespace {

const QString kLessonOne = QStringLiteral("一二三四五六七八九十");

const services::StrokeData &shipped() {
    static const services::StrokeData data =
        services::StrokeData::open(QStringLiteral(LUMIBO_SOURCE_DIR "/data/strokes/strokes.dat"));
    return data;
}

Polyline medianOf(const QString &character, int stroke) {
    const auto c = shipped().character(character.toUcs4().first());
    if (!c || stroke >= int(c->strokes.size())) return {};
    return c->strokes[stroke].median;
}

// How a child's line differs from the median, in fractions of the grid.
struct Hand {
    QPointF shift = {};   // the whole line off to one side
    double wobble = 0;    // how far it swings across the stroke, to each side
    double lateStart = 0; // how much of the stroke's start is left out
    double overshoot = 0; // how far it runs on past the end
};

// The median as a hand draws it: shifted, swinging across the stroke in waves a quarter of the
// grid long, its start left out and its end run past; points every 1/100 of the grid, as mouse
// moves come.
Polyline drawn(const Polyline &median, const Hand &hand) {
    const double length = polylineLength(median);
    const double from = hand.lateStart * kStrokeBox, to = length + hand.overshoot * kStrokeBox;
    const double step = 0.01 * kStrokeBox, wave = 0.25 * kStrokeBox;
    Polyline out;
    for (double s = from; s <= to + 1e-9; s += step) {
        const double at = std::min(s, length);
        QPointF p = pointAtLength(median, at);
        const QPointF ahead =
            pointAtLength(median, std::min(at + 1, length)) - pointAtLength(median, std::max(at - 1, 0.0));
        const double n = std::hypot(ahead.x(), ahead.y());
        const QPointF way = n > 0 ? ahead / n : QPointF(1, 0);
        if (s > length) p += way * (s - length);
        const QPointF across(-way.y(), way.x());
        p += across * (hand.wobble * kStrokeBox * std::sin(2 * M_PI * s / wave)) + hand.shift * kStrokeBox;
        out.push_back(p);
    }
    return out;
}

Polyline reversed(Polyline line) {
    std::reverse(line.begin(), line.end());
    return line;
}

// Back and forth along the stroke: to its middle, back to the start, then to the end.
Polyline toAndFro(const Polyline &median) {
    const double length = polylineLength(median);
    Polyline out;
    for (double s : {0.0, 0.5, 0.1, 0.6, 0.2, 0.7, 0.3, 0.8, 0.4, 1.0})
        out.push_back(pointAtLength(median, s * length));
    return out;
}

// Zigzags along the stroke, swinging `across` (of the grid) to each side at every `step` of it.
Polyline zigzag(const Polyline &median, double across, double step) {
    const double length = polylineLength(median);
    Polyline out;
    int k = 0;
    for (double s = 0; s <= length; s += step * kStrokeBox, ++k) {
        const QPointF ahead = pointAtLength(median, s + 1) - pointAtLength(median, s);
        const double n = std::hypot(ahead.x(), ahead.y());
        const QPointF side = n > 0 ? QPointF(-ahead.y(), ahead.x()) / n : QPointF(0, 1);
        out.push_back(pointAtLength(median, s) + side * ((k % 2 ? across : -across) * kStrokeBox));
    }
    out.push_back(median.back());
    return out;
}

Polyline partOf(const Polyline &median, double from, double to) {
    const double length = polylineLength(median);
    Polyline out;
    for (double s = from * length; s <= to * length + 1e-9; s += 5)
        out.push_back(pointAtLength(median, s));
    return out;
}

const char *name(StrokeVerdict v) {
    switch (v) {
    case StrokeVerdict::Right:
        return "Right";
    case StrokeVerdict::NothingDrawn:
        return "NothingDrawn";
    case StrokeVerdict::OffTheStroke:
        return "OffTheStroke";
    case StrokeVerdict::Scribble:
        return "Scribble";
    case StrokeVerdict::Backwards:
        return "Backwards";
    case StrokeVerdict::MissedStart:
        return "MissedStart";
    case StrokeVerdict::MissedEnd:
        return "MissedEnd";
    }
    return "?";
}

// The hands of lesson 1: shifted each way by up to 0.06 of the grid, wobbling by 0.04, starting
// a little late and running a little past.
std::vector<Hand> childHands() {
    std::vector<Hand> hands{{}};
    for (QPointF shift : {QPointF(0.06, 0), QPointF(-0.06, 0), QPointF(0, 0.06), QPointF(0, -0.06),
                          QPointF(0.04, 0.04), QPointF(-0.04, 0.04)})
        hands.push_back({.shift = shift, .wobble = 0.04, .lateStart = 0.05, .overshoot = 0.05});
    hands.push_back({.wobble = 0.05});
    hands.push_back({.lateStart = 0.1, .overshoot = 0.08});
    return hands;
}

} // namespace

class StrokeMatcherTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QVERIFY2(shipped().isValid(), qPrintable(shipped().problem())); }

    void verdicts_data() {
        QTest::addColumn<Polyline>("line");
        QTest::addColumn<Polyline>("median");
        QTest::addColumn<StrokeVerdict>("verdict");
        const Polyline ten = medianOf(QStringLiteral("十"), 0), tenDown = medianOf(QStringLiteral("十"), 1);
        const Polyline threeTop = medianOf(QStringLiteral("三"), 0),
                       threeMiddle = medianOf(QStringLiteral("三"), 1);
        const Polyline one = medianOf(QStringLiteral("一"), 0);
        const Polyline sixDot = medianOf(QStringLiteral("六"), 0);
        const Polyline fourTurn = medianOf(QStringLiteral("四"), 1); // 横折: across, then down
        const Polyline nineHook = medianOf(QStringLiteral("九"), 1); // 横折弯钩
        const QPointF dotMiddle = pointAtLength(sixDot, polylineLength(sixDot) / 2);

        QTest::newRow("the stroke itself") << ten << ten << StrokeVerdict::Right;
        QTest::newRow("a child's shaky line")
            << drawn(ten, {.shift = {0.05, 0.05}, .wobble = 0.05}) << ten << StrokeVerdict::Right;
        QTest::newRow("the 横折弯钩 of 九, shaky")
            << drawn(nineHook, {.shift = {0, 0.04}, .wobble = 0.04}) << nineHook << StrokeVerdict::Right;
        QTest::newRow("reversed") << reversed(ten) << ten << StrokeVerdict::Backwards;
        QTest::newRow("the upright reversed") << reversed(tenDown) << tenDown << StrokeVerdict::Backwards;
        QTest::newRow("another stroke: 三's middle for its top")
            << threeMiddle << threeTop << StrokeVerdict::OffTheStroke;
        QTest::newRow("another stroke: 十's upright for its cross")
            << tenDown << ten << StrokeVerdict::OffTheStroke;
        QTest::newRow("too far off: a fifth of the grid below")
            << drawn(ten, {.shift = {0, 0.2}}) << ten << StrokeVerdict::OffTheStroke;
        QTest::newRow("a scribble to and fro") << toAndFro(ten) << ten << StrokeVerdict::Scribble;
        QTest::newRow("a wide zigzag") << zigzag(ten, 0.1, 0.05) << ten << StrokeVerdict::Scribble;
        // Each zig runs at 58 degrees to the stroke: not yet off its way, but nearly twice its length.
        QTest::newRow("a tight zigzag") << zigzag(one, 0.04, 0.05) << one << StrokeVerdict::Scribble;
        // A dot may be drawn longer than itself (a short dash), so here the zigs' angle tells.
        QTest::newRow("a zigzag on a dot") << zigzag(sixDot, 0.02, 0.02) << sixDot << StrokeVerdict::Scribble;
        // A click's jitter, here up and to the left against the dot's way, is no direction.
        QTest::newRow("a dot tapped for a dot")
            << Polyline{dotMiddle, dotMiddle + QPointF(-3, -2)} << sixDot << StrokeVerdict::Right;
        QTest::newRow("a dot drawn as a dash")
            << drawn(sixDot, {.wobble = 0.02}) << sixDot << StrokeVerdict::Right;
        QTest::newRow("a dash drawn up the dot") << reversed(sixDot) << sixDot << StrokeVerdict::Backwards;
        QTest::newRow("a tap for a long stroke") << Polyline{ten.front()} << ten << StrokeVerdict::MissedEnd;
        // 一 is 0.78 of the grid long: a fifth of the grid is a quarter of it.
        QTest::newRow("started a fifth of the grid late")
            << partOf(one, 0.25, 1) << one << StrokeVerdict::MissedStart;
        QTest::newRow("stopped a fifth of the grid short")
            << partOf(one, 0, 0.75) << one << StrokeVerdict::MissedEnd;
        QTest::newRow("a corner cut wide")
            << Polyline{fourTurn.front(), pointAtLength(fourTurn, 300), fourTurn.back()} << fourTurn
            << StrokeVerdict::OffTheStroke;
        // The cut keeps within reach of both sides of the corner, and still leaves the corner out.
        const Polyline turn{{100, 200}, {700, 200}, {700, 800}};
        QTest::newRow("a corner cut close") << Polyline{{100, 200}, {450, 200}, {700, 450}, {700, 800}}
                                            << turn << StrokeVerdict::OffTheStroke;
        QTest::newRow("the corner written")
            << Polyline{{100, 200}, {690, 210}, {700, 800}} << turn << StrokeVerdict::Right;
        QTest::newRow("nothing drawn") << Polyline{} << ten << StrokeVerdict::NothingDrawn;
    }

    void verdicts() {
        QFETCH(Polyline, line);
        QFETCH(Polyline, median);
        QFETCH(StrokeVerdict, verdict);
        QVERIFY(!median.empty());
        const StrokeVerdict got = matchStroke(line, median);
        QVERIFY2(got == verdict,
                 qPrintable(QStringLiteral("got %1, expected %2").arg(name(got), name(verdict))));
    }

    // The tolerances' purpose: every stroke of lesson 1, drawn by a five-year-old's hand, is taken.
    void aChildWritesLessonOne() {
        for (QChar c : kLessonOne) {
            const auto character = shipped().character(c.unicode());
            QVERIFY(character);
            const auto &strokes = character->strokes;
            for (std::size_t s = 0; s < strokes.size(); ++s) {
                int hand = 0;
                for (const Hand &h : childHands()) {
                    const StrokeVerdict got = matchStroke(drawn(strokes[s].median, h), strokes[s].median);
                    QVERIFY2(got == StrokeVerdict::Right,
                             qPrintable(QStringLiteral("%1 stroke %2, hand %3: %4")
                                            .arg(c)
                                            .arg(s + 1)
                                            .arg(hand)
                                            .arg(name(got))));
                    ++hand;
                }
            }
        }
    }

    // ... and a stroke of lesson 1 is never taken for another stroke of the same character.
    void anotherStrokeOfLessonOneIsRefused() {
        for (QChar c : kLessonOne) {
            const auto character = shipped().character(c.unicode());
            QVERIFY(character);
            const auto &strokes = character->strokes;
            for (std::size_t wanted = 0; wanted < strokes.size(); ++wanted)
                for (std::size_t other = 0; other < strokes.size(); ++other) {
                    if (other == wanted) continue;
                    const StrokeVerdict got = matchStroke(strokes[other].median, strokes[wanted].median);
                    QVERIFY2(got != StrokeVerdict::Right,
                             qPrintable(QStringLiteral("%1: stroke %2 taken for stroke %3")
                                            .arg(c)
                                            .arg(other + 1)
                                            .arg(wanted + 1)));
                }
        }
    }

    // The median's own shape and a line of a single point are handled without a median piece.
    void degenerateMedians() {
        QCOMPARE(matchStroke({{10, 10}}, {}), StrokeVerdict::OffTheStroke);
        QCOMPARE(matchStroke({{10, 10}}, {{12, 12}}), StrokeVerdict::Right);
        QCOMPARE(matchStroke({{10, 10}, {400, 10}}, {{12, 12}, {12, 12}}), StrokeVerdict::OffTheStroke);
    }
};

QTEST_GUILESS_MAIN(StrokeMatcherTest)
#include "StrokeMatcherTest.moc"
