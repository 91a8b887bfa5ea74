#include "ui/Fonts.h"

#include <QFontDatabase>
#include <QList>
#include <QStringList>
#include <cmath>

namespace ui {

QString cjkFamily() {
    static const QString family = [] {
        const QStringList candidates = {"WenQuanYi Zen Hei", "WenQuanYi Micro Hei", "Noto Sans CJK SC",
                                        "Noto Serif CJK SC", "AR PL UMing CN",      "Droid Sans Fallback"};
        const QStringList installed = QFontDatabase::families();
        for (const QString &c : candidates)
            if (installed.contains(c)) return c;
        for (const QString &f : installed)
            if (QFontDatabase::writingSystems(f).contains(QFontDatabase::SimplifiedChinese)) return f;
        return QStringLiteral("WenQuanYi Zen Hei");
    }();
    return family;
}

QString calligraphicFamily() {
    static const QString family = [] {
        const QStringList candidates = {"AR PL UKai CN", "AR PL UKai TW", "AR PL KaitiM GB", "AR PL New Kai"};
        const QStringList installed = QFontDatabase::families();
        for (const QString &c : candidates)
            if (installed.contains(c)) return c;
        return cjkFamily();
    }();
    return family;
}

void installFontSubstitutions() {
    static bool done = false;
    if (done) return;
    done = true;
    const QString target = cjkFamily();
    for (const char *name : {"SimSun", "宋体", "NSimSun", "新宋体"})
        QFont::insertSubstitution(QString::fromUtf8(name), target);
    // A glyph the brush font lacks still comes from the plain CJK font, never as a box.
    for (const char *name : {"LiSu", "隶书"})
        QFont::insertSubstitutions(QString::fromUtf8(name), {calligraphicFamily(), target});
}

namespace {
int pixels(double pointSize) {
    return std::max(1, static_cast<int>(std::lround(pointSize * 96.0 / 72.0)));
}
} // namespace

// A named family first when it is installed; a name the system lacks would send Qt through
// fontconfig's substitutions and fallbacks for every new font (a millisecond or more at start-up)
// only to arrive at the family that follows it.
namespace {
QStringList installedFirst(const QString &name, QStringList then) {
    static const QStringList installed = QFontDatabase::families();
    if (installed.contains(name)) then.prepend(name);
    then.removeDuplicates();
    return then;
}
} // namespace

QFont liSu(double pointSize, bool bold) {
    installFontSubstitutions();
    static const QStringList families =
        installedFirst(QStringLiteral("LiSu"), {calligraphicFamily(), cjkFamily()});
    QFont f(families.first());
    f.setFamilies(families);
    f.setPixelSize(pixels(pointSize));
    f.setBold(bold);
    return f;
}

QFont simSun(double pointSize, bool bold) {
    installFontSubstitutions();
    static const QStringList families = installedFirst(QStringLiteral("SimSun"), {cjkFamily()});
    QFont f(families.first());
    f.setFamilies(families);
    f.setPixelSize(pixels(pointSize));
    f.setBold(bold);
    return f;
}

} // namespace ui
