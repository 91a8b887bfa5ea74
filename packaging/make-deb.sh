#!/usr/bin/env bash
# Builds the Debian package from a build folder: installs into a staging root with DESTDIR,
# strips the program, writes DEBIAN/control (Depends from dpkg-shlibdeps) and md5sums, and
# packs it with dpkg-deb. Run by the build's `deb` target (make package).
# Usage: make-deb.sh BUILD_DIR CONTROL_TEMPLATE OUTPUT.deb
set -euo pipefail

build=$(cd "$1" && pwd)
template=$2
deb=$3
here=$(cd "$(dirname "$0")" && pwd)

for tool in dpkg-deb dpkg-shlibdeps strip; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "make-deb: $tool is missing; install the Debian packages dpkg-dev and binutils (make deps)" >&2
    exit 1
  fi
done

root="$build/deb-root"
rm -rf "$root"
# Files are made readable by everyone whatever the umask; dpkg-deb gives them to root.
umask 022
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null

# Debian ships programs and modules without symbols, comments or notes (as dh_strip does).
program="$root/usr/lib/lumibo/lumibo"
module="$root/usr/lib/lumibo/lumibo-sound.so"
strip --remove-section=.comment --remove-section=.note "$program"
strip --strip-unneeded --remove-section=.comment --remove-section=.note "$module"
chmod 0755 "$program"
find "$root" -type d -exec chmod 0755 {} +
find "$root" -type f ! -path "$program" -exec chmod 0644 {} +

# The libraries the program and its sound module link, as package names with their versions. dpkg-shlibdeps
# reads the binary package's name from a debian/control it looks for in the working folder.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/debian"
printf 'Source: lumibo\n\nPackage: lumibo\nArchitecture: any\n' >"$work/debian/control"
shlibs=$(cd "$work" && dpkg-shlibdeps -O -e"$program" -e"$module" 2>"$work/shlibdeps.log" | sed -n 's/^shlibs:Depends=//p') || {
  cat "$work/shlibdeps.log" >&2
  exit 1
}
if [ -z "$shlibs" ]; then
  cat "$work/shlibdeps.log" >&2
  echo "make-deb: dpkg-shlibdeps found no library for $program" >&2
  exit 1
fi

mkdir -p "$root/DEBIAN"
size=$(du -sk --apparent-size --exclude=DEBIAN "$root" | cut -f1)
arch=$(dpkg --print-architecture)
sed -e "s/\${shlibs:Depends}/$shlibs/" -e "s/\${Installed-Size}/$size/" -e "s/\${Architecture}/$arch/" \
  "$template" >"$root/DEBIAN/control"
(cd "$root" && find usr -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum) >"$root/DEBIAN/md5sums"
chmod 0644 "$root/DEBIAN/control" "$root/DEBIAN/md5sums"

# Time stamps from the newest changelog entry, so the same sources give the same package.
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$here/changelog" -S Timestamp)
export SOURCE_DATE_EPOCH
find "$root" -newermt "@$SOURCE_DATE_EPOCH" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
rm -f "$deb"
dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" >/dev/null
echo "make-deb: $deb ($(du -k "$deb" | cut -f1) KiB)"
