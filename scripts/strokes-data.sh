#!/usr/bin/env bash
# make strokes-data: remakes data/strokes/strokes.dat from the npm package hanzi-writer-data.
# The package is fetched with `npm pack` into a scratch folder, checked against the checksum kept
# in data/strokes (so only the very tarball the file was made from is used), unpacked, and read by
# lumibo-strokes for the characters of content/单字.tsv and content/词组.tsv. Its licence file
# comes along into data/strokes. Only this needs npm; the build copies the committed file.
# Usage: strokes-data.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
package=hanzi-writer-data
version=2.0.1
tarball=$package-$version.tgz
sums=$PWD/data/strokes/$tarball.sha512

if ! command -v npm >/dev/null 2>&1; then
  echo "make strokes-data needs npm (Debian package npm); make run and make test do not" >&2
  exit 1
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$scratch" && npm pack --silent "$package@$version" >/dev/null)
if ! (cd "$scratch" && sha512sum --quiet -c "$sums"); then
  echo "$tarball from the npm registry does not match $sums; nothing was changed" >&2
  exit 1
fi
tar -xzf "$scratch/$tarball" -C "$scratch"

"$build/lumibo-strokes" "$scratch/package" content data/strokes/strokes.dat
cp "$scratch/package/ARPHICPL.TXT" data/strokes/ARPHICPL.TXT
size=$(stat -c %s data/strokes/strokes.dat)
limit=$((3 * 1024 * 1024))
if [ "$size" -gt "$limit" ]; then
  echo "data/strokes/strokes.dat is $size bytes, more than the 3 MB it may take" >&2
  exit 1
fi
