#!/bin/sh
# Calibrates the playing-strength levels. Each level of this engine (UCI_Elo with
# UCI_LimitStrength) plays Stockfish limited to an Elo of its own scale; levels below
# Stockfish's lowest (1350) play the next level up instead, which ties them to the
# measured ones. The matches' result lines are gathered into one table, and the
# measured Elo of every level is worked out from them.
#
#   tools/calibrate.sh [LEVEL...]
#
# Settings come from the environment (defaults in brackets):
#   LEVELS       levels that play Stockfish, when none are given as arguments; LEVEL@ELO plays
#                Stockfish at ELO, a bare LEVEL Stockfish at the same Elo [1200@1350 1400 1600 1700]
#   LADDER       levels, lowest first, each playing the next one; the last must be in LEVELS [1000 1200]
#   ROUNDS       openings per match against Stockfish, each played with both colours [20]
#   LADDER_ROUNDS  openings per match between two levels [48]
#   TC           time control, seconds: base+increment [10+0.1]
#   CONCURRENCY  games at once [2]
#   OUT          output folder: one PGN and CSV line per match, calibration.csv, levels.csv [calibration]
#   ENGINE, STOCKFISH, MATCH, OPENINGS  the programs and the openings file
#                [./build/brisvane, /usr/games/stockfish, ./build/brisvane_match, tests/data/openings.epd]
set -eu

LEVELS=${*:-${LEVELS:-1200@1350 1400 1600 1700}}
LADDER=${LADDER-1000 1200}
ROUNDS=${ROUNDS:-20}
LADDER_ROUNDS=${LADDER_ROUNDS:-48}
TC=${TC:-10+0.1}
CONCURRENCY=${CONCURRENCY:-2}
OUT=${OUT:-calibration}
ENGINE=${ENGINE:-./build/brisvane}
STOCKFISH=${STOCKFISH:-/usr/games/stockfish}
MATCH=${MATCH:-./build/brisvane_match}
OPENINGS=${OPENINGS:-tests/data/openings.epd}

for program in "$ENGINE" "$STOCKFISH" "$MATCH"; do
  [ -x "$program" ] || { echo "calibrate.sh: $program is not an executable (run 'make build' first?)" >&2; exit 1; }
done
mkdir -p "$OUT"
table="$OUT/calibration.csv"
echo "engine,opponent,games,wins,draws,losses,elo,elo_low,elo_high" > "$table"

# match NAME1 CMD1 OPTIONS1 NAME2 CMD2 OPTIONS2 ROUNDS: one match, its line added to the table.
match() {
  echo "== $1 against $4: $7 rounds at $TC"
  rm -f "$OUT/$1-$4.csv" "$OUT/$1-$4.pgn"
  # shellcheck disable=SC2086
  "$MATCH" --engine name="$1" cmd="$2" $3 --engine name="$4" cmd="$5" $6 \
    --tc "$TC" --rounds "$7" --concurrency "$CONCURRENCY" --openings "$OPENINGS" \
    --pgn "$OUT/$1-$4.pgn" --results "$OUT/$1-$4.csv" ||
    echo "calibrate.sh: the match $1 against $4 did not finish" >&2
  [ -f "$OUT/$1-$4.csv" ] && cat "$OUT/$1-$4.csv" >> "$table"
}

level_options() { echo "option.UCI_LimitStrength=true option.UCI_Elo=$1"; }

for word in $LEVELS; do
  level=${word%@*}
  sf_elo=${word#*@}
  match "Lvl$level" "$ENGINE" "$(level_options "$level")" "SF$sf_elo" "$STOCKFISH" "$(level_options "$sf_elo")" "$ROUNDS"
done
lower=
for level in $LADDER; do
  [ -n "$lower" ] && match "Lvl$lower" "$ENGINE" "$(level_options "$lower")" "Lvl$level" "$ENGINE" "$(level_options "$level")" "$LADDER_ROUNDS"
  lower=$level
done

awk -F, -v ladder="$LADDER" -f "$(dirname "$0")/calibration_levels.awk" "$table" > "$OUT/levels.csv"

echo
if command -v column >/dev/null; then column -t -s, "$table"; echo; column -t -s, "$OUT/levels.csv"; else cat "$table" "$OUT/levels.csv"; fi
