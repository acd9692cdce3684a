#!/usr/bin/env bash
# Builds the project and either runs the program or runs every test.
#   ./build.sh run      build scenario-writer alone, then run it
#   ./build.sh test     build everything, then run all tests under CTest
#   ./build.sh windows  cross-build both programs for Windows and their .zip
# Installs the Debian packages the build needs when they are missing.
set -euo pipefail
cd "$(dirname "$0")"

usage() {
  echo "usage: $0 run|test|windows"
  echo "  run      build scenario-writer alone, then run it"
  echo "  test     build everything, then run all tests under CTest"
  echo "  windows  cross-build both programs for Windows and their .zip"
}
# Nothing is installed or built for an argument we do not know.
if [[ $# -eq 1 && ( "$1" == --help || "$1" == -h ) ]]; then
  usage
  exit 0
fi
if [[ $# -ne 1 || ( "$1" != run && "$1" != test && "$1" != windows ) ]]; then
  usage >&2
  exit 2
fi

# Installs the Debian packages named that are missing.
install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "installing: ${missing[*]}"
    local sudo=""; [[ $(id -u) -ne 0 ]] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
  fi
}

if [[ "$1" == windows ]]; then
  # MinGW-w64 with POSIX threads; the header-only libraries and GoogleTest's
  # source from Debian; Wine to run the tests (ctest --test-dir build-windows).
  install_missing cmake ninja-build g++-mingw-w64-x86-64-posix libcli11-dev \
    nlohmann-json3-dev googletest wine64
  cmake -S . -B build-windows -G Ninja --toolchain cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DSCENARIO_WERROR="${SCENARIO_WERROR:-OFF}" >/dev/null
  cmake --build build-windows
  (cd build-windows && cpack -G ZIP >/dev/null)
  echo "built: $(ls build-windows/bin/*.exe build-windows/scenario-writer-*.zip | tr '\n' ' ')"
  exit 0
fi

packages=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev libx11-dev libxft-dev
  fonts-dejavu-core
  libcli11-dev nlohmann-json3-dev)
# The window tests run on a virtual display; the manual page and the
# completions are read by man and by each shell; the report page is
# rendered by Chromium; Neovim and Emacs talk to the language server.
[[ "$1" == test ]] && packages+=(xvfb man-db groff-base zsh fish chromium neovim
  emacs-nox elpa-eglot)
install_missing "${packages[@]}"

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

# The same flags for run and test, so that going from one to the other
# rebuilds nothing; CI makes warnings errors with SCENARIO_WERROR=ON.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSCENARIO_WERROR="${SCENARIO_WERROR:-OFF}" >/dev/null
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
