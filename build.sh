#!/usr/bin/env bash
# Builds the project and either runs the program or runs every test.
#   ./build.sh run    build, then run build/bin/scenario-writer
#   ./build.sh test   build, then run all tests under CTest
# Installs the Debian packages the build needs when they are missing.
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev libx11-dev libxft-dev
  fonts-dejavu-core
  libcli11-dev nlohmann-json3-dev)
# The window tests run on a virtual display.
[[ "${1:-}" == test ]] && packages+=(xvfb)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  sudo=""; [[ $(id -u) -ne 0 ]] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

werror=OFF
[[ "${1:-}" == test ]] && werror=ON
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSCENARIO_WERROR=$werror >/dev/null
cmake --build build

case "${1:-}" in
  run)
    status=0
    build/bin/scenario-writer || status=$?
    echo "scenario-writer exited with status $status; its files are in $(pwd)/build/bin:"
    ls -l build/bin/Valdorsio-Ronsale* || true
    exit "$status"
    ;;
  test)
    ctest --test-dir build --output-on-failure --no-tests=error -j"$(nproc)"
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
