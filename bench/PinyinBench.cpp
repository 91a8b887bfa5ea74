// PinyinLookup on the texts its callers pass: a seven-character poem line (the poem screen asks
// for four at a time), a five-character line, a single character (the character game), and a
// line whose phrases decide its readings; and a line as the poem screen shows it, with ü or with
// tone marks. The goal is well under 2 µs per poem line.

#include "services/PinyinLookup.h"

#include <benchmark/benchmark.h>

namespace {

void lookup(benchmark::State &state, const QString &text,
            services::PinyinLookup::Form form = services::PinyinLookup::Form::Plain) {
    const services::PinyinLookup pinyin;
    for (auto _ : state) {
        QString result = pinyin.GetPinYin(text, form);
        benchmark::DoNotOptimize(result);
    }
}

void BM_SevenCharacterLine(benchmark::State &state) {
    lookup(state, QStringLiteral("两个黄鹂鸣翠柳"));
}
void BM_SevenCharacterLineDisplay(benchmark::State &state) {
    lookup(state, QStringLiteral("两个黄鹂鸣翠柳"), services::PinyinLookup::Form::Display);
}
void BM_SevenCharacterLineToned(benchmark::State &state) {
    lookup(state, QStringLiteral("两个黄鹂鸣翠柳"), services::PinyinLookup::Form::Toned);
}
void BM_FiveCharacterLine(benchmark::State &state) {
    lookup(state, QStringLiteral("床前明月光"));
}
void BM_SingleCharacter(benchmark::State &state) {
    lookup(state, QStringLiteral("绿"));
}
void BM_LineWithPhrases(benchmark::State &state) {
    lookup(state, QStringLiteral("一行白鹭上青天"));
}

// A character's default reading alone, without building a joined result.
void BM_Reading(benchmark::State &state) {
    const services::PinyinLookup pinyin;
    for (auto _ : state) {
        QString r = pinyin.reading(U'鹂');
        benchmark::DoNotOptimize(r);
    }
}

} // namespace

BENCHMARK(BM_SevenCharacterLine);
BENCHMARK(BM_SevenCharacterLineDisplay);
BENCHMARK(BM_SevenCharacterLineToned);
BENCHMARK(BM_FiveCharacterLine);
BENCHMARK(BM_SingleCharacter);
BENCHMARK(BM_LineWithPhrases);
BENCHMARK(BM_Reading);
BENCHMARK_MAIN();
