#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "services/ContentSchema.h"
#include "support/Fixtures.h"
#include "support/TestSupport.h"
#include "ui/Timer.h"

#include <QCheckBox>
#include <QComboBox>

#include <QLineEdit>
#include <QTemporaryDir>
#include <optional>

using namespace testing_support;

// The lessons over fixture tables: 35 single characters (the last lesson holds five) and 30
// word groups (three full lessons; the first holds words whose pinyin has ü, a neutral tone, a
// reading their word changes, and a character without a reading).
class LessonScreenTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<app::AppContext> ctx;
    QWidget *screen = nullptr;

    QStringList lessons() {
        QStringList out;
        auto *c = screen->findChild<QComboBox *>("Combo1");
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
        return out;
    }
    void choose(int index) {
        auto *c = screen->findChild<QComboBox *>("Combo1");
        c->setCurrentIndex(index);
        emit c->activated(index);
    }
    QString shown() { return caption(screen, "Label1") + " " + caption(screen, "Label2"); }
    QString pinyin() { return screen->findChild<QLineEdit *>("Txtpy")->text(); }
    ui::Timer *timer() { return screen->findChild<ui::Timer *>("Timer1"); }
    QCheckBox *toneMarks() { return screen->findChild<QCheckBox *>("Check1"); }
    void open(const char *item) { screen = ctx->navigator().open(*app::findMenuItem(item)); }

  private slots:
    void initTestCase() {
        std::vector<QStringList> chars;
        const QString text =
            QStringLiteral("一二三四五六七八九十人口手大小上下中土木日月水火山石田禾天地爸妈哥姐弟");
        for (QChar c : text)
            chars.push_back({QString(c)});
        QCOMPARE(int(chars.size()), 35);
        std::vector<QStringList> words = {{"绿叶"}, {"女儿"}, {"旅行"},     {"忽略"}, {"桌子"},
                                          {"走了"}, {"银行"}, {"一行白鹭"}, {"好的"}, {"兙"}};
        for (const QStringList &w : numberedRows(QStringLiteral("词"), 20))
            words.push_back(w);
        QVERIFY(writeFixtureStudyDat(dir.filePath("study.dat"),
                                     {{services::kSingleCharacters, chars}, {services::kWordGroups, words}}));
        useOwnSettings();
    }
    void init() {
        ui::openSettings()->clear(); // each test starts as a first run
        ctx = app::AppContext::forTests(dir.path());
        open("danzi");
    }
    void cleanup() {
        ctx.reset();
        flushDeletes();
    }

    void lessonListHoldsOnlyLessonsWithRecords() {
        QCOMPARE(screen->windowTitle(), QStringLiteral("单字"));
        QCOMPARE(caption(screen, "Label3"), QStringLiteral("单字学习"));
        QCOMPARE(lessons(), (QStringList{"第1课", "第2课", "第3课", "第4课"}));
        for (const char *b : {"Button1", "Button3", "Button4"})
            QVERIFY(!button(screen, b)->isEnabled());
        auto *interval = screen->findChild<QComboBox *>("Combo2");
        QCOMPARE(interval->currentText(), QStringLiteral("3秒"));
        QCOMPARE(timer()->interval(), 3000);
        cleanup();
        ctx = app::AppContext::forTests(dir.path());
        open("zuci");
        QCOMPARE(screen->windowTitle(), QStringLiteral("词组"));
        QCOMPARE(lessons(), (QStringList{"第1课", "第2课", "第3课"}));
    }

    void choosingAndSteppingForward() {
        choose(2);
        QCOMPARE(shown(), QStringLiteral("3 第1个"));
        QCOMPARE(caption(screen, "Label5"), QStringLiteral("第3课"));
        QVERIFY(screen->findChild<QLabel *>("Label5")->isVisible());
        QCOMPARE(pinyin(), QString()); // kept as it was
        click(screen, "Button1");
        QCOMPARE(shown(), QStringLiteral("日 第21个"));
        QCOMPARE(pinyin(), ctx->pinyin().GetPinYin("日"));
        // Ten presses show the lesson's records 1 to 10; the eleventh starts it again.
        for (int i = 2; i <= 10; ++i)
            click(screen, "Button1");
        QCOMPARE(shown(), QStringLiteral("地 第30个"));
        click(screen, "Button1");
        QCOMPARE(shown(), QStringLiteral("日 第21个"));
    }

    // A lesson stepped through is a round, timed by the recorder's clock; a lesson chosen and
    // never stepped is none.
    void lessonRound() {
        auto &rec = record(*ctx);
        choose(2);
        for (int i = 0; i < 3; ++i)
            click(screen, "Button1");
        rec.clock = rec.clock.addSecs(33);
        choose(0);
        QCOMPARE(rec.rounds.size(), 1);
        const services::Round &r = rec.rounds[0];
        QCOMPARE(roundLine(r), QStringLiteral("renzidan hanzi 第3课: 0 right, 0 wrong, 33 s"));
        click(screen, "Button2");
        QCOMPARE(rec.rounds.size(), 1);
    }

    // The characters missed in the spelling game are shown first by "下一个", then the lesson
    // goes on; the word-group lessons have no such list.
    void review() {
        cleanup();
        ctx = app::AppContext::forTests(dir.path());
        record(*ctx).review[QStringLiteral("单字")] = {QStringLiteral("火"), QStringLiteral("龙")};
        record(*ctx).review[QStringLiteral("词组")] = {QStringLiteral("绿叶")};
        open("danzi");
        QVERIFY(button(screen, "ReviewButton")->isVisible());
        QCOMPARE(caption(screen, "ReviewButton"), QStringLiteral("复习错题"));
        choose(2);
        click(screen, "Button1");
        click(screen, "ReviewButton");
        QVERIFY(!button(screen, "ReviewButton")->isVisible());
        QCOMPARE(shown(), QStringLiteral("火 "));
        QCOMPARE(pinyin(), ctx->pinyin().GetPinYin("火"));
        click(screen, "Button1");
        QCOMPARE(shown(), QStringLiteral("龙 "));
        click(screen, "Button1");
        QCOMPARE(shown(), QStringLiteral("月 第22个"));

        // Before a lesson is chosen "下一个" steps through them, then rests.
        cleanup();
        ctx = app::AppContext::forTests(dir.path());
        record(*ctx).review[QStringLiteral("单字")] = {QStringLiteral("火")};
        open("danzi");
        click(screen, "ReviewButton");
        QCOMPARE(shown(), QStringLiteral("火 "));
        click(screen, "Button1");
        QCOMPARE(shown(), QStringLiteral("火 "));

        open("zuci");
        QVERIFY(!screen->findChild<QPushButton *>("ReviewButton"));
    }

    void noReviewNoButton() { QVERIFY(button(screen, "ReviewButton")->isHidden()); }

    void backWithItsSilentPress() {
        choose(1);
        click(screen, "Button3");
        QCOMPARE(shown(), QStringLiteral("2 第1个")); // the first press changes nothing on show
        QCOMPARE(pinyin(), ctx->pinyin().GetPinYin("2"));
        click(screen, "Button3");
        QCOMPARE(shown(), QStringLiteral("木 第20个"));
        click(screen, "Button3");
        QCOMPARE(shown(), QStringLiteral("土 第19个"));
        // Forward after the silent press stays inside the lesson.
        choose(1);
        click(screen, "Button3");
        click(screen, "Button1");
        QCOMPARE(shown(), QStringLiteral("人 第11个"));
    }

    void shortLastLessonCycles() {
        choose(3);
        QStringList seen;
        for (int i = 0; i < 6; ++i) {
            click(screen, "Button1");
            seen << caption(screen, "Label1");
        }
        QCOMPARE(seen, (QStringList{"爸", "妈", "哥", "姐", "弟", "爸"}));
        click(screen, "Button3");
        click(screen, "Button3");
        QCOMPARE(shown(), QStringLiteral("弟 第35个"));
        click(screen, "Button3");
        QCOMPARE(shown(), QStringLiteral("姐 第34个"));
    }

    void autoPlayAndItsInterval() {
        choose(0);
        click(screen, "Button4");
        QCOMPARE(caption(screen, "Button4"), QStringLiteral("停止播放"));
        QVERIFY(timer()->isEnabled());
        timer()->fire();
        QCOMPARE(shown(), QStringLiteral("一 第1个"));
        auto *interval = screen->findChild<QComboBox *>("Combo2");
        interval->setCurrentIndex(4);
        QCOMPARE(timer()->interval(), 5000);
        QVERIFY(timer()->isEnabled());
        choose(1); // another lesson does not stop auto-play
        QVERIFY(timer()->isEnabled());
        timer()->fire();
        QCOMPARE(shown(), QStringLiteral("人 第11个"));
        click(screen, "Button4");
        QCOMPARE(caption(screen, "Button4"), QStringLiteral("自动播放"));
        QVERIFY(!timer()->isEnabled());
        click(screen, "Button4");
        QCOMPARE(timer()->interval(), 5000);
        click(screen, "Button2");
        flushDeletes();
        QCOMPARE(ctx->navigator().current()->objectName(), QStringLiteral("Main"));
    }

    // Txtpy as a child reads it: ü as ü; with tone marks while "标声调" is ticked, for the entry on
    // show at once.
    void pinyinWithUmlautAndToneMarks_data() {
        QTest::addColumn<int>("entry"); // in the first word-group lesson
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("toned");
        QTest::newRow("绿叶") << 1 << "绿叶"
                              << "lü ye"
                              << "lǜ yè";
        QTest::newRow("女儿") << 2 << "女儿"
                              << "nü er"
                              << "nǚ ér";
        QTest::newRow("旅行") << 3 << "旅行"
                              << "lü xing"
                              << "lǚ xíng";
        QTest::newRow("忽略") << 4 << "忽略"
                              << "hu lüe"
                              << "hū lüè";
        QTest::newRow("桌子: neutral ending") << 5 << "桌子"
                                              << "zhuo zi"
                                              << "zhuō zi";
        QTest::newRow("走了: neutral 了") << 6 << "走了"
                                          << "zou le"
                                          << "zǒu le";
        QTest::newRow("银行: háng in the word") << 7 << "银行"
                                                << "yin hang"
                                                << "yín háng";
        QTest::newRow("一行白鹭") << 8 << "一行白鹭"
                                  << "yi hang bai lu"
                                  << "yì háng bái lù";
        QTest::newRow("好的") << 9 << "好的"
                              << "hao de"
                              << "hǎo de";
        QTest::newRow("no reading") << 10 << "兙"
                                    << "?"
                                    << "?";
    }
    void pinyinWithUmlautAndToneMarks() {
        QFETCH(int, entry);
        QFETCH(QString, word);
        QFETCH(QString, display);
        QFETCH(QString, toned);
        cleanup();
        ctx = app::AppContext::forTests(dir.path());
        open("zuci");
        QCOMPARE(toneMarks()->text(), QStringLiteral("标声调"));
        QVERIFY(!toneMarks()->isChecked());
        choose(0);
        for (int i = 0; i < entry; ++i)
            click(screen, "Button1");
        QCOMPARE(caption(screen, "Label1"), word);
        QCOMPARE(pinyin(), display);
        toneMarks()->click();
        QCOMPARE(pinyin(), toned);
        for (int i = 0; i < 10; ++i) // once round the lesson: stepping keeps the tone marks
            click(screen, "Button1");
        QCOMPARE(caption(screen, "Label1"), word);
        QCOMPARE(pinyin(), toned);
        toneMarks()->click();
        QCOMPARE(pinyin(), display);
    }

    // Before the first step there is no pinyin to mark; after choosing a lesson Txtpy keeps the
    // pinyin of the entry it was showing, and the tone marks follow that entry, not the number.
    void toneMarksChangeOnlyThePinyinOnShow() {
        toneMarks()->click();
        QCOMPARE(pinyin(), QString());
        toneMarks()->click();
        choose(0);
        click(screen, "Button1");
        QCOMPARE(pinyin(), QStringLiteral("yi"));
        choose(2); // Label1 shows 3, Txtpy still 一's
        toneMarks()->click();
        QCOMPARE(caption(screen, "Label1"), QStringLiteral("3"));
        QCOMPARE(pinyin(), QStringLiteral("yī"));
    }

    // The choice outlives the screen, and both lesson screens share it.
    void toneMarksAreRemembered_data() {
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("reopened"); // the menu item opening the screen again
        QTest::newRow("ticked, 单字 again") << true << "danzi";
        QTest::newRow("ticked, then 词组") << true << "zuci";
        QTest::newRow("cleared again") << false << "danzi";
    }
    void toneMarksAreRemembered() {
        QFETCH(bool, ticked);
        QFETCH(QString, reopened);
        toneMarks()->click();
        if (!ticked) toneMarks()->click();
        cleanup();
        ctx = app::AppContext::forTests(dir.path());
        open(qPrintable(reopened));
        QCOMPARE(toneMarks()->isChecked(), ticked);
        choose(0);
        click(screen, "Button1");
        if (reopened == QLatin1String("danzi"))
            QCOMPARE(pinyin(), ticked ? QStringLiteral("yī") : QStringLiteral("yi"));
        else
            QCOMPARE(pinyin(), ticked ? QStringLiteral("lǜ yè") : QStringLiteral("lü ye"));
    }

    // A character whose lesson gives it a reading of its own shows that reading (只 zhī among
    // measure words), with tone marks or without; the same character without one, one whose
    // reading is not the character's, and a word group read as the lookup says. A file made
    // before the reading column was added shows every character with its usual reading.
    void aRecordsOwnReading_data() {
        QTest::addColumn<bool>("oldFile"); // 单字 without its reading column
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("lesson");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("toned");
        QTest::newRow("只 among measure words") << false << "danzi" << 0 << 2 << "只"
                                                << "zhi"
                                                << "zhī";
        QTest::newRow("发 among body parts") << false << "danzi" << 1 << 1 << "发"
                                             << "fa"
                                             << "fà";
        QTest::newRow("只 elsewhere, without one") << false << "danzi" << 1 << 2 << "只"
                                                   << "zhi"
                                                   << "zhǐ";
        QTest::newRow("女 nǚ of its own: ü") << false << "danzi" << 1 << 3 << "女"
                                             << "nü"
                                             << "nǚ";
        QTest::newRow("not a reading of 发: the usual one") << false << "danzi" << 1 << 4 << "发"
                                                            << "fa"
                                                            << "fā";
        QTest::newRow("只有, a word group") << false << "zuci" << 0 << 1 << "只有"
                                            << "zhi you"
                                            << "zhǐ yǒu";
        QTest::newRow("old file: 只 among measure words") << true << "danzi" << 0 << 2 << "只"
                                                          << "zhi"
                                                          << "zhǐ";
        QTest::newRow("old file: 发 among body parts") << true << "danzi" << 1 << 1 << "发"
                                                       << "fa"
                                                       << "fā";
    }
    void aRecordsOwnReading() {
        QFETCH(bool, oldFile);
        QFETCH(QString, item);
        QFETCH(int, lesson);
        QFETCH(int, steps);
        QFETCH(QString, entry);
        QFETCH(QString, display);
        QFETCH(QString, toned);
        cleanup();
        QTemporaryDir other;
        std::vector<QStringList> chars = {{"个"},       {"只", "zhī"}, {"朵"},       {"条"},       {"块"},
                                          {"片"},       {"把"},        {"张"},       {"双"},       {"对"},
                                          {"发", "fà"}, {"只"},        {"女", "nǚ"}, {"发", "fǎ"}, {"眉"}};
        const QString path = other.filePath("study.dat");
        std::vector<QStringList> words = {{"只有"}};
        for (const QStringList &w : numberedRows(QStringLiteral("词"), 10))
            words.push_back(w);
        QVERIFY(writeFixtureStudyDat(path,
                                     {{services::kSingleCharacters, chars}, {services::kWordGroups, words}}));
        if (oldFile) QVERIFY(dropColumn(path, QStringLiteral("单字"), QStringLiteral("reading")));
        ctx = app::AppContext::forTests(other.path());
        open(qPrintable(item));
        choose(lesson);
        for (int i = 0; i < steps; ++i)
            click(screen, "Button1");
        QCOMPARE(caption(screen, "Label1"), entry);
        QCOMPARE(pinyin(), display);
        toneMarks()->click();
        QCOMPARE(pinyin(), toned);
        // Choosing a lesson shows its number; Txtpy keeps the entry's pinyin, tone marks and all.
        choose(lesson == 0 ? 1 : 0);
        toneMarks()->click();
        QCOMPARE(pinyin(), display);
        toneMarks()->click();
        QCOMPARE(pinyin(), toned);
        // Back round the lesson to the entry again: the same reading.
        choose(lesson);
        for (int i = 0; i < steps; ++i)
            click(screen, "Button1");
        click(screen, "Button3");
        click(screen, "Button1");
        QCOMPARE(caption(screen, "Label1"), entry);
        QCOMPARE(pinyin(), toned);
    }

    void noContentIsSaidPlainly_data() {
        QTest::addColumn<QString>("file"); // "empty table", "none", "lacks 单字"
        QTest::addColumn<QString>("message");
        QTest::newRow("empty table") << "empty table" << QStringLiteral("“单字”里还没有内容");
        QTest::newRow("no study.dat") << "none" << QStringLiteral("找不到内容库 study.dat");
        QTest::newRow("study.dat without 单字")
            << "lacks 单字" << QStringLiteral("内容库 study.dat 不完整：缺少表“单字”");
        QTest::newRow("study.dat locked by another program")
            << "locked" << QStringLiteral("内容库 study.dat 正被其他程序使用，请稍后再试");
    }
    void noContentIsSaidPlainly() {
        QFETCH(QString, file);
        QFETCH(QString, message);
        cleanup();
        QTemporaryDir other;
        if (file == "empty table")
            QVERIFY(writeFixtureStudyDat(other.filePath("study.dat"), {{services::kSingleCharacters, {}}}));
        else if (file == "lacks 单字")
            QVERIFY(writeFixtureStudyDat(other.filePath("study.dat"),
                                         {{services::kWordGroups, numberedRows(QStringLiteral("词"), 20)}},
                                         {services::kSingleCharacters}));
        else if (file == "locked")
            QVERIFY(writeFixtureStudyDat(other.filePath("study.dat"), {}));
        std::optional<ReadLock> writer;
        if (file == "locked") writer.emplace(other.filePath("study.dat"), true);
        ctx = app::AppContext::forTests(other.path());
        open("danzi");
        QCOMPARE(caption(screen, "Label5"), message);
        auto *label5 = screen->findChild<QLabel *>("Label5");
        QVERIFY2(QFontMetrics(label5->font()).horizontalAdvance(message) <= label5->width(), "clipped");
        QVERIFY(lessons().isEmpty());
        QVERIFY(!screen->findChild<QComboBox *>("Combo1")->isEnabled());
        QVERIFY(!button(screen, "Button1")->isEnabled());
        QVERIFY(button(screen, "Button2")->isEnabled());
        if (file != "lacks 单字") return;
        // The word groups, in the same file, still serve.
        click(screen, "Button2");
        flushDeletes();
        open("zuci");
        QCOMPARE(lessons(), (QStringList{"第1课", "第2课"}));
        QVERIFY(screen->findChild<QComboBox *>("Combo1")->isEnabled());
    }
};

QTEST_MAIN(LessonScreenTest)
#include "LessonScreenTest.moc"
