#!/bin/sh
# Calibrates the playing-strength levels: each level of this engine (UCI_Elo with
# UCI_LimitStrength) plays Stockfish limited to the given Elo values, and the
# matches' result lines are gathered into one table.
#
#   tools/calibrate.sh [LEVEL...]
#
# Settings come from the environment (defaults in brackets):
#   LEVELS       this engine's UCI_Elo values, when none are given as arguments [1400 1800 2200]
#   SF_ELOS      Stockfish's UCI_Elo values each level meets; empty: the level's own value []
#   ROUNDS       openings per match, each played with both colours [20]
#   TC           time control, seconds: base+increment [10+0.1]
#   CONCURRENCY  games at once [2]
#   OUT          output folder: one PGN and CSV line per match, calibration.csv [calibration]
#   ENGINE, STOCKFISH, MATCH, OPENINGS  the programs and the openings file
#                [./build/brisvane, /usr/games/stockfish, ./build/brisvane_match, tests/data/openings.epd]
set -eu

LEVELS=${*:-${LEVELS:-1400 1800 2200}}
SF_ELOS=${SF_ELOS:-}
ROUNDS=${ROUNDS:-20}
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

for level in $LEVELS; do
  for sf_elo in ${SF_ELOS:-$level}; do
    name="Lvl$level"
    opponent="SF$sf_elo"
    echo "== $name against $opponent: $ROUNDS rounds at $TC"
    rm -f "$OUT/$name-$opponent.csv" "$OUT/$name-$opponent.pgn"
    "$MATCH" --engine name="$name" cmd="$ENGINE" option.UCI_LimitStrength=true option.UCI_Elo="$level" \
      --engine name="$opponent" cmd="$STOCKFISH" option.UCI_LimitStrength=true option.UCI_Elo="$sf_elo" \
      --tc "$TC" --rounds "$ROUNDS" --concurrency "$CONCURRENCY" --openings "$OPENINGS" \
      --pgn "$OUT/$name-$opponent.pgn" --results "$OUT/$name-$opponent.csv" ||
      echo "calibrate.sh: the match $name against $opponent did not finish" >&2
    [ -f "$OUT/$name-$opponent.csv" ] && cat "$OUT/$name-$opponent.csv" >> "$table"
  done
done

echo
if command -v column >/dev/null; then column -t -s, "$table"; else cat "$table"; fi
