// Renders every registered screen offscreen to OUTDIR/<control name>.png, plus the extra
// states GalleryStates lists for it, with the random generator pinned so the pictures repeat.
// OUTDIR/index.tsv lists the pictures in order: file, screen, and "load" for a screen's plain
// load state or "shot" for one of its listed states.
//
//   --scale S          render at S times the size, as the program does on a large screen
//   --only A,B         only the screens with these control names
//   --program-dir DIR  read study.dat, jieguo.wav and sound.wav from DIR (default: beside the tool)
//   --smoke            check that DIR's three files are whole, and render only the load states
#include "app/AppContext.h"
#include "app/ScreenRegistry.h"
#include "app/WindowScale.h"
#include "gallery/GalleryStates.h"
#include "services/ContentSchema.h"
#include "services/ContentStore.h"
#include "ui/Backdrop.h"
#include "ui/ToneMarksBox.h"
#include "ui/Translations.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPainter>
#include <QStandardPaths>
#include <QTextStream>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <sndfile.h>

namespace {

// The screen with the message box or small window it shows, if any, drawn over its middle as a desktop shows
// it; the box is closed afterwards.
QPixmap picture(QWidget *w) {
    QApplication::processEvents();
    QPixmap shot = w->grab();
    for (QWidget *top : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QDialog *>(top);
        if (!box || !box->isVisible()) continue;
        const QPixmap face = box->grab();
        const QSizeF area = shot.deviceIndependentSize(), size = face.deviceIndependentSize();
        QPainter painter(&shot);
        painter.setPen(QColor(0x1a, 0x23, 0x7e));
        const QRectF at(QPointF((area.width() - size.width()) / 2, (area.height() - size.height()) / 2),
                        size);
        painter.drawPixmap(at.topLeft(), face);
        painter.drawRect(at.adjusted(-1, -1, 0, 0));
        box->close();
    }
    return shot;
}

bool save(QWidget *w, const QString &dir, const QString &file) {
    const QString path = QDir(dir).filePath(file + QStringLiteral(".png"));
    if (!picture(w).save(path)) {
        std::fprintf(stderr, "lumibo-gallery: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

struct Options {
    QString out;
    QString programDir;
    QStringList only;
    double scale = 1;
    bool smoke = false;
};

// Reads the arguments before the application exists, because the scale must be set before.
bool parse(int argc, char **argv, Options *o) {
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const bool hasValue = i + 1 < argc;
        if (arg == QLatin1String("--smoke")) {
            o->smoke = true;
        } else if (arg == QLatin1String("--scale") && hasValue) {
            QString problem;
            o->scale = app::parseScale(QString::fromLocal8Bit(argv[++i]), &problem);
            if (o->scale <= 0) {
                std::fprintf(stderr, "lumibo-gallery: --scale %s is not a scale from 1 to %g\n", argv[i],
                             app::kMaxScale);
                return false;
            }
        } else if (arg == QLatin1String("--only") && hasValue) {
            o->only = QString::fromLocal8Bit(argv[++i]).split(QLatin1Char(','), Qt::SkipEmptyParts);
        } else if (arg == QLatin1String("--program-dir") && hasValue) {
            o->programDir = QString::fromLocal8Bit(argv[++i]);
        } else if (arg.startsWith(QLatin1Char('-')) || !o->out.isEmpty()) {
            return false;
        } else {
            o->out = arg;
        }
    }
    return !o->out.isEmpty();
}

// What is wrong with the program's files in dir, one line each; empty when all three serve.
QStringList problemsWithProgramFiles(const QString &dir) {
    QStringList problems;
    services::ContentStore store(QDir(dir).filePath(QStringLiteral("study.dat")));
    for (const services::TableSchema &t : services::contentTables()) {
        const QString problem = store.problemFor(t.name);
        if (!problem.isEmpty()) problems << store.path() + QStringLiteral(": ") + problem;
        if (!store.isOpen()) break; // the whole file: said once
    }
    for (const char *name : {"jieguo.wav", "sound.wav"}) {
        const QString path = QDir(dir).filePath(QLatin1String(name));
        SF_INFO info{};
        SNDFILE *f = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
        if (!f)
            problems << path + QStringLiteral(": ") + QString::fromLocal8Bit(sf_strerror(nullptr));
        else if (info.frames <= 0)
            problems << path + QStringLiteral(": holds no sound");
        if (f) sf_close(f);
    }
    return problems;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    Options options;
    if (!parse(argc, argv, &options)) {
        std::fprintf(stderr, "usage: lumibo-gallery [--scale S] [--only NAME,...] [--program-dir DIR] "
                             "[--smoke] OUTDIR\n");
        return 2;
    }
    if (options.scale != 1) qputenv("QT_SCALE_FACTOR", QByteArray::number(options.scale));
    QApplication application(argc, argv);
    const QString &out = options.out;
    if (options.programDir.isEmpty()) options.programDir = QCoreApplication::applicationDirPath();
    if (options.smoke) {
        const QStringList problems = problemsWithProgramFiles(options.programDir);
        for (const QString &p : problems)
            std::fprintf(stderr, "lumibo-gallery: %s\n", qUtf8Printable(p));
        if (!problems.isEmpty()) return 1;
    }
    for (const QString &name : options.only) {
        const auto &entries = app::ScreenRegistry::instance().entries();
        if (std::none_of(entries.begin(), entries.end(),
                         [&](const app::ScreenEntry &e) { return e.name == name; })) {
            std::fprintf(stderr, "lumibo-gallery: no screen is named %s\n", qUtf8Printable(name));
            return 2;
        }
    }
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "lumibo-gallery: cannot create %s\n", qPrintable(out));
        return 1;
    }
    ui::applyLook(application);
    ui::installQtTranslations(application);
    application.setQuitOnLastWindowClosed(false);
    // Settings of its own, in Qt's test location: the pictures never touch the user's choices,
    // and each one starts from a first run's (the states set what they show).
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("lumibo-gallery"));

    QFile indexFile(QDir(out).filePath(QStringLiteral("index.tsv")));
    if (!indexFile.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "lumibo-gallery: cannot write %s\n", qPrintable(indexFile.fileName()));
        return 1;
    }
    QTextStream index(&indexFile);

    bool ok = true;
    for (const app::ScreenEntry &entry : app::ScreenRegistry::instance().entries()) {
        if (!options.only.isEmpty() && !options.only.contains(entry.name)) continue;
        auto render = [&](const gallery::State *state) {
            ui::openSettings()->clear();
            auto ctx = app::AppContext::forTests(options.programDir);
            QWidget *w = gallery::open(*ctx, entry.name);
            if (!w) {
                ok = false;
                return;
            }
            if (state) {
                if (const QString problem = state->apply(w, *ctx); !problem.isEmpty()) {
                    std::fprintf(stderr, "lumibo-gallery: %s\n", qUtf8Printable(problem));
                    ok = false;
                    return;
                }
            }
            const QString file = state ? state->file : entry.name;
            if (save(w, out, file))
                index << file << ".png\t" << entry.name << '\t' << (state ? "shot" : "load") << '\n';
            else
                ok = false;
        };
        if (options.smoke || !gallery::replacesLoadState(entry.name)) render(nullptr);
        if (options.smoke) continue;
        for (const gallery::State &state : gallery::statesOf(entry.name).states)
            render(&state);
    }
    index.flush();
    if (indexFile.error() != QFileDevice::NoError) ok = false;
    return ok ? 0 : 1;
}
