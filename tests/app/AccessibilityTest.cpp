#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "arithmetic/DrillScreen.h"
#include "support/TestSupport.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QComboBox>
#include <QLineEdit>

using namespace testing_support;

// What a screen reader finds: every control it can focus has a name, on every registered screen
// in every state the gallery shows; answers, tallies and lesson texts are read as shown.
class AccessibilityTest : public QObject {
    Q_OBJECT

    std::unique_ptr<app::AppContext> ctx;

    // The screen opened as the gallery opens it.
    QWidget *open(const app::ScreenEntry &entry) {
        ctx = app::AppContext::forTests(QStringLiteral(LUMIBO_BUILD_DIR));
        if (const app::MenuItem *item = app::findMenuItem(entry.galleryMenuItem))
            return ctx->navigator().open(*item);
        if (entry.name == screens::kMain) return ctx->navigator().showMain();
        return ctx->navigator().open(entry.name);
    }

    static QString describe(QAccessibleInterface *iface) {
        QObject *o = iface->object();
        if (!o) return QStringLiteral("a %1 item").arg(int(iface->role()));
        return QStringLiteral("%1 (%2)").arg(o->objectName(),
                                             QString::fromLatin1(o->metaObject()->className()));
    }

    // Focusable interfaces on show whose name is blank.
    static void unnamed(QAccessibleInterface *iface, QStringList &out) {
        if (!iface || !iface->isValid() || iface->state().invisible) return;
        if (iface->state().focusable && iface->text(QAccessible::Name).trimmed().isEmpty())
            out << describe(iface);

        for (int i = 0; i < iface->childCount(); ++i)
            unnamed(iface->child(i), out);
    }

    static QString nameOf(QWidget *w) {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
        return iface ? iface->text(QAccessible::Name) : QStringLiteral("<no interface>");
    }
    static QString valueOf(QWidget *w) {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
        return iface ? iface->text(QAccessible::Value) : QStringLiteral("<no interface>");
    }

  private slots:
    void initTestCase() { useOwnSettings(); }
    void cleanup() {
        ctx.reset();
        flushDeletes();
    }

    void everyFocusableControlHasAName() {
        QStringList problems;
        int walked = 0;
        for (const app::ScreenEntry &entry : app::ScreenRegistry::instance().entries()) {
            auto check = [&](const app::GalleryShot *shot) {
                QWidget *w = open(entry);
                QVERIFY2(w, qPrintable(entry.name));
                if (shot) shot->prepare(w, *ctx);
                QCoreApplication::processEvents();
                QStringList found;
                unnamed(QAccessible::queryAccessibleInterface(w), found);
                for (const QString &f : found)
                    problems << (shot ? shot->file : entry.name) + ": " + f;
                ++walked;
                ctx.reset();
                flushDeletes();
            };
            check(nullptr);
            for (const app::GalleryShot &shot : entry.shots)
                check(&shot);
        }
        QVERIFY(walked >= int(app::ScreenRegistry::instance().entries().size()));
        QVERIFY2(problems.isEmpty(), qPrintable("controls without a name:\n" + problems.join('\n')));
    }

    // The walk finds a focusable control without a name, and passes it once named.
    void walkFindsAnUnnamedControl() {
        QWidget w;
        auto *edit = new QLineEdit(&w);
        edit->setObjectName(QStringLiteral("nameless"));
        auto *shown = new ui::FlatButton(QStringLiteral("blank"), QStringLiteral(" "), &w, 12);
        shown->move(0, 40);
        w.show();
        QStringList found;
        unnamed(QAccessible::queryAccessibleInterface(&w), found);
        QCOMPARE(found, (QStringList{"nameless (QLineEdit)", "blank (ui::FlatButton)"}));
        edit->setAccessibleName(QStringLiteral("名字"));
        shown->setBlankName(QStringLiteral("答案"));
        found.clear();
        unnamed(QAccessible::queryAccessibleInterface(&w), found);
        QCOMPARE(found, QStringList());
        QCOMPARE(nameOf(shown), QStringLiteral("答案"));
        shown->setCaption(QStringLiteral("7"));
        QCOMPARE(nameOf(shown), QStringLiteral("7"));
    }

