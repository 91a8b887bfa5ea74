#pragma once

#include <QFont>
#include <QString>

namespace ui {

// Maps SimSun/宋体 and LiSu/隶书 to the installed CJK font, once per process. Without it Qt
// resolves SimSun to a Latin font and Chinese text falls back glyph by glyph.
void installFontSubstitutions();

// The family the substitutions resolve to ("WenQuanYi Zen Hei" on Debian).
QString cjkFamily();

// SimSun at a given point size; sizes are turned into pixels at 96 dpi so twip layouts and
// text sizes agree on every platform.
QFont simSun(double pointSize, bool bold = false);

} // namespace ui
