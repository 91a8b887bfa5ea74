#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "app/ScreenNames.h"
#include "app/ScreenRegistry.h"
#include "gallery/GalleryStates.h"
#include "services/ContentSchema.h"
#include "support/Fixtures.h"
#include "support/TestSupport.h"
#include "ui/Keyboard.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <map>

using namespace testing_support;

namespace {

// How one table of an otherwise whole study.dat is damaged.
enum class Damage { Missing, Empty, AllNull };

const char *damageName(Damage d) {
    switch (d) {
    case Damage::Missing:
        return "missing";
    case Damage::Empty:
        return "0 records";
    case Damage::AllNull:
        return "all fields NULL";
    }
    return "?";
}

QString tableName(int slot) {
    return services::contentTables()[std::size_t(slot - 1)].name;
}

// What a screen says about a table it cannot use. A screen that had its own words for a table
// without records keeps them, also for one of NULL fields.
QString expectedMessage(const QString &screen, int slot, Damage d) {
    if (d == Damage::Missing)
        return QStringLiteral("内容库 study.dat 不完整：缺少表“%1”").arg(tableName(slot));
    if (screen == screens::kPinyinSpelling) return QStringLiteral("单字表里没有汉字，无法出题");
    return QStringLiteral("“%1”里还没有内容").arg(tableName(slot));
}

// Makes every field of the table NULL, as another program may leave it: the table is made again
// without NOT NULL, with the same columns, whatever their number, and the same records.
bool nullEveryField(const QString &path, const QString &table) {
    sqlite3 *db = nullptr;
    bool ok = sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK;
    const auto run = [&](const QString &sql) {
        ok = ok && sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    };
    QStringList columns;
    sqlite3_stmt *st = nullptr;
    const QByteArray info =
        QStringLiteral("PRAGMA table_info(%1)").arg(services::quotedIdentifier(table)).toUtf8();
    ok = ok && sqlite3_prepare_v2(db, info.constData(), -1, &st, nullptr) == SQLITE_OK;
    while (ok && sqlite3_step(st) == SQLITE_ROW)
        columns << services::quotedIdentifier(
            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 1))));
    sqlite3_finalize(st);
    const QString t = services::quotedIdentifier(table);
    const QString old = services::quotedIdentifier(table + QStringLiteral("_old"));
    run(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(t, old));
    run(QStringLiteral("CREATE TABLE %1 (%2)")
            .arg(t, columns.join(QStringLiteral(" TEXT, ")) + QStringLiteral(" TEXT")));
    run(QStringLiteral("INSERT INTO %1 SELECT * FROM %2").arg(t, old));
    run(QStringLiteral("DROP TABLE %1").arg(old));
    for (const QString &c : columns)
        run(QStringLiteral("UPDATE %1 SET %2 = NULL").arg(t, c));
    sqlite3_close(db);
    return ok && !columns.isEmpty();
}

// Answer buttons are control arrays: Button9(3), Button1(2), Button4(0) ...
bool isAnswerButton(const QWidget *w) {
    static const QRegularExpression arrayName(QStringLiteral("^Button\\d+\\(\\d+\\)$"));
    return arrayName.match(w->objectName()).hasMatch();
}

bool pressable(const QAbstractButton *b) {
    return b->isVisible() && b->isEnabled();
}

// The text a widget shows, if it shows one.
QString textOf(const QWidget *w) {
    if (auto *l = qobject_cast<const QLabel *>(w)) return l->text();
    if (auto *b = qobject_cast<const QAbstractButton *>(w)) return b->text();
    if (auto *t = qobject_cast<const QTextEdit *>(w)) return t->toPlainText();
    if (auto *t = qobject_cast<const QPlainTextEdit *>(w)) return t->toPlainText();
    if (auto *e = qobject_cast<const QLineEdit *>(w)) return e->text();
    return {};
}

