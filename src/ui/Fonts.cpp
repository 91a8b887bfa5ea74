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

void installFontSubstitutions() {
    static bool done = false;
    if (done) return;
    done = true;
    const QString target = cjkFamily();
    for (const char *name : {"SimSun", "宋体", "LiSu", "隶书", "NSimSun", "新宋体"})
        QFont::insertSubstitution(QString::fromUtf8(name), target);
}

QFont simSun(double pointSize, bool bold) {
    installFontSubstitutions();
    QFont f(QStringLiteral("SimSun"));
    f.setFamilies({QStringLiteral("SimSun"), cjkFamily()});
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(pointSize * 96.0 / 72.0))));
    f.setBold(bold);
    return f;
}

} // namespace ui
