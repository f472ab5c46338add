#!/usr/bin/env bash
# One entry point for a fresh machine:
#   scripts/dev.sh run   install what is missing, build, start Kestrel on the demo catalogue
#   scripts/dev.sh test  install what is missing, build, run the whole test suite
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${KESTREL_BUILD_DIR:-$here/build}"
mode="${1:-}"
case "$mode" in
    run|test) ;;
    *) echo "usage: scripts/dev.sh run|test" >&2; exit 2 ;;
esac

"$here/scripts/install-deps.sh"
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)"

if [ "$mode" = run ]; then
    exec "$build/kestrel"
else
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
fi
