#!/usr/bin/env bash
# Builds the .deb from the build folder $1, installs it with apt, checks that
# both programs run and that the desktop takes a MARC file named .iso for
# application/marc, opened by veltrane.desktop; removes the package again.
# Exits 77 (skipped) where it cannot run: not root, no apt, the package
# already installed, or the package database locked by another run.
set -uo pipefail
build=$(cd "$1" && pwd)
skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*"; exit 1; }

[ "$(id -u)" = 0 ] || skip "needs root to install a package"
for tool in apt-get dpkg cpack xdg-mime; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
dpkg -s veltrane >/dev/null 2>&1 && skip "a veltrane package is installed already"

work=$(mktemp -d)
installed=0
cleanup() {
  if [ "$installed" = 1 ]; then
    apt-get remove -y -o DPkg::Lock::Timeout=120 veltrane >"$work/remove.log" 2>&1 ||
      cat "$work/remove.log"
  fi
  rm -rf "$work"
}
trap cleanup EXIT

(cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log"; fail "cpack could not build the package"; }
deb=$(ls "$work"/package/veltrane_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no .deb was written"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "Depends lacks Qt: $(dpkg-deb -f "$deb" Depends)"

if ! apt-get install -y -o DPkg::Lock::Timeout=10 "$deb" >"$work/install.log" 2>&1; then
  grep -qi "lock" "$work/install.log" && skip "the package database is locked"
  cat "$work/install.log"; fail "apt-get could not install $deb"
fi
installed=1

for file in /usr/bin/veltrane /usr/bin/veltrane-cli \
            /usr/share/applications/veltrane.desktop \
            /usr/share/mime/packages/veltrane-marc.xml \
            /usr/share/icons/hicolor/scalable/apps/veltrane.svg \
            /usr/share/doc/veltrane/cnmarc_help.html; do
  [ -e "$file" ] || fail "$file is not installed"
done

# A record file as the user has it, looked up as the desktop does.
printf '00044nam0 2200037   450 001000600000\x1e12345\x1e\x1d' >"$work/books.iso"
[ "$(/usr/bin/veltrane-cli count "$work/books.iso")" = 1 ] ||
  fail "the installed veltrane-cli does not count the file"
export HOME="$work/home" XDG_DATA_HOME="$work/home/data" \
  XDG_CONFIG_HOME="$work/home/config" XDG_CURRENT_DESKTOP=GNOME
mkdir -p "$HOME"
type=$(xdg-mime query filetype "$work/books.iso")
[ "$type" = application/marc ] || fail "books.iso is taken for '$type'"
app=$(xdg-mime query default application/marc)
[ "$app" = veltrane.desktop ] || fail "application/marc opens with '$app'"

apt-get remove -y -o DPkg::Lock::Timeout=120 veltrane >"$work/remove.log" 2>&1 ||
  { cat "$work/remove.log"; fail "apt-get could not remove the package"; }
installed=0
[ ! -e /usr/bin/veltrane-cli ] || fail "the package left /usr/bin/veltrane-cli"
echo "PASS"
