#include "arithmetic/AnswerPlacement.h"

#include <cmath>

namespace arithmetic {

namespace {
int drawSlot(app::Random &rnd) {
    return rnd.range(4, 1);
}
} // namespace

std::array<QString, 4> placeAnswers(app::Random &rnd, app::Globals &g, double correct,
                                    const std::function<double()> &drawWrong) {
    std::array<QString, 4> captions;
    do
        g.answerSlot1 = drawSlot(rnd);
    while (g.answerSlot1 == g.lastAnswerSlot);
    g.lastAnswerSlot = g.answerSlot1;
    captions[g.answerSlot1 - 1] = formatNumber(correct);

    do
        g.answerSlot2 = drawSlot(rnd);
    while (g.answerSlot2 == g.answerSlot1);
    do
        g.wrongChoice1 = drawWrong();
    while (g.wrongChoice1 == correct);
    captions[g.answerSlot2 - 1] = formatNumber(g.wrongChoice1);

    do
        g.answerSlot3 = drawSlot(rnd);
    while (g.answerSlot3 == g.answerSlot1 || g.answerSlot3 == g.answerSlot2);
    do
        g.wrongChoice2 = drawWrong();
    while (g.wrongChoice2 == correct || g.wrongChoice2 == g.wrongChoice1);
    captions[g.answerSlot3 - 1] = formatNumber(g.wrongChoice2);

    do
        g.answerSlot4 = drawSlot(rnd);
    while (g.answerSlot4 == g.answerSlot1 || g.answerSlot4 == g.answerSlot2 ||
           g.answerSlot4 == g.answerSlot3);
    do
        g.wrongChoice3 = static_cast<qint16>(std::lround(drawWrong()));
    while (g.wrongChoice3 == correct || g.wrongChoice3 == g.wrongChoice2 || g.wrongChoice3 == g.wrongChoice1);
    captions[g.answerSlot4 - 1] = formatNumber(g.wrongChoice3);
    return captions;
}

QString formatNumber(double v) {
    if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e15)
        return QString::number(static_cast<qint64>(v));
    return QString::number(v, 'g', 15);
}

double leadingValue(const QString &caption) {
    int i = 0;
    const int n = caption.size();
    while (i < n && caption[i].isSpace())
        ++i;
    const int start = i;
    if (i < n && (caption[i] == QLatin1Char('-') || caption[i] == QLatin1Char('+'))) ++i;
    bool digits = false;
    while (i < n && caption[i].isDigit() && caption[i].unicode() < 128) {
        ++i;
        digits = true;
    }
    if (i < n && caption[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && caption[i].isDigit() && caption[i].unicode() < 128) {
            ++i;
            digits = true;
        }
    }
    if (!digits) return 0;
    return caption.mid(start, i - start).toDouble();
}

} // namespace arithmetic
