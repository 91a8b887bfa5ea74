#!/usr/bin/env bash
# The Debian package as a family gets it: built, unpacked with dpkg-deb into a scratch root, the
# program started through its /usr/bin link, and every screen opened on the unpacked program
# folder, so a file the package leaves out fails here. Also checks the package's control data,
# its desktop entry and AppStream metainfo, and that a file missing from the folder is noticed.
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
if ! cmake --build "$build" --target deb; then
  echo "FAIL: the package did not build"
  exit 1
fi

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root" || { echo "FAIL: dpkg-deb -x $deb"; exit 1; }

# What the package holds.
expected=(
  usr/lib/lumibo/lumibo usr/lib/lumibo/study.dat usr/lib/lumibo/jieguo.wav usr/lib/lumibo/sound.wav
  usr/lib/lumibo/strokes.dat
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
if readelf -S "$root/usr/lib/lumibo/lumibo" | grep -q '\.debug_info'; then
  fail "the packaged program still carries debugging symbols"
fi

# Control data: the version, and the run-time packages beside the libraries.
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6multimedia6 libespeak-ng1 libsqlite3-0 libsndfile1 espeak-ng-data fonts-wqy-zenhei; do
  grep -qE "(^|[ ,|])$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

# The program, started through the link as the desktop does, says its version without a window.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/lumibo" --version 2>&1)
rc=$?
[ $rc -eq 0 ] || fail "lumibo --version ended with $rc: $out"
grep -qF "$version" <<<"$out" || fail "lumibo --version does not name version $version: $out"

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
  cp -a "$programDir" "$partial"
  rm "$partial/$missing"
  if QT_QPA_PLATFORM=offscreen "$gallery" --program-dir "$partial" --smoke "$root/smoke-$missing" >/dev/null 2>&1; then
    fail "the screens opened without $missing, so its absence from the package would go unnoticed"
  fi
done

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
