#pragma once

// The 47 pinyin letters in chart order, each with its group and the rhyme that helps a child
// remember it. Letter k (1..47) is button Button9(k) on every pinyin screen and slice k of
// sound.wav. The plain data below needs nothing but the standard library, so the sound
// generator can check its own list against it.

#include "core/SoundSheet.h"

#include <QList>
#include <QString>
#include <cstring>
#include <iterator>
#include <optional>

namespace pinyin {

enum class Group { Simple, Compound, BackNasal, Initial };

struct LetterEntry {
    const char *letter; // UTF-8, ü with its diaeresis
    Group group;
    const char *rhyme; // the tooltip, blanks and all
};

inline constexpr LetterEntry kLetters[] = {
    {"a", Group::Simple, "啊：小嘴张大啊啊啊"},      {"o", Group::Simple, "喔：嘴巴圆圆喔喔喔"},
    {"e", Group::Simple, "鹅：扁扁嘴巴鹅鹅鹅"},      {"i", Group::Simple, "衣：牙齿对齐衣衣衣"},
    {"u", Group::Simple, "乌：嘴巴小园乌乌乌"},      {"ü", Group::Simple, "鱼：嘴巴翘起鱼鱼鱼"},
    {"ai", Group::Compound, "挨：挨着挨着挨挨挨"},   {"ei", Group::Compound, "诶：用力劈柴诶诶诶"},
    {"ui", Group::Compound, "围：危险危险危危危"},   {"ao", Group::Compound, "袄：凹镜凹镜凹凹凹"},
    {"ou", Group::Compound, "鸥：海鸥飞翔鸥鸥鸥"},   {"iu", Group::Compound, "游：优秀优秀优优优"},
    {"ie", Group::Compound, "椰：椰树椰树椰椰椰"},   {"üe", Group::Compound, "月：节约用水约约约"},
    {"er", Group::Compound, "耳：耳朵耳朵耳耳耳"},   {"an", Group::Compound, "安：天安门  安安安"},
    {"en", Group::Compound, "摁：恩爱恩爱恩恩恩"},   {"in", Group::Compound, "印：树荫树荫荫荫荫"},
    {"un", Group::Compound, "温：温度温度温温温"},   {"ün", Group::Compound, "云：头晕头晕晕晕晕"},
    {"ang", Group::BackNasal, "肮：肮脏肮脏肮肮肮"}, {"eng", Group::BackNasal, "灯：电灯电灯灯灯灯"},
    {"ing", Group::BackNasal, "鹰：雄鹰雄鹰鹰鹰鹰"}, {"ong", Group::BackNasal, "嗡：蜜蜂蜜蜂嗡嗡嗡"},
    {"b", Group::Initial, "播：右下圆圈播播播"},     {"p", Group::Initial, "泼：右上圆圈泼泼泼"},
    {"m", Group::Initial, "摸：两个门洞摸摸摸"},     {"f", Group::Initial, "佛：伞柄朝上佛佛佛"},
    {"d", Group::Initial, "得：左下圆圈嘚嘚嘚"},     {"t", Group::Initial, "特：伞柄朝下特特特"},
    {"n", Group::Initial, "讷：一个门洞讷讷讷"},     {"l", Group::Initial, "乐：一根棍子乐乐乐"},
    {"g", Group::Initial, "鸽：q 字加钩歌歌歌"},     {"k", Group::Initial, "蝌：像挺机枪蝌蝌蝌"},
    {"h", Group::Initial, "喝：像把椅子喝喝喝"},     {"j", Group::Initial, "鸡：小鸡小鸡叽叽叽"},
    {"q", Group::Initial, "旗：左上圆圈旗旗旗"},     {"x", Group::Initial, "西：一个大叉西西西"},
    {"zh", Group::Initial, "织：z字加 h 读作织 "},   {"ch", Group::Initial, "吃：c字加 h 吃吃吃"},
    {"sh", Group::Initial, "狮：s字加 h 狮狮狮"},    {"r", Group::Initial, "日：小树发芽日日日"},
    {"z", Group::Initial, "字：像个2 字字字字"},     {"c", Group::Initial, "刺：半个圆圈刺刺刺"},
    {"s", Group::Initial, "丝：像蚕吐丝丝丝丝"},     {"y", Group::Initial, "衣：像个树杈衣衣衣"},
    {"w", Group::Initial, "屋：两座房屋屋屋屋"},
};

inline constexpr int kLetterCount = int(std::size(kLetters));
static_assert(kLetterCount == core::letters::kCount, "one sound slice per letter");

struct LetterRange {
    int first;
    int last;
    constexpr bool contains(int k) const { return k >= first && k <= last; }
    constexpr int size() const { return last - first + 1; }
};

// Letters 1-6, 7-20, 21-24, 25-47.
constexpr LetterRange groupRange(Group g) {
    switch (g) {
    case Group::Simple:
        return {1, 6};
    case Group::Compound:
        return {7, 20};
    case Group::BackNasal:
        return {21, 24};
    case Group::Initial:
        return {25, 47};
    }
    return {1, 0};
}

constexpr Group groupOf(int k) {
    return kLetters[k - 1].group;
}

QString groupName(Group g);

// Letter k as the chart writes it ("ü", "zh").
QString letter(int k);
QString rhyme(int k);
// As the listening games' answer buttons write it: "zhi" and "chi" for letters 39 and 40.
QString gameCaption(int k);
// What letter k adds to the spelling game's answer built so far: the letter as the chart writes
// it, except that ü drops its dots right after j, q, x and y, as pinyin writes ju, que, xuan, yun.
QString pressedLetter(QStringView built, int k);

// The letters the spelling game disables after letter k was clicked.
QList<int> disabledAfter(int k);

// The letters a listening game asks in menu mode 2..6; none for any other mode.
std::optional<LetterRange> gameRange(int mode);

// One way to put text together with the spelling game's buttons under its disabling rules and
// pressedLetter(), as letter numbers in click order; empty when there is none (or the text is
// empty).
QList<int> spell(const QString &text);

} // namespace pinyin
