#!/usr/bin/env bash
# Makes disk images for the demo catalogue, so that verifying, duplicates and the files panel
# have something real to work on:
#   tools/demo-images/make-demo-images.sh CATALOGUE ROOT [DISKS]
# writes under ROOT the images of the first DISKS disks (default 300) of the catalogue's
# largest groups, each in the format its record names (.st, .msa or .dim), with one small
# program file a game on it. Made with Hatari's hmsa and mtools; a few are spoiled on purpose
# (cut short, emptied, a copy of another disk) so that every state shows. Then point the
# root game folder (Settings) at ROOT and run `kestrel-cli verify`.
set -euo pipefail
catalogue="${1:?usage: make-demo-images.sh CATALOGUE ROOT [DISKS]}"
root="${2:?usage: make-demo-images.sh CATALOGUE ROOT [DISKS]}"
disks="${3:-300}"
for tool in sqlite3 hmsa mcopy; do
    command -v "$tool" >/dev/null || { echo "make-demo-images: $tool is missing (Debian: sqlite3, hatari, mtools)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
hmsa "$work/blank.st" DS >/dev/null

# An 8.3 name of a title: its letters and digits, upper case.
dos_name() {
    local name
    name=$(printf '%s' "$1" | tr -cd 'A-Za-z0-9' | tr 'a-z' 'A-Z' | cut -c1-8)
    printf '%s.PRG' "${name:-GAME}"
}

count=0
previous=""
# The disks of the largest groups first, each with its first game. The fields are parted by a
# character no title holds: a tab would let read(1) merge an empty field with the next.
sqlite3 -separator $'\x1f' "$catalogue" "
    SELECT d.F_ID, d.folder, d.filename, IFNULL(d.filenumber, ''), d.fileexten,
           (SELECT Game FROM Compilations c WHERE c.F_ID = d.F_ID ORDER BY Nummer LIMIT 1)
    FROM Dnames d JOIN (SELECT folder, COUNT(*) AS n FROM Dnames GROUP BY folder) g
        ON g.folder = d.folder
    ORDER BY g.n DESC, d.folder, d.F_ID LIMIT $disks" |
while IFS=$'\x1f' read -r id folder filename number extension game; do
    mkdir -p "$root/$folder"
    target="$root/$folder/$filename$number.$extension"
    disk="$work/disk.st"
    cp "$work/blank.st" "$disk"
    printf 'Disk %s: %s\r\n' "$id" "$game" > "$work/README.TXT"
    head -c $((2000 + id % 5000)) /dev/urandom > "$work/game"
    mcopy -i "$disk" "$work/README.TXT" ::README.TXT
    mcopy -i "$disk" "$work/game" "::$(dos_name "$game")"
    case "$extension" in
        msa) rm -f "$work/disk.msa"; hmsa "$disk" >/dev/null || true; cp "$work/disk.msa" "$target" ;;
        dim) { printf 'BB\0\0\0\0\1\0\11\0\0\0\117'; head -c 19 /dev/zero; cat "$disk"; } > "$target" ;;
        *) cp "$disk" "$target" ;;
    esac
    count=$((count + 1))
    # Spoiled on purpose, now and then.
    case $((count % 40)) in
        7) truncate -s 300000 "$target" ;;
        19) : > "$target" ;;
        29) [ -n "$previous" ] && [ "${previous##*.}" = "${target##*.}" ] && cp "$previous" "$target" ;;
    esac
    previous="$target"
done
echo "make-demo-images: images written under $root" >&2
