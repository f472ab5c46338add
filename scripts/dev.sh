#!/usr/bin/env bash
# One entry point for a fresh machine:
#   scripts/dev.sh run   install what is missing, build, start Kestrel on the demo catalogue
#   scripts/dev.sh test  install what is missing, build, run the whole test suite
#   scripts/dev.sh sanitize        the whole suite built with ASan and UBSan (build-sanitize/)
#   scripts/dev.sh fuzz [SECONDS]  each fuzz target of tests/fuzz for SECONDS (default 60),
#                                  built with clang, libFuzzer, ASan and UBSan (build-fuzz/);
#                                  inputs it finds land in build-fuzz/corpus/<target>/
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${KESTREL_BUILD_DIR:-$here/build}"
mode="${1:-}"
case "$mode" in
    run|test|sanitize|fuzz) ;;
    *) echo "usage: scripts/dev.sh run|test|sanitize|fuzz [SECONDS]" >&2; exit 2 ;;
esac

if [ "$mode" = fuzz ]; then
    "$here/scripts/install-deps.sh" fuzz
else
    "$here/scripts/install-deps.sh"
fi

if [ "$mode" = sanitize ]; then
    build="$here/build-sanitize"
    cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTREL_SANITIZE=ON >/dev/null
    cmake --build "$build" -j "$(nproc)"
    cd "$build"
    # Qt's own libraries are not instrumented; leaks at exit are theirs to keep.
    ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 QT_QPA_PLATFORM=offscreen \
        ctest --output-on-failure -j "$(nproc)"
    exit
fi
if [ "$mode" = fuzz ]; then
    seconds="${2:-60}"
    build="$here/build-fuzz"
    CXX=clang++ cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTREL_FUZZ=ON \
        >/dev/null
    targets=$(cd "$here/tests/fuzz/corpus" && ls)
    for target in $targets; do
        cmake --build "$build" -j "$(nproc)" --target "fuzz_$target"
    done
    for target in $targets; do
        # New inputs go to the build's corpus; the kept ones seed it and are never changed.
        mkdir -p "$build/corpus/$target"
        echo "fuzzing $target for $seconds s"
        # Targets that write files run far faster where a sync costs nothing.
        TMPDIR="$([ -d /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")" \
            ASAN_OPTIONS=detect_leaks=0 "$build/fuzz/fuzz_$target" -max_total_time="$seconds" \
            -artifact_prefix="$build/corpus/$target-" "$build/corpus/$target" \
            "$here/tests/fuzz/corpus/$target"
    done
    exit
fi
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)"

if [ "$mode" = run ]; then
    exec "$build/kestrel"
else
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
fi
