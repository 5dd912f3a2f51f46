#!/usr/bin/env bash
# Checks a built Debian package without installing it: its files are exactly those of
# packaging/package-files.txt, its desktop entry and AppStream data validate, its dependencies
# were found, and the unpacked programs run.
#   check-package.sh PACKAGE.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
package=$1
fail() { echo "check-package.sh: $*" >&2; exit 1; }

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$package" "$unpacked"

# Regular files and links only; folders are implied by them.
if ! diff -u "$root/packaging/package-files.txt" \
    <(cd "$unpacked" && find . \( -type f -o -type l \) | LC_ALL=C sort); then
  fail "the package's files differ from packaging/package-files.txt (above)"
fi

depends=$(dpkg-deb -f "$package" Depends)
for library in libc6 libqt6core6 libqt6widgets6 libqt6serialport6 libqcustomplot2.1-qt6; do
  [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

desktop-file-validate "$unpacked"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml >/dev/null ||
  fail "appstreamcli validate --no-net failed on the package's metainfo"

bin="$unpacked/usr/bin"
identify=$("$bin/dazederir-cli" --simulate identify)
[ "$identify" = "1103 full" ] || fail "dazederir-cli --simulate identify printed '$identify'"
version=$(dpkg-deb -f "$package" Version)
for program in dazederir dazederir-cli dazederir-ecusim; do
  said=$(QT_QPA_PLATFORM=offscreen "$bin/$program" --version)
  [ "$said" = "$program $version" ] || fail "$program --version printed '$said', not '$program $version'"
done
echo "check-package.sh: $(basename "$package") passed"
