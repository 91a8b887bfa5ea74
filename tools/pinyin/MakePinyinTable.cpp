// lumibo-pinyin-table: turns Unihan's readings and our own corrections into the compiled table
// behind services::PinyinLookup (see src/services/PinyinTable.h for its layout).
//
//   lumibo-pinyin-table [--bzip2 PROGRAM] [--minimum CHARACTERS] UNIHAN_READINGS READINGS_TSV
//                       PHRASES_TSV OUT_CPP
//
// UNIHAN_READINGS is Unihan_Readings.txt or its .bz2 (decompressed with PROGRAM, default bzip2);
// a file giving fewer than CHARACTERS (default 20 000) characters a reading is refused.
// Every problem in our own data files is reported as file:line: what, and fails the build.
//
// A syllable is kept with its tone: lower-case letters, ü written v, then the tone digit, 5 for
// the neutral tone ("lǜ" -> "lv4", "le" -> "le5"). The lookup derives from it the toneless form
// the letter buttons spell, the form shown with ü, and the form shown with tone marks.
#include "services/PinyinSyllable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QSaveFile>
#include <QStringList>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace {

constexpr int kMaxPhraseLength = 16; // characters
constexpr std::uint16_t kStartsPhrase = 0x8000;

// Readings as syllables with their tone ("di4").
struct Readings {
    QStringList mandarin;  // kMandarin: the customary reading first
    QStringList standard;  // kTGHZ2013: the 通用规范汉字表 readings
    QStringList xhc;       // kXHC1983: 现代汉语词典 readings
    QStringList other;     // kHanyuPinyin, kHanyuPinlu
    std::set<QString> all; // every reading any field gives
};

struct Phrase {
    std::u32string text;
    std::vector<int> syllables;
};

int failures = 0;

void fail(const QString &where, const QString &what) {
    std::fprintf(stderr, "%s: %s\n", qPrintable(where), qPrintable(what));
    ++failures;
}

// Unihan's own oddities are reported but do not stop the build; faults in our files do.
void warn(const QString &where, const QString &what) {
    std::fprintf(stderr, "%s: warning: %s\n", qPrintable(where), qPrintable(what));
}

// "lve4" -> "lv": the letters without the tone.
QString baseOf(const QString &syllable) {
    return syllable.chopped(1);
}
bool isNeutral(const QString &syllable) {
    return syllable.endsWith(QLatin1Char('5'));
}

void addUnique(QStringList &list, const QString &s) {
    if (!list.contains(s)) list << s;
}

std::optional<QByteArray> readUnihan(const QString &path, const QString &bzip2) {
    if (path.endsWith(QStringLiteral(".bz2"))) {
        QProcess p;
        p.start(bzip2, {QStringLiteral("-dc"), path});
        if (!p.waitForStarted()) {
            fail(path, QStringLiteral("cannot run \"%1\" to decompress it (install bzip2)").arg(bzip2));
            return std::nullopt;
        }
        p.closeWriteChannel();
        QByteArray data;
        while (p.waitForReadyRead(-1))
            data += p.readAllStandardOutput();
        p.waitForFinished(-1);
        data += p.readAllStandardOutput();
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0 || data.isEmpty()) {
            fail(path, QStringLiteral("\"%1 -dc\" failed: %2")
                           .arg(bzip2, QString::fromLocal8Bit(p.readAllStandardError()).trimmed()));
            return std::nullopt;
        }
        return data;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        fail(path, QStringLiteral("cannot read it: %1").arg(f.errorString()));
        return std::nullopt;
    }
    return f.readAll();
}

