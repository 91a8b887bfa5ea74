#include "services/PinyinSyllable.h"

namespace services::syllable {

namespace {

constexpr int kLongest = 7; // "zhuang1": the table keeps a syllable and its NUL in 8 bytes

// The combining mark of each tone, 1 to 4.
constexpr char16_t kToneMarks[] = {0x0304, 0x0301, 0x030C, 0x0300};

bool isKept(QStringView s) {
    if (s.size() < 2 || s.size() > kLongest) return false;
    const QChar tone = s.back();
    if (tone < QLatin1Char('1') || tone > QLatin1Char('5')) return false;
    for (QChar c : s.chopped(1))
        if (c < QLatin1Char('a') || c > QLatin1Char('z')) return false;
    return true;
}

// Where the tone mark goes: on a or e; on the o of ou; otherwise on the last vowel (so iu -> u,
// ui -> i); a syllable without a vowel (m, n, ng, hm, hng) carries it on its m or n.
qsizetype markPlace(QStringView letters) {
    if (qsizetype a = letters.indexOf(QLatin1Char('a')); a >= 0) return a;
    if (qsizetype e = letters.indexOf(QLatin1Char('e')); e >= 0) return e;
    if (qsizetype ou = letters.indexOf(QLatin1String("ou")); ou >= 0) return ou;
    for (qsizetype i = letters.size() - 1; i >= 0; --i)
        if (QStringView(u"iouv").contains(letters[i])) return i;
    for (qsizetype i = 0; i < letters.size(); ++i)
        if (letters[i] == QLatin1Char('m') || letters[i] == QLatin1Char('n')) return i;
    return 0;
}

QString withUmlaut(QStringView letters) {
    QString out = letters.toString();
    out.replace(QLatin1Char('v'), QChar(0x00FC));
    return out;
}

} // namespace

QString fromPinyin(const QString &pinyin) {
    QString letters;
    int tone = 5;
    for (QChar c : pinyin.normalized(QString::NormalizationForm_D)) {
        switch (c.unicode()) {
        case 0x0304:
            tone = 1;
            continue;
        case 0x0301:
            tone = 2;
            continue;
        case 0x030C:
            tone = 3;
            continue;
        case 0x0300:
            tone = 4;
            continue;
        case 0x0308: // the two dots of ü
            if (!letters.endsWith(QLatin1Char('u'))) return QString();
            letters.back() = QLatin1Char('v');
            continue;
        case 0x0302:
            continue; // ê is read as e
        default:
            break;
        }
        const QChar l = c.toLower();
        if (l < QLatin1Char('a') || l > QLatin1Char('z')) return QString();
        letters += l;
    }
    const QString kept = letters + QChar(u'0' + tone);
    return isKept(kept) ? kept : QString();
}

QString plain(QStringView kept) {
    if (kept.isEmpty()) return QString();
    QString out = kept.chopped(1).toString();
    out.replace(QLatin1Char('v'), QLatin1Char('u'));
    return out;
}

QString display(QStringView kept) {
    if (kept.isEmpty()) return QString();
    return withUmlaut(kept.chopped(1));
}

QString toned(QStringView kept) {
    if (kept.isEmpty()) return QString();
    const QStringView letters = kept.chopped(1);
    const int tone = kept.back().unicode() - u'0';
    QString out = withUmlaut(letters);
    if (tone < 1 || tone > 4) return out;
    out.insert(markPlace(letters) + 1, QChar(kToneMarks[tone - 1]));
    return out.normalized(QString::NormalizationForm_C);
}

} // namespace services::syllable
