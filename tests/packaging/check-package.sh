#!/usr/bin/env bash
# Installs the built programs into a temporary root and checks what a user gets: exactly the
# programs, the menu entry and the icons, and a menu entry the desktop accepts. Then, unless
# told --no-package or the tools are missing, builds the Debian package and checks its
# contents and dependencies.
#
#   check-package.sh BUILD_DIR VERSION [--no-package]
set -euo pipefail

build=$1
version=$2
make_package=yes
[ "${3-}" = --no-package ] && make_package=no

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

expected="usr/bin/zeb-mo
usr/bin/zeb-mo-bench
usr/bin/zeb-mo-init
usr/share/applications/zeb-mo.desktop
usr/share/icons/hicolor/256x256/apps/zeb-mo.png
usr/share/icons/hicolor/scalable/apps/zeb-mo.svg"

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >"$work/install.log" \
  || { cat "$work/install.log" >&2; fail "cmake --install failed"; }
installed=$(cd "$work/root" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
if [ "$installed" != "$expected" ]; then
  diff <(echo "$expected") <(echo "$installed") >&2 || true
  fail "the installed files differ from the expected ones (< expected, > installed)"
fi
for program in zeb-mo zeb-mo-init zeb-mo-bench; do
  [ -x "$work/root/usr/bin/$program" ] || fail "usr/bin/$program is not executable"
done

entry="$work/root/usr/share/applications/zeb-mo.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate refuses the menu entry"
grep -qx 'Exec=zeb-mo --from-menu' "$entry" || fail "the menu entry does not ask for the data directory"
grep -qx 'Icon=zeb-mo' "$entry" || fail "the menu entry names another icon"
echo "install: ok"

if [ "$make_package" = no ]; then
  echo "package: not built (--no-package)"
  exit 0
fi
if ! command -v cpack >/dev/null || ! command -v dpkg-deb >/dev/null; then
  echo "package: not built, cpack or dpkg-deb is missing"
  exit 0
fi

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb="$work/package/zeb-mo_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { ls "$work/package" >&2; fail "no package $(basename "$deb")"; }

contents=$(dpkg-deb -c "$deb")
for file in usr/bin/zeb-mo usr/bin/zeb-mo-init usr/bin/zeb-mo-bench \
  usr/share/applications/zeb-mo.desktop usr/share/icons/hicolor/scalable/apps/zeb-mo.svg; do
  grep -q " \./$file\$" <<<"$contents" || fail "the package lacks $file"
done
if grep -Eq 'test_|gtest|gmock|/include/|\.a$' <<<"$contents"; then
  fail "the package holds test or development files"
fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in fonts-liberation2 qt6-image-formats-plugins qt6-translations-l10n libqt6widgets6; do
  grep -q "\b$needed\b" <<<"$depends" || fail "Depends lacks $needed"
done
[ "$(dpkg-deb -f "$deb" Package)" = zeb-mo ] || fail "the package is not named zeb-mo"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package version is not $version"
echo "package: ok"
