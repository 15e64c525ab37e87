#!/bin/sh
# Sets up, builds with AddressSanitizer and UndefinedBehaviorSanitizer, and runs every test.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
"$ROOT/tools/setup.sh" "$ROOT/build-test" -DCMAKE_BUILD_TYPE=Debug -DVORKALA_SANITIZE=ON
export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
cd "$ROOT/build-test"
ctest --output-on-failure -j"$(nproc)"
