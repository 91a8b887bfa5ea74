#pragma once

#include <QString>

// Every screen's control name, once: the menu table opens a screen by it, its area registers
// the screen under it, and the window carries it as objectName.
namespace screens {

inline const QString kMain = QStringLiteral("Main");
inline const QString kHelp = QStringLiteral("帮助1");

inline const QString kAddition = QStringLiteral("jiafa10");
inline const QString kSubtraction = QStringLiteral("jianfa100");
inline const QString kMultiplication = QStringLiteral("chenfa100");
inline const QString kDivision = QStringLiteral("chufa100");
inline const QString kOlympiad = QStringLiteral("jjccform");
inline const QString kOperationTable = QStringLiteral("口诀表");

inline const QString kShapes = QStringLiteral("tpform");

inline const QString kPinyinChart = QStringLiteral("xuepyform");
inline const QString kPinyinGames = QStringLiteral("pyyx1form");
inline const QString kPinyinSpelling = QStringLiteral("pyyxform");

inline const QString kCharacterLessons = QStringLiteral("renzidan");
// The stroke order of a lesson's character: a child screen of the character lessons.
inline const QString kStrokeOrder = QStringLiteral("bishun");
inline const QString kWordGroupLessons = QStringLiteral("renzicizu");
inline const QString kSynonyms = QStringLiteral("同义词");
inline const QString kAntonyms = QStringLiteral("反义词");
inline const QString kRiddles = QStringLiteral("猜谜语");
inline const QString kIdioms = QStringLiteral("学成语");

inline const QString kPoemStudy = QStringLiteral("tangshiform");
inline const QString kPoemGame = QStringLiteral("唐诗游戏");

inline const QString kWordStudyChoice = QStringLiteral("xuexi");
inline const QString kRecitationChoice = QStringLiteral("bdcxz");
inline const QString kLinkGameChoice = QStringLiteral("llkxz");
inline const QString kWordStudy = QStringLiteral("学单词");
inline const QString kRecitation = QStringLiteral("背单词");
inline const QString kLinkGame = QStringLiteral("连连看");

inline const QString kMaintenance = QStringLiteral("dataform");

inline const QString kLearningRecord = QStringLiteral("学习记录");
inline const QString kRest = QStringLiteral("休息");

} // namespace screens
