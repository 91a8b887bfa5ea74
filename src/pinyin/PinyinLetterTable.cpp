#include "pinyin/PinyinLetterTable.h"

#include <bitset>
#include <functional>

namespace pinyin {

QString groupName(Group g) {
    switch (g) {
    case Group::Simple:
        return QStringLiteral("单韵母");
    case Group::Compound:
        return QStringLiteral("复韵母");
    case Group::BackNasal:
        return QStringLiteral("后鼻韵母");
    case Group::Initial:
        return QStringLiteral("声母");
    }
    return {};
}

QString letter(int k) {
    return QString::fromUtf8(kLetters[k - 1].letter);
}

QString rhyme(int k) {
    return QString::fromUtf8(kLetters[k - 1].rhyme);
}

QString gameCaption(int k) {
    // The games say the two retroflex initials with their reading vowel; "sh" stays as it is.
    if (k == 39) return QStringLiteral("zhi");
    if (k == 40) return QStringLiteral("chi");
    return letter(k);
}

QString pressedLetter(QStringView built, int k) {
    QString l = letter(k);
    // Only the initials j, q, x and y end in one of these letters.
    if (!built.isEmpty() && QStringView(u"jqxy").contains(built.back())) l.replace(QChar(0x00FC), u'u');
    return l;
}

QList<int> disabledAfter(int k) {
    switch (k) {
    case 1:
        return {2, 4};
    case 2:
        return {5};
    case 3:
        return {4};
    case 4:
        return {3, 5, 6};
    case 5:
        return {3, 4};
    case 6:
        return {3, 4};
    default:
        break;
    }
    // One letter of each of the other groups per attempt: a compound or back-nasal final is
    // entered with its own button, never as two letters.
    QList<int> group;
    const LetterRange r = groupRange(groupOf(k));
    for (int j = r.first; j <= r.last; ++j)
        group << j;
    return group;
}

std::optional<LetterRange> gameRange(int mode) {
    switch (mode) {
    case 2:
        return groupRange(Group::Simple);
    case 3:
        return groupRange(Group::Compound);
    case 4:
        return groupRange(Group::BackNasal);
    case 5:
        return groupRange(Group::Initial);
    case 6:
        return LetterRange{1, kLetterCount};
    default:
        return std::nullopt;
    }
}

QList<int> spell(const QString &text) {
    using Disabled = std::bitset<kLetterCount + 1>;
    QList<int> path;
    const std::function<bool(qsizetype, Disabled)> from = [&](qsizetype pos, Disabled disabled) {
        if (pos == text.size()) return !path.isEmpty();
        for (int k = 1; k <= kLetterCount; ++k) {
            if (disabled[k]) continue;
            const QString c = pressedLetter(QStringView(text).left(pos), k);
            if (QStringView(text).mid(pos).startsWith(c)) {
                Disabled next = disabled;
                for (int j : disabledAfter(k))
                    next.set(j);
                path << k;
                if (from(pos + c.size(), next)) return true;
                path.removeLast();
            }
        }
        return false;
    };
    if (!from(0, Disabled{})) path.clear();
    return path;
}

} // namespace pinyin
