#!/usr/bin/env bash
# quickstart.sh run   installs what is missing, builds, and runs the example script
#                     (its files go to <build>/tavix-tour)
# quickstart.sh test  installs what is missing, builds, and runs the whole test suite
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${TAVIX_BUILD_DIR:-build}
what=${1:-run}

bash tools/setup.sh
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${TAVIX_CMAKE_ARGS:-} >/dev/null
cmake --build "$build_dir" -j"$(nproc)"

case "$what" in
  run)
    root=$PWD
    cd "$build_dir"
    exec bash "$root/tools/with-xvfb.sh" bin/vantor-run "$root/examples/tour.js"
    ;;
  test)
    export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
    # Only read by sanitizer builds (-DTAVIX_SANITIZE=ON): Qt's lifetime allocations are not leaks.
    export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tools/lsan.supp:print_suppressions=0:fast_unwind_on_malloc=0}
    exec bash tools/with-xvfb.sh ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)"
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
