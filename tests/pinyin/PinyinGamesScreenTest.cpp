// The five listening games as a child plays them: open one from the menu, press "开始", hear a
// letter, pick it among four.
#include "pinyin/PinyinGamesScreen.h"
#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "pinyin/PinyinLetterTable.h"
#include "support/TestSupport.h"

#include <QMainWindow>
#include <QSet>

using namespace testing_support;

namespace {
const QString kRightClip = played(core::jieguo::kRight);
const QString kWrongClip = played(core::jieguo::kWrong);
} // namespace

class PinyinGamesScreenTest : public QObject {
    Q_OBJECT

    std::unique_ptr<app::AppContext> ctx;
    pinyin::PinyinGamesScreen *screen = nullptr;

    void open(const QString &item) {
        auto *main = qobject_cast<QMainWindow *>(ctx->navigator().current());
        QVERIFY(main);
        QAction *action = main->findChild<QAction *>(item);
        QVERIFY(action && action->isEnabled());
        action->trigger();
        flushDeletes();
        screen = qobject_cast<pinyin::PinyinGamesScreen *>(ctx->navigator().current());
        QVERIFY(screen);
        QCOMPARE(screen->objectName(), QStringLiteral("pyyx1form"));
    }
    void backToMain() {
        click(screen, "Button1");
        flushDeletes();
        QCOMPARE(ctx->navigator().current()->objectName(), QStringLiteral("Main"));
    }
    QStringList answers() const {
        QStringList c;
        for (int k = 1; k <= 4; ++k)
            c << caption(screen, QStringLiteral("Button9(%1)").arg(k));
        return c;
    }
    QString rightButton() const { return QStringLiteral("Button9(%1)").arg(screen->rightButton()); }
    // Every button holds a letter: the one after the right one is wrong.
    QString wrongButton() const { return QStringLiteral("Button9(%1)").arg(screen->rightButton() % 4 + 1); }
    services::RecordingWavePlayer &letterPlayer() {
        return static_cast<services::RecordingWavePlayer &>(screen->player());
    }
    // A right answer, the pause, the next question.
    void answerRight() {
        click(screen, rightButton());
        QVERIFY(screen->pauseTimer()->isEnabled());
        screen->pauseTimer()->fire();
        QVERIFY(!screen->pauseTimer()->isEnabled());
    }

  private slots:
    void init() {
        ctx = app::AppContext::forTests(QDir::tempPath(), 11);
        ctx->navigator().showMain();
    }
    void cleanup() {
        ctx.reset();
        flushDeletes();
    }

    void loadState() {
        open(QStringLiteral("py3"));
        QCOMPARE(screen->windowTitle(), QStringLiteral("复韵母游戏"));
        QCOMPARE(caption(screen, "Button2"), QStringLiteral("仔细听发音 找拼音字母"));
        QVERIFY(!button(screen, "Button2")->isEnabled());
        QCOMPARE(caption(screen, "Button7"), QStringLiteral("开始"));
        QCOMPARE(caption(screen, "Button13"), QStringLiteral("再听一遍"));
        QCOMPARE(caption(screen, "Button1"), QStringLiteral("返回"));
        QCOMPARE(answers(), QStringList(4, QStringLiteral(" ")));
        for (int k = 1; k <= 4; ++k)
            QVERIFY(!button(screen, QStringLiteral("Button9(%1)").arg(k))->isEnabled());
        QCOMPARE(letterPlayer().log, QStringList{"open sound.wav"});

        // Before the first question there is nothing to hear again.
        click(screen, "Button13");
        QCOMPARE(letterPlayer().plays(), QStringList());
        QCOMPARE(clips(*ctx).plays(), QStringList());
    }

