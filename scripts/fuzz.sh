#!/usr/bin/env bash
# make fuzz: builds the two libFuzzer targets with clang and runs each for a fixed number of
# runs from a fixed seed (LUMIBO_FUZZ_RUNS, or the defaults below; each stops after
# LUMIBO_FUZZ_SECONDS at the latest) on seeds made from the shipped content and from broken
# study.dat files. A finding fails the run; keep its input under tests/fuzz/<target>/ as a
# regression case.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-fuzz
seconds=${LUMIBO_FUZZ_SECONDS:-30}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DLUMIBO_FUZZ=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target FuzzContentFiles FuzzStudyDat lumibo-content -- --no-print-directory \
  | grep -v '^\[' || true

seeds="$build/seeds"
rm -rf "$seeds"
mkdir -p "$seeds/content" "$seeds/studydat" "$build/corpus/content" "$build/corpus/studydat"

# Content: every shipped table file, as "name\n" + bytes.
for f in content/*.tsv; do
  name=$(basename "$f" .tsv)
  { printf '%s\n' "$name"; cat "$f"; } > "$seeds/content/$(printf '%s' "$name" | od -An -tx1 | tr -d ' \n').tsv"
done

# study.dat: a small whole file (a few records a table), and the kinds of damage seen in the field.
small="$build/small-content"
rm -rf "$small" && mkdir -p "$small"
for f in content/*.tsv; do
  case "$(basename "$f")" in
    唐诗.tsv) head -n 13 "$f" > "$small/$(basename "$f")" ;;
    *) head -n 6 "$f" > "$small/$(basename "$f")" ;;
  esac
done
"$build/lumibo-content" build "$small" "$seeds/studydat/small.dat" >/dev/null
good="$seeds/studydat/small.dat"
# Small pages keep a whole database within the fuzzer's input length (-max_len below), so that
# it mutates real files rather than cut-off ones.
command -v sqlite3 >/dev/null && sqlite3 "$good" 'PRAGMA page_size = 512; VACUUM;'
: > "$seeds/studydat/empty.dat"
head -c 3000 "$good" > "$seeds/studydat/truncated.dat"
head -c 4096 content/成语.tsv > "$seeds/studydat/text.dat"
printf 'SQLite format 3\0' > "$seeds/studydat/header-only.dat"
variant() { cp "$good" "$seeds/studydat/$1.dat"; sqlite3 "$seeds/studydat/$1.dat" "$2"; }
if command -v sqlite3 >/dev/null; then
  variant dropped-table 'DROP TABLE "谜语";'
  variant empty-tables 'DELETE FROM "单字"; DELETE FROM "唐诗";'
  variant null-and-blob "DROP TABLE \"成语\"; CREATE TABLE \"成语\"(idiom, explanation, note); INSERT INTO \"成语\" VALUES (NULL, X'00FF10', 3), ('画蛇添足', NULL, NULL);"
  variant long-and-odd "UPDATE \"词组\" SET word = printf('%.*c', 10000, 'x') WHERE rowid = 1; UPDATE \"谜语\" SET riddle = '😀' || char(1) || char(27) WHERE rowid = 1;"
  variant a-view 'DROP TABLE "反义词"; CREATE VIEW "反义词" AS SELECT 1;'
fi

status=0
for target in FuzzContentFiles FuzzStudyDat; do
  # About 20 s each on one core of the machines we use: opening a database is the slow part.
  case $target in
    FuzzContentFiles) corpus=content runs=${LUMIBO_FUZZ_RUNS:-3000} ;;
    FuzzStudyDat) corpus=studydat runs=${LUMIBO_FUZZ_RUNS:-400} ;;
  esac
  regress="tests/fuzz/$corpus"
  mkdir -p "$regress"
  echo "fuzz: $target for $runs runs (at most ${seconds} s)"
  if ! "$build/$target" -seed=1 -runs="$runs" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=4096 \
       -print_final_stats=1 -artifact_prefix="$build/$target-" \
       "$build/corpus/$corpus" "$seeds/$corpus" "$regress" 2> "$build/$target.log"; then
    echo "fuzz: $target found a problem; see $build/$target.log and the input $build/$target-*" >&2
    tail -n 40 "$build/$target.log" >&2
    status=1
  else
    grep -E '^stat::number_of_executed_units' "$build/$target.log" | sed "s/^/fuzz: $target /" || true
  fi
done
exit $status
