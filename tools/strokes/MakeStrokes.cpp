// lumibo-strokes: the stroke order of the characters the lessons teach, from the npm package
// hanzi-writer-data (one <character>.json a character), into the stroke file the program reads.
//
//   lumibo-strokes PACKAGE_DIR CONTENT_DIR OUT_FILE
//
// The characters are those of content/单字.tsv (its first column) and every character of
// content/词组.tsv. Each package file holds "strokes" (an SVG path outline a stroke, in a box of
// 1024 units with y pointing up and the baseline at 900), "medians" (each stroke's centre line
// in writing order) and "radStrokes" (the radical's strokes, 0-based). The outlines and medians
// are turned the right way up here (y' = 900 - y), so the file's box has y pointing down.
// A character without a package file is named on stderr and left out (lumibo-content check
// then names it too); a package file that cannot be read as such fails the run.
#include "services/PinyinLookup.h"
#include "services/StrokeData.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>
#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

using services::OutlineSegment;

// The package's baseline: y' = kBaseline - y puts its glyphs upright in a box of 1024 from 0.
constexpr int kBaseline = 900;

QPointF upright(double x, double y) {
    return QPointF(qRound(x), kBaseline - qRound(y));
}

// The package's outlines use absolute M, L, Q, C and Z; numbers after a command's own repeat it
// (after M as L), as SVG reads them.
std::optional<std::vector<OutlineSegment>> parseOutline(const QString &path, QString *error) {
    std::vector<OutlineSegment> out;
    qsizetype i = 0;
    const qsizetype n = path.size();
    auto skipBlanks = [&] {
        while (i < n && (path[i].isSpace() || path[i] == QLatin1Char(',')))
            ++i;
    };
    auto number = [&](double *v) {
        skipBlanks();
        const qsizetype start = i;
        if (i < n && (path[i] == QLatin1Char('-') || path[i] == QLatin1Char('+'))) ++i;
        while (i < n && (path[i].isDigit() || path[i] == QLatin1Char('.')))
            ++i;
        bool ok = false;
        *v = path.mid(start, i - start).toDouble(&ok);
        return ok;
    };
    std::optional<OutlineSegment::Kind> current;
    while (true) {
        skipBlanks();
        if (i >= n) break;
        const QChar c = path[i];
        if (c.isLetter()) {
            ++i;
            switch (c.unicode()) {
            case 'M':
                current = OutlineSegment::Kind::Move;
                break;
            case 'L':
                current = OutlineSegment::Kind::Line;
                break;
            case 'Q':
                current = OutlineSegment::Kind::Quad;
                break;
            case 'C':
                current = OutlineSegment::Kind::Cubic;
                break;
            case 'Z':
            case 'z':
                current = OutlineSegment::Kind::Close;
                break;
            default:
                *error = QStringLiteral("path command \"%1\" is not one of M L Q C Z").arg(c);
                return std::nullopt;
            }
        } else if (!current || *current == OutlineSegment::Kind::Close) {
            *error =
                QStringLiteral("a number with no path command before it, at \"%1\"").arg(path.mid(i, 12));
            return std::nullopt;
        } else if (*current == OutlineSegment::Kind::Move) {
            current = OutlineSegment::Kind::Line;
        }
        OutlineSegment s{.kind = *current};
        for (int p = 0; p < OutlineSegment::pointCount(s.kind); ++p) {
            double x = 0, y = 0;
            if (!number(&x) || !number(&y)) {
                *error = QStringLiteral("path command \"%1\" lacks its coordinates").arg(c);
                return std::nullopt;
            }
            s.points[p] = upright(x, y);
        }
        if (out.empty() && s.kind != OutlineSegment::Kind::Move) {
            *error = QStringLiteral("the path does not start with M");
            return std::nullopt;
        }
        out.push_back(s);
    }
    if (out.size() < 2) {
        *error = QStringLiteral("the path has no outline");
        return std::nullopt;
    }
    return out;
}

std::optional<services::StrokeCharacter> parseCharacter(char32_t character, const QByteArray &json,
                                                        QString *error) {
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parse);
    if (!doc.isObject()) {
        *error = QStringLiteral("not a JSON object (%1)").arg(parse.errorString());
        return std::nullopt;
    }
    const QJsonObject o = doc.object();
    const QJsonArray strokes = o.value(QStringLiteral("strokes")).toArray();
    const QJsonArray medians = o.value(QStringLiteral("medians")).toArray();
    if (strokes.isEmpty() || strokes.size() != medians.size()) {
        *error = QStringLiteral("%1 strokes and %2 medians; a character has one median a stroke")
                     .arg(strokes.size())
                     .arg(medians.size());
        return std::nullopt;
    }
    services::StrokeCharacter c;
    c.character = character;
    for (qsizetype s = 0; s < strokes.size(); ++s) {
        services::Stroke stroke;
        QString why;
        const auto outline = parseOutline(strokes[s].toString(), &why);
        if (!outline) {
            *error = QStringLiteral("stroke %1: %2").arg(s + 1).arg(why);
            return std::nullopt;
        }
        stroke.outline = *outline;
        for (const QJsonValue &point : medians[s].toArray()) {
            const QJsonArray xy = point.toArray();
            if (xy.size() != 2 || !xy[0].isDouble() || !xy[1].isDouble()) {
                *error = QStringLiteral("stroke %1: a median point is not [x, y]").arg(s + 1);
                return std::nullopt;
            }
            stroke.median.push_back(upright(xy[0].toDouble(), xy[1].toDouble()));
        }
        if (stroke.median.size() < 2) {
            *error = QStringLiteral("stroke %1: its median has fewer than two points").arg(s + 1);
            return std::nullopt;
        }
        c.strokes.push_back(std::move(stroke));
    }
    for (const QJsonValue &v : o.value(QStringLiteral("radStrokes")).toArray()) {
        const int s = v.toInt(-1);
        if (s < 0 || s >= static_cast<int>(c.strokes.size())) {
            *error = QStringLiteral("radical stroke %1 is not one of its %2 strokes")
                         .arg(v.toVariant().toString())
                         .arg(c.strokes.size());
            return std::nullopt;
        }
        c.radicalStrokes.push_back(s);
    }
    std::sort(c.radicalStrokes.begin(), c.radicalStrokes.end());
    c.radicalStrokes.erase(std::unique(c.radicalStrokes.begin(), c.radicalStrokes.end()),
                           c.radicalStrokes.end());
    return c;
}