    void questions_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("py2") << "py2"
                             << "单韵母游戏" << 1 << 6;
        QTest::newRow("py3") << "py3"
                             << "复韵母游戏" << 7 << 20;
        QTest::newRow("py4") << "py4"
                             << "后鼻韵母游戏" << 21 << 24;
        QTest::newRow("py5") << "py5"
                             << "声母游戏" << 25 << 47;
        QTest::newRow("py6") << "py6"
                             << "全部字母游戏" << 1 << 47;
    }
    void questions() {
        QFETCH(QString, item);
        QFETCH(QString, title);
        QFETCH(int, first);
        QFETCH(int, last);
        open(item);
        QCOMPARE(screen->windowTitle(), title);
        QStringList range;
        for (int k = first; k <= last; ++k)
            range << pinyin::gameCaption(k);

        click(screen, "Button7");
        QVERIFY(!button(screen, "Button7")->isEnabled());
        QSet<int> asked;
        int previousSlot = 0;
        for (int q = 0; q < 600; ++q) {
            const int a = screen->answer();
            QVERIFY(a >= first && a <= last);
            asked << a;
            // The letter is said as the question comes up.
            QCOMPARE(letterPlayer().plays().last(), played(core::letters::clip(a)));
            const QStringList shown = answers();
            QCOMPARE(QSet<QString>(shown.begin(), shown.end()).size(), 4);
            for (const QString &c : shown)
                QVERIFY2(range.contains(c), qPrintable(c));
            if (last - first + 1 == 4)
                QCOMPARE(QSet<QString>(shown.begin(), shown.end()),
                         QSet<QString>(range.begin(), range.end()));
            QCOMPARE(caption(screen, rightButton()), pinyin::gameCaption(a));
            QCOMPARE(caption(screen, "Button2"), pinyin::rhyme(a));
            QVERIFY(screen->rightButton() != previousSlot);
            previousSlot = screen->rightButton();
            for (int k = 1; k <= 4; ++k)
                QVERIFY(button(screen, QStringLiteral("Button9(%1)").arg(k))->isEnabled());
            answerRight();
            QCOMPARE(clips(*ctx).plays().last(), kRightClip);
        }
        // Every letter of the range comes up in time.
        QCOMPARE(asked.size(), last - first + 1);
        QVERIFY(!button(screen, "Button7")->isEnabled());
    }

    void wrongChangesNothing() {
        open(QStringLiteral("py6"));
        click(screen, "Button7");
        const QStringList shown = answers();
        const QString hint = caption(screen, "Button2");
        const int a = screen->answer();
        const QStringList letters = letterPlayer().plays();
        click(screen, wrongButton());
        QCOMPARE(clips(*ctx).plays(), QStringList{kWrongClip});
        QCOMPARE(answers(), shown);
        QCOMPARE(caption(screen, "Button2"), hint);
        QCOMPARE(screen->answer(), a);
        QCOMPARE(letterPlayer().plays(), letters);
        QVERIFY(!screen->pauseTimer()->isEnabled());

        // "再听一遍" says the same letter again.
        click(screen, "Button13");
        QCOMPARE(letterPlayer().plays().last(), played(core::letters::clip(a)));
        QCOMPARE(letterPlayer().plays().size(), letters.size() + 1);

        // The right one afterwards still counts.
        click(screen, rightButton());
        QCOMPARE(clips(*ctx).plays(), (QStringList{kWrongClip, kRightClip}));
    }

    // A round runs from "开始" until the screen is put away: the letters asked, the answers pressed.
    void round() {
        open(QStringLiteral("py3"));
        auto &rec = record(*ctx);
        click(screen, "Button7");
        const QString asked = pinyin::gameCaption(screen->answer());
        const QString given = caption(screen, wrongButton());
        click(screen, wrongButton());
        answerRight();
        answerRight();
        rec.clock = rec.clock.addSecs(64);
        backToMain();
        QCOMPARE(rec.rounds.size(), 1);
        const services::Round &r = rec.rounds[0];
        QCOMPARE(roundLine(r), QStringLiteral("pyyx1form pinyin 复韵母游戏: 2 right, 1 wrong, 64 s"));
        QCOMPARE(missList(r), QStringList{asked + QStringLiteral("→") + given});
        QCOMPARE(r.misses[0].list, QStringLiteral("pyyx1form"));
    }

    // "复习错题" asks the letters missed before first, even from another range, then the range.
    void review() {
        record(*ctx).review[QStringLiteral("pyyx1form")] = {pinyin::gameCaption(30), pinyin::gameCaption(2)};
        open(QStringLiteral("py3"));
        QVERIFY(button(screen, "ReviewButton")->isVisible());
        click(screen, "ReviewButton");
        QVERIFY(!button(screen, "ReviewButton")->isVisible());
        QVERIFY(!button(screen, "Button7")->isEnabled());
        QCOMPARE(screen->answer(), 30);
        QCOMPARE(letterPlayer().plays().last(), played(core::letters::clip(30)));
        QCOMPARE(caption(screen, rightButton()), pinyin::gameCaption(30));
        answerRight();
        QCOMPARE(screen->answer(), 2);
        answerRight();
        QVERIFY(screen->answer() >= 7 && screen->answer() <= 20);
    }

    void noReviewNoButton() {
        open(QStringLiteral("py6"));
        QVERIFY(button(screen, "ReviewButton")->isHidden());
    }

    void clicksDuringThePauseAreIgnored() {
        open(QStringLiteral("py5"));
        click(screen, "Button7");
        click(screen, rightButton());
        const QStringList shown = answers();
        const int slot = screen->rightButton();
        const int lettersSaid = letterPlayer().plays().size();
        // The chime is heard out before the next letter.
        QCOMPARE(screen->pauseTimer()->interval(), core::jieguo::kRight.length());
        for (int k = 1; k <= 4; ++k)
            click(screen, QStringLiteral("Button9(%1)").arg(k));
        QCOMPARE(clips(*ctx).plays(), QStringList{kRightClip});
        QCOMPARE(answers(), shown);
        QCOMPARE(screen->rightButton(), slot);
        QCOMPARE(letterPlayer().plays().size(), lettersSaid);

        screen->pauseTimer()->fire();
        QCOMPARE(letterPlayer().plays().size(), lettersSaid + 1);
        QVERIFY(screen->rightButton() != slot);
        click(screen, wrongButton());
        QCOMPARE(clips(*ctx).plays().last(), kWrongClip);
    }

    void retroflexAnswers_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("rhyme");
        QTest::newRow("zh") << 39 << "zhi"
                            << "织：z字加 h 读作织 ";
        QTest::newRow("ch") << 40 << "chi"
                            << "吃：c字加 h 吃吃吃";
    }
    void retroflexAnswers() {
        QFETCH(int, k);
        QFETCH(QString, letter);
        QFETCH(QString, rhyme);
        open(QStringLiteral("py5"));
        ctx->random.script({(k - 25 + 0.5) / 23});
        click(screen, "Button7");
        QCOMPARE(screen->answer(), k);
        QCOMPARE(caption(screen, rightButton()), letter);
        QCOMPARE(caption(screen, "Button2"), rhyme);
        QVERIFY(!answers().contains(QStringLiteral("zh")));
        QVERIFY(!answers().contains(QStringLiteral("ch")));
    }

    void rightPlaceNeverRepeatsAcrossVisits() {
        for (int visit = 0; visit < 20; ++visit) {
            open(visit % 2 ? QStringLiteral("py4") : QStringLiteral("py2"));
            const int before = ctx->globals.lastAnswerSlot;
            click(screen, "Button7");
            QVERIFY(screen->rightButton() != before);
            QCOMPARE(ctx->globals.lastAnswerSlot, screen->rightButton());
            backToMain();
        }
    }

    void leavingDuringThePause() {
        open(QStringLiteral("py2"));
        click(screen, "Button7");
        click(screen, rightButton());
        backToMain();
        // A fresh visit starts afresh: "开始" again, nothing to hear again yet.
        open(QStringLiteral("py2"));
        QVERIFY(button(screen, "Button7")->isEnabled());
        QVERIFY(!screen->pauseTimer()->isEnabled());
        click(screen, "Button13");
        QCOMPARE(letterPlayer().plays(), QStringList());
    }
};

QTEST_MAIN(PinyinGamesScreenTest)
#include "PinyinGamesScreenTest.moc"
