#include "services/PinyinLookup.h"

namespace services {

PinyinLookup::PinyinLookup() = default;

QString PinyinLookup::reading(char32_t) const { return QString(); }

QString PinyinLookup::GetPinYin(const QString &text, const QString &) const { return text; }

} // namespace services
