#!/usr/bin/env bash
# Builds the project and either runs the program or runs every test.
#   ./build.sh run    build scenario-writer alone, then run it
#   ./build.sh test   build everything, then run all tests under CTest
# Installs the Debian packages the build needs when they are missing.
set -euo pipefail
cd "$(dirname "$0")"

usage() {
  echo "usage: $0 run|test"
  echo "  run   build scenario-writer alone, then run it"
  echo "  test  build everything, then run all tests under CTest"
}
# Nothing is installed or built for an argument we do not know.
if [[ $# -eq 1 && ( "$1" == --help || "$1" == -h ) ]]; then
  usage
  exit 0
fi
if [[ $# -ne 1 || ( "$1" != run && "$1" != test ) ]]; then
  usage >&2
  exit 2
fi

packages=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev libx11-dev libxft-dev
  fonts-dejavu-core
  libcli11-dev nlohmann-json3-dev)
# The window tests run on a virtual display; the manual page and the
# completions are read by man and by each shell; the report page is
# rendered by Chromium; Neovim and Emacs talk to the language server.
[[ "$1" == test ]] && packages+=(xvfb man-db groff-base zsh fish chromium neovim
  emacs-nox elpa-eglot)
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

# The VS Code extension is built and its grammar tested with npm packages.
if [[ "$1" == test ]]; then
  if ! command -v npm > /dev/null; then
    sudo=""; [[ $(id -u) -ne 0 ]] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq nodejs npm
  fi
  if [[ ! -d editors/vscode/node_modules/vscode-textmate ]]; then
    npm ci --prefix editors/vscode --no-audit --no-fund --loglevel=error
  fi
fi

werror=OFF
[[ "$1" == test ]] && werror=ON
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSCENARIO_WERROR=$werror >/dev/null
if [[ "$1" == run ]]; then
  cmake --build build --target scenario-writer
else
  cmake --build build
fi

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
esac
