#!/usr/bin/env bash
# The Debian package as a family gets it: built, unpacked with dpkg-deb into a scratch root, the
# program started through its /usr/bin link, and every screen opened on the unpacked program
# folder, so a file the package leaves out fails here. A user whose home is a scratch folder makes
# a change in the maintenance screen: it lands in that user's own copy, and nothing under the
# unpacked /usr changes. Also checks the package's control data, its desktop entry and AppStream
# metainfo, and that a file missing from the folder is noticed.
# Usage: PackageTest.sh BUILD_DIR VERSION APP_ID
set -uo pipefail

build=$1
version=$2
appId=$3
skip=77

for tool in dpkg-deb dpkg-shlibdeps; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is missing, so no Debian package can be built here (install dpkg-dev: make deps)"
    exit $skip
  fi
done

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

deb="$build/lumibo_${version}_$(dpkg --print-architecture).deb"
# Built here when out of date, so the test always looks at the package of these sources.
if ! cmake --build "$build" --target deb lumibo-content lumibo-maintenance-change; then
  echo "FAIL: the package did not build"
  exit 1
fi

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root" || { echo "FAIL: dpkg-deb -x $deb"; exit 1; }

# What the package holds: the program, its sound module and its install marker in /usr/lib/lumibo, the files it
# reads in /usr/share/lumibo, each linked from beside the program.
expected=(
  usr/lib/lumibo/lumibo usr/lib/lumibo/lumibo-sound.so usr/lib/lumibo/installed
  usr/share/lumibo/study.dat usr/share/lumibo/jieguo.wav usr/share/lumibo/sound.wav
  usr/lib/lumibo/strokes.dat usr/share/lumibo/strokes.dat
  "usr/share/applications/$appId.desktop" "usr/share/metainfo/$appId.metainfo.xml"
  usr/share/icons/hicolor/scalable/apps/lumibo.svg usr/share/man/man6/lumibo.6.gz
  usr/share/doc/lumibo/copyright usr/share/doc/lumibo/changelog.gz
)
for size in 16 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/lumibo.png")
done
for f in "${expected[@]}"; do
  [ -f "$root/$f" ] || fail "the package lacks /$f"
done
link=$(readlink "$root/usr/bin/lumibo")
[ "$link" = ../lib/lumibo/lumibo ] || fail "/usr/bin/lumibo should be a relative link to ../lib/lumibo/lumibo, is '$link'"
for f in study.dat jieguo.wav sound.wav; do
  link=$(readlink "$root/usr/lib/lumibo/$f")
  [ "$link" = "../../share/lumibo/$f" ] ||
    fail "/usr/lib/lumibo/$f should be a relative link to ../../share/lumibo/$f, is '$link'"
done
# Nothing the program reads is architecture-dependent but the program itself.
others=$(find "$root/usr/lib/lumibo" -type f ! -name lumibo ! -name lumibo-sound.so ! -name installed -printf '%f\n')
[ -z "$others" ] || fail "/usr/lib/lumibo holds data files that belong in /usr/share/lumibo: $others"
for f in lumibo lumibo-sound.so; do
  if readelf -S "$root/usr/lib/lumibo/$f" | grep -q '\.debug_info'; then
    fail "the packaged $f still carries debugging symbols"
  fi
done
# The program starts without the sound libraries; its module brings them.
readelf -d "$root/usr/lib/lumibo/lumibo" | grep -qE 'NEEDED.*(Multimedia|sndfile|espeak)' &&
  fail "the packaged program links the sound libraries itself instead of leaving them to lumibo-sound.so"
readelf -d "$root/usr/lib/lumibo/lumibo-sound.so" | grep -q 'NEEDED.*libQt6Multimedia' ||
  fail "the packaged lumibo-sound.so does not link Qt Multimedia"

# Control data: the version, and the run-time packages beside the libraries.
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6multimedia6 libespeak-ng1 libsqlite3-0 libsndfile1 qt6-translations-l10n \
  fonts-wqy-zenhei; do
  grep -qE "(^|[ ,|])$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
# libespeak-ng1 brings the speech data itself.
grep -qE "(^|[ ,|])espeak-ng-data( |,|$)" <<<"$depends" && fail "Depends names espeak-ng-data, which libespeak-ng1 already needs"

