#!/usr/bin/env bash
# Builds the Debian package of Quivermark with CPack into build/package/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
# dpkg-shlibdeps (dpkg-dev) finds the libraries the programs link; lintian checks the result.
extra=()
for package in dpkg-dev lintian; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        extra+=("$package")
done
if ((${#extra[@]})); then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${extra[@]}"
fi

# Debian keeps games in /usr/games (policy 11.11), which is on every user's PATH.
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_INSTALL_BINDIR=games -DQUIVERMARK_BENCHMARKS=OFF
cmake --build build/package --target quivermark quivermark-sim quivermark_docs quivermark_icons
(cd build/package && cpack -G DEB -B "$PWD")
deb=$(ls build/package/quivermark_*.deb)
echo "Built $deb"
lintian --no-tag-display-limit "$deb" || true
