// PinyinLookup: one toneless syllable per Chinese character, ü as u, polyphones read by their
// word, other characters passed through; the shipped single characters, word groups, idioms and
// poems all read right; the content check and `lumibo-content pinyin` report what has no reading.

#include "services/PinyinLookup.h"
#include "services/ContentFiles.h"
#include "services/ContentSchema.h"

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

// "yī mù liǎo rán" -> "yi mu liao ran"; "lǜ" -> "lu".
QString toneless(const QString &pinyin) {
    QString out;
    for (QChar c : pinyin.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing) out += c.toLower();
    return out.simplified();
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
        QTest::newRow("no reading") << uint(0x5159) << "";
        QTest::newRow("Latin letter") << uint('A') << "";
        QTest::newRow("beyond the table") << uint(0x10FFFF) << "";
    }
    void reading() {
        QFETCH(uint, character);
        QFETCH(QString, expected);
        QCOMPARE(PinyinLookup().reading(char32_t(character)), expected);
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

    // Each idiom's note holds its pinyin with tone marks; without them it is the lookup.
    void shippedIdiomsMatchTheirNotes() {
        const PinyinLookup pinyin;
        const QList<Record> records = shipped(QStringLiteral("成语"));
        QVERIFY(!records.isEmpty());
        QStringList problems;
        for (const Record &r : records) {
            const QString idiom = r.fields.value(0), note = r.fields.value(2);
            const QString p = pinyin.GetPinYin(idiom);
            if (p != toneless(note))
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

    // `lumibo-content pinyin TEXT...` prints one result a line and fails on a missing reading.
    void contentToolPrintsThePinyin() {
        QProcess tool;
        tool.start(QStringLiteral(LUMIBO_BUILD_DIR "/lumibo-content"),
                   {QStringLiteral("pinyin"), QStringLiteral("重阳"), QStringLiteral("一行白鹭上青天")});
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(tool.readAllStandardOutput()),
                 QStringLiteral("chong yang\nyi hang bai lu shang qing tian\n"));

        tool.start(QStringLiteral(LUMIBO_BUILD_DIR "/lumibo-content"),
                   {QStringLiteral("pinyin"), "小" + kNoReading});
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 1);
        QCOMPARE(QString::fromUtf8(tool.readAllStandardOutput()),
                 "xiao " + PinyinLookup::unknownMark() + "\n");
        QVERIFY(QString::fromUtf8(tool.readAllStandardError())
                    .contains("\"" + kNoReading + "\" has no pinyin reading"));
    }

    // The table generator takes our data files only when every reading is one Unihan knows for
    // its character, and says where a line is wrong. The Unihan file here is a small plain one.
    void generatorChecksTheDataFiles_data() {
        QTest::addColumn<QByteArray>("readings");
        QTest::addColumn<QByteArray>("phrases");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("errors"); // stderr; stdout says what was made when it succeeds

        const QByteArray goodPhrases = "# words\n草地\tcao di\n";
        QTest::newRow("good") << QByteArray("地\tdi\n") << goodPhrases << 0 << "";
        QTest::newRow("a correction that changes nothing")
            << QByteArray("一\tyi\n") << goodPhrases << 0
            << "readings.tsv:1: warning: 一 reads \"yi\" without this line\n";
        QTest::newRow("reading Unihan does not give")
            << QByteArray("# note\n地\txia\n") << goodPhrases << 1
            << "readings.tsv:2: Unihan gives 地 no reading \"xia\" (it gives: de di)\n";
        QTest::newRow("tone marks") << QByteArray("地\tdì\n") << goodPhrases << 1
                                    << "readings.tsv:1: reading \"dì\" is not lower-case Latin letters\n";
        QTest::newRow("two characters") << QByteArray("地上\tdi\n") << goodPhrases << 1
                                        << "readings.tsv:1: expected: one character, a tab, its reading\n";
        QTest::newRow("corrected twice") << QByteArray("地\tdi\n地\tde\n") << goodPhrases << 1
                                         << "readings.tsv:2: 地 is corrected twice\n";
        QTest::newRow("phrase: too few syllables") << QByteArray() << QByteArray("草地\tcao\n") << 1
                                                   << "phrases.tsv:1: 2 characters but 1 syllables\n";
        QTest::newRow("phrase: unknown syllable")
            << QByteArray() << QByteArray("草地\tcao dei\n") << 1
            << "phrases.tsv:1: Unihan gives 地 no reading \"dei\" (it gives: de di)\n";
        QTest::newRow("phrase: one character")
            << QByteArray() << QByteArray("地\tdi\n") << 1
            << "phrases.tsv:1: expected: a phrase of 2 to 16 characters, a tab, "
               "its syllables\n";
        QTest::newRow("phrase twice") << QByteArray() << QByteArray("草地\tcao di\n\n草地\tcao de\n") << 1
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
        // Five characters; --minimum lowers the count below which the generator takes the file
        // for something other than Unihan's readings.
        QByteArray unihan = "# Unihan_Readings.txt, a few lines\n"
                            "U+4E00\tkMandarin\tyī\n"
                            "U+5730\tkMandarin\tde dì\n"
                            "U+5730\tkTGHZ2013\t069.070:de 072.060:dì\n"
                            "U+8349\tkMandarin\tcǎo\n"
                            "U+5973\tkMandarin\tnǚ\n"
                            "U+5973\tkDefinition\twoman\n"
                            "U+55F2\tkMandarin\tdiē\n"
                            "U+55F2\tkTGHZ2013\t068.010:diǎ\n";
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
        QCOMPARE(out, exitCode ? QString()
                               : QStringLiteral("pinyin table: 5 characters (1 corrected), 1 phrases\n"));
        QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("out/Table.cpp"))), exitCode == 0);
        if (exitCode == 0) {
            QFile f(dir.filePath(QStringLiteral("out/Table.cpp")));
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray table = f.readAll();
            // Toneless syllables, ü as u; 嗲 takes the standard's "dia" over kMandarin's "die".
            for (const char *s : {"\"cao\"", "\"di\"", "\"nu\"", "\"yi\"", "\"dia\""})
                QVERIFY2(table.contains(s), s);
            QVERIFY(!table.contains("\"die\""));
            if (readings.startsWith("地")) // corrected to di; 草地 reads di too
                QVERIFY(!table.contains("\"de\""));
        }
    }
};

QTEST_GUILESS_MAIN(PinyinLookupTest)
#include "PinyinLookupTest.moc"
