#!/bin/sh
# Gathers the steering styles' rows from several style gauntlets (the fingerprint.csv
# that `brisvane styles` writes in each run's folder) into one table of style strength
# against the style's own column and its Elo, for tools/styles_curve.gp to draw.
#
#   tools/styles_curve.sh OUT.csv RUN_DIR...
#
# OUT.csv gets one line per style and strength, sorted by both:
#   style,strength,column,value,lo,hi,balanced,balanced_lo,balanced_hi,elo,elo_lo,elo_hi,games
# balanced* is the same column in the Balanced row of that style's own run, the baseline
# it was measured against. When two runs give the same style and strength, the run named
# later wins. A run without a readable fingerprint.csv, or whose file has no Balanced row
# or lacks a column, is named on standard error, and OUT.csv is left as it was (exit 2).
#
# The steering styles (those the gate holds to its cost test) and each one's own column
# come from the program's style table, `$BRISVANE styles --list`; BRISVANE defaults to
# the build next to this script.
set -eu

if [ $# -lt 2 ]; then
  echo "usage: tools/styles_curve.sh OUT.csv RUN_DIR..." >&2
  exit 2
fi
out=$1
shift

brisvane=${BRISVANE:-$(dirname "$0")/../build/brisvane}
# The table comes first, so that a program that cannot give it leaves OUT.csv alone.
if ! list=$("$brisvane" styles --list) || [ -z "$list" ]; then
  echo "styles_curve.sh: $brisvane gave no style table (styles --list); set BRISVANE to the program" >&2
  exit 2
fi

missing=0
for dir in "$@"; do
  if [ ! -r "$dir/fingerprint.csv" ] || [ ! -s "$dir/fingerprint.csv" ]; then
    echo "styles_curve.sh: $dir/fingerprint.csv is missing or empty" >&2
    missing=1
  fi
done
[ "$missing" -eq 0 ] || exit 2

# Written next to OUT.csv, so that the move into place replaces it in one step.
tmp=$(mktemp "$out.XXXXXX") || exit 2
trap 'rm -f "$tmp"' EXIT

# The arguments become the files themselves, in the same order.
for dir in "$@"; do set -- "$@" "$dir/fingerprint.csv"; shift; done

STYLE_LIST=$list awk -F, '
  BEGIN {
    # The column each steering style is built to raise: the first of its gate columns,
    # without the mark of its direction.
    rows = split(ENVIRON["STYLE_LIST"], styles, "\n")
    n = split(styles[1], names, ",")
    for (i = 1; i <= n; ++i) list[names[i]] = i
    if (!("style" in list) || !("gate" in list) || !("costed" in list)) {
      print "styles_curve.sh: the style table has no columns style, gate and costed" | "cat >&2"
      exit 2
    }
    for (r = 2; r <= rows; ++r) {
      split(styles[r], fields, ",")
      split(fields[list["gate"]], gate, " ")
      if (fields[list["costed"]] == "yes") own[fields[list["style"]]] = substr(gate[1], 2)
    }
    # The runs in the order named, so that a later one overwrites an earlier line.
    for (i = 1; i < ARGC; ++i) run(ARGV[i])
    if (bad) exit 2
    print "style,strength,column,value,lo,hi,balanced,balanced_lo,balanced_hi,elo,elo_lo,elo_hi,games"
    fflush()
    for (key in line) print line[key] | "LC_ALL=C sort -t, -k1,1 -k2,2n"
    exit 0
  }

  function fail(file, why) {
    print "styles_curve.sh: " file ": " why | "cat >&2"
    bad = 1
  }

  # Each steering row of one file, beside the Balanced row of the same file.
  function run(file,    text, n, names, col, i, need, name, rows, body, fields, base, s, c) {
    if ((getline text < file) <= 0) { fail(file, "cannot be read"); return }
    n = split(text, names, ",")
    for (i = 1; i <= n; ++i) col[names[i]] = i
    n = split("style strength games elo elo_lo elo_hi", need, " ")
    for (s in own) {
      need[++n] = own[s]; need[++n] = own[s] "_lo"; need[++n] = own[s] "_hi"
    }
    for (i = 1; i <= n; ++i)
      if (!(need[i] in col)) { fail(file, "has no column " need[i]); close(file); return }
    rows = 0
    while ((getline text < file) > 0) body[++rows] = text
    close(file)
    for (i = 1; i <= rows && !base; ++i) {
      split(body[i], fields, ",")
      if (fields[col["style"]] == "Balanced") split(body[base = i], balanced, ",")
    }
    if (!base) { fail(file, "has no Balanced row"); return }
    for (i = 1; i <= rows; ++i) {
      split(body[i], fields, ",")
      s = fields[col["style"]]
      if (!(s in own)) continue
      c = own[s]
      line[s SUBSEP fields[col["strength"]]] = s "," fields[col["strength"]] "," c "," \
        fields[col[c]] "," fields[col[c "_lo"]] "," fields[col[c "_hi"]] "," \
        balanced[col[c]] "," balanced[col[c "_lo"]] "," balanced[col[c "_hi"]] "," \
        fields[col["elo"]] "," fields[col["elo_lo"]] "," fields[col["elo_hi"]] "," fields[col["games"]]
    }
  }
' "$@" > "$tmp" || exit 2

# mktemp makes the file private; the table is as readable as any other output.
chmod 644 "$tmp"
mv "$tmp" "$out"
trap - EXIT
