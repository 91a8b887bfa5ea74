#include "english/WordGroups.h"

#include "core/FourChoice.h"

#include "services/ContentSchema.h"
#include "services/TableCursor.h"

namespace english {

QStringList groupStarts(int wordCount) {
    QStringList out;
    for (int start = 0; start < wordCount; start += kGroupSize)
        out << QString::number(start);
    return out;
}

std::optional<WordRecord> currentWord(const services::TableCursor &cursor) {
    if (!cursor.hasCurrent()) return std::nullopt;
    return WordRecord{cursor.field(0).trimmed(), cursor.field(1).trimmed(), cursor.field(2).trimmed(),
                      cursor.field(3).trimmed()};
}

void toGroupStart(services::TableCursor &cursor, int groupStart, int &groupCounter) {
    cursor.MoveFirst();
    cursor.Move(groupStart);
    groupCounter = 0;
}

void stepInGroup(services::TableCursor &cursor, int groupStart, int &groupCounter) {
    cursor.MoveNext();
    ++groupCounter;
    if (cursor.Eof() || groupCounter == kGroupSize) toGroupStart(cursor, groupStart, groupCounter);
}

Pace pace(int readingPace) {
    switch (readingPace) {
    case 1:
        return {2, 100, 4500};
    case 2:
        return {4, 100, 2300};
    default:
        return {1, 60, 8000};
    }
}

ChoiceOrder choiceOrder(double r) {
    // The thresholds are single-precision values, compared as such.
    const float x = static_cast<float>(r);
    if (x < 0.333f) return {0, 1, 2};
    if (x < 0.666f) return {1, 2, 0};
    return {2, 0, 1};
}

int percentRight(int right, int learned) {
    return learned > 0 ? right * 100 / learned : 0;
}

std::vector<int> otherMeanings(core::Random &rnd, const services::TableCursor &cursor, int askedPosition) {
    const auto &records = cursor.records();
    const int count = static_cast<int>(records.size());
    const auto meaningAt = [&](double pos) { return records[std::size_t(pos)].value(2).trimmed(); };
    // Positions 1 .. count - 1, drawn as the old screens did; the asked word's own meaning and any
    // meaning equal to it are taken from the start.
    const core::WrongPool pool{[&] { return double(rnd.countFrom(count - 1, 1)); }, std::max(count - 1, 0),
                               [](int i) { return double(i + 1); }};
    QStringList taken;
    if (askedPosition >= 0 && askedPosition < count) taken << meaningAt(askedPosition);
    std::vector<int> out;
    double pos = 0;
    while (out.size() < 2 && core::drawFresh(rnd, pool, meaningAt, taken, &pos)) {
        out.push_back(int(pos));
        taken << meaningAt(pos);
    }
    return out;
}

std::array<int, kBoardWords> dealOrder(core::Random &rnd) {
    std::array<int, kBoardWords> order{};
    std::array<bool, kBoardWords> drawn{};
    for (int k = 0; k < kBoardWords; ++k) {
        int r = 0;
        do
            r = rnd.countFrom(kBoardWords, 1);
        while (drawn[std::size_t(r - 1)]);
        drawn[std::size_t(r - 1)] = true;
        order[std::size_t(k)] = r - 1;
    }
    return order;
}

int nextLevelOffset(int levelOffset) {
    return levelOffset >= (kLevels - 1) * kBoardWords ? 0 : levelOffset + kBoardWords;
}

QString shownMeaning(const QString &meaning) {
    return meaning.left(services::kMeaningShown);
}

} // namespace english
