// The character-to-pinyin game as a child plays it: press "开始", spell the character's pinyin
// with the letter buttons, see "正确！" and the next character two ticks later.
#include "pinyin/PinyinSpellingScreen.h"
#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "pinyin/LetterBoard.h"
#include "pinyin/PinyinLetterTable.h"
#include "services/ContentFiles.h"
#include "services/ContentSchema.h"
#include "support/Fixtures.h"
#include "support/TestSupport.h"

#include <QGroupBox>
#include <QMainWindow>
#include <QTemporaryDir>

using namespace testing_support;

namespace {
const QString kCheer = QStringLiteral("加油呀!");
const QString kRight = QStringLiteral("正确！");
QString letterButton(int k) {
    return QStringLiteral("Button9(%1)").arg(k);
}
// The generator value that picks record i of n.
double pick(int i, int n) {
    return (i + 0.5) / n;
}
} // namespace

class PinyinSpellingScreenTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<app::AppContext> ctx;
    pinyin::PinyinSpellingScreen *screen = nullptr;

    // 妈 ma, 女 nü, 爱 ai, 略 lüe.
    const std::vector<QStringList> kCharacters{{"妈"}, {"女"}, {"爱"}, {" 略 "}};

    void openWith(const std::vector<QStringList> &characters) {
        QVERIFY(writeFixtureStudyDat(dir.filePath("study.dat"), {{services::kSingleCharacters, characters}}));
        open();
    }
    void open() {
        ctx = app::AppContext::forTests(dir.path(), 3);
        ctx->navigator().showMain();
        auto *main = qobject_cast<QMainWindow *>(ctx->navigator().current());
        QVERIFY(main);
        QAction *py9 = main->findChild<QAction *>(QStringLiteral("py9"));
        QVERIFY(py9 && py9->isEnabled());
        QCOMPARE(py9->text(), QStringLiteral("汉字找拼音"));
        py9->trigger();
        flushDeletes();
        screen = qobject_cast<pinyin::PinyinSpellingScreen *>(ctx->navigator().current());
        QVERIFY(screen);
        QCOMPARE(screen->objectName(), QStringLiteral("pyyxform"));
    }
    void start(int record) {
        ctx->random.script({pick(record, 4)});
        click(screen, "Button7");
    }
    services::RecordingWavePlayer &letterPlayer() {
        return static_cast<services::RecordingWavePlayer &>(screen->player());
    }
    QList<int> enabledLetters() const {
        QList<int> out;
        for (int k = 1; k <= pinyin::kLetterCount; ++k)
            if (screen->board()->button(k)->isEnabled()) out << k;
        return out;
    }
    static QList<int> allBut(const QList<int> &off) {
        QList<int> out;
        for (int k = 1; k <= pinyin::kLetterCount; ++k)
            if (!off.contains(k)) out << k;
        return out;
    }
    QString tooltipAfterMouseMove() {
        QWidget *picture = screen->findChild<QWidget *>(QStringLiteral("Picture1"));
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), picture->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(picture, &move);
        return screen->findChild<QLabel *>(QStringLiteral("Label3"))->toolTip();
    }

  private slots:
    void init() { QVERIFY(dir.isValid()); }
    void cleanup() {
        ctx.reset();
        flushDeletes();
        QFile::remove(dir.filePath("study.dat"));
    }

    void loadState() {
        openWith(kCharacters);
        QCOMPARE(screen->windowTitle(), QStringLiteral("拼音游戏"));
        QCOMPARE(caption(screen, "Label1"), QStringLiteral("拼音游戏(为左边汉字找拼音)"));
        QCOMPARE(caption(screen, "Label2"), QString());
        QCOMPARE(caption(screen, "Button2"), QString());
        QCOMPARE(caption(screen, "Label3"), kCheer);
        QCOMPARE(caption(screen, "Button3"), QStringLiteral("重新输入"));
        QCOMPARE(caption(screen, "Button7"), QStringLiteral("开始"));
        QCOMPARE(caption(screen, "Button1"), QStringLiteral("返回"));
        QVERIFY(!button(screen, "Button3")->isEnabled());
        QVERIFY(button(screen, "Button7")->isEnabled());
        QCOMPARE(enabledLetters(), QList<int>());
        QVERIFY(!screen->findChild<QLabel *>(QStringLiteral("Label4"))->isVisible());
        QCOMPARE(tooltipAfterMouseMove(), QStringLiteral("答案："));
        QCOMPARE(screen->timer()->interval(), 1000);
        QVERIFY(!screen->timer()->isEnabled());
        QCOMPARE(letterPlayer().log, QStringList{"open sound.wav"});

        // The frames and their captions, ü with its dots as on the chart.
        const QStringList frames{"单韵母", "复韵母", "后鼻韵母", "声母"};
        for (int f = 1; f <= 4; ++f)
            QCOMPARE(screen->findChild<QGroupBox *>(QStringLiteral("Frame%1").arg(f))->title(),
                     frames[f - 1]);
        QStringList captions;
        for (int k = 1; k <= pinyin::kLetterCount; ++k) {
            captions << caption(screen, letterButton(k));
            QCOMPARE(button(screen, letterButton(k))->width(), button(screen, letterButton(k))->height());
        }
        QCOMPARE(captions.join(QLatin1Char(' ')),
                 QStringLiteral("a o e i u ü ai ei ui ao ou iu ie üe er an en in un ün ang eng ing ong "
                                "b p m f d t n l g k h j q x zh ch sh r z c s y w"));
    }

    void maByMThenA() {
        openWith(kCharacters);
        start(0);
        QCOMPARE(caption(screen, "Label2"), QStringLiteral("妈"));
        QCOMPARE(screen->expected(), QStringLiteral("ma"));
        QCOMPARE(enabledLetters(), allBut({}));
        QVERIFY(button(screen, "Button3")->isEnabled());
        QCOMPARE(tooltipAfterMouseMove(), QStringLiteral("答案：ma"));

        click(screen, letterButton(27)); // m
        QCOMPARE(caption(screen, "Button2"), QStringLiteral("m"));
        QCOMPARE(caption(screen, "Label3"), kCheer);
        QVERIFY(!screen->timer()->isEnabled());
        click(screen, letterButton(1)); // a
        QCOMPARE(caption(screen, "Button2"), QStringLiteral("ma"));
        QCOMPARE(caption(screen, "Label3"), kRight);
        QVERIFY(screen->timer()->isEnabled());
        QCOMPARE(letterPlayer().plays(),
                 (QStringList{played(core::letters::clip(27)), played(core::letters::clip(1))}));
        // No right or wrong sound in this game.
        QCOMPARE(clips(*ctx).plays(), QStringList());

        // Letters after "正确！" append and change nothing else.
        click(screen, letterButton(5)); // u
        QCOMPARE(caption(screen, "Button2"), QStringLiteral("mau"));
        QCOMPARE(caption(screen, "Label3"), kRight);
        QCOMPARE(caption(screen, "Label2"), QStringLiteral("妈"));
        QVERIFY(screen->timer()->isEnabled());

        // The next character on the second tick.
        ctx->random.script({pick(2, 4)});
        screen->timer()->fire();
        QCOMPARE(caption(screen, "Label2"), QStringLiteral("妈"));
        QCOMPARE(caption(screen, "Label3"), kRight);
        screen->timer()->fire();
        QCOMPARE(caption(screen, "Label2"), QStringLiteral("爱"));
        QCOMPARE(caption(screen, "Label3"), kCheer);
        QCOMPARE(caption(screen, "Button2"), QString());
        QCOMPARE(enabledLetters(), allBut({}));
        QVERIFY(!screen->timer()->isEnabled());
        QCOMPARE(tooltipAfterMouseMove(), QStringLiteral("答案：ai"));
    }

    // A round runs from "开始" until the screen is put away. A character counts one miss, with the
    // letters put down when they stopped leading to its pinyin; letters after "正确！" count nothing.
    void round() {
        openWith(kCharacters);
        auto &rec = record(*ctx);
        start(0);
        click(screen, letterButton(27)); // m
        click(screen, letterButton(5));  // u
        click(screen, "Button3");
        click(screen, letterButton(5));
        click(screen, "Button3");
        click(screen, letterButton(27));
        click(screen, letterButton(1)); // a
        click(screen, letterButton(5));
        rec.clock = rec.clock.addSecs(20);
        click(screen, "Button1");
        QCOMPARE(rec.rounds.size(), 1);
        const services::Round &r = rec.rounds[0];
        QCOMPARE(roundLine(r), QStringLiteral("pyyxform pinyin : 1 right, 1 wrong, 20 s"));
        QCOMPARE(missList(r), QStringList{QStringLiteral("妈→mu")});
        QCOMPARE(r.misses[0].list, QStringLiteral("单字"));
    }

    // "复习错题" asks the characters missed before (shared with the character lessons) first.
    void review() {
        QVERIFY(
            writeFixtureStudyDat(dir.filePath("study.dat"), {{services::kSingleCharacters, kCharacters}}));
        ctx = app::AppContext::forTests(dir.path(), 3);
        record(*ctx).review[QStringLiteral("单字")] = {QStringLiteral("略"), QStringLiteral("龙"),
                                                       QStringLiteral("爱")};
        ctx->navigator().showMain();
        screen =
            qobject_cast<pinyin::PinyinSpellingScreen *>(ctx->navigator().open(QStringLiteral("pyyxform")));
        QVERIFY(screen);
        QVERIFY(button(screen, "ReviewButton")->isVisible());
        ctx->random.script({pick(0, 4)});
        click(screen, "ReviewButton");
        QVERIFY(!button(screen, "ReviewButton")->isVisible());
        QCOMPARE(caption(screen, "Label2"), QStringLiteral("略"));
        QCOMPARE(screen->expected(), QStringLiteral("lüe"));
        ctx->random.script({pick(0, 4)});
        click(screen, "Button7");
        QCOMPARE(caption(screen, "Label2"), QStringLiteral("爱"));
        ctx->random.script({pick(1, 4)});
        click(screen, "Button7");
        QCOMPARE(caption(screen, "Label2"), QStringLiteral("女"));
    }

    void noReviewNoButton() {
        openWith(kCharacters);
        QVERIFY(button(screen, "ReviewButton")->isHidden());
    }

    // The answer is the pinyin as school writes it: ü keeps its dots after n and l, and drops
    // them after j, q, x and y, where the ü letter then puts down a plain u.
    void umlaut_data() {
        QTest::addColumn<QString>("character");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("built");
        QTest::addColumn<bool>("right");
        QTest::newRow("女 n ü") << "女"
                                << "nü" << QList<int>{31, 6} << "nü" << true;
        QTest::newRow("女 n u is 奴") << "女"
                                      << "nü" << QList<int>{31, 5} << "nu" << false;
        QTest::newRow("绿 l ü") << "绿"
                                << "lü" << QList<int>{32, 6} << "lü" << true;
        QTest::newRow("绿 l u is 路") << "绿"
                                      << "lü" << QList<int>{32, 5} << "lu" << false;
        QTest::newRow("略 l üe") << "略"
                                 << "lüe" << QList<int>{32, 14} << "lüe" << true;
        QTest::newRow("虐 n üe") << "虐"
                                 << "nüe" << QList<int>{31, 14} << "nüe" << true;
        QTest::newRow("居 j ü") << "居"
                                << "ju" << QList<int>{36, 6} << "ju" << true;
        QTest::newRow("去 q ü") << "去"
                                << "qu" << QList<int>{37, 6} << "qu" << true;
        QTest::newRow("鱼 y ü") << "鱼"
                                << "yu" << QList<int>{46, 6} << "yu" << true;
        QTest::newRow("月 y üe") << "月"
                                 << "yue" << QList<int>{46, 14} << "yue" << true;
        QTest::newRow("学 x üe") << "学"
                                 << "xue" << QList<int>{38, 14} << "xue" << true;
        QTest::newRow("军 j ün") << "军"
                                 << "jun" << QList<int>{36, 20} << "jun" << true;
        QTest::newRow("云 y ün") << "云"
                                 << "yun" << QList<int>{46, 20} << "yun" << true;
        QTest::newRow("全 q ü an") << "全"
                                   << "quan" << QList<int>{37, 6, 16} << "quan" << true;
        // The plain u spells the same letters after j; both are the written pinyin.
        QTest::newRow("居 j u") << "居"
                                << "ju" << QList<int>{36, 5} << "ju" << true;
    }
    void umlaut() {
        QFETCH(QString, character);
        QFETCH(QString, expected);
        QFETCH(QList<int>, clicks);
        QFETCH(QString, built);
        QFETCH(bool, right);
        openWith({{character}});
        ctx->random.script({pick(0, 1)});
        click(screen, "Button7");
        QCOMPARE(caption(screen, "Label2"), character);
        QCOMPARE(screen->expected(), expected);
        QCOMPARE(tooltipAfterMouseMove(), QStringLiteral("答案：") + expected);
        for (int k : clicks)
            click(screen, letterButton(k));
        QCOMPARE(caption(screen, "Button2"), built);
        QCOMPARE(caption(screen, "Label3"), right ? kRight : kCheer);
        QCOMPARE(screen->timer()->isEnabled(), right);
        // Each letter sounds its own clip, the ü letter too when it puts down u.
        QStringList plays;
        for (int k : clicks)
            plays << played(core::letters::clip(k));
        QCOMPARE(letterPlayer().plays(), plays);
    }

    // A character read from the store with blanks around it is shown and looked up trimmed.
    void trimmedCharacter() {
        openWith(kCharacters);
        start(3);
        QCOMPARE(caption(screen, "Label2"), QStringLiteral("略"));
        QCOMPARE(screen->expected(), QStringLiteral("lüe"));
    }

    void disabling_data() {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QList<int>>("disabled");
        QTest::newRow("a") << QList<int>{1} << QList<int>{2, 4};
        QTest::newRow("o") << QList<int>{2} << QList<int>{5};
        QTest::newRow("e") << QList<int>{3} << QList<int>{4};
        QTest::newRow("i") << QList<int>{4} << QList<int>{3, 5, 6};
        QTest::newRow("u") << QList<int>{5} << QList<int>{3, 4};
        QTest::newRow("ü") << QList<int>{6} << QList<int>{3, 4};
        QList<int> compound, nasal, initials;
        for (int k = 7; k <= 20; ++k)
            compound << k;
        for (int k = 21; k <= 24; ++k)
            nasal << k;
        for (int k = 25; k <= 47; ++k)
            initials << k;
        QTest::newRow("ui") << QList<int>{9} << compound;
        QTest::newRow("ün") << QList<int>{20} << compound;
        QTest::newRow("ing") << QList<int>{23} << nasal;
        QTest::newRow("zh") << QList<int>{39} << initials;
        QTest::newRow("w") << QList<int>{47} << initials;
        QTest::newRow("a then e") << QList<int>{1, 3} << QList<int>{2, 4};
        QTest::newRow("x i ong") << QList<int>{38, 4, 24} << initials + QList<int>{3, 5, 6} + nasal;
    }
    void disabling() {
        QFETCH(QList<int>, clicks);
        QFETCH(QList<int>, disabled);
        openWith(kCharacters);
        start(0);
        for (int k : clicks)
            click(screen, letterButton(k));
        QCOMPARE(enabledLetters(), allBut(disabled));

        // "重新输入" clears the display and enables every letter again.
        click(screen, "Button3");
        QCOMPARE(caption(screen, "Button2"), QString());
        QCOMPARE(enabledLetters(), allBut({}));
        QCOMPARE(caption(screen, "Label2"), QStringLiteral("妈"));
    }

    void startWhileTheTimerCounts() {
        openWith(kCharacters);
        start(0);
        click(screen, letterButton(27));
        click(screen, letterButton(1));
        QVERIFY(screen->timer()->isEnabled());
        screen->timer()->fire();
        // "开始" now: a new character at once, and the pending move is dropped.
        start(1);
        QCOMPARE(caption(screen, "Label2"), QStringLiteral("女"));
        QCOMPARE(caption(screen, "Label3"), kCheer);
        QVERIFY(!screen->timer()->isEnabled());

        // The next right answer waits its own two ticks.
        click(screen, letterButton(31));
        click(screen, letterButton(6));
        QCOMPARE(caption(screen, "Label3"), kRight);
        QVERIFY(screen->timer()->isEnabled());
        ctx->random.script({pick(2, 4)});
        screen->timer()->fire();
        QCOMPARE(caption(screen, "Label2"), QStringLiteral("女"));
        screen->timer()->fire();
        QCOMPARE(caption(screen, "Label2"), QStringLiteral("爱"));
        QVERIFY(!screen->timer()->isEnabled());
    }

    void noCharacters_data() {
        QTest::addColumn<bool>("withFile");
        QTest::addColumn<QString>("message");
        QTest::newRow("no study.dat") << false << QStringLiteral("找不到内容库 study.dat");
        QTest::newRow("empty 单字") << true << QStringLiteral("单字表里没有汉字，无法出题");
    }
    void noCharacters() {
        QFETCH(bool, withFile);
        QFETCH(QString, message);
        if (withFile)
            openWith({});
        else
            open();
        auto *problem = screen->findChild<QLabel *>(QStringLiteral("Label4"));
        QVERIFY(problem->isVisible());
        QCOMPARE(problem->text(), message);
        click(screen, "Button7");
        QCOMPARE(problem->text(), message);
        QCOMPARE(enabledLetters(), QList<int>());
        QVERIFY(!button(screen, "Button3")->isEnabled());
        QCOMPARE(caption(screen, "Label2"), QString());
    }

    // Every character we ship can be spelled with the buttons, and the screen says "正确！" for it.
    void everyShippedCharacterIsSpellable() {
        services::Problems problems;
        std::vector<services::TableData> tables =
            services::readContentDir(QStringLiteral(LUMIBO_SOURCE_DIR "/content"), problems);
        std::vector<QStringList> characters;
        for (const services::TableData &t : tables)
            if (t.name == QStringLiteral("单字")) characters = t.rows;
        QVERIFY(characters.size() > 1000);
        openWith(characters);
        const int n = int(characters.size());
        QStringList unspellable;
        for (int i = 0; i < n; ++i) {
            ctx->random.script({pick(i, n)});
            click(screen, "Button7");
            const QString shown = caption(screen, "Label2");
            QCOMPARE(shown, characters[std::size_t(i)].value(0).trimmed());
            const QList<int> letters = pinyin::spell(screen->expected());
            if (letters.isEmpty()) {
                unspellable << QStringLiteral("%1 (%2)").arg(shown, screen->expected());
                continue;
            }
            for (int k : letters)
                click(screen, letterButton(k));
            if (caption(screen, "Label3") != kRight)
                unspellable << QStringLiteral("%1 (%2, typed %3)")
                                   .arg(shown, screen->expected(), caption(screen, "Button2"));
        }
        QVERIFY2(unspellable.isEmpty(),
                 qPrintable(QStringLiteral("cannot be spelled: ") + unspellable.join(", ")));
    }

    // A character whose lesson gives it a reading of its own is spelled that way (长 zhǎng);
    // without one, or with one that is not the character's, as the lookup reads it.
    void aRecordsOwnReadingIsTheAnswer_data() {
        QTest::addColumn<int>("record");
        QTest::addColumn<QString>("answer");
        QTest::newRow("长 zhǎng") << 0 << "zhang";
        QTest::newRow("长 without one") << 1 << "chang";
        QTest::newRow("行 háng") << 2 << "hang";
        QTest::newRow("行 with one not its own") << 3 << "xing";
    }
    void aRecordsOwnReadingIsTheAnswer() {
        QFETCH(int, record);
        QFETCH(QString, answer);
        openWith({{"长", "zhǎng"}, {"长"}, {"行", "háng"}, {"行", "hǎng"}});
        start(record);
        QCOMPARE(screen->expected(), answer);
        QCOMPARE(tooltipAfterMouseMove(), QStringLiteral("答案：") + answer);
        for (int k : pinyin::spell(answer))
            click(screen, letterButton(k));
        QCOMPARE(caption(screen, "Label3"), kRight);
    }
};

QTEST_MAIN(PinyinSpellingScreenTest)
#include "PinyinSpellingScreenTest.moc"
