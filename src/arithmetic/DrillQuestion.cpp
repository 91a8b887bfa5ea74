#include "arithmetic/DrillQuestion.h"

#include "core/FourChoice.h"

#include <cmath>

namespace arithmetic {

core::FourChoice placeAnswers(core::Random &rnd, core::Globals &g, double correct,
                              const std::function<double()> &drawWrong) {
    return core::placeFourChoice(rnd, g, correct, formatNumber,
                                 core::WrongPool{drawWrong, core::WrongPool::kUnlisted, {}});
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
