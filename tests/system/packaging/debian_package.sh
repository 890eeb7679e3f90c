#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package from a build folder, as `cpack -G DEB` does there,
# and checks its control fields, maintainer scripts and file list.
set -euo pipefail
build=$1 version=$2 id=$3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; exit 1; }
deb="$out/veltrasko-analyser_${version}-1_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "no $deb"; ls "$out"; exit 1; }

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

[ "$(dpkg-deb -f "$deb" Package)" = veltrasko-analyser ] || fail "Package"
[ "$(dpkg-deb -f "$deb" Version)" = "$version-1" ] || fail "Version"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "Maintainer"
[ -n "$(dpkg-deb -f "$deb" Description)" ] || fail "Description"
depends=$(dpkg-deb -f "$deb" Depends)
# Found by dpkg-shlibdeps, with the versions the build linked against.
for library in libc6 libqt6widgets6 libqt6dbus6 libqt6svg6 libhidapi-hidraw0 libqcustomplot2.1-qt6 qt6-qpa-plugins; do
  [[ ",$depends," == *", $library"* || ",$depends," == *",$library"* ]] || fail "Depends lacks $library: $depends"
done
[[ "$depends" == *"(>="* ]] || fail "Depends carries no versions: $depends"

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in \
  ./usr/bin/veltrasko-analyser \
  ./usr/bin/veltrasko-export \
  ./usr/lib/udev/rules.d/70-veltrasko-box.rules \
  "./usr/share/applications/$id.desktop" \
  "./usr/share/mime/packages/$id.xml" \
  "./usr/share/icons/hicolor/scalable/apps/$id.svg" \
  "./usr/share/metainfo/$id.metainfo.xml" \
  ./usr/share/man/man1/veltrasko-analyser.1.gz \
  ./usr/share/man/man1/veltrasko-export.1.gz \
  ./usr/share/doc/veltrasko-analyser/copyright; do
  grep -qxF "$file" <<<"$files" || fail "missing $file"
done
# Nothing of the tests or tools that only developers use.
grep -qE 'vrcgen|boxsim|gtest|benchmark|\.a$|/include/' <<<"$files" && fail "developer files packaged"

dpkg-deb -e "$deb" "$out/control"
for script in postinst postrm; do
  [ -x "$out/control/$script" ] || fail "$script not executable"
  grep -q 'udevadm control --reload-rules' "$out/control/$script" || fail "$script does not reload udev"
  sh -n "$out/control/$script" || fail "$script is not valid sh"
done
exit $((failures > 0))
