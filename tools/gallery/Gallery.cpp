// Renders every registered screen offscreen to OUTDIR/<control name>.png, plus the extra
// states each screen lists, with the random generator pinned so the pictures repeat.
// OUTDIR/index.tsv lists the pictures in order: file, screen, and "load" for a screen's plain
// load state or "shot" for a state the screen registered.
#include "app/AppContext.h"
#include "app/MenuTable.h"
#include "app/Navigator.h"
#include "app/ScreenRegistry.h"
#include "ui/Backdrop.h"
#include "ui/ToneMarksBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <QStandardPaths>
#include <QWidget>
#include <algorithm>
#include <cstdio>

namespace {

bool save(QWidget *w, const QString &dir, const QString &file) {
    QApplication::processEvents();
    const QString path = QDir(dir).filePath(file + QStringLiteral(".png"));
    if (!w->grab().save(path)) {
        std::fprintf(stderr, "lumibo-gallery: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: lumibo-gallery OUTDIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "lumibo-gallery: cannot create %s\n", argv[1]);
        return 1;
    }
    ui::applyLook(application);
    application.setQuitOnLastWindowClosed(false);
    // Settings of its own, in Qt's test location: the pictures never touch the user's choices,
    // and each one starts from a first run's (the shots set what they show).
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
        auto render = [&](const app::GalleryShot *shot) {
            ui::openSettings()->clear();
            auto ctx = app::AppContext::forTests(QCoreApplication::applicationDirPath());
            QWidget *w = nullptr;
            if (const app::MenuItem *item = app::findMenuItem(entry.galleryMenuItem))
                w = ctx->navigator().open(*item);
            else if (entry.name == QStringLiteral("Main"))
                w = ctx->navigator().showMain();
            else
                w = ctx->navigator().open(entry.name);
            if (!w) {
                ok = false;
                return;
            }
            if (shot) shot->prepare(w, *ctx);
            const QString file = shot ? shot->file : entry.name;
            if (save(w, out, file))
                index << file << ".png\t" << entry.name << '\t' << (shot ? "shot" : "load") << '\n';
            else
                ok = false;
        };
        // A shot named like the screen itself replaces its plain load state.
        const bool plainReplaced =
            std::any_of(entry.shots.begin(), entry.shots.end(),
                        [&](const app::GalleryShot &s) { return s.file == entry.name; });
        if (!plainReplaced) render(nullptr);
        for (const app::GalleryShot &shot : entry.shots)
            render(&shot);
    }
    index.flush();
    if (indexFile.error() != QFileDevice::NoError) ok = false;
    return ok ? 0 : 1;
}
