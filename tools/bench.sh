#!/usr/bin/env bash
# Builds and runs the benchmarks on a private Xvfb, where injected input is harmless.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${TAVIX_BUILD_DIR:-build}
bash tools/setup.sh
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" -j"$(nproc)" --target core_bench image_bench services_bench file_codec_bench script_bench run_bench recorder_bench editor_bench capture_bench startup_bench
export TAVIX_BENCH_INJECT=1
for bench in core_bench image_bench services_bench file_codec_bench script_bench run_bench recorder_bench editor_bench capture_bench startup_bench; do
  env -u DISPLAY bash tools/with-xvfb.sh "$build_dir/bin/$bench" "$@"
done