std::map<char32_t, Readings> parseUnihan(const QByteArray &data, const QString &path) {
    std::map<char32_t, Readings> table;
    const QList<QByteArray> lines = data.split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QByteArray &line = lines[n];
        if (line.isEmpty() || line.startsWith('#')) continue;
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 3 || !fields[0].startsWith("U+")) continue;
        const QByteArray &field = fields[1];
        const bool mandarin = field == "kMandarin", pinlu = field == "kHanyuPinlu";
        const bool hanyu = field == "kHanyuPinyin", tghz = field == "kTGHZ2013", xhc = field == "kXHC1983";
        if (!mandarin && !pinlu && !hanyu && !tghz && !xhc) continue;
        bool ok = false;
        const char32_t cp = fields[0].mid(2).toUInt(&ok, 16);
        if (!ok || cp == 0) {
            warn(QStringLiteral("%1:%2").arg(path).arg(n + 1),
                 QStringLiteral("bad code point; line skipped"));
            continue;
        }
        const QString value = QString::fromUtf8(fields[2]).trimmed();
        QStringList readings;
        for (const QString &token : value.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (mandarin) {
                readings << token;
            } else if (pinlu) {
                readings << token.section(QLatin1Char('('), 0, 0); // "dì(4976)"
            } else {
                // "10420.120:dì,de" or "223.010,223.020:liǎo": readings follow the colon.
                const QString after = token.section(QLatin1Char(':'), -1);
                readings << after.split(QLatin1Char(','), Qt::SkipEmptyParts);
            }
        }
        Readings &r = table[cp];
        for (const QString &raw : readings) {
            const QString s = services::syllable::fromPinyin(raw);
            if (s.isEmpty()) {
                warn(QStringLiteral("%1:%2").arg(path).arg(n + 1),
                     QStringLiteral("reading \"%1\" does not reduce to Latin letters; left out").arg(raw));
                continue;
            }
            r.all.insert(s);
            addUnique(mandarin ? r.mandarin : tghz ? r.standard : xhc ? r.xhc : r.other, s);
        }
    }
    return table;
}

// The first reading of the list with the same letters as the syllable; empty when none has.
QString sameLetters(const QStringList &list, const QString &syllable) {
    const QString base = baseOf(syllable);
    for (const QString &s : list)
        if (baseOf(s) == base) return s;
    return QString();
}

// The reading a character shows alone, before our own corrections: Unihan's customary reading,
// unless the standard dictionaries do not know its letters for this character (kMandarin gives
// 嗲 as "diē", the 通用规范汉字表 "diǎ"), then the standard's. Where the standard knows the letters
// with another tone only (kMandarin 迹 jī, the standard jì), the standard's tone.
QString defaultReading(const Readings &r) {
    const QStringList &standard = !r.standard.isEmpty() ? r.standard : r.xhc;
    if (!r.mandarin.isEmpty()) {
        const QString &m = r.mandarin.first();
        if (standard.isEmpty()) return m;
        // The 2013 standard first, then the dictionary: 现代汉语词典 1983 still has 迹 jī.
        for (const QStringList *list : {&r.standard, &r.xhc}) {
            if (list->contains(m)) return m;
            if (const QString s = sameLetters(*list, m); !s.isEmpty()) return s;
        }
        return standard.first();
    }
    for (const QStringList *list : {&r.standard, &r.xhc, &r.other})
        if (!list->isEmpty()) return list->first();
    return QString();
}

// Our own TSV files: comment lines start with '#'; blank lines are skipped.
struct Row {
    int line;
    QStringList fields;
};

std::optional<std::vector<Row>> readTsv(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        fail(path, QStringLiteral("cannot read it: %1").arg(f.errorString()));
        return std::nullopt;
    }
    std::vector<Row> rows;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        QString line = lines[n];
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        rows.push_back({n + 1, line.split(QLatin1Char('\t'))});
    }
    return rows;
}

std::u32string toUcs4(const QString &s) {
    std::u32string out;
    for (char32_t c : s.toUcs4())
        out += c;
    return out;
}

QString fromUcs4(char32_t c) {
    return QString::fromUcs4(&c, 1);
}

class Syllables {
  public:
    int indexOf(const QString &s) {
        auto it = index_.constFind(s);
        if (it != index_.constEnd()) return *it;
        list_ << s;
        index_.insert(s, static_cast<int>(list_.size() - 1));
        return static_cast<int>(list_.size() - 1);
    }
    const QStringList &list() const { return list_; }

  private:
    QStringList list_{QString()}; // index 0: no reading
    QHash<QString, int> index_{{QString(), 0}};
};

// A character's readings besides its default: code point and syllable, in code point order.
using OtherReadings = std::vector<std::pair<char32_t, QString>>;

