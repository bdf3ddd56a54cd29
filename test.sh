#!/usr/bin/env bash
# Builds everything and runs every test: once plain, once under
# AddressSanitizer and UndefinedBehaviorSanitizer. The benchmarks are built
# (not run) in the plain build only.
set -euo pipefail
cd "$(dirname "$0")"
source ./deps.sh
jxc_install_dependencies
jxc_verify_package_list

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

run_suite() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DJXC_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  (cd "$dir" && ctest --output-on-failure -j"$jobs" --timeout 600)
}

echo "== plain build =="
run_suite build-test
echo "== AddressSanitizer + UndefinedBehaviorSanitizer =="
ASAN_OPTIONS=abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite build-asan -DJXC_SANITIZE=ON -DJXC_BUILD_BENCHES=OFF