    // The drill reads its answers, tally, score and clock as they are shown.
    void drillReadsItsTexts() {
        ctx = app::AppContext::forTests(QStringLiteral(LUMIBO_BUILD_DIR), 3);
        QWidget *s = ctx->navigator().open(*app::findMenuItem("less10"));
        QCOMPARE(nameOf(button(s, "Button9(1)")), QStringLiteral("答案1")); // no question yet
        QCOMPARE(nameOf(button(s, "Button9(4)")), QStringLiteral("答案4"));
        click(s, "Button7");
        for (int k = 1; k <= 4; ++k) {
            const QString answer = QStringLiteral("Button9(%1)").arg(k);
            QVERIFY(!caption(s, answer).isEmpty());
            QCOMPARE(nameOf(button(s, answer)), caption(s, answer));
        }
        click(s, answerButton(s, QString::number(
                                     int(qobject_cast<arithmetic::DrillScreen *>(s)->question()->answer))));
        QCOMPARE(nameOf(button(s, "Button13")), QStringLiteral("正确1道题,错误0道题,"));
        QCOMPARE(nameOf(button(s, "Button10")), caption(s, "Button10"));
        timer(s, "Timer2")->fire();
        auto *progress = s->findChild<QProgressBar *>("Progress1");
        QCOMPARE(nameOf(progress), QStringLiteral("答题时间"));
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(progress);
        QVERIFY(iface->valueInterface());
        QCOMPARE(iface->valueInterface()->currentValue().toInt(), 1);
    }

    // The lesson reads its character and, in the pinyin box, the pinyin.
    void lessonReadsCharacterAndPinyin() {
        ctx = app::AppContext::forTests(QStringLiteral(LUMIBO_BUILD_DIR));
        QWidget *s = ctx->navigator().open(*app::findMenuItem("danzi"));
        auto *combo = s->findChild<QComboBox *>("Combo1");
        QCOMPARE(nameOf(combo), QStringLiteral("选择第几课"));
        // Where the reader names a combo box by its current text, the label beside it is its label.
        const auto labels = QAccessible::queryAccessibleInterface(combo)->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.first().first->object(), s->findChild<QLabel *>("Label4"));
        combo->setCurrentIndex(0);
        emit combo->activated(0);
        click(s, "Button1");
        const QString entry = caption(s, "Label1");
        QVERIFY(!entry.isEmpty());
        QCOMPARE(nameOf(s->findChild<QLabel *>("Label1")), entry);
        auto *pinyin = s->findChild<QLineEdit *>("Txtpy");
        QVERIFY(!pinyin->text().isEmpty());
        QCOMPARE(nameOf(pinyin), QStringLiteral("拼音"));
        QCOMPARE(valueOf(pinyin), pinyin->text());
        QCOMPARE(nameOf(button(s, "Button3")), QStringLiteral("上一个"));
    }

    // An empty slot of the poem game is named by its place, a filled one reads its line.
    void poemSlotsAreNamed() {
        ctx = app::AppContext::forTests(QStringLiteral(LUMIBO_BUILD_DIR));
        QWidget *s = ctx->navigator().open(*app::findMenuItem("tangshiyx"));
        QCoreApplication::processEvents();
        QCOMPARE(nameOf(button(s, "Button1(5)")), QStringLiteral("第1句"));
        const QString line = caption(s, "Button1(2)");
        QVERIFY(!line.isEmpty());
        QCOMPARE(nameOf(button(s, "Button1(2)")), line);
        click(s, "Button1(2)");
        for (int i = 0; i < 20; ++i)
            timer(s, "Timer1")->fire();
        QCOMPARE(nameOf(button(s, "Button1(5)")), line);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
