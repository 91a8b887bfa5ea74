// PinyinLookup: one syllable per Chinese character, polyphones read by their word, other
// characters passed through; the same table written three ways (toneless with ü as u, with ü for
// the screens and the character game, with tone marks); the shipped single characters, word
// groups, idioms and poems all read right; the content check and `lumibo-content pinyin` report
// what has no reading and where an idiom's note is not its reading.

#include "services/PinyinLookup.h"
#include "services/ContentCheck.h"
#include "services/ContentFiles.h"
#include "services/ContentSchema.h"
#include "services/PinyinSyllable.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace services;

namespace {

// 兙 (U+5159, "decagram") is a Chinese character that Unihan gives no Mandarin reading.
const QString kNoReading = QStringLiteral("兙");

QString contentFile(const QString &table) {
    return QStringLiteral(LUMIBO_SOURCE_DIR "/content/%1.tsv").arg(table);
}

struct Record {
    int line;
    QStringList fields;
};

// The records of a shipped content table (the header, line 1, left out).
QList<Record> shipped(const QString &table) {
    QFile f(contentFile(table));
    if (!f.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(f.fileName()));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    QList<Record> out;
    for (int i = 1; i < lines.size(); ++i)
        if (!lines[i].isEmpty()) out.append({i + 1, lines[i].split(QLatin1Char('\t'))});
    return out;
}

int chineseCount(const QString &text) {
    int n = 0;
    for (char32_t c : text.toUcs4())
        n += PinyinLookup::isChinese(c) ? 1 : 0;
    return n;
}

const QRegularExpression kSyllable(QStringLiteral("^[a-z]+$"));

// Every piece is one plain syllable and there is one per Chinese character.
QString syllableProblem(const QString &text, const QString &pinyin) {
    const QStringList parts = pinyin.split(QLatin1Char(' '));
    if (parts.size() != chineseCount(text))
        return QStringLiteral("%1 -> \"%2\": %3 syllables for %4 characters")
            .arg(text, pinyin)
            .arg(parts.size())
            .arg(chineseCount(text));
    for (const QString &p : parts)
        if (!kSyllable.match(p).hasMatch())
            return QStringLiteral("%1 -> \"%2\": \"%3\" is not a plain syllable").arg(text, pinyin, p);
    return QString();
}

// The other readings of a generated table, as "code point syllable", in its order.
QStringList otherReadings(const QByteArray &table) {
    const QString text = QString::fromUtf8(table);
    auto block = [&](const QString &start) {
        const qsizetype from = text.indexOf(start);
        return from < 0 ? QString()
                        : text.mid(from + start.size(), text.indexOf(QStringLiteral("};"), from) - from);
    };
    QStringList syllables;
    static const QRegularExpression quoted(QStringLiteral("\"([a-z0-9]*)\""));
    for (const auto &m : quoted.globalMatch(block(QStringLiteral("kSyllables[][kSyllableWidth] = {"))))
        syllables << m.captured(1);
    static const QRegularExpression hex(QStringLiteral("0x([0-9A-F]+)")),
        number(QStringLiteral("\\b(\\d+),"));
    QStringList codePoints, indexes;
    for (const auto &m : hex.globalMatch(block(QStringLiteral("kOtherReadingOf[] = {"))))
        codePoints << m.captured(1);
    for (const auto &m : number.globalMatch(block(QStringLiteral("kOtherReadings[] = {"))))
        indexes << m.captured(1);
    QStringList out;
    for (qsizetype i = 0; i < codePoints.size(); ++i)
        out << codePoints[i] + QLatin1Char(' ') + syllables.value(indexes.value(i).toInt());
    return out;
}

TableData table(const QString &name, const QList<QStringList> &rows) {
    TableData t;
    t.name = name;
    t.origin = name + QStringLiteral(".tsv");
    for (const TableSchema &s : contentTables())
        if (s.name == name) t.header = s.columns;
    for (int i = 0; i < rows.size(); ++i) {
        t.rows.push_back(rows[i]);
        t.lines.push_back(i + 2);
    }
    return t;
}

} // namespace

class PinyinLookupTest : public QObject {
    Q_OBJECT

