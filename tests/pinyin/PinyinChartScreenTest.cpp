// The letter chart as a child uses it: open it from the menu, rest on a letter, click letters.
#include "pinyin/PinyinChartScreen.h"
#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "pinyin/PinyinLetterTable.h"
#include "support/TestSupport.h"

#include <QGroupBox>
#include <QMainWindow>

using namespace testing_support;

class PinyinChartScreenTest : public QObject {
    Q_OBJECT

    std::unique_ptr<app::AppContext> ctx;
    QWidget *screen = nullptr;

    services::RecordingWavePlayer &letterPlayer() {
        return static_cast<services::RecordingWavePlayer &>(
            qobject_cast<pinyin::PinyinChartScreen *>(screen)->player());
    }
    static QString letterButton(int k) { return QStringLiteral("Button9(%1)").arg(k); }

  private slots:
    void init() {
        ctx = app::AppContext::forTests(QDir::tempPath());
        ctx->navigator().showMain();
        auto *main = qobject_cast<QMainWindow *>(ctx->navigator().current());
        QVERIFY(main);
        QAction *py1 = main->findChild<QAction *>(QStringLiteral("py1"));
        QVERIFY(py1 && py1->isEnabled());
        QCOMPARE(py1->text(), QStringLiteral("学习拼音"));
        py1->trigger();
        flushDeletes();
        screen = ctx->navigator().current();
        QCOMPARE(screen->objectName(), QStringLiteral("xuepyform"));
    }
    void cleanup() {
        ctx.reset();
        flushDeletes();
    }

    void texts() {
        QCOMPARE(screen->windowTitle(), QStringLiteral("拼音游戏"));
        QCOMPARE(caption(screen, "Label1"), QStringLiteral("学习拼音"));
        QCOMPARE(caption(screen, "Label2"), QStringLiteral("单击字母朗读拼音"));
        QCOMPARE(caption(screen, "Button1"), QStringLiteral("返回"));
        const QStringList frames{"单韵母", "复韵母", "后鼻韵母", "声母"};
        for (int f = 1; f <= 4; ++f) {
            auto *box = screen->findChild<QGroupBox *>(QStringLiteral("Frame%1").arg(f));
            QVERIFY(box);
            QCOMPARE(box->title(), frames[f - 1]);
        }
        // The sounds are opened at load; nothing is played yet.
        QCOMPARE(letterPlayer().log, QStringList{"open sound.wav"});
        QCOMPARE(clips(*ctx).plays(), QStringList());
    }

