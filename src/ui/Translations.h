#pragma once

class QCoreApplication;

namespace ui {

// Qt's own texts in Simplified Chinese, as the rest of the program: the standard dialog buttons
// read 确定, 取消, 是, 否. They come from Debian's qt6-translations-l10n (qtbase_zh_CN.qm in Qt's
// translations folder); without it they stay in English and one line on stderr says why.
// Calling it again changes nothing. Returns whether the translation is in place.
bool installQtTranslations(QCoreApplication &app);

} // namespace ui
