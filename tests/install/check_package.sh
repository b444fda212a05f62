#!/usr/bin/env bash
# Makes the Debian package from the build tree and checks it: its files (manual
# pages compressed, the copyright file, no database the system's triggers build),
# the dependencies read from the programs' shared libraries, lintian's verdict
# (when lintian is installed) and working programs once unpacked. As root (the CI machine), the package is also installed with
# dpkg, run from /usr/bin and removed again, unless a dotforge package is already
# installed (that one is left alone).
#   check_package.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
package=$(ls "$work"/dotforge_*.deb)

contents=$(dpkg-deb -c "$package" | awk '{print $6}')
for file in ./usr/bin/dotforge ./usr/bin/dotforge-cli ./usr/share/applications/dotforge.desktop \
    ./usr/share/icons/hicolor/scalable/apps/dotforge.svg ./usr/share/icons/hicolor/48x48/apps/dotforge.png \
    ./usr/share/icons/hicolor/256x256/apps/dotforge.png ./usr/share/mime/packages/dotforge.xml \
    ./usr/share/man/man1/dotforge.1.gz ./usr/share/man/man1/dotforge-cli.1.gz \
    ./usr/share/doc/dotforge/copyright ./usr/share/doc/dotforge/60-dotforge-usb-printer.rules \
    ./usr/share/bash-completion/completions/dotforge-cli; do
  grep -qx -- "$file" <<<"$contents" || fail "the package lacks $file"
done
for file in ./usr/share/mime/mime.cache ./usr/share/applications/mimeinfo.cache; do
  ! grep -qx -- "$file" <<<"$contents" || fail "the package holds $file, which belongs to the system"
done
if command -v lintian >/dev/null; then
  lintian --fail-on error "$package" >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log"; fail "lintian"; }
else
  echo "lintian is not installed: not run"
fi

depends=$(dpkg-deb -f "$package" Depends)
for library in libc6 libstdc++6 libfreetype6 libqt6widgets6; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
[ "$(dpkg-deb -f "$package" Version)" = "$DOTFORGE_VERSION" ] || fail "package version"

dpkg-deb -x "$package" "$work/root"
[ "$("$work/root/usr/bin/dotforge-cli" --version)" = "dotforge-cli (Dotforge) $DOTFORGE_VERSION" ] ||
  fail "unpacked dotforge-cli --version"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$work/root/usr/bin/dotforge" --version)" = "Dotforge $DOTFORGE_VERSION" ] ||
  fail "unpacked dotforge --version"

if [ "$(id -u)" -ne 0 ]; then
  echo "package OK (not root: not installed with dpkg)"
  exit 0
fi
# One test run at a time installs; dpkg's own lock may be held by apt for a while.
exec 9>/tmp/dotforge-package-test.lock
flock 9
if dpkg-query -W -f='${Status}' dotforge 2>/dev/null | grep -q 'install ok installed'; then
  echo "package OK (a dotforge package is installed already: not replaced)"
  exit 0
fi
installed=0
remove() { [ $installed -eq 0 ] || dpkg --purge dotforge >/dev/null; }
trap 'remove; rm -rf "$work"' EXIT
for attempt in 1 2 3 4 5 6; do
  dpkg -i "$package" >"$work/dpkg.log" 2>&1 && { installed=1; break; }
  grep -q 'lock' "$work/dpkg.log" || { cat "$work/dpkg.log"; fail "dpkg -i"; }
  sleep 10
done
[ $installed -eq 1 ] || { cat "$work/dpkg.log"; fail "dpkg -i (dpkg stayed locked)"; }
[ "$(/usr/bin/dotforge-cli --version)" = "dotforge-cli (Dotforge) $DOTFORGE_VERSION" ] ||
  fail "installed dotforge-cli --version"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/dotforge --version)" = "Dotforge $DOTFORGE_VERSION" ] ||
  fail "installed dotforge --version"
dpkg -L dotforge | grep -qx /usr/share/applications/dotforge.desktop || fail "dpkg -L"
echo "package OK (installed, run and removed)"
