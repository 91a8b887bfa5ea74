#pragma once

#include <QFont>
#include <QString>

namespace ui {

// Maps SimSun/宋体 and LiSu/隶书 to the installed CJK font, once per process. Without it Qt
// resolves SimSun to a Latin font and Chinese text falls back glyph by glyph.
void installFontSubstitutions();

// The family the substitutions resolve to ("WenQuanYi Zen Hei" on Debian).
QString cjkFamily();

// The brush-written family LiSu/隶书 resolves to ("AR PL UKai CN" from fonts-arphic-ukai), or the
// plain CJK family when no calligraphic one is installed.
QString calligraphicFamily();

// LiSu (隶书) at a given point size, for the games' titles.
QFont liSu(double pointSize, bool bold = false);

// SimSun at a given point size; sizes are turned into pixels at 96 dpi so twip layouts and
// text sizes agree on every platform.
QFont simSun(double pointSize, bool bold = false);

} // namespace ui