  private slots:
    void lookup_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("expected");
        const QString blank = QStringLiteral(" ");
        // Single characters: the reading a child meets first.
        QTest::newRow("one") << "一" << blank << "yi";
        QTest::newRow("地 alone is di, not the suffix de") << "地" << blank << "di";
        QTest::newRow("长 alone is chang") << "长" << blank << "chang";
        QTest::newRow("佛 is fo") << "佛" << blank << "fo";
        QTest::newRow("茄 is qie") << "茄" << blank << "qie";
        QTest::newRow("嗲: the standard's dia, not die") << "嗲" << blank << "dia";
        // ü written as u, as the letter buttons of the character game write it.
        QTest::newRow("女") << "女" << blank << "nu";
        QTest::newRow("绿") << "绿" << blank << "lu";
        QTest::newRow("略") << "略" << blank << "lue";
        QTest::newRow("旅") << "旅" << blank << "lu";
        QTest::newRow("女儿") << "女儿" << blank << "nu er";
        QTest::newRow("鱼 月 学 去") << "鱼月学去" << blank << "yu yue xue qu";
        // Polyphonic characters read by the word they stand in.
        QTest::newRow("重阳") << "重阳" << blank << "chong yang";
        QTest::newRow("重阳节") << "重阳节" << blank << "chong yang jie";
        QTest::newRow("长大") << "长大" << blank << "zhang da";
        QTest::newRow("长短") << "长短" << blank << "chang duan";
        QTest::newRow("银行") << "银行" << blank << "yin hang";
        QTest::newRow("自行车") << "自行车" << blank << "zi xing che";
        QTest::newRow("音乐") << "音乐" << blank << "yin yue";
        QTest::newRow("快乐") << "快乐" << blank << "kuai le";
        QTest::newRow("还有") << "还有" << blank << "hai you";
        QTest::newRow("睡觉") << "睡觉" << blank << "shui jiao";
        QTest::newRow("知了") << "知了" << blank << "zhi liao";
        QTest::newRow("着急") << "着急" << blank << "zhao ji";
        QTest::newRow("暖和") << "暖和" << blank << "nuan huo";
        QTest::newRow("萝卜") << "萝卜" << blank << "luo bo";
        QTest::newRow("钥匙") << "钥匙" << blank << "yao shi";
        QTest::newRow("草地") << "草地" << blank << "cao di";
        QTest::newRow("慢慢地") << "慢慢地" << blank << "man man de";
        QTest::newRow("一模一样") << "一模一样" << blank << "yi mu yi yang";
        // The longest phrase wins: 重重 reads chong, 重重地 zhong.
        QTest::newRow("困难重重") << "困难重重" << blank << "kun nan chong chong";
        QTest::newRow("重重地") << "重重地" << blank << "zhong zhong de";
        // Poem lines, in modern school readings.
        QTest::newRow("静夜思") << "疑是地上霜" << blank << "yi shi di shang shuang";
        QTest::newRow("绝句") << "一行白鹭上青天" << blank << "yi hang bai lu shang qing tian";
        QTest::newRow("山行") << "远上寒山石径斜" << blank << "yuan shang han shan shi jing xie";
        QTest::newRow("早发白帝城 1") << "朝辞白帝彩云间" << blank << "zhao ci bai di cai yun jian";
        QTest::newRow("早发白帝城 2") << "千里江陵一日还" << blank << "qian li jiang ling yi ri huan";
        QTest::newRow("早发白帝城 4") << "轻舟已过万重山" << blank << "qing zhou yi guo wan chong shan";
        QTest::newRow("出塞") << "万里长征人未还" << blank << "wan li chang zheng ren wei huan";
        QTest::newRow("送元二使安西") << "渭城朝雨浥轻尘" << blank << "wei cheng zhao yu yi qing chen";
        QTest::newRow("鹿柴") << "鹿柴" << blank << "lu zhai";
        QTest::newRow("返景") << "返景入深林" << blank << "fan ying ru shen lin";
        QTest::newRow("塞下曲") << "单于夜遁逃" << blank << "chan yu ye dun tao";
        QTest::newRow("枫桥夜泊") << "枫桥夜泊" << blank << "feng qiao ye bo";
        QTest::newRow("江畔独步寻花") << "黄四娘家花满蹊" << blank << "huang si niang jia hua man xi";
        QTest::newRow("咏柳") << "二月春风似剪刀" << blank << "er yue chun feng si jian dao";
        QTest::newRow("夜上受降城闻笛") << "受降城外月如霜" << blank << "shou xiang cheng wai yue ru shuang";
        QTest::newRow("刘长卿") << "刘长卿" << blank << "liu chang qing";
        // Other characters pass through unchanged, set apart by the separator.
        QTest::newRow("empty") << "" << blank << "";
        QTest::newRow("Latin only") << "abc" << blank << "abc";
        QTest::newRow("Latin then Chinese") << "A型" << blank << "A xing";
        QTest::newRow("digits inside") << "3个苹果" << blank << "3 ge ping guo";
        QTest::newRow("full-width comma") << "你好，世界" << blank << "ni hao ， shi jie";
        QTest::newRow("blank between words") << "你好 世界" << blank << "ni hao shi jie";
        QTest::newRow("blanks kept as they are") << "  六  " << blank << "  liu  ";
        QTest::newRow("outside the BMP: emoji") << "猫🙂" << blank << "mao 🙂";
        QTest::newRow("outside the BMP: 𠀀") << "𠀀" << blank << "he";
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << blank << QString(QChar(0xD800));
        // A Chinese character without a reading shows the unknown mark, in its place.
        QTest::newRow("no reading") << kNoReading << blank << PinyinLookup::unknownMark();
        QTest::newRow("no reading inside")
            << "一" + kNoReading + "二" << blank << "yi " + PinyinLookup::unknownMark() + " er";
        // Separators.
        QTest::newRow("hyphen") << "重阳"
                                << "-"
                                << "chong-yang";
        QTest::newRow("none") << "重阳"
                              << ""
                              << "chongyang";
        QTest::newRow("several characters") << "小猫A"
                                            << " | "
                                            << "xiao | mao | A";
        QTest::newRow("separator only between pieces") << "猫 狗"
                                                       << "-"
                                                       << "mao gou";
    }
    void lookup() {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(QString, expected);
        const PinyinLookup pinyin;
        QCOMPARE(pinyin.GetPinYin(text, separator), expected);
    }

    // The same lookup written for a child to read: ü as ü, and with tone marks on request.
    // Columns: the text, then its display form and its toned form; the plain form is checked
    // beside them, so each row shows all three.
    void forms_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("toned");
        QTest::newRow("女") << "女"
                            << "nu"
                            << "nü"
                            << "nǚ";
        QTest::newRow("绿") << "绿"
                            << "lu"
                            << "lü"
                            << "lǜ";
        QTest::newRow("略") << "略"
                            << "lue"
                            << "lüe"
                            << "lüè";
        QTest::newRow("虐") << "虐"
                            << "nue"
                            << "nüe"
                            << "nüè";
        QTest::newRow("女儿 绿叶") << "女儿绿叶"
                                   << "nu er lu ye"
                                   << "nü er lü ye"
                                   << "nǚ ér lǜ yè";
        // After j, q, x and y the two dots are not written: 去 qù, 鱼 yú, 学 xué.
        QTest::newRow("鱼 去 学 句") << "鱼去学句"
                                     << "yu qu xue ju"
                                     << "yu qu xue ju"
                                     << "yú qù xué jù";
        QTest::newRow("决 军 需 全 月 云") << "决军需全月云"
                                           << "jue jun xu quan yue yun"
                                           << "jue jun xu quan yue yun"
                                           << "jué jūn xū quán yuè yún";
        QTest::newRow("静夜思") << "床前明月光"
                                << "chuang qian ming yue guang"
                                << "chuang qian ming yue guang"
                                << "chuáng qián míng yuè guāng";
        // The neutral tone carries no mark.
        QTest::newRow("了, neutral") << "我走了"
                                     << "wo zou le"
                                     << "wo zou le"
                                     << "wǒ zǒu le";
        QTest::newRow("的, neutral") << "好的"
                                     << "hao de"
                                     << "hao de"
                                     << "hǎo de";
        QTest::newRow("桌子, neutral ending") << "桌子"
                                              << "zhuo zi"
                                              << "zhuo zi"
                                              << "zhuō zi";
        QTest::newRow("子 alone") << "子"
                                  << "zi"
                                  << "zi"
                                  << "zǐ";
        // Readings a word changes, tones included.
        QTest::newRow("一行白鹭") << "一行白鹭上青天"
                                  << "yi hang bai lu shang qing tian"
                                  << "yi hang bai lu shang qing tian"
                                  << "yì háng bái lù shàng qīng tiān";
        QTest::newRow("重阳") << "重阳"
                              << "chong yang"
                              << "chong yang"
                              << "chóng yáng";
        QTest::newRow("银行") << "银行"
                              << "yin hang"
                              << "yin hang"
                              << "yín háng";
        QTest::newRow("朝辞") << "朝辞白帝彩云间"
                              << "zhao ci bai di cai yun jian"
                              << "zhao ci bai di cai yun jian"
                              << "zhāo cí bái dì cǎi yún jiān";
        QTest::newRow("系船, tying up a boat") << "钓罢归来不系船"
                                               << "diao ba gui lai bu xi chuan"
                                               << "diao ba gui lai bu xi chuan"
                                               << "diào bà guī lái bú xì chuán";
        QTest::newRow("结果, as a plant bears fruit") << "开花结果"
                                                      << "kai hua jie guo"
                                                      << "kai hua jie guo"
                                                      << "kāi huā jiē guǒ";
        QTest::newRow("热热闹闹, each syllable its tone") << "热热闹闹"
                                                          << "re re nao nao"
                                                          << "re re nao nao"
                                                          << "rè rè nào nào";
        QTest::newRow("李峤") << "李峤"
                              << "li qiao"
                              << "li qiao"
                              << "lǐ qiáo";
        QTest::newRow("北场, the threshing floor") << "北场芸藿罢"
                                                   << "bei chang yun huo ba"
                                                   << "bei chang yun huo ba"
                                                   << "běi cháng yún huò bà";
        // 一 and 不 keep their own tones, as the idiom notes write them; the poems read them as
        // school books print them.
        QTest::newRow("一心一意") << "一心一意"
                                  << "yi xin yi yi"
                                  << "yi xin yi yi"
                                  << "yī xīn yī yì";
        QTest::newRow("不应人") << "怕得鱼惊不应人"
                                << "pa de yu jing bu ying ren"
                                << "pa de yu jing bu ying ren"
                                << "pà dé yú jīng bú yìng rén";
        QTest::newRow("孤帆一片") << "孤帆一片日边来"
                                  << "gu fan yi pian ri bian lai"
                                  << "gu fan yi pian ri bian lai"
                                  << "gū fān yí piàn rì biān lái";
        QTest::newRow("好 hǎo, 好奇 hào") << "好奇"
                                          << "hao qi"
                                          << "hao qi"
                                          << "hào qí";
        QTest::newRow("尽 alone") << "白日依山尽"
                                  << "bai ri yi shan jin"
                                  << "bai ri yi shan jin"
                                  << "bái rì yī shān jìn";
        // The 2013 standard's tone where the customary reading has another: 迹 jì, not jī.
        QTest::newRow("迹") << "迹"
                            << "ji"
                            << "ji"
                            << "jì";
        // A character without a reading, and other characters, are the same in every form.
        QTest::newRow("no reading") << "女" + kNoReading << "nu " + PinyinLookup::unknownMark()
                                    << "nü " + PinyinLookup::unknownMark()
                                    << "nǚ " + PinyinLookup::unknownMark();
        QTest::newRow("Latin and a blank") << "A型 绿"
                                           << "A xing lu"
                                           << "A xing lü"
                                           << "A xíng lǜ";
        QTest::newRow("empty") << ""
                               << ""
                               << ""
                               << "";
    }
    void forms() {
        QFETCH(QString, text);
        QFETCH(QString, plain);
        QFETCH(QString, display);
        QFETCH(QString, toned);
        const PinyinLookup pinyin;
        QCOMPARE(pinyin.GetPinYin(text), plain);
        QCOMPARE(pinyin.GetPinYin(text, PinyinLookup::Form::Plain), plain);
        QCOMPARE(pinyin.GetPinYin(text, PinyinLookup::Form::Display), display);
        QCOMPARE(pinyin.GetPinYin(text, PinyinLookup::Form::Toned), toned);
        // Tone marks are precomposed letters where Unicode has them, as the idiom notes are typed.
        QCOMPARE(toned.normalized(QString::NormalizationForm_C), toned);
    }

    // One syllable as the table keeps it and the three ways it is written: where the tone mark
    // goes (a and e first, the o of ou, else the last vowel; m or n when there is no vowel).
    void syllableForms_data() {
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("toned");
        QTest::newRow("hao3") << "hao3"
                              << "hao"
                              << "hao"
                              << "hǎo";
        QTest::newRow("zhuang1") << "zhuang1"
                                 << "zhuang"
                                 << "zhuang"
                                 << "zhuāng";
        QTest::newRow("yue4") << "yue4"
                              << "yue"
                              << "yue"
                              << "yuè";
        QTest::newRow("er2") << "er2"
                             << "er"
                             << "er"
                             << "ér";
        QTest::newRow("ou1") << "ou1"
                             << "ou"
                             << "ou"
                             << "ōu";
        QTest::newRow("liu2: iu on u") << "liu2"
                                       << "liu"
                                       << "liu"
                                       << "liú";
        QTest::newRow("gui4: ui on i") << "gui4"
                                       << "gui"
                                       << "gui"
                                       << "guì";
        QTest::newRow("zhuo2") << "zhuo2"
                               << "zhuo"
                               << "zhuo"
                               << "zhuó";
        QTest::newRow("xiong2") << "xiong2"
                                << "xiong"
                                << "xiong"
                                << "xióng";
        QTest::newRow("nv3") << "nv3"
                             << "nu"
                             << "nü"
                             << "nǚ";
        QTest::newRow("lv2") << "lv2"
                             << "lu"
                             << "lü"
                             << "lǘ";
        QTest::newRow("lve4") << "lve4"
                              << "lue"
                              << "lüe"
                              << "lüè";
        QTest::newRow("m2, no vowel") << "m2"
                                      << "m"
                                      << "m"
                                      << "ḿ";
        QTest::newRow("ng4, no vowel") << "ng4"
                                       << "ng"
                                       << "ng"
                                       << "ǹg";
        QTest::newRow("de5, neutral") << "de5"
                                      << "de"
                                      << "de"
                                      << "de";
        QTest::newRow("nv5, neutral ü") << "nv5"
                                        << "nu"
                                        << "nü"
                                        << "nü";
    }
    void syllableForms() {
        QFETCH(QString, kept);
        QFETCH(QString, plain);
        QFETCH(QString, display);
        QFETCH(QString, toned);
        QCOMPARE(syllable::plain(kept), plain);
        QCOMPARE(syllable::display(kept), display);
        QCOMPARE(syllable::toned(kept), toned);
        // Read back from its tone marks, it is the same syllable.
        QCOMPARE(syllable::fromPinyin(toned), kept);
    }

    // What the data files and Unihan write, to the kept form; anything else is refused (empty).
    void syllableFromPinyin_data() {
        QTest::addColumn<QString>("pinyin");
        QTest::addColumn<QString>("kept");
        QTest::newRow("dì") << "dì"
                            << "di4";
        QTest::newRow("capital") << "Dì"
                                 << "di4";
        QTest::newRow("lǜ") << "lǜ"
                            << "lv4";
        QTest::newRow("nü, neutral") << "nü"
                                     << "nv5";
        QTest::newRow("lüè, decomposed marks") << QString("lu\u0308e\u0300") << "lve4";
        QTest::newRow("de, neutral") << "de"
                                     << "de5";
        QTest::newRow("ḿ") << "ḿ"
                           << "m2";
        QTest::newRow("ê̄ read as e") << "ê̄"
                                     << "e1";
        QTest::newRow("tone digit") << "di4"
                                    << "";
        QTest::newRow("two syllables") << "dì dì"
                                       << "";
        QTest::newRow("dots not on u") << "ä"
                                       << "";
        QTest::newRow("too long") << "zhuangg"
                                  << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void syllableFromPinyin() {
        QFETCH(QString, pinyin);
        QFETCH(QString, kept);
        QCOMPARE(syllable::fromPinyin(pinyin), kept);
    }

    void defaultSeparatorIsOneBlank() {
        QCOMPARE(PinyinLookup().GetPinYin(QStringLiteral("白日依山尽")),
                 QStringLiteral("bai ri yi shan jin"));
    }

    void reading_data() {
        QTest::addColumn<uint>("character");
        QTest::addColumn<QString>("expected");
        QTest::newRow("地") << uint(U'地') << "di";
        QTest::newRow("女") << uint(U'女') << "nu";
        QTest::newRow("略") << uint(U'略') << "lue";
        QTest::newRow("行") << uint(U'行') << "xing";
        QTest::newRow("𠀀 outside the BMP") << uint(0x20000) << "he";
        QTest::newRow("长") << uint(U'长') << "chang";
        QTest::newRow("no reading") << uint(0x5159) << "";
        QTest::newRow("Latin letter") << uint('A') << "";
        QTest::newRow("beyond the table") << uint(0x10FFFF) << "";
    }
    void reading() {
        QFETCH(uint, character);
        QFETCH(QString, expected);
        QCOMPARE(PinyinLookup().reading(char32_t(character)), expected);
    }

    void readingInEachForm() {
        const PinyinLookup pinyin;
        QCOMPARE(pinyin.reading(U'女', PinyinLookup::Form::Plain), QStringLiteral("nu"));
        QCOMPARE(pinyin.reading(U'女', PinyinLookup::Form::Display), QStringLiteral("nü"));
        QCOMPARE(pinyin.reading(U'女', PinyinLookup::Form::Toned), QStringLiteral("nǚ"));
        QCOMPARE(pinyin.reading(U'长', PinyinLookup::Form::Toned), QStringLiteral("cháng"));
        QCOMPARE(pinyin.reading(0x5159, PinyinLookup::Form::Toned), QString());
    }

    // Every reading of a character, the default first; alike ones once in the toneless forms.
    void readings_data() {
        QTest::addColumn<uint>("character");
        QTest::addColumn<int>("form");
        QTest::addColumn<QStringList>("expected");
        const int toned = int(PinyinLookup::Form::Toned), plain = int(PinyinLookup::Form::Plain);
        QTest::newRow("只 toned") << uint(U'只') << toned << QStringList{"zhǐ", "zhī"};
        QTest::newRow("只 plain") << uint(U'只') << plain << QStringList{"zhi"};
        QTest::newRow("曲 toned") << uint(U'曲') << toned << QStringList{"qū", "qǔ"};
        QTest::newRow("山: one reading") << uint(U'山') << toned << QStringList{"shān"};
        QTest::newRow("长: corrected default first") << uint(U'长') << toned << QStringList{"cháng", "zhǎng"};
        QTest::newRow("no reading") << uint(0x5159) << toned << QStringList{};
        QTest::newRow("Latin letter") << uint('A') << toned << QStringList{};
    }
    void readings() {
        QFETCH(uint, character);
        QFETCH(int, form);
        QFETCH(QStringList, expected);
        QCOMPARE(PinyinLookup().readings(char32_t(character), PinyinLookup::Form(form)), expected);
    }

    // A record's own reading: toned pinyin as the toned form writes it, one syllable a character,
    // each one of its character's readings; what is wrong is said.
    void readingProblem_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reading");
        QTest::addColumn<QString>("problem"); // empty: the reading is sound
        QTest::newRow("只 zhī") << "只"
                                << "zhī"
                                << "";
        QTest::newRow("只 zhǐ, its default") << "只"
                                             << "zhǐ"
                                             << "";
        QTest::newRow("发 fà") << "发"
                               << "fà"
                               << "";
        QTest::newRow("女 nǚ") << "女"
                               << "nǚ"
                               << "";
        QTest::newRow("女 nǚ decomposed") << "女" << QStringLiteral("nǚ") << "";
        QTest::newRow("结果 jiē guǒ") << "结果"
                                      << "jiē guǒ"
                                      << "";
        QTest::newRow("not a reading of 只") << "只"
                                             << "zī"
                                             << "\"zī\" is not a reading of 只 (its readings: zhǐ zhī)";
        QTest::newRow("tone digit") << "只"
                                    << "zhi1"
                                    << "\"zhi1\" is not pinyin with tone marks";
        QTest::newRow("capital") << "只"
                                 << "Zhī"
                                 << "\"Zhī\" is not pinyin with tone marks; write it \"zhī\"";
        QTest::newRow("v for ü") << "女"
                                 << "nv3"
                                 << "\"nv3\" is not pinyin with tone marks";
        QTest::newRow("without its tone") << "只"
                                          << "zhi"
                                          << "\"zhi\" is not a reading of 只 (its readings: zhǐ zhī)";
        QTest::newRow("two syllables for one character")
            << "只"
            << "zhī zhǐ"
            << "\"zhī zhǐ\" has 2 syllables for the 1 characters of 只";
        QTest::newRow("two blanks") << "结果"
                                    << "jiē  guǒ"
                                    << "\"jiē  guǒ\" has 3 syllables for the 2 characters of 结果";
        QTest::newRow("a character without a reading")
            << kNoReading << "yī" << kNoReading + " has no reading";
    }
    void readingProblem() {
        QFETCH(QString, text);
        QFETCH(QString, reading);
        QFETCH(QString, problem);
        QCOMPARE(PinyinLookup().readingProblem(text, reading), problem);
    }

    // The pinyin a record shows: its own reading in the form asked for, else the lookup's.
    void recordPinYin_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("own");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("toned");
        QTest::newRow("只 zhī") << "只"
                                << "zhī"
                                << "zhi"
                                << "zhi"
                                << "zhī";
        QTest::newRow("长 zhǎng") << "长"
                                  << "zhǎng"
                                  << "zhang"
                                  << "zhang"
                                  << "zhǎng";
        QTest::newRow("女 nǚ") << "女"
                               << "nǚ"
                               << "nu"
                               << "nü"
                               << "nǚ";
        QTest::newRow("blanks round it") << "长"
                                         << " zhǎng "
                                         << "zhang"
                                         << "zhang"
                                         << "zhǎng";
        QTest::newRow("none: the lookup's") << "长"
                                            << ""
                                            << "chang"
                                            << "chang"
                                            << "cháng";
        QTest::newRow("not 长's: the lookup's") << "长"
                                                << "zhāng"
                                                << "chang"
                                                << "chang"
                                                << "cháng";
        QTest::newRow("tone digit: the lookup's") << "长"
                                                  << "zhang3"
                                                  << "chang"
                                                  << "chang"
                                                  << "cháng";
        QTest::newRow("two characters") << "银行"
                                        << "yín xíng"
                                        << "yin xing"
                                        << "yin xing"
                                        << "yín xíng";
    }
    void recordPinYin() {
        QFETCH(QString, text);
        QFETCH(QString, own);
        QFETCH(QString, plain);
        QFETCH(QString, display);
        QFETCH(QString, toned);
        const PinyinLookup pinyin;
        QCOMPARE(pinyin.recordPinYin(text, own), plain);
        QCOMPARE(pinyin.recordPinYin(text, own, PinyinLookup::Form::Display), display);
        QCOMPARE(pinyin.recordPinYin(text, own, PinyinLookup::Form::Toned), toned);
    }

    // A result depends on its input only: no leftovers of an earlier call.
    void equalInputGivesEqualOutput() {
        const PinyinLookup pinyin;
        const QString first = pinyin.GetPinYin(QStringLiteral("床前明月光"));
        QCOMPARE(pinyin.GetPinYin(kNoReading), PinyinLookup::unknownMark());
        QCOMPARE(pinyin.GetPinYin(QString()), QString());
        QCOMPARE(PinyinLookup().GetPinYin(QStringLiteral("床前明月光")), first);
        QCOMPARE(pinyin.GetPinYin(QStringLiteral("床前明月光")), first);
    }

    void unreadable() {
        const PinyinLookup pinyin;
        QCOMPARE(pinyin.unreadable(QStringLiteral("小猫A?")), QList<char32_t>());
        QCOMPARE(pinyin.unreadable("一" + kNoReading + "二" + kNoReading), QList<char32_t>({0x5159, 0x5159}));
    }

    // Every shipped single character reads as one plain syllable, its default reading.
    void shippedSingleCharacters() {
        const PinyinLookup pinyin;
        const QList<Record> records = shipped(QStringLiteral("单字"));
        QVERIFY(records.size() >= 1800);
        QStringList problems;
        for (const Record &r : records) {
            const QString c = r.fields.value(0);
            const QString p = pinyin.GetPinYin(c);
            if (!kSyllable.match(p).hasMatch() || p != pinyin.reading(c.toUcs4().value(0)))
                problems << QStringLiteral("line %1: %2 -> \"%3\"").arg(r.line).arg(c, p);
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // Word groups and every record of the poems (titles, poets, lines): one syllable per
    // character, none unknown, and a poem line fits the 200-byte result of the callers.
    void shippedWordsAndPoems_data() {
        QTest::addColumn<QString>("table");
        QTest::newRow("词组") << QStringLiteral("词组");
        QTest::newRow("唐诗") << QStringLiteral("唐诗");
    }
    void shippedWordsAndPoems() {
        QFETCH(QString, table);
        const PinyinLookup pinyin;
        const QList<Record> records = shipped(table);
        QVERIFY(!records.isEmpty());
        QStringList problems;
        for (const Record &r : records) {
            const QString text = r.fields.value(0);
            const QString p = pinyin.GetPinYin(text);
            if (const QString problem = syllableProblem(text, p); !problem.isEmpty())
                problems << QStringLiteral("line %1: %2").arg(r.line).arg(problem);
            if (p.toUtf8().size() >= 200)
                problems << QStringLiteral("line %1: \"%2\" is 200 bytes or more").arg(r.line).arg(p);
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // Each idiom's note is its reading with tone marks, exactly as the lookup gives it.
    void shippedIdiomsMatchTheirNotes() {
        const PinyinLookup pinyin;
        const QList<Record> records = shipped(QStringLiteral("成语"));
        QVERIFY(!records.isEmpty());
        QStringList problems;
        for (const Record &r : records) {
            const QString idiom = r.fields.value(0), note = r.fields.value(2);
            const QString p = pinyin.GetPinYin(idiom, PinyinLookup::Form::Toned);
            if (p != note)
                problems << QStringLiteral("line %1: %2 -> \"%3\", its note \"%4\"")
                                .arg(r.line)
                                .arg(idiom, p, note);
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // The content check names each character without a reading, where it stands.
    void contentCheckReportsCharactersWithoutReading() {
        const QString x = kNoReading;
        std::vector<TableData> tables = {
            table(QStringLiteral("单字"), {{"山"}, {x}}),
            table(QStringLiteral("词组"), {{"朋友"}, {"小" + x}}),
            table(QStringLiteral("成语"),
                  {{"一心一意", "做事很专心。", "yī xīn yī yì"}, {x + "心", "说明。", "x xīn"}}),
            table(QStringLiteral("唐诗"),
                  {{"春晓"}, {"孟浩然"}, {"春眠不觉晓"}, {"处处闻啼" + x}, {"夜来风雨声"}, {"花落知多少"}}),
            // The synonyms are not spelt out in pinyin anywhere: not checked.
            table(QStringLiteral("同义词"), {{x, "大"}}),
        };
        Problems problems;
        checkContent(tables, problems);
        const QString has = QStringLiteral(": \"%1\" has no pinyin reading").arg(x);
        QCOMPARE(
            problems.filter(QStringLiteral("pinyin")),
            QStringList({"单字.tsv:3" + has, "词组.tsv:3" + has, "成语.tsv:3" + has, "唐诗.tsv:5" + has}));
    }

    // `lumibo-content pinyin [--display|--tones] TEXT...` prints one result a line in the form
    // asked for and fails on a missing reading.
    void contentToolPrintsThePinyin_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("out");
        QTest::newRow("plain") << QStringList() << "chong yang\nyi hang bai lu shang qing tian\nnu lu\n";
        QTest::newRow("--display") << QStringList{"--display"}
                                   << "chong yang\nyi hang bai lu shang qing tian\nnü lü\n";
        QTest::newRow("--tones") << QStringList{"--tones"}
                                 << "chóng yáng\nyì háng bái lù shàng qīng tiān\nnǚ lǜ\n";
    }
    void contentToolPrintsThePinyin() {
        QFETCH(QStringList, options);
        QFETCH(QString, out);
        QProcess tool;
        tool.start(QStringLiteral(LUMIBO_BUILD_DIR "/lumibo-content"),
                   QStringList{QStringLiteral("pinyin")} + options +
                       QStringList{QStringLiteral("重阳"), QStringLiteral("一行白鹭上青天"),
                                   QStringLiteral("女绿")});
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(tool.readAllStandardOutput()), out);

        tool.start(QStringLiteral(LUMIBO_BUILD_DIR "/lumibo-content"),
                   {QStringLiteral("pinyin"), "小" + kNoReading});
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 1);
        QCOMPARE(QString::fromUtf8(tool.readAllStandardOutput()),
                 "xiao " + PinyinLookup::unknownMark() + "\n");
        QVERIFY(QString::fromUtf8(tool.readAllStandardError())
                    .contains("\"" + kNoReading + "\" has no pinyin reading"));

        // An option without a text is a usage error.
        tool.start(QStringLiteral(LUMIBO_BUILD_DIR "/lumibo-content"),
                   {QStringLiteral("pinyin"), QStringLiteral("--tones")});
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 2);
        QCOMPARE(tool.readAllStandardOutput(), QByteArray());
    }

    // A 单字 record's own reading must be one of its character's, written with tone marks; an
    // empty one is the default; the other tables have no reading column.
    void contentCheckComparesOwnReadings() {
        std::vector<TableData> tables = {
            table(QStringLiteral("单字"),
                  {{"只", "zhī"}, {"个", ""}, {"发", "fá"}, {"曲", "qu3"}, {"山"}, {"划", "huá "}}),
        };
        Problems problems;
        checkContent(tables, problems);
        QCOMPARE(problems,
                 QStringList({"单字.tsv:7: reading has blanks at its start or end",
                              "单字.tsv:4: reading \"fá\" is not a reading of 发 (its readings: fā fà fa)",
                              "单字.tsv:5: reading \"qu3\" is not pinyin with tone marks"}));
    }

    // The content check compares each idiom's note with the lookup's toned reading and says which
    // character differs; a right note and the other tables say nothing.
    void contentCheckComparesIdiomNotes() {
        std::vector<TableData> tables = {
            table(QStringLiteral("成语"), {{"一心一意", "做事很专心。", "yī xīn yī yì"},
                                           {"小心翼翼", "非常小心。", "xiǎo xīn yí yì"},
                                           {"拔苗助长", "太着急。", "bá miáo zhù zhǎng"},
                                           {"叶公好龙", "不是真的喜欢。", "ye gong hao long"}}),
        };
        Problems problems;
        checkContent(tables, problems);
        QCOMPARE(problems,
                 QStringList({"成语.tsv:3: note \"xiǎo xīn yí yì\" is not the reading \"xiǎo xīn yì yì\" "
                              "(翼 yí, reading yì); correct the note, or give the idiom its reading in the "
                              "phrase table",
                              "成语.tsv:5: note \"ye gong hao long\" is not the reading \"yè gōng hào lóng\" "
                              "(叶 ye, reading yè; 公 gong, reading gōng; 好 hao, reading hào; 龙 long, "
                              "reading lóng); correct the note, or give the idiom its reading in the phrase "
                              "table"}));
    }

    // The table generator takes our data files only when every reading is one Unihan knows for
    // its character, and says where a line is wrong. The Unihan file here is a small plain one.
    void generatorChecksTheDataFiles_data() {
        QTest::addColumn<QByteArray>("readings");
        QTest::addColumn<QByteArray>("phrases");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("errors"); // stderr; stdout says what was made when it succeeds

        const QByteArray goodPhrases = "# words\n草地\tcǎo dì\n";
        QTest::newRow("good") << QByteArray("地\tdì\n") << goodPhrases << 0 << "";
        QTest::newRow("good: a neutral tone in a word")
            << QByteArray("地\tdì\n") << QByteArray("草地\tcǎo di\n") << 0 << "";
        QTest::newRow("a correction that changes nothing")
            << QByteArray("一\tyī\n") << goodPhrases << 0
            << "readings.tsv:1: warning: 一 reads \"yī\" without this line\n";
        QTest::newRow("reading Unihan does not give")
            << QByteArray("# note\n地\txià\n") << goodPhrases << 1
            << "readings.tsv:2: Unihan gives 地 no reading \"xià\" (it gives: de dì)\n";
        QTest::newRow("a tone Unihan does not give")
            << QByteArray("地\tdí\n") << goodPhrases << 1
            << "readings.tsv:1: Unihan gives 地 no reading \"dí\" (it "
               "gives: de dì)\n";
        QTest::newRow("without its tone mark, alone")
            << QByteArray("地\tdi\n") << goodPhrases << 1
            << "readings.tsv:1: Unihan gives 地 no reading \"di\" (it gives: de dì)\n";
        QTest::newRow("tone digit") << QByteArray("地\tdi4\n") << goodPhrases << 1
                                    << "readings.tsv:1: reading \"di4\" is not one pinyin syllable with its "
                                       "tone mark\n";
        QTest::newRow("two characters") << QByteArray("地上\tdì\n") << goodPhrases << 1
                                        << "readings.tsv:1: expected: one character, a tab, its reading\n";
        QTest::newRow("corrected twice") << QByteArray("地\tdì\n地\tde\n") << goodPhrases << 1
                                         << "readings.tsv:2: 地 is corrected twice\n";
        QTest::newRow("phrase: too few syllables") << QByteArray() << QByteArray("草地\tcǎo\n") << 1
                                                   << "phrases.tsv:1: 2 characters but 1 syllables\n";
        QTest::newRow("phrase: unknown syllable")
            << QByteArray() << QByteArray("草地\tcǎo dèi\n") << 1
            << "phrases.tsv:1: Unihan gives 地 no reading \"dèi\" (it gives: de dì)\n";
        QTest::newRow("phrase: unknown tone")
            << QByteArray() << QByteArray("草地\tcǎo dí\n") << 1
            << "phrases.tsv:1: Unihan gives 地 no reading \"dí\" (it gives: de dì)\n";
        QTest::newRow("phrase: tone digits")
            << QByteArray() << QByteArray("草地\tcao3 di4\n") << 1
            << "phrases.tsv:1: \"cao3\" is not one pinyin syllable with its tone mark\n";
        QTest::newRow("phrase: no tone marks at all")
            << QByteArray() << QByteArray("草地\tcao di\n") << 1
            << "phrases.tsv:1: no tone marks: write each syllable with its tone mark (the neutral tone "
               "without one)\n";
        QTest::newRow("phrase: one character")
            << QByteArray() << QByteArray("地\tdì\n") << 1
            << "phrases.tsv:1: expected: a phrase of 2 to 16 characters, a tab, "
               "its syllables\n";
        QTest::newRow("phrase twice") << QByteArray() << QByteArray("草地\tcǎo dì\n\n草地\tcǎo de\n") << 1
                                      << "phrases.tsv:3: the phrase is listed twice\n";
    }
    void generatorChecksTheDataFiles() {
        QFETCH(QByteArray, readings);
        QFETCH(QByteArray, phrases);
        QFETCH(int, exitCode);
        QFETCH(QString, errors);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        auto write = [&](const QString &name, const QByteArray &bytes) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        };
        // Six characters; --minimum lowers the count below which the generator takes the file
        // for something other than Unihan's readings.
        QByteArray unihan = "# Unihan_Readings.txt, a few lines\n"
                            "U+4E00\tkMandarin\tyī\n"
                            "U+5730\tkMandarin\tde dì\n"
                            "U+5730\tkTGHZ2013\t069.070:de 072.060:dì\n"
                            "U+8349\tkMandarin\tcǎo\n"
                            "U+5973\tkMandarin\tnǚ\n"
                            "U+5973\tkDefinition\twoman\n"
                            "U+55F2\tkMandarin\tdiē\n"
                            "U+55F2\tkTGHZ2013\t068.010:diǎ\n"
                            "U+8FF9\tkMandarin\tjī\n"
                            "U+8FF9\tkTGHZ2013\t158.100:jì\n"
                            "U+8FF9\tkXHC1983\t0518.030:jī\n";
        write(QStringLiteral("Unihan_Readings.txt"), unihan);
        write(QStringLiteral("readings.tsv"), readings);
        write(QStringLiteral("phrases.tsv"), phrases);
        QProcess tool;
        tool.setWorkingDirectory(dir.path());
        tool.start(QStringLiteral(LUMIBO_BUILD_DIR "/lumibo-pinyin-table"),
                   {QStringLiteral("--minimum"), QStringLiteral("1"), QStringLiteral("Unihan_Readings.txt"),
                    QStringLiteral("readings.tsv"), QStringLiteral("phrases.tsv"),
                    QStringLiteral("out/Table.cpp")});
        QVERIFY(tool.waitForFinished(30000));
        const QString out = QString::fromUtf8(tool.readAllStandardOutput());
        const QString err = QString::fromUtf8(tool.readAllStandardError());
        QCOMPARE(tool.exitCode(), exitCode);
        QCOMPARE(err, errors);
        QCOMPARE(out, exitCode
                          ? QString()
                          : QStringLiteral(
                                "pinyin table: 6 characters (1 corrected), 3 other readings, 1 phrases\n"));
        QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("out/Table.cpp"))), exitCode == 0);
        if (exitCode == 0) {
            QFile f(dir.filePath(QStringLiteral("out/Table.cpp")));
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray table = f.readAll();
            // Syllables with their tone digit, ü as v.
            for (const char *s : {"\"cao3\"", "\"di4\"", "\"nv3\"", "\"yi1\"", "\"dia3\"", "\"ji4\""})
                QVERIFY2(table.contains(s), s);
            // The other readings are those besides the default: 嗲 takes the standard's "diǎ" over
            // kMandarin's "diē", 迹 the standard's tone "jì" over kMandarin's and the 1983
            // dictionary's "jī", and 地 reads "de" unless corrected to "dì".
            const QString corrected = readings.startsWith("地") ? "5730 de5" : "5730 di4";
            QCOMPARE(otherReadings(table), QStringList({"55F2 die1", corrected, "8FF9 ji1"}));
        }
    }
};

QTEST_GUILESS_MAIN(PinyinLookupTest)
#include "PinyinLookupTest.moc"
