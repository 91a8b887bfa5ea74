#include "services/ContentFiles.h"

#include "services/ContentSchema.h"
#include "services/PinyinLookup.h"
#include "services/StrokeData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <cstdio>
#include <sqlite3.h>

namespace services {

namespace {

QString at(const TableData &t, int line) {
    return QStringLiteral("%1:%2: ").arg(t.origin).arg(line);
}

bool isCjk(QChar c) {
    const ushort u = c.unicode();
    return (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0x3400 && u <= 0x4DBF) || (u >= 0xF900 && u <= 0xFAFF);
}

struct Db {
    sqlite3 *db = nullptr;
    ~Db() { sqlite3_close(db); }
};

// How many fields of a record the table requires: the rest are optional and may be left out.
qsizetype requiredFields(const TableData &t) {
    const int slot = slotOf(t.name);
    if (slot == 0) return t.header.size();
    return std::min(t.header.size(), contentTables()[static_cast<std::size_t>(slot - 1)].required());
}

// A record of a file without some optional columns (a study.dat made before they were added) or
// one that leaves them out gets them empty, so every record has all the table's fields.
void fillOptional(QStringList &fields, const TableSchema &schema) {
    while (fields.size() < schema.columns.size())
        fields << QString();
}

} // namespace

TableData parseTableFile(const TableSchema &schema, const QString &origin, const QByteArray &bytes,
                         Problems &problems) {
    TableData t;
    t.name = schema.name;
    t.origin = origin;
    if (const qsizetype cr = bytes.indexOf('\r'); cr >= 0)
        problems << at(t, static_cast<int>(bytes.left(cr).count('\n')) + 1) +
                        QStringLiteral("carriage return found; lines must end with LF only");
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        problems << at(t, static_cast<int>(bytes.count('\n')) + 1) +
                        QStringLiteral("the last line has no line break");
    const QString text = QString::fromUtf8(bytes);
    if (text.contains(QChar::ReplacementCharacter))
        problems << at(t, 1) + QStringLiteral("the file is not valid UTF-8");
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    if (lines.isEmpty()) {
        problems << at(t, 1) + QStringLiteral("the header row is missing");
        return t;
    }
    t.header = lines.first().split(QLatin1Char('\t'));
    const bool accepted = schema.accepts(t.header);
    if (!accepted)
        problems << at(t, 1) + QStringLiteral("the header must be \"%1\"")
                                   .arg(schema.columns.join(QStringLiteral("\\t")));
    // A record may leave out the optional fields at its end.
    const qsizetype most = accepted ? t.header.size() : schema.columns.size();
    const qsizetype least = std::min(most, schema.required());
    for (int i = 1; i < lines.size(); ++i) {
        QString line = lines[i];
        line.remove(QLatin1Char('\r'));
        QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() < least || fields.size() > most) {
            problems << at(t, i + 1) + (least == most ? QStringLiteral("%1 fields, the table has %2 columns")
                                                            .arg(fields.size())
                                                            .arg(most)
                                                      : QStringLiteral("%1 fields; a record holds %2 to %3")
                                                            .arg(fields.size())
                                                            .arg(least)
                                                            .arg(most));
            continue;
        }
        if (accepted) fillOptional(fields, schema);
        t.rows.push_back(fields);
        t.lines.push_back(i + 1);
    }
    if (accepted) t.header = schema.columns;
    return t;
}

std::vector<TableData> readContentDir(const QString &dir, Problems &problems) {
    std::vector<TableData> tables;
    for (const TableSchema &schema : contentTables()) {
        const QString path = QDir(dir).filePath(schema.name + QStringLiteral(".tsv"));
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            problems << QStringLiteral("%1:1: the table file is missing or unreadable").arg(path);
            TableData t;
            t.name = schema.name;
            t.origin = path;
            tables.push_back(std::move(t));
            continue;
        }
        tables.push_back(parseTableFile(schema, path, f.readAll(), problems));
    }
    return tables;
}

