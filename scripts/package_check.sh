#!/usr/bin/env bash
# Builds the Debian package, installs it into a clean Debian 12 (bookworm) root made
# with debootstrap, as `apt install ./marquill400_*.deb` on a fresh machine would, and
# there converts the example drawings with the installed marquill400-cli: the programs
# must equal the golden ones byte for byte. Also checks that the window's program
# starts (its Qt libraries came with the package) and that every installed file is in
# place. Needs root and the Debian mirror of apt's sources. Not part of `make test`: it
# downloads and installs a system (a few minutes).
#
#   package_check.sh [BUILD_DIR]
#   MIRROR=URL            the Debian mirror (default: the bookworm mirror of apt's sources)
#   PACKAGE_CHECK_ROOT    where the root is made (default /tmp/marquill400-package-check)
#   PACKAGE_CHECK_CACHE   the downloaded base system is kept there for the next run
#   KEEP_ROOT=1           leave the root in place for a look around
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
build="${1:-build}"
root=${PACKAGE_CHECK_ROOT:-/tmp/marquill400-package-check}
cache=${PACKAGE_CHECK_CACHE:-/var/cache/marquill400-package-check}
started=$(date +%s)

say() { echo "== $*"; }
fail() { echo "package_check: $*" >&2; exit 1; }

[ "$(id -u)" = 0 ] || fail "run as root (debootstrap and chroot need it)"

# The bookworm mirror apt already uses (deb822 sources or a one-line list).
mirror_of_apt() {
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    awk 'BEGIN { RS = ""; FS = "\n" }
         /Suites:[^\n]*bookworm( |$|\n)/ && !/security/ {
           for (i = 1; i <= NF; i++) if ($i ~ /^URIs:/) { split($i, w, " "); print w[2]; exit } }' "$file"
  done
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] || continue
    awk '$1 == "deb" && $3 == "bookworm" { print $2; exit }' "$file"
  done
}
mirror=${MIRROR:-$(mirror_of_apt | head -n 1)}
[ -n "$mirror" ] || fail "no bookworm mirror in apt's sources: set MIRROR"

if ! command -v debootstrap >/dev/null 2>&1; then
  say "Installing debootstrap"
  apt-get install -y debootstrap >/dev/null
fi

say "Building the package in $build"
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release
rm -f "$build"/marquill400_*.deb
cmake --build "$build" -j "${JOBS:-2}" --target package
deb=$(ls "$build"/marquill400_*.deb)
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'

say "Making a clean Debian 12 root in $root (mirror $mirror)"
cleanup() {
  umount "$root/proc" 2>/dev/null || true
  [ "${KEEP_ROOT:-0}" = 1 ] || rm -rf "$root"
}
trap cleanup EXIT
umount "$root/proc" 2>/dev/null || true
rm -rf "$root"
mkdir -p "$cache"
tarball="$cache/bookworm-minbase.tgz"
if [ ! -f "$tarball" ]; then
  debootstrap --variant=minbase --make-tarball="$tarball" bookworm "$root.download" "$mirror" >/dev/null
  rm -rf "$root.download"
fi
debootstrap --variant=minbase --unpack-tarball="$tarball" bookworm "$root" "$mirror" >/dev/null
mount -t proc proc "$root/proc"
cp /etc/resolv.conf "$root/etc/resolv.conf"

say "apt install ./$(basename "$deb") in the root"
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }
in_root apt-get update -q >/dev/null
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "/tmp/$(basename "$deb")" | tail -n 3

say "Installed files"
for file in /usr/bin/marquill400-cli /usr/bin/marquill400 /usr/share/applications/marquill400.desktop \
            /usr/share/icons/hicolor/scalable/apps/marquill400.svg /usr/share/man/man1/marquill400-cli.1 \
            /usr/share/marquill400/examples/SIDE.DXF /usr/share/marquill400/examples/Par.DAT \
            /usr/lib/systemd/user/marquill400-watch.service /usr/share/doc/marquill400/README.md; do
  [ -f "$root$file" ] || fail "not installed: $file"
  echo "  $file"
done
grep -q '^ExecStart=/usr/bin/marquill400-cli watch$' "$root/usr/lib/systemd/user/marquill400-watch.service" ||
  fail "the watcher unit does not start /usr/bin/marquill400-cli"

say "Versions"
in_root marquill400-cli --version
in_root env QT_QPA_PLATFORM=offscreen marquill400 --version

say "marquill400-cli convert on the examples, in the root"
in_root sh -c 'mkdir -p /tmp/work/out && cp /usr/share/marquill400/examples/* /tmp/work/ &&
  cd /tmp/work && ROOT=/tmp/work marquill400-cli --settings MQ400.INI convert SIDE.DXF DOOR.DXF --dest out'
for case in side_panel door; do
  for expected in "tests/golden/$case/expected/out"/*; do
    name=$(basename "$expected")
    cmp "$expected" "$root/tmp/work/out/$name" || fail "$name differs from the golden program of $case"
    echo "  $name: as the golden program of $case"
  done
done

say "package check passed in $(( $(date +%s) - started )) s"
