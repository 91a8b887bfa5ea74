#!/usr/bin/env bash
# The layers of src/ and what each may include; make test runs this. Prints every include that
# crosses a line and exits 1 when there is one.
#   core/      Qt Core and the standard library only
#   services/  core/
#   ui/        core/
#   app/       core/, services/, ui/ (the shell knows no feature)
#   a feature  core/, services/, ui/, app/ and its own folder, never another feature
set -u
src="${1:-$(dirname "$0")/../src}"
qtcore="${2:-}"
features="arithmetic pinyin hanzi poems english geometry maintenance"
bad=0

allowed() { # layer, included folder
    local layer=$1 inc=$2
    [ "$inc" = "$layer" ] && return 0
    case $layer in
    core) return 1 ;;
    services | ui) [ "$inc" = core ] ;;
    app) [[ " core services ui " == *" $inc "* ]] ;;
    *) [[ " core services ui app " == *" $inc "* ]] ;;
    esac
}

for layer in core services ui app $features; do
    [ -d "$src/$layer" ] || continue
    while IFS=: read -r file line text; do
        inc=$(sed -E 's/.*#include "([a-z]+)\/.*/\1/' <<<"$text")
        if ! allowed "$layer" "$inc"; then
            echo "$file:$line: $layer may not include $inc/: $text"
            bad=1
        fi
    done < <(grep -rnE '^#include "[a-z]+/' "$src/$layer" --include='*.h' --include='*.cpp')
done

# core/ builds against Qt Core alone: every Qt header it names must be one of Qt Core's.
if [ -n "$qtcore" ]; then
    while IFS=: read -r file line text; do
        header=$(sed -E 's/.*#include <([^>]+)>.*/\1/' <<<"$text")
        if [ ! -e "$qtcore/$header" ]; then
            echo "$file:$line: core/ may include Qt Core only: $text"
            bad=1
        fi
    done < <(grep -rnE '^#include <Q' "$src/core")
fi

[ $bad = 0 ] && echo "layers: every include keeps to its layer"
exit $bad