std::vector<TableData> readStudyDat(const QString &path, Problems &problems) {
    std::vector<TableData> tables;
    Db db;
    if (!QFileInfo(path).isFile() || sqlite3_open_v2(QFile::encodeName(path).constData(), &db.db,
                                                     SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        problems << QStringLiteral("%1:1: cannot open the content file").arg(path);
        return tables;
    }
    for (const TableSchema &schema : contentTables()) {
        TableData t;
        t.name = schema.name;
        t.origin = QStringLiteral("%1[%2]").arg(path, schema.name);
        sqlite3_stmt *st = nullptr;
        const QByteArray sql =
            QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(quotedIdentifier(schema.name)).toUtf8();
        if (const int rc = sqlite3_prepare_v2(db.db, sql.constData(), -1, &st, nullptr); rc != SQLITE_OK) {
            if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
                problems << QStringLiteral("%1:1: the content file is locked by another program; try again "
                                           "when it is done")
                                .arg(path);
                sqlite3_finalize(st);
                return {};
            }
            problems << at(t, 1) + QStringLiteral("the table is missing (%1)")
                                       .arg(QString::fromUtf8(sqlite3_errmsg(db.db)));
            sqlite3_finalize(st);
            tables.push_back(std::move(t));
            continue;
        }
        const int n = sqlite3_column_count(st);
        for (int c = 0; c < n; ++c)
            t.header << QString::fromUtf8(sqlite3_column_name(st, c));
        const bool accepted = schema.accepts(t.header);
        if (!accepted)
            problems << at(t, 1) + QStringLiteral("the columns must be \"%1\"")
                                       .arg(schema.columns.join(QStringLiteral(", ")));
        if (accepted) t.header = schema.columns;
        int line = 1, rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            QStringList fields;
            for (int c = 0; c < n; ++c) {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(st, c));
                fields << (text ? QString::fromUtf8(text, sqlite3_column_bytes(st, c)) : QString());
            }
            if (accepted) fillOptional(fields, schema);
            t.rows.push_back(fields);
            t.lines.push_back(++line);
        }
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
            problems << QStringLiteral(
                            "%1:1: the content file is locked by another program; try again when it "
                            "is done")
                            .arg(path);
            sqlite3_finalize(st);
            return {};
        }
        if (rc != SQLITE_DONE)
            problems << at(t, line) + QStringLiteral("reading failed (%1)")
                                          .arg(QString::fromUtf8(sqlite3_errmsg(db.db)));
        sqlite3_finalize(st);
        tables.push_back(std::move(t));
    }
    return tables;
}

