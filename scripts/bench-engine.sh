#!/usr/bin/env bash
# Measures the catalogue engine next to its floors and prints one table:
#   search    kestrel-cli search  vs  the sqlite3 shell running the same statement in plain
#             SQLite, on a copy of the catalogue whose text columns (and so indexes) are
#             COLLATE NOCASE; both whole processes, output thrown away; rows compared
#   window    kestrel-bench search / listing (the Search button, list filled and drawn)  vs
#             the same statement's run time inside the sqlite3 shell (.timer)
#   audit     kestrel-bench audit  vs  a bare stat() of every composed path
#   start-up  kestrel-bench startup FOLDER  vs  kestrel-bench startup --empty
# Times are the best of --runs runs; peak memory is GNU time's maximum resident set.
#
# usage: scripts/bench-engine.sh [--sizes 100000,1000000] [--build build] [--work DIR]
#                                [--runs N]
# Catalogues are made once per size under the work folder and reused. The measured program
# folder is never written to; the run ends with an error when its files changed. The table
# is also written, tab separated, to WORK/bench-engine.tsv.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
sizes="100000,1000000"
build="$here/build"
work="/tmp/kestrel-bench"
runs=5

usage() {
    echo "usage: scripts/bench-engine.sh [--sizes N,N...] [--build DIR] [--work DIR] [--runs N]" >&2
    exit 2
}
while [ $# -gt 0 ]; do
    case "$1" in
        --sizes) [ $# -ge 2 ] || usage; sizes="$2"; shift 2 ;;
        --build) [ $# -ge 2 ] || usage; build="$2"; shift 2 ;;
        --work) [ $# -ge 2 ] || usage; work="$2"; shift 2 ;;
        --runs) [ $# -ge 2 ] || usage; runs="$2"; shift 2 ;;
        *) usage ;;
    esac
done
[[ "$sizes" =~ ^[0-9]+(,[0-9]+)*$ ]] || usage
[[ "$runs" =~ ^[1-9][0-9]*$ ]] || usage
build="$(cd "$build" && pwd)"
mkdir -p "$work"
work="$(cd "$work" && pwd)"

missing=()
command -v sqlite3 >/dev/null || missing+=(sqlite3)
command -v hyperfine >/dev/null || missing+=(hyperfine)
# GNU time, not the shell keyword: only it reports peak memory.
/usr/bin/time -f %M -o /dev/null true 2>/dev/null || missing+=(time)
if [ ${#missing[@]} -gt 0 ]; then
    echo "bench-engine: missing ${missing[*]}; install with: apt-get install ${missing[*]}" >&2
    exit 1
fi
for program in kestrel-cli kestrel-bench kestrel-demo-catalogue; do
    if [ ! -x "$build/$program" ]; then
        echo "bench-engine: no $build/$program; build first (see README.md)" >&2
        exit 1
    fi
done

export QT_QPA_PLATFORM=offscreen
catalogue_name="AtariST Compilation Listing v1.sqlite"
cli="$build/kestrel-cli"
bench="$build/kestrel-bench"

# The searches, as kestrel-cli options; kestrel-bench search labels its cases the same way.
labels=('--name dragon' '--name "#dragon +demo"' '--letter 0-9' '--group Automation'
    '--name " "')
case_args() {
    case "$1" in
        0) args=(--name dragon) ;;
        1) args=(--name "#dragon +demo") ;;
        2) args=(--letter 0-9) ;;
        3) args=(--group Automation) ;;
        4) args=(--name " ") ;;
    esac
}