// Field 0 of every record (the header row skipped): the character or word. Only the first column
// is read, so columns added later do not matter here.
std::optional<QStringList> firstColumn(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    QStringList out;
    const QList<QByteArray> lines = f.readAll().split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString field = QString::fromUtf8(lines[i].split('\t').first()).trimmed();
        if (!field.isEmpty()) out << field;
    }
    return out;
}

// "hanzi-writer-data 2.0.1", from the package's package.json.
std::optional<QString> packageName(const QDir &package) {
    QFile f(package.filePath(QStringLiteral("package.json")));
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    const QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
    const QString name = o.value(QStringLiteral("name")).toString();
    const QString version = o.value(QStringLiteral("version")).toString();
    if (name.isEmpty() || version.isEmpty()) return std::nullopt;
    return name + QLatin1Char(' ') + version;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 3) {
        std::fprintf(
            stderr, "usage: lumibo-strokes PACKAGE_DIR CONTENT_DIR OUT_FILE\n"
                    "  PACKAGE_DIR  the unpacked npm package hanzi-writer-data (its <character>.json files)\n"
                    "  CONTENT_DIR  the content folder: the characters of 单字.tsv and 词组.tsv are taken\n");
        return 2;
    }
    const QDir package(args[0]);
    const QDir content(args[1]);

    const auto source = packageName(package);
    if (!source) {
        std::fprintf(stderr,
                     "lumibo-strokes: %s has no package.json naming the package and its version; "
                     "give the unpacked npm package\n",
                     qPrintable(package.path()));
        return 1;
    }

    std::vector<char32_t> wanted;
    QSet<char32_t> seen;
    for (const QString &table : {QStringLiteral("单字"), QStringLiteral("词组")}) {
        const QString path = content.filePath(table + QStringLiteral(".tsv"));
        const auto texts = firstColumn(path);
        if (!texts) {
            std::fprintf(stderr, "lumibo-strokes: cannot read %s\n", qPrintable(path));
            return 1;
        }
        for (const QString &text : *texts)
            for (char32_t c : text.toUcs4())
                if (services::PinyinLookup::isChinese(c) && !seen.contains(c)) {
                    seen.insert(c);
                    wanted.push_back(c);
                }
    }

    std::vector<services::StrokeCharacter> characters;
    int missing = 0, failed = 0;
    for (char32_t c : wanted) {
        const QString name = QString::fromUcs4(&c, 1);
        QFile f(package.filePath(name + QStringLiteral(".json")));
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr,
                         "lumibo-strokes: %s has no stroke data in the package (%s); it is left out\n",
                         qPrintable(name), qPrintable(f.fileName()));
            ++missing;
            continue;
        }
        QString error;
        auto parsed = parseCharacter(c, f.readAll(), &error);
        if (!parsed) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(f.fileName()), qPrintable(error));
            ++failed;
            continue;
        }
        characters.push_back(std::move(*parsed));
    }
    if (failed > 0) return 1;

    // The Arphic Public License asks a modified file to say how and when it was changed.
    const QString notice =
        QStringLiteral(
            "Stroke outlines, medians and radical strokes from the npm package %1 "
            "(Make Me a Hanzi, from fonts of Arphic Technology Co., Ltd.), under the Arphic Public "
            "License (ARPHICPL.TXT). Changed by lumibo-strokes of the Lumibo developers on %2: "
            "turned upright (y' = 900 - y), rounded to whole units, and kept only for the characters "
            "Lumibo teaches, in this file's own layout.")
            .arg(*source, QDate::currentDate().toString(Qt::ISODate));
    QString error;
    const qsizetype count = static_cast<qsizetype>(characters.size());
    const QByteArray bytes = services::StrokeData::encode(std::move(characters), notice, &error);
    if (bytes.isEmpty()) {
        std::fprintf(stderr, "lumibo-strokes: %s\n", qPrintable(error));
        return 1;
    }
    QSaveFile out(args[2]);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        std::fprintf(stderr, "lumibo-strokes: cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    std::printf("%s: %lld characters, %lld bytes; %d without stroke data\n", qPrintable(args[2]),
                static_cast<long long>(count), static_cast<long long>(bytes.size()), missing);
    return 0;
}
