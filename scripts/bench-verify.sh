#!/usr/bin/env bash
# Verifying disk images against the floor of hashing the same files:
#   scripts/bench-verify.sh [--images N] [--work DIR]
# makes N images of 720 KB (default 2000) for the first N disks of a copy of the demo
# catalogue, each in its record's format, then times side by side with hyperfine:
#   sha1sum of the image files,
#   kestrel-cli verify on fresh tables (checksums and the files on each disk),
#   kestrel-cli verify again (nothing changed: no image is read).
# Needs a built tree (build/), hyperfine, sqlite3, hatari (hmsa) and mtools.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
images=2000
work=/tmp/kestrel-bench-verify
while [ $# -gt 0 ]; do
    case "$1" in
        --images) images="$2"; shift 2 ;;
        --work) work="$2"; shift 2 ;;
        *) echo "usage: scripts/bench-verify.sh [--images N] [--work DIR]" >&2; exit 2 ;;
    esac
done
build="$here/build"
rm -rf "$work"
mkdir -p "$work/folder" "$work/root"
cp "$build/kestrel-cli" "$build/kestrel-mdb-reader" "$work/folder/"
catalogue="$work/folder/AtariST Compilation Listing v1.sqlite"
"$build/kestrel-demo-catalogue" --entries $((images * 4)) "$catalogue" >/dev/null
sed "s|^rootfolder=.*|rootfolder=$work/root|" "$here/data/Rummage.ini" > "$work/folder/Rummage.ini"

# One disk full of data (a blank one would pack to nothing as .msa), in each format.
hmsa "$work/base.st" DS >/dev/null
head -c 700000 /dev/urandom > "$work/DATA.BIN"
mcopy -i "$work/base.st" "$work/DATA.BIN" ::DATA.BIN
hmsa "$work/base.st" >/dev/null || true
{ printf 'BB\0\0\0\0\1\0\11\0\0\0\117'; head -c 19 /dev/zero; cat "$work/base.st"; } > "$work/base.dim"

sqlite3 -separator $'\x1f' "$catalogue" \
    "SELECT folder, filename, IFNULL(filenumber, ''), fileexten FROM Dnames ORDER BY F_ID LIMIT $images" |
while IFS=$'\x1f' read -r folder filename number extension; do
    mkdir -p "$work/root/$folder"
    cp "$work/base.$extension" "$work/root/$folder/$filename$number.$extension"
done
find "$work/root" -type f > "$work/list"
echo "$(wc -l < "$work/list") images, $(du -sh "$work/root" | cut -f1)" >&2

cli="$work/folder/kestrel-cli"
fresh="sqlite3 '$catalogue' 'DROP TABLE IF EXISTS ImageChecks; DROP TABLE IF EXISTS ImageFiles'"
# The fresh run starts from no stored checks; the others need nothing undone.
hyperfine --warmup 1 --runs 5 \
    --prepare true --prepare "$fresh" --prepare true \
    -n "sha1sum" "xargs -d '\\n' -a '$work/list' sha1sum > /dev/null" \
    -n "verify (fresh)" "'$cli' verify > /dev/null 2>&1" \
    -n "verify (unchanged)" "'$cli' verify > /dev/null 2>&1"