# Turns a statement of the catalogue's dialect, as `kestrel-cli search --sql` prints it, into
# plain SQLite on the NOCASE copy:
#   a & b & c            ifnull(a,'') || ifnull(b,'') || ifnull(c,'')  (& takes Null as '')
#   ORDER by Game DESC   ORDER BY [Game] COLLATE NOCASE DESC, [Game] COLLATE BINARY DESC
#                        (the dialect orders case-blind first, then exactly)
#   SELECT *             SELECT $columns, when columns is set (for comparing rows)
# LIKE stays as it is: SQLite's own, case-blind for ASCII. Only single names and literals
# are joined by &; any other shape stops the run rather than measure a different query.
# shellcheck disable=SC2016 # an awk program: its $ are awk's
jet_to_sqlite='
function fail(why) {
    printf "bench-engine: cannot turn into plain SQLite (%s): %s\n", why, $0 > "/dev/stderr"
    exit 1
}
function operand(k) { return kind[k] == "str" || kind[k] == "id" || kind[k] == "word" }
# The first token after k that is not white space (n + 1 past the end).
function next_token(k) {
    for (k++; k <= n && kind[k] == "ws"; k++)
        ;
    return k
}
function bracketed(k) { return kind[k] == "id" ? tok[k] : "[" tok[k] "]" }
{
    # Tokens: quoted literals (a quote written twice inside), [names], words (dotted names
    # and numbers too), runs of white space, and single other characters.
    n = 0
    len = length($0)
    for (i = 1; i <= len; i = j) {
        c = substr($0, i, 1)
        j = i + 1
        if (c == q) {
            while (j <= len && !(substr($0, j, 1) == q && substr($0, j + 1, 1) != q))
                j += substr($0, j, 1) == q ? 2 : 1
            j++
            k = "str"
        } else if (c == "[") {
            while (j <= len && substr($0, j - 1, 1) != "]") j++
            k = "id"
        } else if (c ~ /[A-Za-z0-9_]/) {
            while (j <= len && substr($0, j, 1) ~ /[A-Za-z0-9_.]/) j++
            k = "word"
        } else if (c ~ /[ \t]/) {
            while (j <= len && substr($0, j, 1) ~ /[ \t]/) j++
            k = "ws"
        } else {
            k = "sym"
        }
        tok[++n] = substr($0, i, j - i)
        kind[n] = k
    }

    out = ""
    for (p = 1; p <= n; p++) {
        t = next_token(p)
        if (columns != "" && toupper(tok[p]) == "SELECT" && tok[t] == "*") {
            out = out "SELECT " columns
            p = t
        } else if (operand(p) && tok[t] == "&") {
            out = out "ifnull(" tok[p] "," q q ")"
            while (tok[t] == "&") {
                p = next_token(t)
                if (!operand(p))
                    fail("& before something other than a name or literal")
                out = out " || ifnull(" tok[p] "," q q ")"
                t = next_token(p)
            }
        } else if (tok[p] == "&") {
            fail("& after something other than a name or literal")
        } else if (toupper(tok[p]) == "ORDER" && toupper(tok[t]) == "BY") {
            order = ""
            for (p = next_token(t); p <= n; p = next_token(p)) {
                if (kind[p] != "id" && kind[p] != "word")
                    fail("ORDER BY something other than a column")
                column = bracketed(p)
                direction = ""
                t = next_token(p)
                if (toupper(tok[t]) == "ASC" || toupper(tok[t]) == "DESC") {
                    direction = " " toupper(tok[t])
                    t = next_token(t)
                }
                order = order (order == "" ? "" : ", ") column " COLLATE NOCASE" direction \
                    ", " column " COLLATE BINARY" direction
                p = t
                if (p <= n && tok[p] != ",")
                    fail("ORDER BY followed by more than columns")
            }
            out = out "ORDER BY " order
        } else {
            out = out tok[p]
        }
    }
    print out ";"
}'
to_sqlite() { # STATEMENT [COLUMNS]
    printf '%s\n' "$1" | awk -v q="'" -v columns="${2:-}" "$jet_to_sqlite"
}

