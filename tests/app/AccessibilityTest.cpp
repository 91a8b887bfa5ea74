#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "arithmetic/DrillScreen.h"
#include "gallery/GalleryStates.h"
#include "support/TestSupport.h"
#include "ui/AccessibleScale.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <optional>
#include <typeinfo>

using namespace testing_support;

// What a screen reader finds: every control it can focus has a name, on every registered screen
// in every state the gallery shows; answers, tallies and lesson texts are read as shown; and every
// place it is told is in the screen's own pixels. The program runs once as it is and once at a
// window scale of 1.5 (AccessibilityTestAtScale).
class AccessibilityTest : public QObject {
    Q_OBJECT

    std::unique_ptr<app::AppContext> ctx;

    // The screen opened as the gallery opens it.
    QWidget *open(const app::ScreenEntry &entry) {
        ctx = app::AppContext::forTests(QStringLiteral(LUMIBO_BUILD_DIR));
        return gallery::open(*ctx, entry.name);
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

    // The window scale this run was started with.
    static double scale() { return qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble(); }

    // Where a rectangle of a widget is on the screen, in the screen's own pixels: the offscreen
    // screen sits at (0, 0), and Qt draws everything on it enlarged by the scale.
    static QRect onScreen(const QWidget *w, const QRect &r) {
        const QPoint at = w->mapToGlobal(r.topLeft());
        const double s = scale();
        return QRect(qRound(at.x() * s), qRound(at.y() * s), qRound(r.width() * s), qRound(r.height() * s));
    }

    // Where an accessible control is on screen, found from its widget, its menu or its list: for the
    // controls whose place is known that way.
    static std::optional<QRect> placeOf(QAccessibleInterface *iface) {
        QObject *o = iface->object();
        if (auto *w = qobject_cast<QWidget *>(o)) return onScreen(w, w->rect());
        QAccessibleInterface *parent = iface->parent();
        QObject *owner = parent ? parent->object() : nullptr;
        if (auto *action = qobject_cast<QAction *>(o)) {
            if (auto *bar = qobject_cast<QMenuBar *>(owner))
                return onScreen(bar, bar->actionGeometry(action));
            if (auto *menu = qobject_cast<QMenu *>(owner))
                return onScreen(menu, menu->actionGeometry(action));
        }
        if (auto *list = qobject_cast<QListWidget *>(owner); list && iface->tableCellInterface()) {
            const QModelIndex row = list->model()->index(iface->tableCellInterface()->rowIndex(), 0);
            return onScreen(list->viewport(), list->visualRect(row));
        }
        return std::nullopt;
    }

    // Controls on show whose reported place is not where they are, or whose middle does not find
    // them (or a control lying over them).
    static void misplaced(QAccessibleInterface *iface, QStringList &out) {
        if (!iface || !iface->isValid() || iface->state().invisible) return;
        const std::optional<QRect> place = placeOf(iface);
        // Qt reports a check box or a radio button as its box and caption only, inside the widget.
        const bool part =
            qobject_cast<QCheckBox *>(iface->object()) || qobject_cast<QRadioButton *>(iface->object());
        if (place && (part ? !place->contains(iface->rect()) : iface->rect() != *place))
            out << QStringLiteral("%1 reports %2 but is at %3")
                       .arg(describe(iface), show(iface->rect()), show(*place));
        for (int i = 0; i < iface->childCount(); ++i) {
            QAccessibleInterface *child = iface->child(i);
            if (!child || !child->isValid() || child->state().invisible || child->state().offscreen) continue;
            if (const std::optional<QRect> at = placeOf(child); at && !at->isEmpty()) {
                QAccessibleInterface *found = iface->childAt(at->center().x(), at->center().y());
                const std::optional<QRect> foundAt = found ? placeOf(found) : std::nullopt;
                if (!foundAt || !foundAt->contains(at->center()))
                    out << QStringLiteral("%1 at %2 is not found there (found %3)")
                               .arg(describe(child), show(*at),
                                    found ? describe(found) : QStringLiteral("nothing"));
            }
            misplaced(child, out);
        }
    }
    static QString show(const QRect &r) {
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }

  private slots:
    void initTestCase() {
        useOwnSettings();
        ui::scaleAccessiblePlaces(); // as the program does at its start
    }
    void cleanup() {
        ctx.reset();
        flushDeletes();
    }

    void everyFocusableControlHasAName() {
        QStringList problems;
        int walked = 0;
        for (const app::ScreenEntry &entry : app::ScreenRegistry::instance().entries()) {
            auto check = [&](const gallery::State *state) {
                QWidget *w = open(entry);
                QVERIFY2(w, qPrintable(entry.name));
                if (state) {
                    const QString problem = state->apply(w, *ctx);
                    QVERIFY2(problem.isEmpty(), qUtf8Printable(problem));
                }
                QCoreApplication::processEvents();
                QStringList found;
                unnamed(QAccessible::queryAccessibleInterface(w), found);
                for (const QString &f : found)
                    problems << (state ? state->file : entry.name) + ": " + f;
                ++walked;
                ctx.reset();
                flushDeletes();
            };
            check(nullptr);
            for (const gallery::State &state : gallery::statesOf(entry.name).states)
                check(&state);
        }
        QVERIFY(walked >= int(app::ScreenRegistry::instance().entries().size()));
        QVERIFY2(problems.isEmpty(), qPrintable("controls without a name:\n" + problems.join('\n')));
    }

    // Every control, main menu item and list row on show is reported where it is on screen, in the
    // screen's own pixels, and a point on it finds it, on every registered screen.
    void placesAreInScreenPixels() {
        QStringList problems;
        for (const app::ScreenEntry &entry : app::ScreenRegistry::instance().entries()) {
            QWidget *w = open(entry);
            QVERIFY2(w, qPrintable(entry.name));
            QCoreApplication::processEvents();
            // Qt draws the window at the run's scale: its picture is the window's size on screen.
            QCOMPARE(w->window()->devicePixelRatioF(), scale());
            QCOMPARE(w->window()->grab().size(), onScreen(w->window(), w->window()->rect()).size());
            QStringList found;
            misplaced(QAccessible::queryAccessibleInterface(w->window()), found);
            for (const QString &f : found)
                problems << entry.name + ": " + f;
            ctx.reset();
            flushDeletes();
        }
        QVERIFY2(problems.isEmpty(), qPrintable("controls out of place:\n" + problems.join('\n')));
    }

    // At a scale other than 1 every control's interface is one passing Qt's through; at scale 1 the
    // controls keep Qt's own, with nothing in between.
    void passedThroughOnlyWhenScaled() {
        ctx = app::AppContext::forTests(QStringLiteral(LUMIBO_BUILD_DIR));
        QWidget *main = ctx->navigator().showMain();
        for (QObject *o : {static_cast<QObject *>(main), static_cast<QObject *>(button(main, "Command1"))}) {
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(o);
            QCOMPARE(QByteArray(typeid(*iface).name()).contains("ScaledInterface"), scale() != 1);
        }
    }

    // The row a child moves to in a list is reported where it is, and it is the list's row at that
    // place in every way a screen reader asks; once the list is filled anew (as a listening reader
    // is told), the old rows are gone and the new ones are in place.
    void listRowsAreInScreenPixels() {
        ctx = app::AppContext::forTests(QStringLiteral(LUMIBO_BUILD_DIR));
        QWidget *s = ctx->navigator().open(*app::findMenuItem("tangshi"));
        QCoreApplication::processEvents();
        auto *list = s->findChild<QListWidget *>("List1");
        QVERIFY(list->count() > 1);
        list->setFocus();
        list->setCurrentRow(1);
        QAccessibleInterface *rows = QAccessible::queryAccessibleInterface(list);
        QAccessibleInterface *current = rows->focusChild();
        QVERIFY(current);
        QCOMPARE(current->text(QAccessible::Name), list->item(1)->text());
        const QRect place = onScreen(list->viewport(), list->visualItemRect(list->item(1)));
        QCOMPARE(current->rect(), place);
        QCOMPARE(rows->childAt(place.center().x(), place.center().y()), current);
        QCOMPARE(rows->indexOfChild(current), 1);
        QCOMPARE(rows->tableInterface()->cellAt(1, 0), current);
        QCOMPARE(current->parent(), rows);

        const QAccessible::Id before = QAccessible::uniqueId(current);
        QAccessibleTableModelChangeEvent reset(list, QAccessibleTableModelChangeEvent::ModelReset);
        rows->tableInterface()->modelChange(&reset);
        QAccessibleInterface *old = QAccessible::accessibleInterface(before);
        QVERIFY(!old || !old->isValid());
        current = rows->focusChild();
        QVERIFY(current && current->isValid());
        QCOMPARE(current->text(QAccessible::Name), list->item(1)->text());
        QCOMPARE(current->rect(), place);
        QStringList problems;
        misplaced(rows, problems);
        QCOMPARE(problems, QStringList());
    }

    // Each character of a line is reported on that line, and a point on it finds it.
    void charactersAreInScreenPixels() {
        ctx = app::AppContext::forTests(QStringLiteral(LUMIBO_BUILD_DIR));
        QWidget *s = ctx->navigator().open(*app::findMenuItem("danzi"));
        auto *combo = s->findChild<QComboBox *>("Combo1");
        combo->setCurrentIndex(0);
        emit combo->activated(0);
        click(s, "Button1");
        auto *pinyin = s->findChild<QLineEdit *>("Txtpy");
        QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(pinyin)->textInterface();
        QVERIFY(text && text->characterCount() > 0);
        const QRect line = onScreen(pinyin, pinyin->rect());
        for (int i = 0; i < text->characterCount(); ++i) {
            const QRect r = text->characterRect(i);
            QVERIFY2(
                line.contains(r.center()),
                qPrintable(
                    QStringLiteral("character %1 at %2, the line at %3").arg(i).arg(show(r), show(line))));
            QCOMPARE(text->offsetAtPoint(r.center()), i);
        }
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
