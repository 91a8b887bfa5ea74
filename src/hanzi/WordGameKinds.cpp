#include "hanzi/WordGameKinds.h"

#include "app/ScreenNames.h"
#include "services/ContentSchema.h"
#include "services/TableCursor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace hanzi {

namespace {

QString field(const QStringList &f, int i) {
    return i < f.size() ? f[i].trimmed() : QString();
}

WordEntry idiomEntry(const QStringList &f) {
    return {field(f, 1), QString(), field(f, 0) + "(" + field(f, 2) + ")", field(f, 0) + "--" + field(f, 2)};
}

WordEntry pairEntry(const QStringList &f) {
    return {field(f, 0), QString(), field(f, 1), field(f, 0) + "---" + field(f, 1)};
}

WordEntry riddleEntry(const QStringList &f) {
    return {field(f, 0), QStringLiteral("猜") + field(f, 1), field(f, 2),
            field(f, 0) + "-" + field(f, 1) + "-" + field(f, 2)};
}

// The riddle draw gives values within ten positions of its centre.
constexpr int kSpread = 10;

} // namespace

const WordGameKind &idioms() {
    static const WordGameKind k{.screenName = screens::kIdioms,
                                .caption = QStringLiteral(" 学成语"),
                                .table = QStringLiteral("成语"),
                                .slot = services::kIdioms,
                                .clue = WordGameKind::Clue::TextBox,
                                .hint = false,
                                .countWord = QStringLiteral("个成语"),
                                .title = QStringLiteral("成语边玩边学"),
                                .libraryCaption = QStringLiteral("成语词库"),
                                .answerPointSize = 12,
                                .answerBold = false,
                                .wrongRule = WordGameKind::WrongRule::Anywhere,
                                .firstCentre = 0,
                                .entry = idiomEntry};
    return k;
}

const WordGameKind &antonyms() {
    static const WordGameKind k{.screenName = screens::kAntonyms,
                                .caption = QStringLiteral("反义词"),
                                .table = QStringLiteral("反义词"),
                                .slot = services::kAntonyms,
                                .clue = WordGameKind::Clue::Tile,
                                .hint = false,
                                .countWord = QStringLiteral("个反义词"),
                                .title = QStringLiteral("反义词边玩边学"),
                                .libraryCaption = QStringLiteral("反义词词库"),
                                .answerPointSize = 15,
                                .answerBold = true,
                                .wrongRule = WordGameKind::WrongRule::Anywhere,
                                .firstCentre = 0,
                                .entry = pairEntry};
    return k;
}

const WordGameKind &synonyms() {
    static const WordGameKind k{.screenName = screens::kSynonyms,
                                .caption = QStringLiteral("同义词"),
                                .table = QStringLiteral("同义词"),
                                .slot = services::kSynonyms,
                                .clue = WordGameKind::Clue::Tile,
                                .hint = false,
                                .countWord = QStringLiteral("个同义词"),
                                .title = QStringLiteral("同义词边玩边学"),
                                .libraryCaption = QStringLiteral("同义词词库"),
                                .answerPointSize = 14.25,
                                .answerBold = true,
                                .wrongRule = WordGameKind::WrongRule::Anywhere,
                                .firstCentre = 0,
                                .entry = pairEntry};
    return k;
}

const WordGameKind &riddles() {
    static const WordGameKind k{.screenName = screens::kRiddles,
                                .caption = QStringLiteral("猜谜语"),
                                .table = QStringLiteral("谜语"),
                                .slot = services::kRiddles,
                                .clue = WordGameKind::Clue::Tile,
                                .hint = true,
                                .countWord = QStringLiteral("个谜语"),
                                .title = QStringLiteral("猜猜谜语 开拓思维"),
                                .libraryCaption = QStringLiteral("谜语词库"),
                                .answerPointSize = 12,
                                .answerBold = true,
                                .wrongRule = WordGameKind::WrongRule::AroundCentre,
                                .firstCentre = 9,
                                .entry = riddleEntry};
    return k;
}

std::vector<WordEntry> readWordEntries(const WordGameKind &kind, services::TableCursor &cursor) {
    std::vector<WordEntry> out;
    cursor.MoveLast();
    const int n = cursor.RecordCount();
    out.reserve(static_cast<std::size_t>(n));
    cursor.MoveFirst();
    for (int p = 0; p < n && cursor.hasCurrent(); ++p, cursor.MoveNext())
        out.push_back(kind.entry({cursor.field(0), cursor.field(1), cursor.field(2)}));
    return out;
}

QString wordCountText(const WordGameKind &kind, int n) {
    return QStringLiteral("共有") + QString::number(n) + kind.countWord;
}

QString wordCountText(const WordGameKind &kind, int n, int i) {
    return wordCountText(kind, n) + QStringLiteral("  这是第") + QString::number(i + 1) +
           QStringLiteral("个");
}

std::vector<int> positionsAroundCentre(int m, int n) {
    std::vector<int> out;
    for (int v = m - kSpread; v <= m + kSpread; ++v) {
        const int p = std::abs(v);
        if (p != 0 && p != m && p <= n - 1 && std::find(out.begin(), out.end(), p) == out.end())
            out.push_back(p);
    }
    std::sort(out.begin(), out.end());
    return out;
}

core::FourChoice drawWordQuestion(core::Random &rnd, core::Globals &g, const WordGameKind &kind,
                                  const std::vector<WordEntry> &entries, int c, int m) {
    const int n = static_cast<int>(entries.size());
    const auto caption = [&entries](double key) { return entries[static_cast<std::size_t>(key)].answer; };
    // Position 0 is never a wrong answer; the right one is told apart by its text.
    const core::ChoiceRules rules{.avoidLastSlot = false,
                                  .fourthSlot = core::ChoiceRules::FourthSlot::LeftOver};
    if (kind.wrongRule == WordGameKind::WrongRule::Anywhere) {
        const core::WrongPool pool{[&rnd, n] { return double(rnd.countFrom(n - 1, 1)); }, std::max(0, n - 1),
                                   [](int i) { return double(i + 1); }};
        return core::placeFourChoice(rnd, g, c, caption, pool, rules);
    }
    const std::vector<int> around = positionsAroundCentre(m, n);
    // A drawn value that is no usable position is drawn again; the pool lists what is usable,
    // so an empty one is never drawn from.
    const core::WrongPool pool{
        [&rnd, m, n, &around] {
            for (int tries = 0; tries < 1000; ++tries) {
                const int p = std::abs(static_cast<int>(std::floor(m + (0.5 - rnd.rnd()) * 2 * kSpread)));
                if (p != 0 && p != m && p <= n - 1) return double(p);
            }
            return double(
                around[static_cast<std::size_t>(rnd.countFrom(static_cast<int>(around.size()), 0))]);
        },
        static_cast<int>(around.size()),
        [&around](int i) { return double(around[static_cast<std::size_t>(i)]); }};
    return core::placeFourChoice(rnd, g, c, caption, pool, rules);
}

int nextWordEntry(core::Random &rnd, int n, int c, bool inOrder) {
    if (inOrder) return c + 1 < n ? c + 1 : c;
    if (n < 2) return c;
    // Any entry but the one on show: a draw among the n − 1 others, counted past c.
    const int k = rnd.countFrom(n - 1, 0);
    return k >= c ? k + 1 : k;
}

} // namespace hanzi
