#include "app/MenuTable.h"

#include "app/ScreenNames.h"

namespace app {

namespace {

using Kind = MenuItem::Kind;

MenuItem separator(const char *name) {
    return {.kind = Kind::Separator, .name = QString::fromUtf8(name), .caption = "-"};
}

MenuItem plain(const char *name, const char *caption, const QString &screen) {
    return {.kind = Kind::Open,
            .name = QString::fromUtf8(name),
            .caption = QString::fromUtf8(caption),
            .screen = screen};
}

// An item that picks a variant of its screen, which then goes by the title given.
MenuItem variant(const char *name, const char *caption, const QString &screen, const char *title, int mode,
                 bool showEquals = true) {
    return {.kind = Kind::Open,
            .name = QString::fromUtf8(name),
            .caption = QString::fromUtf8(caption),
            .screen = screen,
            .choice = {.title = QString::fromUtf8(title), .mode = mode, .showEquals = showEquals}};
}

// The drills' items: the caption is also the title.
MenuItem addition(const char *name, const char *caption, int mode) {
    return variant(name, caption, screens::kAddition, caption, mode);
}
MenuItem subtraction(const char *name, const char *caption, int mode) {
    return variant(name, caption, screens::kSubtraction, caption, mode);
}
MenuItem olympiad(const char *name, const char *caption, const char *title, int mode,
                  bool showEquals = true) {
    return variant(name, caption, screens::kOlympiad, title, mode, showEquals);
}
MenuItem pinyinGame(const char *name, const char *caption, const char *title, int mode) {
    return variant(name, caption, screens::kPinyinGames, title, mode);
}

} // namespace

const std::vector<TopMenu> &menuTable() {
    static const std::vector<TopMenu> table = {
        {"jiafa",
         "少儿加法",
         {addition("less10", "一位数加一位数(和小于10)", 1),
          addition("less20", "一位数加一位数(和大于10)", 2), separator("line1"),
          addition("less30", "一位数加两位数(和小于50)", 3),
          addition("less31", "一位数加两位数(和大于50)", 4), separator("line2"),
          addition("less40", "两位数加两位数(和小于100)", 5),
          addition("less41", "两位数加两位数(和大于100)", 6)}},
        {"chenfa",
         "少儿减法",
         {subtraction("minus100", "一位数减一位数", 1), separator("line3"),
          subtraction("minus102", "两位数减一位数", 2), separator("line4"),
          subtraction("minus104", "两位数减两位数", 3)}},
        {"cfcf",
         "少儿乘除",
         {plain("jianfa", "少儿乘法", screens::kMultiplication), separator("line7"),
          plain("chufa", "少儿除法", screens::kDivision)}},
        {"jjcc",
         "奥数培训",
         {olympiad("slj1", "连加口算", "连加口算(和小于60)", 1),
          olympiad("slj2", "连减口算", "连减口算(最大被减数50)", 2),
          olympiad("slj3", "加减混合", "加减混合(结果最大80)", 3), separator("line5"),
          olympiad("slj4", "连乘口算", "连乘口算", 4), olympiad("slj5", "连除口算", "连除口算", 5),
          olympiad("slj6", "乘除混合", "乘除混合", 6), separator("line6"),
          olympiad("slj7", "四则混合", "四则混合", 7), olympiad("slj8", "比例计算", "比例计算", 8, false)}},
        {"pic", "图形学习", {plain("tx1", "认识几何图形", screens::kShapes)}},
        {"renzi",
         "少儿认字",
         {plain("py1", "学习拼音", screens::kPinyinChart),
          pinyinGame("py2", "学拼音游戏(单韵母)", "单韵母游戏", 2),
          pinyinGame("py3", "学拼音游戏(复韵母)", "复韵母游戏", 3),
          pinyinGame("py4", "学拼音游戏(后鼻韵母)", "后鼻韵母游戏", 4),
          pinyinGame("py5", "学拼音游戏(声母)", "声母游戏", 5),
          pinyinGame("py6", "学拼音游戏(全部字母)", "全部字母游戏", 6),
          plain("py9", "汉字找拼音", screens::kPinyinSpelling), separator("line10"),
          plain("danzi", "认识单字", screens::kCharacterLessons),
          plain("zuci", "学习组词", screens::kWordGroupLessons), separator("line9"),
          plain("tyc", "同义词", screens::kSynonyms), plain("fyc", "反义词", screens::kAntonyms),
          plain("cmy", "猜谜语", screens::kRiddles), separator("line12"),
          plain("chenyu", "成语学习", screens::kIdioms), plain("tangshi", "唐诗学习", screens::kPoemStudy),
          plain("tangshiyx", "唐诗游戏", screens::kPoemGame)}},
        {"endlish",
         "少儿英语",
         {plain("yy1", "学习单词", screens::kWordStudyChoice),
          plain("yy2", "背诵单词", screens::kRecitationChoice),
          plain("yy3", "连连看(游戏)", screens::kLinkGameChoice)}},
        {"jiazhang",
         "家长",
         {MenuItem{.kind = Kind::Guarded, .name = "xuexijilu", .caption = "学习记录", .screen = screens::kLearningRecord}}},
        {"help",
         "帮助",
         {plain("bangzhu", "软件帮助", screens::kHelp),
          MenuItem{.kind = Kind::About, .name = "aboutauthor", .caption = "关于作者"},
          MenuItem{.kind = Kind::Quit, .name = "tuichu", .caption = "退出"}}},
    };
    return table;
}

const MenuItem *findMenuItem(const QString &name) {
    for (const TopMenu &top : menuTable())
        for (const MenuItem &item : top.items)
            if (item.name == name) return &item;
    return nullptr;
}

} // namespace app
