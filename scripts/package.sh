#!/usr/bin/env bash
# Builds the Debian package: build/dazederir_<version>_<arch>.deb, installing into /usr.
#   package.sh [BUILD_DIR]     (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$build_dir" -DDAZED_WERROR=ON -DCMAKE_INSTALL_PREFIX=/usr
cd "$build_dir"
cpack --config CPackConfig.cmake >/dev/null
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' CPackConfig.cmake)
package="$build_dir/dazederir_${version}_$(dpkg --print-architecture).deb"
[ -f "$package" ] || { echo "package.sh: CPack did not make $package" >&2; exit 1; }
echo "$package"
