#!/usr/bin/env bash
# Builds 汀岑进销存 and starts it.
set -euo pipefail
cd "$(dirname "$0")"
source ./deps.sh
jxc_install_dependencies

cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release -j"$(nproc)" --target tingcen-jxc
exec ./build-release/bin/tingcen-jxc "$@"
