#!/usr/bin/env bash
# Regenerates the README's pictures from the screen gallery: docs/screenshot-main.png (the main
# window) and docs/area-<area>.png, a montage per menu area of whatever screens it has today, and
# rewrites the README's picture list between its "pictures" markers to show them.
#   scripts/readme-pictures.sh [BUILD_DIR]      (make readme-pictures builds first)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
for tool in lumibo-gallery lumibo-montage; do
  [ -x "$build/$tool" ] || { echo "readme-pictures: $build/$tool is missing; build first (make build)" >&2; exit 1; }
done

# The areas in menu order: picture name | README caption | the screens that belong to it.
# A screen not built yet simply has no pictures; re-running the script picks it up.
areas=(
  "arithmetic|Arithmetic: timed four-choice drills and the operation tables|jiafa10 jianfa100 chenfa100 chufa100 口诀表"
  "olympiad|Olympiad mental arithmetic: chains of operations and proportions|jjccform"
  "geometry|Geometry and colours: name the figure|tpform"
  "pinyin|Pinyin: the letter chart, the letter games and spelling a character|xuepyform pyyx1form pyyxform"
  "hanzi|Characters and words: lessons, synonyms, antonyms, riddles and idioms|renzidan renzicizu 同义词 反义词 猜谜语 学成语"
  "poems|Tang poems: study with pinyin, and the line-order game|tangshiform 唐诗游戏"
  "english|English words: study, recitation and the word link game|xuexi 学单词 bdcxz 背单词 llkxz 连连看"
)
# Screens the README shows no picture of: help, maintenance.
unpictured=" 帮助1 dataform "
budget=6  # pictures per area, shared among its screens
columns=3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
gallery=$work/shots
# Qt's offscreen platform remarks on every window that it ignores size hints: not news here.
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work "$build/lumibo-gallery" "$gallery" >/dev/null \
  2> >(grep -v 'does not support propagateSizeHints' >&2)
index=$gallery/index.tsv

# The pictures of one screen: the states it registered, or its load state when it has none.
pictures_of() {
  local shots
  shots=$(awk -F'\t' -v s="$1" '$2 == s && $3 == "shot" { print $1 }' "$index")
  [ -n "$shots" ] || shots=$(awk -F'\t' -v s="$1" '$2 == s { print $1 }' "$index")
  printf '%s' "$shots"
}

# Prints k of the given lines, evenly spread from the first to the last.
spread() {
  local k=$1
  awk -v k="$k" '{ a[NR] = $0 } END {
    if (NR <= k) { for (i = 1; i <= NR; i++) print a[i]; exit }
    for (i = 0; i < k; i++) print a[k == 1 ? 1 : 1 + int(i * (NR - 1) / (k - 1) + 0.5)]
  }'
}

mkdir -p docs
cp "$gallery/Main.png" docs/screenshot-main.png
listing="The main window, its menu bar naming the areas:"$'\n\n'"![The main window](docs/screenshot-main.png)"$'\n'
known=" Main$unpictured"
for area in "${areas[@]}"; do
  IFS='|' read -r name caption screens <<<"$area"
  present=()
  for s in $screens; do
    known+="$s "
    if [ -n "$(pictures_of "$s")" ]; then present+=("$s"); fi
  done
  out=docs/area-$name.png
  if [ ${#present[@]} -eq 0 ]; then
    rm -f "$out"
    echo "readme-pictures: no screens of the $name area yet"
    continue
  fi
  per=$((budget / ${#present[@]} > 0 ? budget / ${#present[@]} : 1))
  files=()
  for s in "${present[@]}"; do
    while IFS= read -r f; do files+=("$gallery/$f"); done < <(pictures_of "$s" | spread "$per")
  done
  "$build/lumibo-montage" "$out" "$columns" 480 400 "${files[@]}"
  echo "readme-pictures: $out, from ${present[*]}"
  title=${caption%%:*}
  listing+=$'\n'"**$title**:${caption#*:}"$'\n\n'"![$title]($out)"$'\n'
done

# A screen no area names would be left out silently: say so.
cut -f2 "$index" | sort -u | while IFS= read -r s; do
  case "$known" in *" $s "*) ;; *) echo "readme-pictures: screen $s is in no area of scripts/readme-pictures.sh" >&2 ;; esac
done

# The README's picture list sits between these two marker lines.
begin='<!-- pictures: made by scripts/readme-pictures.sh -->'
end='<!-- end of pictures -->'
if grep -qxF "$begin" README.md && grep -qxF "$end" README.md; then
  LISTING=$listing awk -v b="$begin" -v e="$end" '
    $0 == b { print; printf "\n%s\n", ENVIRON["LISTING"]; skip = 1; next }
    $0 == e { skip = 0 }
    !skip' README.md >"$work/README.md"
  cat "$work/README.md" >README.md
else
  echo "readme-pictures: README.md lacks the picture markers; its pictures are not listed" >&2
fi