# A value of the settings file: section, key.
setting() {
    awk -F= -v section="[$2]" -v key="$3" '
        /^\[/ { inside = ($0 == section) }
        inside && $1 == key { sub(/^[^=]*=/, ""); sub(/\r$/, ""); print; exit }' "$1"
}

# The catalogue copy for the floor: the same tables and rows, text columns COLLATE NOCASE
# (whatever collation the original declares), the same indexes, which so become NOCASE too.
make_floor() { # CATALOGUE FLOOR
    local original="$1" floor="$2" nocase tables table
    nocase='s/\<TEXT\>([[:space:]]+COLLATE[[:space:]]+[A-Za-z_]+)?/TEXT COLLATE NOCASE/g'
    tables=$(sqlite3 -readonly "$original" \
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'")
    rm -f "$floor.tmp"
    {
        echo "ATTACH '${original//\'/\'\'}' AS original;"
        echo "BEGIN;"
        sqlite3 -readonly "$original" "SELECT sql || ';' FROM sqlite_master
            WHERE type = 'table' AND name NOT LIKE 'sqlite%'" | sed -E "$nocase"
        for table in $tables; do
            echo "INSERT INTO main.[$table] SELECT * FROM original.[$table];"
        done
        sqlite3 -readonly "$original" "SELECT sql || ';' FROM sqlite_master
            WHERE type = 'index' AND sql IS NOT NULL" |
            sed -E 's/[[:space:]]+COLLATE[[:space:]]+[A-Za-z_]+//g'
        echo "COMMIT;"
    } | sqlite3 -batch "$floor.tmp"
    mv "$floor.tmp" "$floor"
}

# Milliseconds of hyperfine's CSV: the best run of command LINE (1 = the first command).
csv_best_ms() { # CSV LINE
    # The command may hold commas; the seven figures after it never do (min is next to last).
    awk -F, -v line="$(($2 + 1))" 'NR == line { printf "%.1f", $(NF - 1) * 1000 }' "$1"
}

# The ratio of the mean CPU time (user and system) of the two commands in hyperfine's CSV:
# less disturbed than the wall time when the machine is busy with other work.
csv_cpu_ratio() { # CSV
    awk -F, 'NR > 1 { cpu[NR - 1] = $(NF - 3) + $(NF - 2) }
        END { if (cpu[2] > 0) printf "%.2f", cpu[1] / cpu[2]; else print "-" }' "$1"
}

# Peak memory in MB of one run of a command, its output thrown away.
peak_mb() {
    local file
    file=$(mktemp)
    /usr/bin/time -f %M -o "$file" "$@" >/dev/null 2>&1 || true
    awk '{ printf "%.0f", $1 / 1024 }' "$file"
    rm -f "$file"
}

# Best of the "Run Time: real S" lines sqlite3 prints with .timer on, after the first.
timer_best_ms() {
    awk '/^Run Time: real/ { if (++seen > 1 && (best == "" || $4 < best)) best = $4 }
         END { printf "%.1f", best * 1000 }'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }

# Compares the rows kestrel-cli printed with the floor's; says how they differ.
compare_rows() { # KESTREL FLOOR
    local said line
    if cmp -s "$1" "$2"; then
        echo "rows equal"
    elif [ "$(sort "$1" | cksum)" = "$(sort "$2" | cksum)" ] &&
        cmp -s <(awk -F' -- ' '{ print $1 }' "$1") <(awk -F' -- ' '{ print $1 }' "$2"); then
        # Rows with equal sort keys may come in any order; only such rows differ here.
        echo "rows equal, ties in another order"
    elif [ "$(sort "$1" | cksum)" = "$(sort "$2" | cksum)" ] &&
        awk -F' -- ' '{ print $1 }' "$1" | iconv -f UTF-8 -t ASCII//TRANSLIT |
        tr '[:upper:]' '[:lower:]' | LC_ALL=C sort -c 2>/dev/null; then
        # The floor's NOCASE puts accented letters after "z"; kestrel puts "É" with "E".
        echo "rows equal, accented titles in reader's order"
    else
        # cmp names the line of the first difference, or the last line of the shorter file.
        said=$(cmp "$1" "$2" 2>&1 || true)
        line=$(grep -o 'line [0-9]*' <<<"$said" | head -1 || true)
        line=${line#line }
        if [[ "$said" == *EOF* && -n "$line" ]]; then line=$((line + 1)); fi
        echo "rows differ from row ${line:=1}: kestrel \"$(sed -n "${line}p" "$1")\"" \
            "floor \"$(sed -n "${line}p" "$2")\""
    fi
}

tsv="$work/bench-engine.tsv"
printf 'entries\tfigure\tkestrel_ms\tfloor_ms\tratio\tcpu_ratio\tkestrel_mb\tfloor_mb\trows\tcheck\n' \
    >"$tsv"
row() { # ENTRIES FIGURE KESTREL_MS FLOOR_MS CPU_RATIO KESTREL_MB FLOOR_MB ROWS CHECK
    printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$1" "$2" "$3" "$4" "$(ratio "$3" "$4")" \
        "$5" "$6" "$7" "$8" "$9" >>"$tsv"
}
say() { echo "bench-engine: $*" >&2; }

# Runs a command with its output in $dir/logs/NAME.txt and .err; stops the run when it fails.
run_logged() { # NAME COMMAND...
    local name="$1"
    shift
    if ! "$@" >"$dir/logs/$name.txt" 2>"$dir/logs/$name.err"; then
        say "$* failed; see $dir/logs/$name.err"
        exit 1
    fi
}

IFS=, read -r -a size_list <<<"$sizes"
for entries in "${size_list[@]}"; do
    dir="$work/$entries"
    folder="$dir/folder"
    catalogue="$folder/$catalogue_name"
    floor="$dir/floor.sqlite"
    mkdir -p "$folder" "$dir/sql" "$dir/rows" "$dir/timings" "$dir/logs"
    if [ ! -f "$catalogue" ]; then
        say "making a catalogue of $entries entries"
        "$build/kestrel-demo-catalogue" --entries "$entries" "$catalogue"
    fi
    cmp -s "$here/data/Rummage.ini" "$folder/Rummage.ini" ||
        cp "$here/data/Rummage.ini" "$folder/Rummage.ini"
    if [ ! -f "$floor" ] || [ "$catalogue" -nt "$floor" ]; then
        say "making the NOCASE copy of the $entries-entry catalogue"
        make_floor "$catalogue" "$floor"
    fi
    cp "$folder/Rummage.ini" "$dir/Rummage.ini.before"
    catalogue_sum=$(cksum <"$catalogue")
    # The two columns kestrel-cli prints, as the settings order them.
    first=$(setting "$folder/Rummage.ini" colorder 1)
    second=$(setting "$folder/Rummage.ini" colorder 2)
    columns="[${first:-Game}], [${second:-Group}]"

    # Searches: whole processes, kestrel-cli against the sqlite3 shell.
    for i in "${!labels[@]}"; do
        case_args "$i"
        say "$entries: search ${labels[$i]}"
        statement=$("$cli" --folder "$folder" search "${args[@]}" --sql)
        to_sqlite "$statement" >"$dir/sql/$i.sql"
        to_sqlite "$statement" "$columns" >"$dir/sql/$i-rows.sql"
        kestrel_command=$(printf '%q ' "$cli" --folder "$folder" search "${args[@]}")
        floor_command=$(printf '%q ' sqlite3 -init /dev/null -batch "$floor" ".read $dir/sql/$i.sql")
        hyperfine -N --style none --warmup 1 --runs "$runs" \
            --export-csv "$dir/timings/search-$i.csv" --export-json "$dir/timings/search-$i.json" \
            "$kestrel_command" "$floor_command" >/dev/null
        "$cli" --folder "$folder" search "${args[@]}" >"$dir/rows/$i-kestrel.txt" 2>/dev/null
        sqlite3 -init /dev/null -batch -separator ' -- ' "$floor" ".read $dir/sql/$i-rows.sql" \
            >"$dir/rows/$i-floor.txt"
        row "$entries" "search ${labels[$i]}" \
            "$(csv_best_ms "$dir/timings/search-$i.csv" 1)" \
            "$(csv_best_ms "$dir/timings/search-$i.csv" 2)" \
            "$(csv_cpu_ratio "$dir/timings/search-$i.csv")" \
            "$(peak_mb "$cli" --folder "$folder" search "${args[@]}")" \
            "$(peak_mb sqlite3 -init /dev/null -batch "$floor" ".read $dir/sql/$i.sql")" \
            "$(wc -l <"$dir/rows/$i-kestrel.txt")" \
            "$(compare_rows "$dir/rows/$i-kestrel.txt" "$dir/rows/$i-floor.txt")"
        # The same statement inside one sqlite3 process, for the window's figures.
        {
            echo ".output /dev/null"
            echo ".timer on"
            for _ in $(seq 0 "$runs"); do cat "$dir/sql/$i.sql"; done
        } | sqlite3 -init /dev/null -batch "$floor" | timer_best_ms >"$dir/timings/query-$i.ms"
    done

    # The window: the Search button for the same searches, and every entry into the list.
    say "$entries: window searches"
    run_logged window-search "$bench" search "$folder" "$runs"
    window_mb=$(awk '/^peak memory/ { print $3 }' "$dir/logs/window-search.txt")
    for i in "${!labels[@]}"; do
        # "LABEL   rows N  min A ms  median B ms  max C ms", then a line per refusal.
        read -r window_rows window_ms refused < <(awk -v label="${labels[$i]}" '
            found && /^  refused:/ { refused++; next }
            found { exit }
            index($0, label " ") == 1 { found = 1; sub(/.* rows +/, ""); rows = $1; ms = $3 }
            END { print rows, ms, refused + 0 }' "$dir/logs/window-search.txt")
        cli_rows=$(wc -l <"$dir/rows/$i-kestrel.txt")
        if [ "$refused" != 0 ]; then
            check="refused, see $dir/logs"
        elif [ "$window_rows" = "$cli_rows" ]; then
            check="as many rows as kestrel-cli"
        else
            check="kestrel-cli listed $cli_rows rows"
        fi
        row "$entries" "window ${labels[$i]}" "$window_ms" "$(cat "$dir/timings/query-$i.ms")" "-" \
            "$window_mb (all)" "-" "$window_rows" "$check"
    done
    say "$entries: window listing"
    run_logged listing "$bench" listing "$folder" "$runs"
    # "rows N  runs R  min A ms  median B ms  max C ms  peak memory M MB"
    read -r listing_rows listing_ms listing_mb < <(awk '{ print $2, $6, $16 }' "$dir/logs/listing.txt")
    cli_rows=$(wc -l <"$dir/rows/4-kestrel.txt")
    check="as many rows as kestrel-cli"
    [ "$listing_rows" = "$cli_rows" ] || check="kestrel-cli listed $cli_rows rows"
    row "$entries" "window listing, every entry" "$listing_ms" "$(cat "$dir/timings/query-4.ms")" "-" \
        "$listing_mb" "-" "$listing_rows" "$check"

    # The audit changes availability codes: each run audits a fresh copy of the catalogue, where
    # most codes change (every other image is present), then audits it again, when none does.
    say "$entries: audit"
    audit_best="" reaudit_best="" stat_best="" audit_mb=""
    audit_times() { # LOG -> "STAT_MS AUDIT_MS" of "disks N  present P  stat() floor A ms  full audit B ms"
        sed -n 's/.*stat() floor \([0-9]*\) ms  full audit \([0-9]*\) ms.*/\1 \2/p' "$1"
    }
    for _ in $(seq 1 "$(( runs < 3 ? runs : 3 ))"); do
        rm -rf "$dir/audit-folder"
        mkdir -p "$dir/audit-folder"
        cp "$catalogue" "$folder/Rummage.ini" "$dir/audit-folder/"
        # Else the audit's first commit would wait for the whole fresh copy to reach the disk.
        sync "$dir/audit-folder/"*
        mb_file="$dir/logs/audit.mb"
        run_logged audit /usr/bin/time -f %M -o "$mb_file" "$bench" audit "$dir/audit-folder" \
            "$dir/images"
        read -r stat_ms audit_ms < <(audit_times "$dir/logs/audit.txt")
        if [ -z "$audit_best" ] || [ "$audit_ms" -lt "$audit_best" ]; then audit_best=$audit_ms; fi
        if [ -z "$stat_best" ] || [ "$stat_ms" -lt "$stat_best" ]; then stat_best=$stat_ms; fi
        audit_mb=$(awk '{ printf "%.0f", $1 / 1024 }' "$mb_file")
        run_logged reaudit "$bench" audit "$dir/audit-folder" "$dir/images"
        read -r stat_ms audit_ms < <(audit_times "$dir/logs/reaudit.txt")
        if [ -z "$reaudit_best" ] || [ "$audit_ms" -lt "$reaudit_best" ]; then reaudit_best=$audit_ms; fi
        if [ "$stat_ms" -lt "$stat_best" ]; then stat_best=$stat_ms; fi
    done
    rm -rf "$dir/audit-folder"
    disks=$(sed -n 's/^disks \([0-9]*\).*/\1/p' "$dir/logs/audit.txt")
    changed=$(sed -n 's/^codes that may change: \([0-9]*\).*/\1/p' "$dir/logs/audit.txt")
    row "$entries" "audit, most codes change" "$audit_best" "$stat_best" "-" "$audit_mb" "-" \
        "$disks disks" "up to $changed codes written"
    row "$entries" "audit again, none changes" "$reaudit_best" "$stat_best" "-" "-" "-" \
        "$disks disks" "-"

    # Start-up: the main window on the catalogue against an empty Qt main window.
    say "$entries: start-up"
    hyperfine -N --style none --warmup 1 --runs "$runs" \
        --export-csv "$dir/timings/startup.csv" --export-json "$dir/timings/startup.json" \
        "$(printf '%q ' "$bench" startup "$folder")" "$(printf '%q ' "$bench" startup --empty)" \
        >/dev/null
    row "$entries" "start-up, vs empty window" "$(csv_best_ms "$dir/timings/startup.csv" 1)" \
        "$(csv_best_ms "$dir/timings/startup.csv" 2)" "$(csv_cpu_ratio "$dir/timings/startup.csv")" \
        "$(peak_mb "$bench" startup "$folder")" \
        "$(peak_mb "$bench" startup --empty)" "-" "-"

    # Nothing measured may have written into the measured folder.
    if ! cmp -s "$dir/Rummage.ini.before" "$folder/Rummage.ini"; then
        say "the measured folder's Rummage.ini changed during the run"
        exit 1
    fi
    if [ "$(cksum <"$catalogue")" != "$catalogue_sum" ]; then
        say "the measured catalogue changed during the run"
        exit 1
    fi
    say "$entries: the measured folder's Rummage.ini and catalogue are unchanged"
done

# The table, from the TSV.
awk -F'\t' '
    function line(a, b, c, d, e, f, g, h, i, j) {
        printf "%-8s %-34s %9s %9s %6s %6s %9s %7s %11s  %s\n", a, b, c, d, e, f, g, h, i, j
    }
    NR == 1 {
        line("entries", "figure", "kestrel", "floor", "ratio", "cpu", "kestrel", "floor", "rows", "check")
        line("", "", "ms", "ms", "", "ratio", "peak MB", "peak MB", "", "")
        next
    }
    { line($1, $2, $3, $4, $5, $6, $7, $8, $9, $10) }' "$tsv"
cat <<EOF

Floors: search = sqlite3 shell, same statement in plain SQLite on a COLLATE NOCASE copy
(whole process, output to /dev/null); window = that statement's run time inside sqlite3
(.timer); audit = stat() of every composed path (the better of the runs before and after); start-up = an empty Qt main window.
Times are the best of $runs runs (audit: of up to 3, each on a fresh copy); ratio is of
those, cpu ratio of the mean user + system time, where both are whole processes. Window peak
memory is for all five searches in one process. Details: $work (TSV: $tsv).
EOF
