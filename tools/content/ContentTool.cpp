// lumibo-content: builds study.dat from the content files, exports it back, and checks either.
#include "services/ContentCheck.h"
#include "services/ContentFiles.h"
#include "services/PinyinLookup.h"
#include "services/StrokeData.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage:\n"
                 "  lumibo-content build CONTENT_DIR STUDY_DAT   write a new study.dat from the TSV files\n"
                 "  lumibo-content export STUDY_DAT OUT_DIR      write the tables back as TSV files\n"
                 "  lumibo-content check CONTENT_DIR|STUDY_DAT [STROKES_DAT]\n"
                 "                                               report every problem as file:line: what;\n"
                 "                                               with the stroke file, also every character\n"
                 "                                               of 单字 and 词组 it has no strokes for\n"
                 "  lumibo-content pinyin [--display|--tones] TEXT...\n"
                 "                                               print the pinyin of each text, one a line:\n"
                 "                                               plain (ü as u),\n"
                 "                                               --display as the screens show it (ü as ü),\n"
                 "                                               --tones with tone marks\n");
    return 2;
}

int report(const services::Problems &problems) {
    for (const QString &p : problems)
        std::fprintf(stderr, "%s\n", p.toUtf8().constData());
    return problems.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) return usage();
    const QString command = args[0];
    services::Problems problems;
    QString error;

    if (command == QStringLiteral("build") && args.size() == 3) {
        // Content that breaks the rules is not built: study.dat only ever holds checked content.
        const auto tables = services::readContentDir(args[1], problems);
        if (problems.isEmpty()) services::checkContent(tables, problems);
        if (report(problems)) return 1;
        if (!services::writeStudyDat(tables, args[2], &error)) {
            std::fprintf(stderr, "lumibo-content: %s\n", error.toUtf8().constData());
            return 1;
        }
        return 0;
    }
    if (command == QStringLiteral("export") && args.size() == 3) {
        const auto tables = services::readStudyDat(args[1], problems);
        if (report(problems)) return 1;
        if (!services::writeContentDir(tables, args[2], &error)) {
            std::fprintf(stderr, "lumibo-content: %s\n", error.toUtf8().constData());
            return 1;
        }
        return 0;
    }
    if (command == QStringLiteral("check") && (args.size() == 2 || args.size() == 3)) {
        const bool isDir = QFileInfo(args[1]).isDir();
        const auto tables =
            isDir ? services::readContentDir(args[1], problems) : services::readStudyDat(args[1], problems);
        if (!tables.empty()) services::checkContent(tables, problems);
        if (args.size() == 3) services::checkStrokes(tables, services::StrokeData::open(args[2]), problems);
        const int rc = report(problems);
        if (rc == 0)
            std::printf("%s: all thirty tables pass%s\n", qPrintable(args[1]),
                        args.size() == 3 ? " and every character has its strokes" : "");
        return rc;
    }
    if (command == QStringLiteral("pinyin") && args.size() >= 2) {
        // For content authors: what the lessons and poems will show, and what has no reading.
        using Form = services::PinyinLookup::Form;
        QStringList texts = args.mid(1);
        Form form = Form::Plain;
        if (texts.first() == QStringLiteral("--display") || texts.first() == QStringLiteral("--tones")) {
            form = texts.takeFirst() == QStringLiteral("--tones") ? Form::Toned : Form::Display;
            if (texts.isEmpty()) return usage();
        }
        const services::PinyinLookup lookup;
        int rc = 0;
        for (const QString &text : texts) {
            std::printf("%s\n", lookup.GetPinYin(text, form).toUtf8().constData());
            for (char32_t c : lookup.unreadable(text)) {
                std::fprintf(stderr, "lumibo-content: \"%s\" has no pinyin reading (shown as %s)\n",
                             QString::fromUcs4(&c, 1).toUtf8().constData(), qPrintable(lookup.unknownMark()));
                rc = 1;
            }
        }
        return rc;
    }
    return usage();
}
