#include "gallery/GalleryStates.h"

#include "app/AppContext.h"
#include "app/MenuTable.h"
#include "app/MainWindow.h"
#include "app/Navigator.h"
#include "app/RecordPage.h"
#include "app/RoundTally.h"
#include "app/ScreenNames.h"
#include "app/SingleInstance.h"
#include "arithmetic/DrillScreen.h"
#include "arithmetic/OperationTableWindow.h"
#include "arithmetic/OperationTables.h"
#include "english/BookChoiceScreen.h"
#include "english/WordScreen.h"
#include "geometry/ShapeCatalogue.h"
#include "hanzi/StrokeCanvas.h"
#include "hanzi/StrokeOrderScreen.h"
#include "hanzi/WordGameKinds.h"
#include "maintenance/DataFormScreen.h"
#include "pinyin/LetterBoard.h"
#include "pinyin/PinyinLetterTable.h"
#include "pinyin/PinyinSpellingScreen.h"
#include "poems/PoemGameScreen.h"
#include "services/LearningRecord.h"
#include "services/SampleRecord.h"
#include "ui/Backdrop.h"
#include "ui/Timer.h"
#include "ui/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <deque>
#include <stdexcept>

namespace gallery {

namespace {

// A state that cannot be reached: the screen lacks a control it needs, or is not what it expects.
struct Unreachable : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(QWidget *screen, const QString &what) {
    throw Unreachable(qUtf8Printable(screen->objectName() + QStringLiteral(": ") + what));
}

template <class T> T *control(QWidget *screen, const QString &name) {
    if (auto *c = screen->findChild<T *>(name)) return c;
    fail(
        screen,
        QStringLiteral("no control %1 (%2)").arg(name, QString::fromLatin1(T::staticMetaObject.className())));
}

template <class T> T *screenAs(QWidget *screen) {
    if (auto *s = qobject_cast<T *>(screen)) return s;
    fail(screen, QStringLiteral("not a %1").arg(QString::fromLatin1(T::staticMetaObject.className())));
}

void click(QWidget *screen, const QString &button) {
    control<QPushButton>(screen, button)->click();
}

void fire(QWidget *screen, const QString &timer, int times = 1) {
    auto *t = control<ui::Timer>(screen, timer);
    for (int i = 0; i < times; ++i)
        t->fire();
}

void clickStart(QWidget *screen, app::AppContext &) {
    click(screen, QStringLiteral("Button7"));
}

// Misses to review on the screen's list, so "复习错题" shows beside whatever then brings.
State withReview(const QString &file, const QString &list,
                 const std::function<void(QWidget *, app::AppContext &)> &then = {}) {
    return {file, [=](QWidget *screen, app::AppContext &ctx) {
                auto *recorder = dynamic_cast<services::RecordingRecorder *>(&ctx.recorder());
                auto *tally = screen->findChild<app::RoundTally *>();
                if (!recorder || !tally) fail(screen, QStringLiteral("no round tally to review with"));
                recorder->review[list] = {QStringLiteral("一")};
                tally->refreshReview();
                if (then) then(screen, ctx);
            }};
}

// The name of the first menu item that opens the screen; empty when none does.
QString menuItemOpening(const QString &screen) {
    for (const app::TopMenu &top : app::menuTable())
        for (const app::MenuItem &item : top.items)
            if (item.kind == app::MenuItem::Kind::Open && item.screen == screen) return item.name;
    return {};
}

// --- Arithmetic

// The olympiad screen in the state a menu item leaves it, then started.
State olympiadState(const QString &file, const char *item, std::initializer_list<double> draws) {
    const QString itemName = QString::fromLatin1(item);
    const std::deque<double> script(draws);
    return {file, [itemName, script](QWidget *screen, app::AppContext &ctx) {
                const app::MenuItem *menu = app::findMenuItem(itemName);
                if (!menu) fail(screen, QStringLiteral("no menu item ") + itemName);
                screenAs<arithmetic::DrillScreen>(screen)->applyMenuChoice(menu->choice);
                ctx.random.script(script);
                clickStart(screen, ctx);
            }};
}

State tableState(const QString &file, const QString &table) {
    return {file, [table](QWidget *screen, app::AppContext &) {
                const arithmetic::OperationTable *t = arithmetic::findOperationTable(table);
                if (!t) fail(screen, QStringLiteral("no table ") + table);
                screenAs<arithmetic::OperationTableWindow>(screen)->showTable(*t);
            }};
}

void addArithmetic(std::map<QString, ScreenStates> &m) {
    m[screens::kAddition] = {QStringLiteral("less31"), {{QStringLiteral("jiafa10-question"), clickStart}}};
    m[screens::kSubtraction] = {QStringLiteral("minus104"),
                                {{QStringLiteral("jianfa100-question"), clickStart}}};
    m[screens::kMultiplication] = {QStringLiteral("jianfa"),
                                   {{QStringLiteral("chenfa100-question"), clickStart}}};
    m[screens::kDivision] = {QStringLiteral("chufa"), {{QStringLiteral("chufa100-question"), clickStart}}};
    // The chains shown: 9×9×8 (a three-digit answer), 3×4+10÷2-6 and 0.6:1.5=2:?.
    m[screens::kOlympiad] = {
        QStringLiteral("slj7"),
        {olympiadState(screens::kOlympiad, "slj7", {2.5 / 9, 3.5 / 9, 1.5 / 9, 4.5 / 9, 5.5 / 9}),
         olympiadState(QStringLiteral("jjccform-连乘"), "slj4", {8.5 / 9, 8.5 / 9, 7.5 / 9}),
         olympiadState(QStringLiteral("jjccform-比例"), "slj8", {1.5 / 9, 2.5 / 9, 4.5 / 9, 0.25})}};
    m[screens::kOperationTable] = {{},
                                   {tableState(QStringLiteral("口诀表-加法"), QStringLiteral("加法口诀表")),
                                    tableState(QStringLiteral("口诀表-减法"), QStringLiteral("减法口诀表")),
                                    tableState(QStringLiteral("口诀表-乘法"), QStringLiteral("乘法口诀表"))}};
}

// --- Shapes

// Every item shown: the generator's next values pick item k and, so the pictures show each
// place in turn, the button of its name; then "开始".
void addGeometry(std::map<QString, ScreenStates> &m) {
    using geometry::ShapeCatalogue;
    ScreenStates shapes{QStringLiteral("tx1"), {}};
    for (int k = 1; k <= ShapeCatalogue::kCount; ++k)
        shapes.states.push_back(
            {QStringLiteral("tpform-%1").arg(k, 2, 10, QLatin1Char('0')),
             [k](QWidget *screen, app::AppContext &ctx) {
                 ctx.random.script({(k - 0.5) / ShapeCatalogue::kCount, ((k - 1) % 4 + 0.5) / 4});
                 clickStart(screen, ctx);
             }});
    m[screens::kShapes] = std::move(shapes);
}

// --- Characters and words

// A lesson chosen and an entry with ü on show (单字 绿, 词组 绿色), tone marks off or on. Without
// content the screen is shown as a user sees it (nothing to choose, stepping off).
State entryState(const QString &file, int lesson, int steps, bool toneMarks) {
    return {file, [=](QWidget *screen, app::AppContext &) {
                control<QCheckBox>(screen, QStringLiteral("Check1"))->setChecked(toneMarks);
                auto *combo = control<QComboBox>(screen, QStringLiteral("Combo1"));
                if (!combo->isEnabled() || combo->count() <= lesson) return;
                combo->setCurrentIndex(lesson);
                emit combo->activated(lesson);
                for (int i = 0; i < steps; ++i)
                    click(screen, QStringLiteral("Button1"));
            }};
}

// A question a little way into the table: the third entry chosen from the list.
void thirdQuestion(QWidget *screen, app::AppContext &) {
    control<QListWidget>(screen, QStringLiteral("List1"))->setCurrentRow(2);
}

// 我 written half-way: three strokes and a half of seven, the radical's first one growing.
void strokesHalfWay(QWidget *screen, app::AppContext &) {
    screenAs<hanzi::StrokeOrderScreen>(screen)->showCharacter({QStringLiteral("我"), {}});
    const int interval = control<ui::Timer>(screen, QStringLiteral("Timer1"))->interval();
    fire(screen, QStringLiteral("Timer1"), (3 * hanzi::StrokePlayer::kStepMs + hanzi::StrokePlayer::kDrawMs / 2) / interval);
}

// 我 traced: its first two strokes written by the child along their centre lines.
void strokesTraced(QWidget *screen, app::AppContext &) {
    auto *s = screenAs<hanzi::StrokeOrderScreen>(screen);
    s->showCharacter({QStringLiteral("我"), {}});
    click(screen, QStringLiteral("Button3"));
    hanzi::StrokeCanvas *canvas = s->canvas();
    if (!canvas->character()) fail(screen, QStringLiteral("no strokes for 我"));
    for (int stroke = 0; stroke < 2; ++stroke) {
        const hanzi::Polyline &median = canvas->character()->strokes[stroke].median;
        canvas->pointerDown(canvas->toWidget(median.front()));
        for (const QPointF &p : median)
            canvas->pointerMove(canvas->toWidget(p));
        canvas->pointerUp(canvas->toWidget(median.back()));
    }
    if (canvas->written() != 2) fail(screen, QStringLiteral("the traced strokes were not taken"));
}

void addHanzi(std::map<QString, ScreenStates> &m) {
    m[screens::kStrokeOrder] = {{},
                                {{screens::kStrokeOrder, strokesHalfWay},
                                 {screens::kStrokeOrder + QStringLiteral("-tracing"), strokesTraced}}};
    m[screens::kCharacterLessons] = {
        {},
        {entryState(screens::kCharacterLessons, 5, 4, false),
         entryState(screens::kCharacterLessons + QStringLiteral("-tones"), 5, 4, true),
         withReview(screens::kCharacterLessons + QStringLiteral("-review"), app::kCharacterList,
                    entryState({}, 5, 4, false).prepare)}};
    m[screens::kWordGroupLessons] = {
        {},
        {entryState(screens::kWordGroupLessons, 8, 4, false),
         entryState(screens::kWordGroupLessons + QStringLiteral("-tones"), 8, 4, true)}};
    for (const hanzi::WordGameKind *kind :
         {&hanzi::idioms(), &hanzi::antonyms(), &hanzi::synonyms(), &hanzi::riddles()})
        m[kind->screenName] = {
            menuItemOpening(kind->screenName),
            {{kind->screenName, thirdQuestion},
             withReview(kind->screenName + QStringLiteral("-review"), kind->screenName, thirdQuestion)}};
}

// --- Pinyin

// A character on show with its first letters clicked, as a child halfway through it.
void spellingHalfway(QWidget *screen, app::AppContext &ctx) {
    clickStart(screen, ctx);
    auto *s = screenAs<pinyin::PinyinSpellingScreen>(screen);
    const QList<int> letters = pinyin::spell(s->expected());
    for (int i = 0; i + 1 < letters.size(); ++i)
        s->board()->button(letters[i])->click();
}

void addPinyin(std::map<QString, ScreenStates> &m) {
    m[screens::kPinyinChart] = {QStringLiteral("py1"), {}};
    m[screens::kPinyinGames] = {
        QStringLiteral("py6"),
        {{QStringLiteral("pyyx1form-question"), clickStart},
         withReview(QStringLiteral("pyyx1form-review"), screens::kPinyinGames, clickStart)}};
    m[screens::kPinyinSpelling] = {
        QStringLiteral("py9"),
        {{QStringLiteral("pyyxform-character"), spellingHalfway},
         withReview(QStringLiteral("pyyxform-review"), app::kCharacterList, spellingHalfway)}};
}

// --- Poems

// 咏鹅 on show (白毛浮绿水: ü), tone marks off or on.
State poemState(const QString &file, bool toneMarks) {
    return {file, [=](QWidget *screen, app::AppContext &) {
                control<QCheckBox>(screen, QStringLiteral("Check1"))->setChecked(toneMarks);
                control<QListWidget>(screen, QStringLiteral("List1"))->setCurrentRow(0);
            }};
}

// The game with two lines typed into the first two slots.
void twoLinesPlaced(QWidget *screen, app::AppContext &) {
    auto *game = screenAs<poems::PoemGameScreen>(screen);
    auto *timer = control<ui::Timer>(screen, QStringLiteral("Timer1"));
    for (int j = 1; j <= 2; ++j) {
        click(screen, QStringLiteral("Button1(%1)").arg(j));
        for (int ticks = 0; game->busy() && ticks < 1000; ++ticks)
            timer->fire();
    }
}

void addPoems(std::map<QString, ScreenStates> &m) {
    m[screens::kPoemStudy] = {{},
                              {poemState(screens::kPoemStudy, false),
                               poemState(screens::kPoemStudy + QStringLiteral("-tones"), true)}};
    m[screens::kPoemGame] = {QStringLiteral("tangshiyx"), {{screens::kPoemGame, twoLinesPlaced}}};
}

// --- English

// The book shown: 剑桥少儿英语第一册, its first group.
constexpr int kBook = 6;

// A book chosen on the selection screen.
void bookChosen(QWidget *screen, app::AppContext &) {
    control<QListWidget>(screen, QStringLiteral("List1"))->setCurrentRow(kBook);
}

// A word screen opened as its selection screen would open it: given the choice made there,
// then "开始".
void handedOver(QWidget *screen, app::AppContext &ctx, const english::BookChoiceKind &kind,
                int book = kBook) {
    english::BookChoice chosen;
    {
        english::BookChoiceScreen choice(ctx, kind);
        choice.chooseBook(book);
        chosen = choice.choice();
    }
    auto *words = dynamic_cast<english::WordScreen *>(screen);
    if (!words) fail(screen, QStringLiteral("not a word screen"));
    words->handOver(chosen);
    click(screen, QStringLiteral("Button3"));
}

void wordOnShow(QWidget *screen, app::AppContext &ctx) {
    handedOver(screen, ctx, english::studyChoice());
    for (int i = 0; i < 4; ++i)
        click(screen, QStringLiteral("Button6"));
}

void recitationQuestion(QWidget *screen, app::AppContext &ctx) {
    handedOver(screen, ctx, english::recitationChoice());
    ctx.random.script({0.5}); // the right meaning on the middle button
    fire(screen, QStringLiteral("Timer1"));
    fire(screen, QStringLiteral("Timer3"), 40);
}

void dealtBoard(QWidget *screen, app::AppContext &ctx) {
    // 人教版第六册: its first level holds the longest phrases of all the books.
    handedOver(screen, ctx, english::linkGameChoice(), 5);
    fire(screen, QStringLiteral("Timer1"), 30);
}

void addEnglish(std::map<QString, ScreenStates> &m) {
    for (const english::BookChoiceKind *kind :
         {&english::studyChoice(), &english::recitationChoice(), &english::linkGameChoice()})
        m[kind->screenName] = {{}, {{kind->screenName + QStringLiteral("-book"), bookChosen}}};
    m[screens::kWordStudy] = {
        {},
        {{screens::kWordStudy, wordOnShow},
         withReview(screens::kWordStudy + QStringLiteral("-review"), app::kEnglishWordList, wordOnShow)}};
    m[screens::kRecitation] = {{},
                               {{screens::kRecitation, recitationQuestion},
                                withReview(screens::kRecitation + QStringLiteral("-review"),
                                           app::kEnglishWordList, recitationQuestion)}};
    m[screens::kLinkGame] = {{}, {{screens::kLinkGame, dealtBoard}}};
}

// --- The shell and maintenance

// A second start's message, as it shows over the desktop.
void secondStart(QWidget *, app::AppContext &) {
    ui::makeMessage(nullptr, QMessageBox::Information, app::alreadyRunningTitle(), app::alreadyRunningText())
        ->show();
}

// "删除重复字" asking before it changes anything.
void duplicatesQuestion(QWidget *screen, app::AppContext &) {
    auto *form = screenAs<maintenance::DataFormScreen>(screen);
    form->setConfirm([form](const QString &q) {
        form->questionBox(q)->show();
        return false;
    });
    click(screen, QStringLiteral("Command2"));
}

// A learning record of its own in place of the test's recorder: with days of made-up use by two
// named children (the second one learning), or empty.
services::LearningRecord *sampleRecord(app::AppContext &ctx, int days) {
    static std::vector<std::unique_ptr<QTemporaryDir>> folders; // outlive every context
    folders.push_back(std::make_unique<QTemporaryDir>());
    const QDateTime now(QDate(2026, 3, 20), QTime(18, 0));
    auto record = std::make_unique<services::LearningRecord>(folders.back()->path(), [now] { return now; });
    if (days > 0) {
        record->addChild(QStringLiteral("小明"));
        services::fillSampleRecord(*record, now.date(), days, 6, 2);
        record->addChild(QStringLiteral("小红"));
        record->setCurrentChild(record->children().last().id);
        services::fillSampleRecord(*record, now.date(), days / 2, 3, 1, 2);
        record->setCurrentChild(record->children().first().id);
        record->setDailyLimitMinutes(30);
        record->setReviewOffered(true);
    }
    auto *raw = record.get();
    ctx.useRecorder(std::move(record));
    return raw;
}

void recordOfFourWeeks(QWidget *screen, app::AppContext &ctx) {
    sampleRecord(ctx, 28);
    screenAs<app::RecordPage>(screen)->refresh();
}

void recordNotYetMade(QWidget *screen, app::AppContext &ctx) {
    sampleRecord(ctx, 0);
    screenAs<app::RecordPage>(screen)->refresh();
}

// The main window once a parent has named the children: who is learning, in a tile.
void learnerTile(QWidget *screen, app::AppContext &ctx) {
    sampleRecord(ctx, 7)->setCurrentChild(2);
    screenAs<app::MainWindow>(screen)->showLearnerTile();
}

// 家长 > 学习记录 asking the parent first.
void parentCheck(QWidget *screen, app::AppContext &) {
    control<QAction>(screen, QStringLiteral("xuexijilu"))->trigger();
}

void addShell(std::map<QString, ScreenStates> &m) {
    m[screens::kMain] = {{},
                         {{screens::kMain + QStringLiteral("-running"), secondStart},
                          {screens::kMain + QStringLiteral("-learner"), learnerTile},
                          {screens::kMain + QStringLiteral("-parentcheck"), parentCheck}}};
    m[screens::kLearningRecord] = {{},
                                   {{screens::kLearningRecord, recordOfFourWeeks},
                                    {screens::kLearningRecord + QStringLiteral("-empty"), recordNotYetMade}}};
    m[screens::kMaintenance] = {{},
                                {{screens::kMaintenance + QStringLiteral("-question"), duplicatesQuestion}}};
}

} // namespace

QString State::apply(QWidget *screen, app::AppContext &ctx) const {
    try {
        prepare(screen, ctx);
    } catch (const Unreachable &e) {
        return file + QStringLiteral(": ") + QString::fromUtf8(e.what());
    }
    return {};
}

const std::map<QString, ScreenStates> &statesByScreen() {
    static const std::map<QString, ScreenStates> states = [] {
        std::map<QString, ScreenStates> m;
        addArithmetic(m);
        addGeometry(m);
        addHanzi(m);
        addPinyin(m);
        addPoems(m);
        addEnglish(m);
        addShell(m);
        return m;
    }();
    return states;
}

const ScreenStates &statesOf(const QString &screen) {
    static const ScreenStates none;
    const auto &all = statesByScreen();
    const auto it = all.find(screen);
    return it == all.end() ? none : it->second;
}

bool replacesLoadState(const QString &screen) {
    const std::vector<State> &states = statesOf(screen).states;
    return std::any_of(states.begin(), states.end(), [&](const State &s) { return s.file == screen; });
}

QWidget *open(app::AppContext &ctx, const QString &screen) {
    if (const app::MenuItem *item = app::findMenuItem(statesOf(screen).menuItem))
        return ctx.navigator().open(*item);
    if (screen == screens::kMain) return ctx.navigator().showMain();
    return ctx.navigator().open(screen);
}

} // namespace gallery