// Whether a label shows all of its text (a text box scrolls, a flat button shrinks its font).
bool showsWhole(const QWidget *w) {
    auto *l = qobject_cast<const QLabel *>(w);
    if (!l) return true;
    const QFontMetrics fm(l->font());
    const QRect room = l->contentsRect();
    const int flags = int(l->alignment()) | (l->wordWrap() ? int(Qt::TextWordWrap) : 0);
    const QRect needed = fm.boundingRect(QRect(room.topLeft(), QSize(room.width(), 10000)), flags, l->text());
    return needed.width() <= room.width() && needed.height() <= room.height();
}

} // namespace

Q_DECLARE_METATYPE(Damage)

// Every screen that reads content, over a study.dat that lacks one of its tables, or holds it
// with no records, or with every field NULL: a child opens the screen, presses its start and an
// answer, and every other button but the way back. The program stays up, a visible text names
// what is lacking, no answer can be pressed, and the way back leads to the main window.
class MissingTableTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::map<std::pair<int, Damage>, QString> written;

    // The program folder of a study.dat with the table so damaged (written once).
    QString programDir(int slot, Damage d) {
        const auto key = std::make_pair(slot, d);
        if (auto it = written.find(key); it != written.end()) return it->second;
        const QString folder = dir.filePath(QStringLiteral("%1-%2").arg(slot).arg(int(d)));
        QDir().mkpath(folder);
        const QString path = folder + QStringLiteral("/study.dat");
        std::map<int, std::vector<QStringList>> rows;
        std::set<int> leaveOut;
        const QStringList columns = services::contentTables()[std::size_t(slot - 1)].columns;
        if (d == Damage::Missing) leaveOut.insert(slot);
        if (d == Damage::Empty) rows[slot] = {};
        if (d == Damage::AllNull) {
            // Two poems' worth of records: any screen that took blank records for content would offer some.
            for (int r = 1; r <= 12; ++r) {
                QStringList record;
                for (int c = 0; c < columns.size(); ++c)
                    record << QStringLiteral("字%1").arg(r);
                rows[slot].push_back(record);
            }
        }
        if (!writeFixtureStudyDat(path, rows, leaveOut)) return {};
        if (d == Damage::AllNull && !nullEveryField(path, tableName(slot))) return {};
        written[key] = folder;
        return folder;
    }

    static QWidget *open(app::AppContext &ctx, const app::ScreenEntry &entry) {
        return gallery::open(ctx, entry.name);
    }

    // A click as a child's: a message box it raises is read and closed, as the child would.
    static void press(QAbstractButton *b, QStringList &boxTexts) {
        QTimer answer;
        answer.setInterval(0);
        connect(&answer, &QTimer::timeout, [&boxTexts] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                boxTexts << box->text();
                box->close();
            }
        });
        answer.start();
        b->click();
        answer.stop();
        QCoreApplication::processEvents();
    }

  private slots:
    void initTestCase() { useOwnSettings(); }

    // A screen that reads study.dat lists what it reads, so the test below reaches it.
    void screensThatReadContentListTheirTables() {
        const QString folder = programDir(services::kPoems, Damage::Empty);
        for (const app::ScreenEntry &entry : app::ScreenRegistry::instance().entries()) {
            if (!entry.tables.empty()) continue;
            auto ctx = app::AppContext::forTests(folder);
            QWidget *w = entry.name == screens::kMain ? ctx->navigator().showMain() : open(*ctx, entry);
            QVERIFY2(w, qPrintable(entry.name));
            QVERIFY2(ctx->store().state() == services::ContentStore::State::NotOpen,
                     qPrintable(entry.name + " reads study.dat but lists no table"));
            ctx.reset();
            flushDeletes();
        }
    }

    void screenWithoutItsTable_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<int>("slot");
        QTest::addColumn<Damage>("damage");
        int rows = 0;
        for (const app::ScreenEntry &entry : app::ScreenRegistry::instance().entries())
            for (int slot : entry.tables)
                for (Damage d : {Damage::Missing, Damage::Empty, Damage::AllNull}) {
                    QTest::addRow("%s, %s %s", qPrintable(entry.name), qPrintable(tableName(slot)),
                                  damageName(d))
                        << entry.name << slot << d;
                    ++rows;
                }
        QVERIFY(rows > 0);
    }

    void screenWithoutItsTable() {
        QFETCH(QString, screen);
        QFETCH(int, slot);
        QFETCH(Damage, damage);
        const QString folder = programDir(slot, damage);
        QVERIFY(!folder.isEmpty());
        auto ctx = app::AppContext::forTests(folder);
        app::Navigator &nav = ctx->navigator();
        QWidget *w = open(*ctx, *app::ScreenRegistry::instance().find(screen));
        QVERIFY(w);
        QStringList boxTexts;

        // Its start buttons, known by their caption before any choice renames them.
        QList<QPointer<QAbstractButton>> starts;
        for (auto *b : w->findChildren<QAbstractButton *>())
            if (b->text().startsWith(QStringLiteral("开始"))) starts << b;
        // The damaged table, where a list offers it by name (the English books).
        if (auto *list = w->findChild<QListWidget *>())
            for (int i = 0; i < list->count(); ++i)
                if (!list->item(i)->text().isEmpty() && tableName(slot).endsWith(list->item(i)->text()))
                    list->setCurrentRow(i);
        for (QAbstractButton *b : starts)
            if (b && pressable(b) && b->window() == nav.current()) press(b, boxTexts);
        // One answer, then every other button but the way back, while the screen stays.
        w = nav.current();
        QVERIFY(w);
        QList<QPointer<QAbstractButton>> buttons;
        for (QAbstractButton *b : w->findChildren<QAbstractButton *>())
            buttons << b;
        for (QAbstractButton *b : buttons)
            if (b && isAnswerButton(b) && pressable(b)) {
                press(b, boxTexts);
                break;
            }
        for (QAbstractButton *b : buttons)
            if (b && qobject_cast<ui::FlatButton *>(b) && pressable(b) && b != ui::backButton(b->window()))
                press(b, boxTexts);

        // (a) Still up, on some window.
        w = nav.current();
        QVERIFY(w && w->isVisible());
        // (b) Saying what is lacking, in full.
        const QString expected = expectedMessage(screen, slot, damage);
        QStringList seen = boxTexts;
        const QWidget *sayer = nullptr;
        for (auto *c : w->findChildren<QWidget *>()) {
            if (!c->isVisible()) continue;
            const QString t = textOf(c);
            if (t.isEmpty()) continue;
            seen << t;
            if (t.split(QLatin1Char('\n')).contains(expected)) sayer = c;
        }
        QVERIFY2(sayer || boxTexts.contains(expected),
                 qPrintable(QStringLiteral("“%1” is not on %2, which shows: %3")
                                .arg(expected, w->objectName(), seen.join(QStringLiteral(" | ")))));
        if (sayer) QVERIFY2(showsWhole(sayer), qPrintable(sayer->objectName() + " clips the message"));
        // (c) Nothing to answer.
        QStringList answerable;
        for (auto *b : w->findChildren<QAbstractButton *>())
            if (isAnswerButton(b) && pressable(b)) answerable << b->objectName();
        QVERIFY2(answerable.isEmpty(), qPrintable(answerable.join(QLatin1Char(' ')) + " can be pressed"));
        // (d) The way back, by Esc, through any screen it came from.
        for (int step = 0; step < 3 && nav.current() && nav.current()->objectName() != screens::kMain;
             ++step) {
            ui::pressBack(nav.current());
            QCoreApplication::processEvents();
            flushDeletes();
        }
        QVERIFY(nav.current());
        QCOMPARE(nav.current()->objectName(), screens::kMain);
        ctx.reset();
        flushDeletes();
    }
};

QTEST_MAIN(MissingTableTest)
#include "MissingTableTest.moc"
