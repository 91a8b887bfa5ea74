#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "services/ContentSchema.h"
#include "support/Fixtures.h"
#include "support/TestSupport.h"
#include "ui/Fonts.h"
#include "ui/Keyboard.h"

#include <QFontInfo>
#include <QListWidget>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTextEdit>

using namespace testing_support;

namespace {

// One row per game: how a fixture record k (counted from 1) reads on the screen.
struct Game {
    const char *menuItem;
    int slot;
    QString caption, title, library, countWord;
    bool textBox; // the clue in Text1, else on Button4
    bool hint;    // Button3 "猜" & kind
    QStringList (*record)(int k);
    QString (*answer)(int k);
    QString (*listItem)(int k);
};

const Game kGames[] = {
    {"chenyu", services::kIdioms, " 学成语", "成语边玩边学", "成语词库", "个成语", true, false,
     [](int k) {
         return QStringList{QStringLiteral("成语%1").arg(k), QStringLiteral("问%1").arg(k),
                            QStringLiteral("注%1").arg(k)};
     },
     [](int k) { return QStringLiteral("成语%1(注%1)").arg(k); },
     [](int k) { return QStringLiteral("成语%1--注%1").arg(k); }},
    {"fyc", services::kAntonyms, "反义词", "反义词边玩边学", "反义词词库", "个反义词", false, false,
     [](int k) {
         return QStringList{QStringLiteral("问%1").arg(k), QStringLiteral("反%1").arg(k)};
     },
     [](int k) { return QStringLiteral("反%1").arg(k); },
     [](int k) { return QStringLiteral("问%1---反%1").arg(k); }},
    {"tyc", services::kSynonyms, "同义词", "同义词边玩边学", "同义词词库", "个同义词", false, false,
     [](int k) {
         return QStringList{QStringLiteral("问%1").arg(k), QStringLiteral("同%1").arg(k)};
     },
     [](int k) { return QStringLiteral("同%1").arg(k); },
     [](int k) { return QStringLiteral("问%1---同%1").arg(k); }},
    {"cmy", services::kRiddles, "猜谜语", "猜猜谜语 开拓思维", "谜语词库", "个谜语", false, true,
     [](int k) {
         return QStringList{QStringLiteral("问%1").arg(k), QStringLiteral("类%1").arg(k),
                            QStringLiteral("答%1").arg(k)};
     },
     [](int k) { return QStringLiteral("答%1").arg(k); },
     [](int k) { return QStringLiteral("问%1-类%1-答%1").arg(k); }},
};

} // namespace

Q_DECLARE_METATYPE(const Game *)

class WordGameScreenTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<app::AppContext> ctx;
    QWidget *screen = nullptr;
    const Game *game = nullptr;

    void openWith(const Game &g, int n, const QStringList &review = {}) {
        ctx.reset();
        flushDeletes();
        game = &g;
        const QString path = dir.filePath(QStringLiteral("study.dat"));
        QFile::remove(path);
        std::vector<QStringList> rows;
        for (int k = 1; k <= n; ++k)
            rows.push_back(g.record(k));
        QVERIFY(writeFixtureStudyDat(path, {{g.slot, rows}}));
        ctx = app::AppContext::forTests(dir.path());
        if (!review.isEmpty()) record(*ctx).review[g.caption.trimmed()] = review;
        screen = ctx->navigator().open(*app::findMenuItem(g.menuItem));
        QVERIFY(screen);
    }

    QListWidget *list() { return screen->findChild<QListWidget *>("List1"); }
    QRadioButton *option(const char *name) { return screen->findChild<QRadioButton *>(name); }
    QString clue() {
        if (game->textBox) return screen->findChild<QTextEdit *>("Text1")->toPlainText();
        return caption(screen, "Button4");
    }
    QStringList answers() {
        QStringList out;
        for (int k = 1; k <= 4; ++k)
            out << caption(screen, QStringLiteral("Button1(%1)").arg(k));
        return out;
    }
    // The buttons a child can press, by caption.
    QStringList pressable() {
        QStringList out;
        for (int k = 1; k <= 4; ++k)
            if (button(screen, QStringLiteral("Button1(%1)").arg(k))->isEnabled())
                out << caption(screen, QStringLiteral("Button1(%1)").arg(k));
        return out;
    }
    QString buttonOf(const QString &answer, bool right = true) {
        for (int k = 1; k <= 4; ++k) {
            const QString name = QStringLiteral("Button1(%1)").arg(k);
            const QString text = caption(screen, name);
            if (right ? text == answer : (!text.isEmpty() && text != answer)) return name;
        }
        return {};
    }
    // Entry k (from 1) is asked: its clue, its hint and its answer on an enabled button, the
    // other enabled answers different from it and from each other.
    void asks(int k, int expectedButtons) {
        QCOMPARE(clue(), QStringLiteral("问%1").arg(k));
        if (game->hint) QCOMPARE(caption(screen, "Button3"), QStringLiteral("猜类%1").arg(k));
        const QStringList shown = pressable();
        QVERIFY2(shown.contains(game->answer(k)), qPrintable(shown.join('|')));
        QCOMPARE(shown.size(), expectedButtons);
        QCOMPARE(QSet<QString>(shown.begin(), shown.end()).size(), expectedButtons);
        // The first record is never a wrong answer.
        if (k != 1) QVERIFY(!shown.contains(game->answer(1)));
        for (int b = 1; b <= 4; ++b) {
            const QString name = QStringLiteral("Button1(%1)").arg(b);
            if (!button(screen, name)->isEnabled()) QCOMPARE(caption(screen, name), QString());
        }
    }
    QString count(int n) { return QStringLiteral("共有%1").arg(n) + game->countWord; }
    QString count(int n, int k) { return count(n) + QStringLiteral("  这是第%1个").arg(k); }

  private slots:
    void cleanup() {
        ctx.reset();
        flushDeletes();
    }

    void games_data() {
        QTest::addColumn<const Game *>("g");
        for (const Game &g : kGames)
            QTest::newRow(g.menuItem) << &g;
    }

    void opening_data() { games_data(); }
    void opening() {
        QFETCH(const Game *, g);
        openWith(*g, 100);
        QCOMPARE(screen->windowTitle(), g->caption);
        QCOMPARE(caption(screen, "Label3(4)"), g->title);
        QCOMPARE(caption(screen, "Label3(5)"), count(100));
        QCOMPARE(caption(screen, "Label3(0)"), QStringLiteral("1:"));
        QCOMPARE(caption(screen, "Label3(3)"), QStringLiteral("4:"));
        QCOMPARE(caption(screen, "Button2"), QStringLiteral("不想玩了"));
        QCOMPARE(screen->findChild<QTextEdit *>("Text1") != nullptr, g->textBox);
        QCOMPARE(screen->findChild<QPushButton *>("Button4") != nullptr, !g->textBox);
        QCOMPARE(screen->findChild<QPushButton *>("Button3") != nullptr, g->hint);
        QCOMPARE(option("Option1(0)")->text(), QStringLiteral("顺序游戏"));
        QCOMPARE(option("Option1(1)")->text(), QStringLiteral("随机游戏"));
        QCOMPARE(option("Option2(0)")->text(), QStringLiteral("显示答案"));
        QCOMPARE(option("Option2(1)")->text(), QStringLiteral("答案隐藏"));
        QVERIFY(option("Option1(0)")->isChecked());
        QVERIFY(option("Option2(0)")->isChecked());
        QCOMPARE(list()->count(), 100);
        QCOMPARE(list()->item(0)->text(), g->listItem(1));
        QCOMPARE(list()->item(99)->text(), g->listItem(100));
        QCOMPARE(list()->currentRow(), 0);
        QVERIFY(list()->isVisible());
        asks(1, 4);
        QVERIFY(clips(*ctx).plays().isEmpty());
    }

    void rightAnswerInOrder_data() { games_data(); }
    void rightAnswerInOrder() {
        QFETCH(const Game *, g);
        openWith(*g, 100);
        for (int k = 1; k <= 3; ++k) {
            click(screen, buttonOf(g->answer(k)));
            QCOMPARE(clips(*ctx).plays().last(), played(core::jieguo::kRight));
            QCOMPARE(caption(screen, "Label3(5)"), count(100, k + 1));
            QCOMPARE(list()->currentRow(), k);
            asks(k + 1, 4);
        }
    }

    void wrongAnswerChangesNothing_data() { games_data(); }
    void wrongAnswerChangesNothing() {
        QFETCH(const Game *, g);
        openWith(*g, 100);
        const QStringList before = answers();
        const QString label = caption(screen, "Label3(5)");
        click(screen, buttonOf(g->answer(1), false));
        QCOMPARE(clips(*ctx).plays(), QStringList{played(core::jieguo::kWrong)});
        QCOMPARE(answers(), before);
        QCOMPARE(caption(screen, "Label3(5)"), label);
        QCOMPARE(list()->currentRow(), 0);
        asks(1, 4);
    }

    void listChoice_data() { games_data(); }
    void listChoice() {
        QFETCH(const Game *, g);
        openWith(*g, 100);
        list()->setCurrentRow(41);
        QCOMPARE(caption(screen, "Label3(5)"), count(100, 42));
        asks(42, 4);
        // The last entry in order: asked again, the selection stays.
        list()->setCurrentRow(99);
        QCOMPARE(caption(screen, "Label3(5)"), count(100, 100));
        click(screen, buttonOf(g->answer(100)));
        QCOMPARE(list()->currentRow(), 99);
        QCOMPARE(caption(screen, "Label3(5)"), count(100, 100));
        asks(100, 4);
    }

    void randomGame_data() { games_data(); }
    void randomGame() {
        QFETCH(const Game *, g);
        openWith(*g, 100);
        QTest::mouseClick(option("Option1(1)"), Qt::LeftButton);
        QVERIFY(option("Option1(1)")->isChecked());
        QVERIFY(option("Option2(0)")->isChecked()); // the other group keeps its choice
        QSet<int> asked;
        for (int round = 0; round < 20; ++round) {
            const int k = list()->currentRow() + 1;
            click(screen, buttonOf(g->answer(k)));
            const int next = list()->currentRow() + 1;
            QVERIFY(next >= 1 && next <= 100 && next != k); // any entry but the one just asked
            QCOMPARE(caption(screen, "Label3(5)"), count(100, next));
            asks(next, 4);
            asked << next;
        }
        QVERIFY(asked.size() > 5);
    }

    void hiddenList() {
        openWith(kGames[0], 100);
        QTest::mouseClick(option("Option2(1)"), Qt::LeftButton);
        QVERIFY(!list()->isVisible());
        click(screen, buttonOf(game->answer(1)));
        QVERIFY(!list()->isVisible());
        click(screen, buttonOf(game->answer(2), false));
        QVERIFY(!list()->isVisible());
        QTest::mouseClick(option("Option2(0)"), Qt::LeftButton);
        QVERIFY(list()->isVisible());
        // The selection followed the entries asked while hidden.
        QCOMPARE(list()->currentRow(), 1);
    }

    // Tables too small for three wrong answers offer what they have; none of them hangs.
    void smallTables_data() {
        QTest::addColumn<const Game *>("g");
        QTest::addColumn<int>("n");
        for (const Game &g : kGames)
            for (int n : {1, 2, 3, 4, 5})
                QTest::newRow(qPrintable(QStringLiteral("%1, %2 records").arg(g.menuItem).arg(n))) << &g << n;
    }
    void smallTables() {
        QFETCH(const Game *, g);
        QFETCH(int, n);
        openWith(*g, n);
        QCOMPARE(caption(screen, "Label3(5)"), count(n));
        QCOMPARE(list()->count(), n);
        asks(1, std::min(n, 4));
        // In order to the end and past it: the last entry stays.
        for (int k = 1; k <= n + 1; ++k) {
            const int on = std::min(k, n);
            click(screen, buttonOf(g->answer(on)));
            const int next = std::min(on + 1, n);
            // Any entry but the first offers the others except the first.
            asks(next, std::min(next == 1 ? n : n - 1, 4));
        }
        // The entry at the start, in the middle and at the end, chosen from the list.
        for (int row : {0, n / 2, n - 1}) {
            list()->setCurrentRow(row == list()->currentRow() ? -1 : row);
            list()->setCurrentRow(row);
            asks(row + 1, std::min(row == 0 ? n : n - 1, 4));
        }
        // Random play moves to another entry; on a table of one it stays where it is.
        QTest::mouseClick(option("Option1(1)"), Qt::LeftButton);
        const int k = list()->currentRow() + 1;
        click(screen, buttonOf(g->answer(k)));
        QCOMPARE(list()->currentRow() == k - 1, n == 1);
    }

    void emptyTable_data() { games_data(); }
    void emptyTable() {
        QFETCH(const Game *, g);
        openWith(*g, 0);
        QCOMPARE(caption(screen, "Label3(5)"), count(0));
        QCOMPARE(clue(), QStringLiteral("“%1”里还没有内容").arg(g->countWord.mid(1)));
        QCOMPARE(answers(), (QStringList{"", "", "", ""}));
        QVERIFY(pressable().isEmpty());
        QCOMPARE(list()->count(), 0);
    }

    void missingStore() {
        ctx.reset();
        flushDeletes();
        QTemporaryDir empty;
        ctx = app::AppContext::forTests(empty.path());
        game = &kGames[3];
        screen = ctx->navigator().open(*app::findMenuItem("cmy"));
        QVERIFY(!ctx->store().problem().isEmpty());
        QCOMPARE(clue(), ctx->store().problem());
        QCOMPARE(caption(screen, "Label3(5)"), QStringLiteral("谜语词库"));
        QVERIFY(pressable().isEmpty());
    }

    // The title's brush font is installed and covers every character of every title.
    void titleFont_data() { games_data(); }
    void titleFont() {
        QFETCH(const Game *, g);
        openWith(*g, 5);
        auto *title = screen->findChild<QLabel *>("Label3(4)");
        QCOMPARE(QFontInfo(title->font()).family(), ui::calligraphicFamily());
        QVERIFY2(ui::calligraphicFamily() != ui::cjkFamily(), "no calligraphic font installed");
        const QFontMetrics fm(title->font());
        for (QChar c : g->title)
            if (!c.isSpace()) QVERIFY2(fm.inFont(c), qPrintable(QString(c)));
        QVERIFY(fm.horizontalAdvance(g->title) <= title->width());
    }

    // Back to the main window.
    // A round runs until the child picks another order or leaves; a miss is the entry's answer
    // and the answer pressed.
    void round() {
        const Game &g = kGames[1];
        openWith(g, 10);
        auto &rec = record(*ctx);
        const QString wrong = buttonOf(g.answer(1), false);
        const QString given = caption(screen, wrong);
        click(screen, wrong);
        click(screen, buttonOf(g.answer(1)));
        click(screen, buttonOf(g.answer(2)));
        rec.clock = rec.clock.addSecs(30);
        option("Option1(1)")->click();
        QCOMPARE(rec.rounds.size(), 1);
        const services::Round &r = rec.rounds[0];
        QCOMPARE(roundLine(r), QStringLiteral("反义词 hanzi 顺序游戏: 2 right, 1 wrong, 30 s"));
        QCOMPARE(missList(r), QStringList{QStringLiteral("反1→") + given});
        // Nothing answered in the random order: leaving adds nothing.
        click(screen, "Button2");
        QCOMPARE(rec.rounds.size(), 1);
    }

    // With entries to review, "复习错题" asks them first (one the table no longer holds is passed
    // over), then the game goes on in its order.
    void review() {
        const Game &g = kGames[1];
        openWith(g, 10, {QStringLiteral("反7"), QStringLiteral("反99"), QStringLiteral("反3")});
        QPushButton *b = button(screen, "ReviewButton");
        QVERIFY(b->isVisible());
        QCOMPARE(b->text(), QStringLiteral("复习错题"));
        QVERIFY(ui::tabStops(screen).contains(b));
        asks(1, 4);
        click(screen, "ReviewButton");
        QVERIFY(!b->isVisible());
        asks(7, 4);
        QCOMPARE(list()->currentRow(), 6);
        click(screen, buttonOf(g.answer(7)));
        asks(3, 4);
        click(screen, buttonOf(g.answer(3)));
        asks(4, 4);
    }

    void noReviewNoButton() {
        openWith(kGames[0], 10);
        QVERIFY(button(screen, "ReviewButton")->isHidden());
    }

    void leaving() {
        openWith(kGames[1], 5);
        click(screen, "Button2");
        flushDeletes();
        QVERIFY(ctx->navigator().current());
        QCOMPARE(ctx->navigator().current()->objectName(), QStringLiteral("Main"));
    }
};

QTEST_MAIN(WordGameScreenTest)
#include "WordGameScreenTest.moc"
