#!/usr/bin/env bash
# Builds the template-file fuzz target with clang in a build folder of its
# own (the main build keeps its compiler) and runs it from the seed corpus
# for a bounded time. Usage: run-fuzzer.sh SOURCE_DIR BUILD_DIR SECONDS
set -euo pipefail
source_dir=$1
build_dir=$2
seconds=$3

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DQUILLMARK_FUZZ=ON "${launcher[@]}" >/dev/null
cmake --build "$build_dir" --target profile_reader_fuzz -j2 >/dev/null

# New inputs and the target's scratch file go to a folder that goes with it.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/found"
TMPDIR="$scratch" "$build_dir/tests/profile_reader_fuzz" -max_total_time="$seconds" -timeout=10 \
  -rss_limit_mb=2048 -print_final_stats=1 "$scratch/found" "$source_dir/tests/fuzz/corpus"
