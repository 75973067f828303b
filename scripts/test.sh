#!/usr/bin/env bash
# Builds Vesk with AddressSanitizer and UndefinedBehaviorSanitizer, warnings as errors, and runs
# every test (the layer check among them).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/test -DVESK_SANITIZE=ON -DVESK_WERROR=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/test -j2
ctest --test-dir build/test --output-on-failure -j2