# The program, started through the link as the desktop does, says its version without a window.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/lumibo" --version 2>&1)
rc=$?
[ $rc -eq 0 ] || fail "lumibo --version ended with $rc: $out"
grep -qF "$version" <<<"$out" || fail "lumibo --version does not name version $version: $out"
# Without a display, the installed program names the installed command, not the build tree's.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$root" "$root/usr/bin/lumibo" 2>&1)
grep -qF "or without a screen as: xvfb-run lumibo" <<<"$out" || fail "without a display lumibo says: $out"

# Every screen opens on the unpacked program folder.
gallery="$build/lumibo-gallery"
programDir="$root/usr/lib/lumibo"
if ! QT_QPA_PLATFORM=offscreen "$gallery" --program-dir "$programDir" --smoke "$root/smoke" >"$root/smoke.log" 2>&1; then
  cat "$root/smoke.log"
  fail "the screens do not open on the unpacked program folder"
fi

# The same check notices a folder with one of the files missing, so a package without it fails.
for missing in study.dat jieguo.wav sound.wav; do
  partial="$root/partial-$missing"
  cp -aL "$programDir" "$partial" # the files themselves, not links that lead nowhere from there
  rm "$partial/$missing"
  if QT_QPA_PLATFORM=offscreen "$gallery" --program-dir "$partial" --smoke "$root/smoke-$missing" >/dev/null 2>&1; then
    fail "the screens opened without $missing, so its absence from the package would go unnoticed"
  fi
done

# A parent's change in the maintenance screen, made as a user whose home is a scratch folder,
# goes to that user's own copy; nothing under the unpacked /usr changes.
home="$root/home"
mkdir -p "$home"
listing() { (cd "$root" && find usr -printf '%p %y %m %s %l\n' | LC_ALL=C sort && find usr -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum); }
before=$(listing)
changed=$(env -u XDG_DATA_HOME HOME="$home" QT_QPA_PLATFORM=offscreen \
  "$build/lumibo-maintenance-change" "$programDir" 2>"$root/change.log")
rc=$?
copy="$home/.local/share/Lumibo/study.dat"
if [ $rc -ne 0 ]; then
  cat "$root/change.log"
  fail "the maintenance change did not work on the unpacked program"
fi
[ "$changed" = "$copy" ] || fail "the maintenance change went to '$changed', not to the user's own $copy"
[ "$(listing)" = "$before" ] || fail "the maintenance change altered files under the unpacked /usr"
if [ -f "$copy" ]; then
  "$build/lumibo-content" export "$programDir/study.dat" "$root/shipped-tsv" &&
    "$build/lumibo-content" export "$copy" "$root/copy-tsv" ||
    fail "lumibo-content cannot export the shipped file or the user's copy"
  cmp -s "$root/shipped-tsv/同义词.tsv" "$root/copy-tsv/同义词.tsv" &&
    fail "the user's copy does not hold the change to 同义词"
  cmp -s "$root/shipped-tsv/单字.tsv" "$root/copy-tsv/单字.tsv" ||
    fail "the user's copy differs from the shipped file beyond the change"
else
  fail "no copy of the user's own at $copy"
fi

# The desktop entry and the metainfo pass their validators.
if command -v desktop-file-validate >/dev/null 2>&1; then
  out=$(desktop-file-validate "$root/usr/share/applications/$appId.desktop" 2>&1) ||
    fail "desktop-file-validate: $out"
  grep -q 'error:' <<<"$out" && fail "desktop-file-validate: $out"
else
  echo "NOTE: desktop-file-validate is missing (desktop-file-utils); the desktop entry is not checked"
fi
if command -v appstreamcli >/dev/null 2>&1; then
  out=$(appstreamcli validate --no-net "$root/usr/share/metainfo/$appId.metainfo.xml" 2>&1) ||
    fail "appstreamcli validate: $out"
else
  echo "NOTE: appstreamcli is missing (appstream); the metainfo is not checked"
fi

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed on $deb"
  exit 1
fi
echo "$deb: $(du -k "$deb" | cut -f1) KiB, installs, starts and opens every screen"
