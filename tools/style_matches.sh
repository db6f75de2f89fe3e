#!/bin/sh
# Every style under a real clock: for each row a match of this engine playing the style
# with both colours at its published strength (the Style option, and both strengths) against the same
# binary without the tactical selection, its strongest play. The games end by the
# rules of chess, a forfeit, or the score rules, as the style gauntlet's do.
#
#   OPENINGS=FILE.epd tools/style_matches.sh
#
# Rows: Balanced with every default (no option set), then each style of
# `brisvane styles --list` at its published strength, named NAME and the strength
# (KingAttack400, Balanced200). Deep and Wide play only when ROWS names them.
#
# Settings come from the environment (defaults in brackets):
#   TC           time control, seconds: base+increment [3+0.03]
#   OPENINGS     an EPD file of start positions [required]
#   ROUNDS       openings per row, each played with both colours [60]
#   CONCURRENCY  games at once [2]
#   RESIGN       the resign rule, CP,MOVES or off [600,4]
#   DRAW         the draw rule, AFTER_MOVE,CP,MOVES or off [40,10,8]
#   OVERHEAD     Move Overhead of both engines, milliseconds [30]
#   ROWS         a comma list of rows to play, by row or style name; Balanced names both
#                Balanced rows [every row but Deep and Wide]
#   OUT          output folder: one PGN and log per row, results.csv gathered over runs [style_matches]
#   BRISVANE, MATCH  the programs [build/brisvane, build/brisvane_match]
set -eu

TC=${TC:-3+0.03}
OPENINGS=${OPENINGS:-}
ROUNDS=${ROUNDS:-60}
CONCURRENCY=${CONCURRENCY:-2}
RESIGN=${RESIGN:-600,4}
DRAW=${DRAW:-40,10,8}
OVERHEAD=${OVERHEAD:-30}
ROWS=${ROWS:-}
OUT=${OUT:-style_matches}
BRISVANE=${BRISVANE:-build/brisvane}
MATCH=${MATCH:-build/brisvane_match}
OPPONENT=NoTactics

for program in "$BRISVANE" "$MATCH"; do
  [ -x "$program" ] || { echo "style_matches.sh: $program is not an executable (run 'make build' first?)" >&2; exit 1; }
done
[ -r "$OPENINGS" ] || { echo "style_matches.sh: set OPENINGS to a readable EPD file of start positions" >&2; exit 1; }
list=$("$BRISVANE" styles --list) || { echo "style_matches.sh: $BRISVANE gave no style table" >&2; exit 1; }

# One row a line: its name, then its style ("-": every default).
rows=$(printf 'Balanced -\n'; echo "$list" | awk -F, 'NR > 1 { print $1 $2, $1 }')
for word in $(echo "$ROWS" | tr , ' '); do
  echo "$rows" | awk -v word="$word" '$1 == word || $2 == word { found = 1 } END { exit !found }' ||
    { echo "style_matches.sh: no row is named $word (rows: $(echo "$rows" | cut -d' ' -f1 | paste -sd' ' -))" >&2; exit 1; }
done

# wanted NAME STYLE: whether this run plays the row.
wanted() {
  [ -n "$ROWS" ] || { [ "$2" != Deep ] && [ "$2" != Wide ]; return; }
  case ",$ROWS," in *",$1,"* | *",$2,"*) return 0 ;; esac
  return 1
}

mkdir -p "$OUT"
[ -f "$OUT/results.csv" ] || echo "engine,opponent,games,wins,draws,losses,elo,elo_low,elo_high" > "$OUT/results.csv"

# play NAME [option.NAME=VALUE...]: one row's match; its line is added to results.csv.
play() {
  name=$1
  shift
  echo "== $name against $OPPONENT: $ROUNDS rounds at $TC"
  rm -f "$OUT/$name.pgn"
  "$MATCH" --engine name="$name" cmd="$BRISVANE" "option.Move Overhead=$OVERHEAD" "$@" \
    --engine name="$OPPONENT" cmd="$BRISVANE" "option.Move Overhead=$OVERHEAD" option.TacticalMoveSelection=false \
    --tc "$TC" --rounds "$ROUNDS" --concurrency "$CONCURRENCY" --openings "$OPENINGS" \
    --resign "$RESIGN" --draw "$DRAW" --pgn "$OUT/$name.pgn" --results "$OUT/results.csv" \
    < /dev/null > "$OUT/$name.log" ||
    echo "style_matches.sh: the match $name against $OPPONENT did not finish (see $OUT/$name.log)" >&2
  tail -n 2 "$OUT/$name.log"
  played="$played $name"
}

played=
while read -r name style; do
  wanted "$name" "$style" || continue
  # Style chooses the style; the strengths say the published one outright, as Style leaves
  # Balanced at its default.
  strength=${name#"$style"}
  if [ "$style" = - ]; then
    play "$name"
  else
    play "$name" "option.Style=$style" "option.WhiteStyleStrength=$strength" "option.BlackStyleStrength=$strength"
  fi
done <<ROWS_END
$rows
ROWS_END

# pgn_counts NAME: the row's time losses (its own/the opponent's), illegal moves and
# games the score rules ended, from the comments and tags of its PGN.
pgn_counts() {
  [ -f "$OUT/$1.pgn" ] || { echo "- - -"; return; }
  awk -v row="$1" '
    /^\[White "/ { white = substr($0, 9, length($0) - 10) }
    /^\[Black "/ { black = substr($0, 9, length($0) - 10) }
    /^\[Termination "adjudication"\]/ { ++adjudicated }
    match($0, /\{(White|Black) (loses on time|does not reply)/) {
      if ((substr($0, RSTART + 1, 5) == "White" ? white : black) == row) ++own; else ++theirs
    }
    /\{(White|Black) plays an illegal move/ { ++illegal }
    END { printf "%d/%d %d %d\n", own, theirs, illegal, adjudicated }' "$OUT/$1.pgn"
}

echo
printf '%-20s %6s %-11s %-26s %-28s %-8s %s\n' row games W-D-L "Elo [95% interval]" \
  "time losses (row/$OPPONENT)" illegal adjudicated
for name in $played; do
  line=$(grep "^$name,$OPPONENT," "$OUT/results.csv" | tail -n 1) || line=
  # shellcheck disable=SC2046
  set -- $(pgn_counts "$name")
  if [ -z "$line" ]; then
    printf '%-20s %6s %-11s %-26s %-28s %-8s %s\n' "$name" - unfinished - "$1" "$2" "$3"
    continue
  fi
  echo "$line" | awk -F, -v times="$1" -v illegal="$2" -v adjudicated="$3" '{
    printf "%-20s %6s %-11s %-26s %-28s %-8s %s\n", $1, $3, $4 "-" $5 "-" $6, $7 " [" $8 ", " $9 "]", times, illegal,
      adjudicated }'
done
