#include "services/ContentCheck.h"

#include "services/ContentSchema.h"
#include "services/PinyinLookup.h"
#include "services/StrokeData.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace services {

namespace {

QString at(const TableData &t, int line) {
    return problemAt(t, line);
}

bool isCjk(QChar c) {
    const ushort u = c.unicode();
    return (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0x3400 && u <= 0x4DBF) || (u >= 0xF900 && u <= 0xFAFF);
}

// Every table: fields present (but for optional ones), without tabs, line breaks or surrounding
// blanks.
void checkFields(const TableData &t, Problems &problems) {
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
                problems << at(t, t.lines[r]) + QStringLiteral("%1 has blanks at its start or end").arg(col);
            if (v.contains(QLatin1Char('\t')) || v.contains(QLatin1Char('\n')) ||
                v.contains(QLatin1Char('\r')))
                problems << at(t, t.lines[r]) + QStringLiteral("%1 holds a tab or line break").arg(col);
        }
    }
}

// A column whose values are offered side by side as choices must not repeat.
void checkDistinct(const TableData &t, int column, const QString &what, Problems &problems) {
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
}

// An English book: distinct words and meanings, numbers 1, 2, 3 without gaps, words the voice
// reads as written, meanings the link game shows whole.
void checkEnglishBook(const TableData &t, Problems &problems) {
    checkDistinct(t, 1, QStringLiteral("word"), problems);
    checkDistinct(t, 2, QStringLiteral("meaning"), problems);
    long last = 0;
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        bool ok = false;
        const long n = t.rows[r].value(0).toLong(&ok);
        if (!ok || n <= 0)
            problems << at(t, t.lines[r]) + QStringLiteral("number \"%1\" is not a whole number from 1")
                                                .arg(t.rows[r].value(0));
        else if (n <= last)
            problems << at(t, t.lines[r]) +
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
        // The voice reads the word as written: a digit, a symbol or an abbreviation is spelled out
        // or skipped, so a word is letters joined by blanks, hyphens, apostrophes.
        const QString word = t.rows[r].value(1).trimmed();
        for (QChar c : word)
            if (!(c.isLetter() && c.unicode() < 0x80) && c != QLatin1Char(' ') && c != QLatin1Char('-') &&
                c != QLatin1Char('\'')) {
                problems << at(t, t.lines[r]) +
                                QStringLiteral("word \"%1\" holds \"%2\"; a word is English "
                                               "letters, blanks, hyphens and apostrophes only")
                                    .arg(word, QString(c));
                break;
            }
        // Capitals (TV, PE, UK) are spelled out letter by letter.
        static const QRegularExpression separators(QStringLiteral("[ -]"));
        for (const QString &part : word.split(separators, Qt::SkipEmptyParts))
            if (part.size() > 1 && part == part.toUpper() && part != part.toLower()) {
                problems << at(t, t.lines[r]) +
                                QStringLiteral(
                                    "word \"%1\" holds the abbreviation \"%2\"; write the word out")
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

// 单字: one Chinese character a record, each once, with its own reading (where its lesson needs
// one) one of the character's: a typo would be taught.
void checkCharacters(const TableData &t, Problems &problems) {
    checkDistinct(t, 0, QStringLiteral("character"), problems);
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        const QString v = t.rows[r].value(0).trimmed();
        if (v.size() != 1 || !isCjk(v[0]))
            problems << at(t, t.lines[r]) + QStringLiteral("\"%1\" is not one Chinese character").arg(v);
        else if (const QString reading = t.rows[r].value(1).trimmed(); !reading.isEmpty())
            if (const QString why = PinyinLookup().readingProblem(v, reading); !why.isEmpty())
                problems << at(t, t.lines[r]) + QStringLiteral("reading %1").arg(why);
    }
}

void checkWordGroups(const TableData &t, Problems &problems) {
    checkDistinct(t, 0, QStringLiteral("word"), problems);
}

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

void checkIdioms(const TableData &t, Problems &problems) {
    checkDistinct(t, 0, QStringLiteral("idiom"), problems);
    checkDistinct(t, 1, QStringLiteral("explanation"), problems);
    for (std::size_t r = 0; r < t.rows.size(); ++r)
        if (const QString d = noteDifference(t.rows[r].value(0), t.rows[r].value(2)); !d.isEmpty())
            problems << at(t, t.lines[r]) + d;
}

// 唐诗: whole six-record poems, lines of Chinese characters only, no poem twice.
void checkPoems(const TableData &t, Problems &problems) {
    if (t.rows.size() % 6 != 0)
        problems
            << at(t, t.lines.back()) +
                   QStringLiteral("%1 records is not a whole number of six-record poems").arg(t.rows.size());
    QHash<QString, int> firstLines;
    for (std::size_t r = 0; r < t.rows.size(); r += 6) {
        for (std::size_t k = 2; k < 6 && r + k < t.rows.size(); ++k) {
            const QString line = t.rows[r + k].value(0);
            for (QChar c : line)
                if (!isCjk(c)) {
                    problems << at(t, t.lines[r + k]) +
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
}

// 同义词 and 反义词: the answers are each other's wrong choices, and no word pairs with itself.
void checkPairs(const TableData &t, Problems &problems) {
    checkDistinct(t, 1, QStringLiteral("answer"), problems);
    for (std::size_t r = 0; r < t.rows.size(); ++r)
        if (t.rows[r].value(0).trimmed() == t.rows[r].value(1).trimmed())
            problems << at(t, t.lines[r]) +
                            QStringLiteral("\"%1\" is paired with itself").arg(t.rows[r].value(0));
}

void checkRiddles(const TableData &t, Problems &problems) {
    checkDistinct(t, 0, QStringLiteral("riddle"), problems);
    checkDistinct(t, 2, QStringLiteral("answer"), problems);
}

// The lessons, the character game and the poems show the pinyin of the first field.
void checkReadings(const TableData &t, Problems &problems) {
    const PinyinLookup pinyin;
    for (std::size_t r = 0; r < t.rows.size(); ++r)
        for (char32_t c : pinyin.unreadable(t.rows[r].value(0)))
            problems << at(t, t.lines[r]) +
                            QStringLiteral("\"%1\" has no pinyin reading").arg(QString::fromUcs4(&c, 1));
}

using Check = void (*)(const TableData &, Problems &);

// The checks a table of that slot gets besides the fields.
std::vector<Check> checksFor(int slot) {
    if (slot >= 1 && slot <= kEnglishBooks) return {checkEnglishBook};
    switch (slot) {
    case kSingleCharacters:
        return {checkCharacters, checkReadings};
    case kWordGroups:
        return {checkWordGroups, checkReadings};
    case kIdioms:
        return {checkIdioms, checkReadings};
    case kPoems:
        return {checkPoems, checkReadings};
    case kSynonyms:
    case kAntonyms:
        return {checkPairs};
    case kRiddles:
        return {checkRiddles};
    default:
        return {};
    }
}

} // namespace

void checkContent(const std::vector<TableData> &tables, Problems &problems) {
    for (const TableData &t : tables) {
        checkFields(t, problems);
        if (t.rows.empty()) {
            problems << at(t, 1) + QStringLiteral("the table has no records");
            continue;
        }
        for (Check check : checksFor(slotOf(t.name)))
            check(t, problems);
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