bool writeStudyDat(const std::vector<TableData> &tables, const QString &path, QString *error) {
    const QString tmp = path + QStringLiteral(".building");
    QFile::remove(tmp);
    {
        Db db;
        if (sqlite3_open_v2(QFile::encodeName(tmp).constData(), &db.db,
                            SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
            *error = QStringLiteral("cannot create %1").arg(tmp);
            return false;
        }
        auto exec = [&](const QByteArray &sql) {
            char *msg = nullptr;
            if (sqlite3_exec(db.db, sql.constData(), nullptr, nullptr, &msg) != SQLITE_OK) {
                *error = QString::fromUtf8(msg ? msg : "sqlite error");
                sqlite3_free(msg);
                return false;
            }
            return true;
        };
        bool ok = exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN");
        for (const TableData &t : tables) {
            if (!ok) break;
            QStringList cols;
            QStringList marks;
            for (const QString &c : t.header) {
                cols << quotedIdentifier(c) + QStringLiteral(" TEXT NOT NULL");
                marks << QStringLiteral("?");
            }
            ok = exec(QStringLiteral("CREATE TABLE %1 (%2)")
                          .arg(quotedIdentifier(t.name), cols.join(QStringLiteral(", ")))
                          .toUtf8());
            sqlite3_stmt *st = nullptr;
            const QByteArray insert = QStringLiteral("INSERT INTO %1 VALUES (%2)")
                                          .arg(quotedIdentifier(t.name), marks.join(QStringLiteral(", ")))
                                          .toUtf8();
            if (ok && sqlite3_prepare_v2(db.db, insert.constData(), -1, &st, nullptr) != SQLITE_OK) {
                *error = QString::fromUtf8(sqlite3_errmsg(db.db));
                ok = false;
            }
            for (const QStringList &row : t.rows) {
                if (!ok) break;
                // Optional fields a record leaves out are stored empty.
                if (row.size() > t.header.size() || row.size() < requiredFields(t)) {
                    *error = QStringLiteral("%1: a record has %2 fields, the table has %3 columns")
                                 .arg(t.name)
                                 .arg(row.size())
                                 .arg(t.header.size());
                    ok = false;
                    break;
                }
                sqlite3_clear_bindings(st);
                std::vector<QByteArray> keep;
                for (int i = 0; i < t.header.size(); ++i) {
                    keep.push_back(row.value(i).toUtf8());
                    sqlite3_bind_text(st, i + 1, keep.back().constData(),
                                      static_cast<int>(keep.back().size()), SQLITE_TRANSIENT);
                }
                if (sqlite3_step(st) != SQLITE_DONE) {
                    *error = QString::fromUtf8(sqlite3_errmsg(db.db));
                    ok = false;
                }
                sqlite3_reset(st);
            }
            sqlite3_finalize(st);
        }
        if (ok) ok = exec("COMMIT");
        if (!ok) {
            QFile::remove(tmp);
            return false;
        }
    }
    // Replace the old file in one step: a reader sees the old content or the new, never half.
    if (std::rename(QFile::encodeName(tmp).constData(), QFile::encodeName(path).constData()) != 0) {
        *error = QStringLiteral("cannot move %1 to %2").arg(tmp, path);
        QFile::remove(tmp);
        return false;
    }
    return true;
}

bool writeContentDir(const std::vector<TableData> &tables, const QString &dir, QString *error) {
    if (!QDir().mkpath(dir)) {
        *error = QStringLiteral("cannot create %1").arg(dir);
        return false;
    }
    for (const TableData &t : tables) {
        QSaveFile f(QDir(dir).filePath(t.name + QStringLiteral(".tsv")));
        if (!f.open(QIODevice::WriteOnly)) {
            *error = QStringLiteral("cannot write %1").arg(f.fileName());
            return false;
        }
        QByteArray out = t.header.join(QLatin1Char('\t')).toUtf8() + '\n';
        const qsizetype required = requiredFields(t);
        for (QStringList row : t.rows) {
            // Empty optional fields at the end are left out, as the content files write them.
            while (row.size() > required && row.last().isEmpty())
                row.removeLast();
            out += row.join(QLatin1Char('\t')).toUtf8() + '\n';
        }
        f.write(out);
        if (!f.commit()) {
            *error = QStringLiteral("cannot write %1").arg(f.fileName());
            return false;
        }
    }
    return true;
}

namespace {

// An idiom's note is its reading with tone marks, the one the lookup gives the idiom: the
// buttons show the note, the lessons the lookup, and a child should not meet two readings.
// Empty when they agree, else what differs, character by character where the counts allow.
QString noteDifference(const QString &idiom, const QString &note) {
    if (idiom.trimmed().isEmpty() || note.trimmed().isEmpty()) return QString(); // reported as empty
    const QString reading = PinyinLookup().GetPinYin(idiom, PinyinLookup::Form::Toned);
    const QString written = note.normalized(QString::NormalizationForm_C);
    if (written == reading) return QString();
    QString out = QStringLiteral("note \"%1\" is not the reading \"%2\"").arg(note, reading);
    const QList<uint> characters = idiom.toUcs4();
    const QStringList a = written.split(QLatin1Char(' ')), b = reading.split(QLatin1Char(' '));
    if (a.size() == b.size() && a.size() == characters.size()) {
        QStringList differences;
        for (qsizetype i = 0; i < a.size(); ++i) {
            const char32_t c = characters[i];
            if (a[i] != b[i])
                differences << QStringLiteral("%1 %2, reading %3").arg(QString::fromUcs4(&c, 1), a[i], b[i]);
        }
        out += QStringLiteral(" (%1)").arg(differences.join(QStringLiteral("; ")));
    }
    return out + QStringLiteral("; correct the note, or give the idiom its reading in the phrase table");
}

} // namespace

void checkContent(const std::vector<TableData> &tables, Problems &problems) {
    for (const TableData &t : tables) {
        const int slot = slotOf(t.name);
        // Fields: present (but for optional ones), without tabs, line breaks or surrounding blanks.
        const qsizetype required = requiredFields(t);
        for (std::size_t r = 0; r < t.rows.size(); ++r) {
            const QStringList &row = t.rows[r];
            for (int c = 0; c < row.size(); ++c) {
                const QString &v = row[c];
                const QString col = t.header.value(c);
                if (v.isEmpty() && c >= required) continue; // an optional field left empty
                if (v.trimmed().isEmpty())
                    problems << at(t, t.lines[r]) + QStringLiteral("%1 is empty").arg(col);
                else if (v != v.trimmed())
                    problems << at(t, t.lines[r]) +
                                    QStringLiteral("%1 has blanks at its start or end").arg(col);
                if (v.contains(QLatin1Char('\t')) || v.contains(QLatin1Char('\n')) ||
                    v.contains(QLatin1Char('\r')))
                    problems << at(t, t.lines[r]) + QStringLiteral("%1 holds a tab or line break").arg(col);
            }
        }
        if (t.rows.empty()) {
            problems << at(t, 1) + QStringLiteral("the table has no records");
            continue;
        }
        // A column whose values are offered side by side as choices must not repeat.
        auto distinct = [&](int column, const QString &what) {
            QHash<QString, int> seen;
            for (std::size_t r = 0; r < t.rows.size(); ++r) {
                const QString v = t.rows[r].value(column).trimmed();
                if (v.isEmpty()) continue;
                if (seen.contains(v))
                    problems << at(t, t.lines[r]) +
                                    QStringLiteral("%1 \"%2\" repeats line %3").arg(what, v).arg(seen[v]);
                else
                    seen.insert(v, t.lines[r]);
            }
        };
        if (slot >= 1 && slot <= kEnglishBooks) {
            distinct(1, QStringLiteral("word"));
            distinct(2, QStringLiteral("meaning"));
            long last = 0;
            for (std::size_t r = 0; r < t.rows.size(); ++r) {
                bool ok = false;
                const long n = t.rows[r].value(0).toLong(&ok);
                if (!ok || n <= 0)
                    problems << at(t, t.lines[r]) +
                                    QStringLiteral("number \"%1\" is not a whole number from 1")
                                        .arg(t.rows[r].value(0));
                else if (n <= last)
                    problems
                        << at(t, t.lines[r]) +
                               QStringLiteral("number %1 does not increase (previous %2)").arg(n).arg(last);
                // A line dropped for its field count already has its report; it is no gap.
                else if (n != last + 1 && (r == 0 || t.lines[r] == t.lines[r - 1] + 1))
                    problems << at(t, t.lines[r]) +
                                    QStringLiteral("number %1 skips %2; the numbers run 1, 2, 3 without gaps")
                                        .arg(n)
                                        .arg(last + 1);
                if (ok) last = std::max(last, n);
            }
            for (std::size_t r = 0; r < t.rows.size(); ++r) {
                // The voice reads the word as written: a digit, a symbol or an abbreviation is
                // spelled out or skipped, so a word is letters joined by blanks, hyphens, apostrophes.
                const QString word = t.rows[r].value(1).trimmed();
                for (QChar c : word)
                    if (!(c.isLetter() && c.unicode() < 0x80) && c != QLatin1Char(' ') &&
                        c != QLatin1Char('-') && c != QLatin1Char('\'')) {
                        problems << at(t, t.lines[r]) +
                                        QStringLiteral("word \"%1\" holds \"%2\"; a word is English letters, "
                                                       "blanks, hyphens and apostrophes only")
                                            .arg(word, QString(c));
                        break;
                    }
                // Capitals (TV, PE, UK) are spelled out letter by letter.
                static const QRegularExpression separators(QStringLiteral("[ -]"));
                for (const QString &part : word.split(separators, Qt::SkipEmptyParts))
                    if (part.size() > 1 && part == part.toUpper() && part != part.toLower()) {
                        problems << at(t, t.lines[r]) +
                                        QStringLiteral("word \"%1\" holds the abbreviation \"%2\"; write the "
                                                       "word out")
                                            .arg(word, part);
                        break;
                    }
                // The link game shows only the first ten characters of a meaning.
                const qsizetype length = t.rows[r].value(2).trimmed().toUcs4().size();
                if (length > kMeaningShown)
                    problems << at(t, t.lines[r]) +
                                    QStringLiteral("meaning \"%1\" has %2 characters; at most %3 are shown")
                                        .arg(t.rows[r].value(2).trimmed())
                                        .arg(length)
                                        .arg(kMeaningShown);
            }
        }
        switch (slot) {
        case kSingleCharacters:
            distinct(0, QStringLiteral("character"));
            for (std::size_t r = 0; r < t.rows.size(); ++r) {
                const QString v = t.rows[r].value(0).trimmed();
                if (v.size() != 1 || !isCjk(v[0]))
                    problems << at(t, t.lines[r]) +
                                    QStringLiteral("\"%1\" is not one Chinese character").arg(v);
                // The record's own reading, where its lesson needs one: a typo would be taught.
                else if (const QString reading = t.rows[r].value(1).trimmed(); !reading.isEmpty())
                    if (const QString why = PinyinLookup().readingProblem(v, reading); !why.isEmpty())
                        problems << at(t, t.lines[r]) + QStringLiteral("reading %1").arg(why);
            }
            break;
        case kWordGroups:
            distinct(0, QStringLiteral("word"));
            break;
        case kIdioms:
            distinct(0, QStringLiteral("idiom"));
            distinct(1, QStringLiteral("explanation"));
            for (std::size_t r = 0; r < t.rows.size(); ++r)
                if (const QString d = noteDifference(t.rows[r].value(0), t.rows[r].value(2)); !d.isEmpty())
                    problems << at(t, t.lines[r]) + d;
            break;
        case kPoems: {
            if (t.rows.size() % 6 != 0)
                problems << at(t, t.lines.back()) +
                                QStringLiteral("%1 records is not a whole number of six-record poems")
                                    .arg(t.rows.size());
            QHash<QString, int> firstLines;
            for (std::size_t r = 0; r < t.rows.size(); r += 6) {
                for (std::size_t k = 2; k < 6 && r + k < t.rows.size(); ++k) {
                    const QString line = t.rows[r + k].value(0);
                    for (QChar c : line)
                        if (!isCjk(c)) {
                            problems
                                << at(t, t.lines[r + k]) +
                                       QStringLiteral(
                                           "poem line \"%1\" holds \"%2\"; lines are Chinese characters only")
                                           .arg(line, QString(c));
                            break;
                        }
                }
                if (r + 2 < t.rows.size()) {
                    const QString first = t.rows[r + 2].value(0);
                    if (firstLines.contains(first))
                        problems << at(t, t.lines[r + 2]) +
                                        QStringLiteral("the poem repeats line %1").arg(firstLines[first]);
                    else
                        firstLines.insert(first, t.lines[r + 2]);
                }
            }
            break;
        }
        case kSynonyms:
        case kAntonyms:
            distinct(1, QStringLiteral("answer"));
            for (std::size_t r = 0; r < t.rows.size(); ++r)
                if (t.rows[r].value(0).trimmed() == t.rows[r].value(1).trimmed())
                    problems << at(t, t.lines[r]) +
                                    QStringLiteral("\"%1\" is paired with itself").arg(t.rows[r].value(0));
            break;
        case kRiddles:
            distinct(0, QStringLiteral("riddle"));
            distinct(2, QStringLiteral("answer"));
            break;
        default:
            break;
        }
        // The lessons, the character game and the poems show the pinyin of these texts.
        if (slot == kSingleCharacters || slot == kWordGroups || slot == kIdioms || slot == kPoems) {
            const PinyinLookup pinyin;
            for (std::size_t r = 0; r < t.rows.size(); ++r)
                for (char32_t c : pinyin.unreadable(t.rows[r].value(0)))
                    problems << at(t, t.lines[r]) + QStringLiteral("\"%1\" has no pinyin reading")
                                                        .arg(QString::fromUcs4(&c, 1));
        }
    }
}

void checkStrokes(const std::vector<TableData> &tables, const StrokeData &strokes, Problems &problems) {
    if (!strokes.isValid()) {
        problems << strokes.problem();
        return;
    }
    QSet<char32_t> checked;
    for (const TableData &t : tables) {
        const int slot = slotOf(t.name);
        if (slot != kSingleCharacters && slot != kWordGroups) continue;
        for (std::size_t r = 0; r < t.rows.size(); ++r)
            for (char32_t c : t.rows[r].value(0).toUcs4()) {
                if (!PinyinLookup::isChinese(c) || checked.contains(c)) continue;
                checked.insert(c);
                if (!strokes.character(c))
                    problems << at(t, t.lines[r]) + QStringLiteral("\"%1\" has no strokes in the stroke file")
                                                        .arg(QString::fromUcs4(&c, 1));
            }
    }
}

} // namespace services