QByteArray render(const std::map<char32_t, QString> &defaults, const OtherReadings &others,
                  const std::vector<Phrase> &phrases, Syllables &syllables,
                  const std::set<char32_t> &phraseStarts) {
    // Syllables in alphabetical order keep the output stable whatever order the data came in.
    std::set<QString> used;
    for (const auto &[cp, s] : defaults)
        used.insert(s);
    for (const auto &[cp, s] : others)
        used.insert(s);
    for (const Phrase &p : phrases)
        for (int i : p.syllables)
            used.insert(syllables.list()[i]);
    QStringList ordered{QString()};
    QHash<QString, int> finalIndex;
    for (const QString &s : used) {
        finalIndex.insert(s, static_cast<int>(ordered.size()));
        ordered << s;
    }

    // Two-level table: pages of 256 code points, only pages holding a reading are stored.
    const char32_t limit = defaults.rbegin()->first + 1;
    const std::size_t pageCount = (limit + 255) / 256;
    std::vector<int> pageOf(pageCount, 0);
    std::vector<std::vector<std::uint16_t>> pages{std::vector<std::uint16_t>(256, 0)}; // page 0: empty
    for (const auto &[cp, s] : defaults) {
        int &p = pageOf[cp / 256];
        if (p == 0) {
            p = static_cast<int>(pages.size());
            pages.emplace_back(256, 0);
        }
        std::uint16_t entry = static_cast<std::uint16_t>(finalIndex.value(s));
        if (phraseStarts.count(cp)) entry |= kStartsPhrase;
        pages[p][cp % 256] = entry;
    }

    QByteArray out;
    out += "// Generated by lumibo-pinyin-table from Unihan_Readings.txt, data/pinyin/readings.tsv and\n"
           "// data/pinyin/phrases.tsv. Do not edit: change the data files and rebuild.\n"
           "// Syllables: lower-case letters, u-umlaut written v, the tone digit (5: neutral).\n"
           "#include \"services/PinyinTable.h\"\n\n"
           "namespace services::pinyintable {\n\n";
    out += "const char kSyllables[][kSyllableWidth] = {\n";
    for (const QString &s : ordered)
        out += "    \"" + s.toLatin1() + "\",\n";
    out += "};\n";
    out += "const std::size_t kSyllableCount = " + QByteArray::number(ordered.size()) + ";\n\n";

    out += "const char32_t kCodePointLimit = 0x" + QByteArray::number(quint32(limit), 16).toUpper() + ";\n";
    out += "const std::uint16_t kPageOf[] = {";
    for (std::size_t i = 0; i < pageOf.size(); ++i)
        out += (i % 16 == 0 ? "\n    " : " ") + QByteArray::number(pageOf[i]) + ",";
    out += "\n};\n";
    out += "const std::uint16_t kPages[][256] = {\n";
    for (const auto &page : pages) {
        out += "    {";
        for (std::size_t i = 0; i < page.size(); ++i)
            out += (i % 16 == 0 ? "\n        " : " ") + QByteArray::number(page[i]) + ",";
        out += "\n    },\n";
    }
    out += "};\n\n";

    QByteArray otherOf = "const char32_t kOtherReadingOf[] = {",
               otherReading = "const std::uint16_t kOtherReadings[] = {";
    for (std::size_t i = 0; i < others.size(); ++i) {
        const char *lead = i % 12 == 0 ? "\n   " : "";
        otherOf +=
            lead + QByteArray(" 0x") + QByteArray::number(quint32(others[i].first), 16).toUpper() + ",";
        otherReading += lead + QByteArray(" ") + QByteArray::number(finalIndex.value(others[i].second)) + ",";
    }
    if (others.empty()) { // C++ has no empty arrays
        otherOf += " 0,";
        otherReading += " 0,";
    }
    out += otherOf + "\n};\n" + otherReading + "\n};\n";
    out += "const std::size_t kOtherReadingCount = " + QByteArray::number(others.size()) + ";\n\n";

    // Phrases sorted by first character, longer first, so the first match is the longest.
    std::vector<const Phrase *> sorted;
    for (const Phrase &p : phrases)
        sorted.push_back(&p);
    std::sort(sorted.begin(), sorted.end(), [](const Phrase *a, const Phrase *b) {
        if (a->text[0] != b->text[0]) return a->text[0] < b->text[0];
        if (a->text.size() != b->text.size()) return a->text.size() > b->text.size();
        return a->text < b->text;
    });
    QByteArray text = "const char32_t kPhraseText[] = {",
               reading = "const std::uint16_t kPhraseSyllables[] = {",
               list = "const PhraseEntry kPhrases[] = {\n";
    std::size_t offset = 0;
    for (const Phrase *p : sorted) {
        QString shown;
        for (char32_t c : p->text)
            shown += fromUcs4(c);
        list += "    {0x" + QByteArray::number(quint32(p->text[0]), 16).toUpper() + ", " +
                QByteArray::number(offset) + ", " + QByteArray::number(p->text.size()) + "}, // " +
                shown.toUtf8() + "\n";
        text += "\n   ";
        reading += "\n   ";
        for (std::size_t i = 0; i < p->text.size(); ++i) {
            text += " 0x" + QByteArray::number(quint32(p->text[i]), 16).toUpper() + ",";
            reading += " " + QByteArray::number(finalIndex.value(syllables.list()[p->syllables[i]])) + ",";
        }
        offset += p->text.size();
    }
    if (sorted.empty()) { // C++ has no empty arrays
        text += " 0,";
        reading += " 0,";
        list += "    {0, 0, 0},\n";
    }
    out += text + "\n};\n" + reading + "\n};\n" + list + "};\n";
    out += "const std::size_t kPhraseCount = " + QByteArray::number(sorted.size()) + ";\n\n";
    out += "} // namespace services::pinyintable\n";
    return out;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString bzip2 = QStringLiteral("bzip2");
    std::size_t minimum = 20000; // fewer characters than this: not the Unihan file we expect
    bool optionsOk = true;
    while (optionsOk && args.size() >= 2 && args[0].startsWith(QStringLiteral("--"))) {
        if (args[0] == QStringLiteral("--bzip2"))
            bzip2 = args[1];
        else if (args[0] == QStringLiteral("--minimum"))
            minimum = args[1].toUInt(&optionsOk);
        else
            optionsOk = false;
        args = args.mid(2);
    }
    if (!optionsOk || args.size() != 4) {
        std::fprintf(stderr, "usage: lumibo-pinyin-table [--bzip2 PROGRAM] [--minimum CHARACTERS] "
                             "UNIHAN_READINGS READINGS_TSV PHRASES_TSV OUT_CPP\n");
        return 2;
    }
    const QString unihanPath = args[0], readingsPath = args[1], phrasesPath = args[2], outPath = args[3];

    const auto unihan = readUnihan(unihanPath, bzip2);
    if (!unihan) return 1;
    const std::map<char32_t, Readings> table = parseUnihan(*unihan, unihanPath);
    if (table.size() < minimum || table.empty()) {
        fail(unihanPath,
             QStringLiteral("only %1 characters with a Mandarin reading; is this Unihan_Readings.txt?")
                 .arg(table.size()));
        return 1;
    }

    std::map<char32_t, QString> defaults;
    for (const auto &[cp, r] : table) {
        const QString d = defaultReading(r);
        if (!d.isEmpty()) defaults[cp] = d;
    }

    auto knows = [&](char32_t cp, const QString &s) {
        auto it = table.find(cp);
        return it != table.end() && it->second.all.count(s) > 0;
    };
    // Inside a word any syllable may lose its tone (萝卜 luó bo, 钥匙 yào shi), whether or not
    // a dictionary lists the neutral reading.
    auto knowsInWord = [&](char32_t cp, const QString &s) {
        if (knows(cp, s)) return true;
        auto it = table.find(cp);
        return isNeutral(s) && it != table.end() &&
               std::any_of(it->second.all.begin(), it->second.all.end(),
                           [&](const QString &r) { return baseOf(r) == baseOf(s); });
    };
    auto readingsOf = [&](char32_t cp) {
        QStringList all;
        if (auto it = table.find(cp); it != table.end())
            for (const QString &s : it->second.all)
                all << services::syllable::toned(s);
        return all.join(QLatin1Char(' '));
    };

    // Our corrections of single characters' default readings.
    const auto overrides = readTsv(readingsPath);
    std::set<char32_t> overridden;
    if (overrides) {
        for (const Row &row : *overrides) {
            const QString where = QStringLiteral("%1:%2").arg(readingsPath).arg(row.line);
            const std::u32string ch = toUcs4(row.fields.value(0));
            const QString written = row.fields.value(1);
            const QString reading = services::syllable::fromPinyin(written);
            if (row.fields.size() < 2 || ch.size() != 1) {
                fail(where, QStringLiteral("expected: one character, a tab, its reading"));
                continue;
            }
            if (reading.isEmpty()) {
                fail(where, QStringLiteral("reading \"%1\" is not one pinyin syllable with its tone mark")
                                .arg(written));
                continue;
            }
            if (!knows(ch[0], reading)) {
                fail(where, QStringLiteral("Unihan gives %1 no reading \"%2\" (it gives: %3)")
                                .arg(fromUcs4(ch[0]), written, readingsOf(ch[0])));
                continue;
            }
            if (!overridden.insert(ch[0]).second) {
                fail(where, QStringLiteral("%1 is corrected twice").arg(fromUcs4(ch[0])));
                continue;
            }
            if (defaults[ch[0]] == reading)
                warn(where,
                     QStringLiteral("%1 reads \"%2\" without this line").arg(fromUcs4(ch[0]), written));
            defaults[ch[0]] = reading;
        }
    }

    // Readings of characters inside words.
    Syllables syllables;
    std::vector<Phrase> phrases;
    std::set<std::u32string> seen;
    std::set<char32_t> phraseStarts;
    const auto phraseRows = readTsv(phrasesPath);
    if (phraseRows) {
        for (const Row &row : *phraseRows) {
            const QString where = QStringLiteral("%1:%2").arg(phrasesPath).arg(row.line);
            const std::u32string text = toUcs4(row.fields.value(0));
            const QStringList parts = row.fields.value(1).split(QLatin1Char(' '));
            if (row.fields.size() < 2 || text.size() < 2 || text.size() > std::size_t(kMaxPhraseLength)) {
                fail(where, QStringLiteral("expected: a phrase of 2 to %1 characters, a tab, its syllables")
                                .arg(kMaxPhraseLength));
                continue;
            }
            if (std::size_t(parts.size()) != text.size()) {
                fail(where,
                     QStringLiteral("%1 characters but %2 syllables").arg(text.size()).arg(parts.size()));
                continue;
            }
            Phrase p{text, {}};
            bool good = true, toned = false;
            for (std::size_t i = 0; i < text.size() && good; ++i) {
                const QString s = services::syllable::fromPinyin(parts[i]);
                if (s.isEmpty()) {
                    fail(
                        where,
                        QStringLiteral("\"%1\" is not one pinyin syllable with its tone mark").arg(parts[i]));
                    good = false;
                } else if (!knowsInWord(text[i], s)) {
                    fail(where, QStringLiteral("Unihan gives %1 no reading \"%2\" (it gives: %3)")
                                    .arg(fromUcs4(text[i]), parts[i], readingsOf(text[i])));
                    good = false;
                }
                toned = toned || !isNeutral(s);
                p.syllables.push_back(syllables.indexOf(s));
            }
            if (!good) continue;
            // A word all in the neutral tone is a word written without its tone marks.
            if (!toned) {
                fail(where, QStringLiteral("no tone marks: write each syllable with its tone mark "
                                           "(the neutral tone without one)"));
                continue;
            }
            if (!seen.insert(text).second) {
                fail(where, QStringLiteral("the phrase is listed twice"));
                continue;
            }
            phraseStarts.insert(text[0]);
            phrases.push_back(std::move(p));
        }
    }
    if (failures) return 1;

    // Every other reading a Unihan field gives, so that content may name a reading of its own.
    OtherReadings others;
    for (const auto &[cp, r] : table) {
        const auto d = defaults.find(cp);
        for (const QString &s : r.all)
            if (d == defaults.end() || s != d->second) others.emplace_back(cp, s);
    }

    const QByteArray out = render(defaults, others, phrases, syllables, phraseStarts);
    QDir().mkpath(QFileInfo(outPath).absolutePath());
    QSaveFile f(outPath);
    if (!f.open(QIODevice::WriteOnly) || f.write(out) != out.size() || !f.commit()) {
        std::fprintf(stderr, "%s: cannot write it: %s\n", qPrintable(outPath), qPrintable(f.errorString()));
        return 1;
    }
    std::printf("pinyin table: %zu characters (%zu corrected), %zu other readings, %zu phrases\n",
                defaults.size(), overridden.size(), others.size(), phrases.size());
    return 0;
}
