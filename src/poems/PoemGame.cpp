#include "poems/PoemGame.h"

namespace poems {

std::array<int, 4> PoemGame::shuffle(core::Random &rnd) {
    std::array<int, 4> p{};
    do {
        for (int i = 0; i < 3; ++i)
            p[i] = rnd.countFrom(4, 1);
    } while (p[0] == p[1] || p[0] == p[2] || p[1] == p[2]);
    p[3] = 10 - p[0] - p[1] - p[2];
    return p;
}

bool PoemGame::inOrder(const std::array<QString, 4> &placed, const std::array<QString, 4> &lines) {
    return placed == lines;
}

int PoemGame::next(core::Random &rnd, bool inListOrder, int solved, int count) {
    if (inListOrder) return solved + 1 < count ? solved + 1 : -1;
    if (count < 2) return -1;
    const int k = rnd.countFrom(count - 1, 0);
    return k >= solved ? k + 1 : k;
}

QString PoemGame::countText(int count) {
    return QStringLiteral("共有") + QString::number(count) + QStringLiteral("首唐诗");
}

QString PoemGame::countText(int count, int k) {
    return countText(count) + QStringLiteral("  这是第") + QString::number(k + 1) + QStringLiteral("首");
}

} // namespace poems
