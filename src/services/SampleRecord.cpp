#include "services/SampleRecord.h"

#include "services/LearningRecord.h"

#include <random>

namespace services {

namespace {

struct AreaSample {
    Area area;
    const char *screen;
    const char *mode;
};

const AreaSample kSamples[] = {
    {Area::Arithmetic, "jiafa10", "一位数加一位数(和小于10)"},
    {Area::Pinyin, "pyyx1form", "单韵母游戏"},
    {Area::Hanzi, "renzidan", "第3课"},
    {Area::Poems, "唐诗游戏", "静夜思"},
    {Area::English, "背单词", "第一册 第2组"},
    {Area::Geometry, "tpform", "认识几何图形"},
};

const char16_t kCharacters[] = u"山水火木土日月人口手目耳田天地上下大小中左右来去花草鸟鱼虫马牛羊";
constexpr int kCharacterCount = int(sizeof(kCharacters) / sizeof(char16_t)) - 1;
const char *const kWords[] = {"cat", "dog", "bird", "fish", "duck", "apple", "red", "blue", "sun", "moon"};
const char *const kShapes[] = {"三角形", "正方形", "长方形", "圆形", "梯形", "平行四边形"};

// The n-th item of an area's pool, as its screen would show it.
QString item(Area area, int n) {
    switch (area) {
    case Area::Arithmetic:
        return QStringLiteral("%1+%2").arg(n % 10).arg(n / 10 % 10);
    case Area::Pinyin:
        return QString(QChar(u"āáǎàōóǒòēéěèīíǐìūúǔù"[n % 20])) + QString::number(n / 20);
    case Area::Hanzi:
        return QString(QChar(kCharacters[n % kCharacterCount])) +
               QString(QChar(kCharacters[n / kCharacterCount % kCharacterCount]));
    case Area::Poems:
        return QStringLiteral("第%1句").arg(n % 40 + 1);
    case Area::English:
        return QString::fromLatin1(kWords[n % 10]) + QString::number(n / 10);
    case Area::Geometry:
        return QString::fromUtf8(kShapes[n % 6]);
    }
    return {};
}

} // namespace

void fillSampleRecord(LearningRecord &record, QDate today, int days, int roundsPerDay, int missesPerRound,
                      unsigned seed) {
    std::mt19937 random(seed);
    auto below = [&](int n) { return int(random() % unsigned(n)); };
    for (QDate day = today.addDays(1 - days); day <= today; day = day.addDays(1)) {
        for (int r = 0; r < roundsPerDay; ++r) {
            // Some areas more than others, as a child has favourites.
            const AreaSample &s = kSamples[below(10) < 4 ? 0 : below(6)];
            Round round;
            round.screen = QString::fromUtf8(s.screen);
            round.area = s.area;
            round.mode = QString::fromUtf8(s.mode);
            round.started = QDateTime(day, QTime(8, 0).addSecs(r * 600 % 43200));
            round.seconds = 60 + below(420);
            round.wrong = missesPerRound;
            round.right = 10 + below(15);
            // Missed items lean towards the start of the pool: some are missed again and again.
            for (int m = 0; m < missesPerRound; ++m) {
                const int n = below(10) < 6 ? below(30) : below(300);
                round.misses << Answer{round.screen, item(s.area, n), item(s.area, n + 1)};
                round.hits << Answer{round.screen, item(s.area, below(300)), QString()};
            }
            record.addRound(round);
        }
    }
}

} // namespace services