    void letters_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("rhyme");
        QTest::addColumn<QString>("frame");
        // Every letter, written out here so a slip in the table shows.
        const char *rows[][3] = {
            {"a", "啊：小嘴张大啊啊啊", "Frame1"},   {"o", "喔：嘴巴圆圆喔喔喔", "Frame1"},
            {"e", "鹅：扁扁嘴巴鹅鹅鹅", "Frame1"},   {"i", "衣：牙齿对齐衣衣衣", "Frame1"},
            {"u", "乌：嘴巴小园乌乌乌", "Frame1"},   {"ü", "鱼：嘴巴翘起鱼鱼鱼", "Frame1"},
            {"ai", "挨：挨着挨着挨挨挨", "Frame2"},  {"ei", "诶：用力劈柴诶诶诶", "Frame2"},
            {"ui", "围：危险危险危危危", "Frame2"},  {"ao", "袄：凹镜凹镜凹凹凹", "Frame2"},
            {"ou", "鸥：海鸥飞翔鸥鸥鸥", "Frame2"},  {"iu", "游：优秀优秀优优优", "Frame2"},
            {"ie", "椰：椰树椰树椰椰椰", "Frame2"},  {"üe", "月：节约用水约约约", "Frame2"},
            {"er", "耳：耳朵耳朵耳耳耳", "Frame2"},  {"an", "安：天安门  安安安", "Frame2"},
            {"en", "摁：恩爱恩爱恩恩恩", "Frame2"},  {"in", "印：树荫树荫荫荫荫", "Frame2"},
            {"un", "温：温度温度温温温", "Frame2"},  {"ün", "云：头晕头晕晕晕晕", "Frame2"},
            {"ang", "肮：肮脏肮脏肮肮肮", "Frame3"}, {"eng", "灯：电灯电灯灯灯灯", "Frame3"},
            {"ing", "鹰：雄鹰雄鹰鹰鹰鹰", "Frame3"}, {"ong", "嗡：蜜蜂蜜蜂嗡嗡嗡", "Frame3"},
            {"b", "播：右下圆圈播播播", "Frame4"},   {"p", "泼：右上圆圈泼泼泼", "Frame4"},
            {"m", "摸：两个门洞摸摸摸", "Frame4"},   {"f", "佛：伞柄朝上佛佛佛", "Frame4"},
            {"d", "得：左下圆圈嘚嘚嘚", "Frame4"},   {"t", "特：伞柄朝下特特特", "Frame4"},
            {"n", "讷：一个门洞讷讷讷", "Frame4"},   {"l", "乐：一根棍子乐乐乐", "Frame4"},
            {"g", "鸽：q 字加钩歌歌歌", "Frame4"},   {"k", "蝌：像挺机枪蝌蝌蝌", "Frame4"},
            {"h", "喝：像把椅子喝喝喝", "Frame4"},   {"j", "鸡：小鸡小鸡叽叽叽", "Frame4"},
            {"q", "旗：左上圆圈旗旗旗", "Frame4"},   {"x", "西：一个大叉西西西", "Frame4"},
            {"zh", "织：z字加 h 读作织 ", "Frame4"}, {"ch", "吃：c字加 h 吃吃吃", "Frame4"},
            {"sh", "狮：s字加 h 狮狮狮", "Frame4"},  {"r", "日：小树发芽日日日", "Frame4"},
            {"z", "字：像个2 字字字字", "Frame4"},   {"c", "刺：半个圆圈刺刺刺", "Frame4"},
            {"s", "丝：像蚕吐丝丝丝丝", "Frame4"},   {"y", "衣：像个树杈衣衣衣", "Frame4"},
            {"w", "屋：两座房屋屋屋屋", "Frame4"},
        };
        int k = 0;
        for (const auto &row : rows) {
            ++k;
            QTest::addRow("%d %s", k, row[0])
                << k << QString::fromUtf8(row[0]) << QString::fromUtf8(row[1]) << QString::fromUtf8(row[2]);
        }
        QCOMPARE(k, 47);
    }
    void letters() {
        QFETCH(int, k);
        QFETCH(QString, letter);
        QFETCH(QString, rhyme);
        QFETCH(QString, frame);
        QPushButton *b = button(screen, letterButton(k));
        QVERIFY(b);
        QCOMPARE(b->text(), letter);
        QCOMPARE(b->toolTip(), rhyme);
        QCOMPARE(b->parentWidget()->objectName(), frame);
        QCOMPARE(b->width(), b->height());
        QVERIFY(b->isEnabled());
        // The whole button lies inside its frame and the letter fits on it.
        QVERIFY(b->parentWidget()->rect().contains(b->geometry()));
        QVERIFY(QFontMetrics(b->font()).horizontalAdvance(letter) < b->width());

        // A click says exactly this letter's slice, and nothing else happens.
        click(screen, letterButton(k));
        QCOMPARE(letterPlayer().plays(), QStringList{played(core::letters::clip(k))});
        QCOMPARE(clips(*ctx).plays(), QStringList());
        QCOMPARE(b->text(), letter);
    }

    void firstAndLastSlices() {
        click(screen, letterButton(1));
        click(screen, letterButton(47));
        QCOMPARE(letterPlayer().plays(),
                 (QStringList{played(core::letters::clip(1)), played(core::letters::clip(47))}));
        // The first slice starts the file and the last one ends it.
        QCOMPARE(core::letters::clip(1).from, 0);
        QCOMPARE(core::letters::clip(47).to, core::letters::kEndMs);
    }

    void clicksInARowEachPlayAtOnce() {
        // Each click asks for its own slice straight away; the player replaces what sounds.
        for (int k : {21, 3, 21, 39})
            click(screen, letterButton(k));
        QCOMPARE(letterPlayer().plays(),
                 (QStringList{played(core::letters::clip(21)), played(core::letters::clip(3)),
                              played(core::letters::clip(21)), played(core::letters::clip(39))}));
    }

    void framesDoNotOverlap() {
        QList<QRect> rects;
        for (int f = 1; f <= 4; ++f)
            rects << screen->findChild<QGroupBox *>(QStringLiteral("Frame%1").arg(f))->geometry();
        for (const char *name : {"Label1", "Label2", "Button1"})
            rects << screen->findChild<QWidget *>(QString::fromLatin1(name))->geometry();
        for (int i = 0; i < rects.size(); ++i) {
            QVERIFY(screen->rect().contains(rects[i]));
            for (int j = i + 1; j < rects.size(); ++j)
                QVERIFY2(!rects[i].intersects(rects[j]),
                         qPrintable(QStringLiteral("%1 and %2").arg(i).arg(j)));
        }
        // Finals down the left half, initials on the right.
        for (int f = 1; f <= 3; ++f)
            QVERIFY(rects[f - 1].right() < screen->width() / 2);
        QVERIFY(rects[3].left() >= screen->width() / 2);
    }

    void returnGoesToMain() {
        click(screen, "Button1");
        flushDeletes();
        QCOMPARE(ctx->navigator().current()->objectName(), QStringLiteral("Main"));
    }
};

QTEST_MAIN(PinyinChartScreenTest)
#include "PinyinChartScreenTest.moc"
