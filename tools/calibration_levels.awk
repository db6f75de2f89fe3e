# The measured Elo of every playing level, from the match lines of tools/calibrate.sh
# (engine,opponent,games,wins,draws,losses,elo,elo_low,elo_high).
# Against Stockfish a level measures Stockfish's Elo plus the difference; on the
# ladder, the measured Elo of the level above plus the difference, the intervals'
# half-widths added in quadrature (the matches are independent).
#
#   awk -F, -v ladder="1000 1200 1400" -f tools/calibration_levels.awk calibration.csv
NR == 1 { next }
{ name = substr($1, 4) }
$2 ~ /^SF/ {
  m = substr($2, 3) + $7; half = ($9 - $8) / 2
  measured[name] = m; halfwidth[name] = half; played[name] = $3; record[name] = $4 "-" $5 "-" $6; against[name] = $2
}
$2 ~ /^Lvl/ { up[name] = substr($2, 4); diff[name] = $7; dhalf[name] = ($9 - $8) / 2; dgames[name] = $3
              drec[name] = $4 "-" $5 "-" $6; dagainst[name] = $2 }
END {
  n = split(ladder, steps, " ")
  for (i = n - 1; i >= 1; --i) {
    name = steps[i]
    if (!(name in up) || !(up[name] in measured)) continue
    measured[name] = measured[up[name]] + diff[name]
    halfwidth[name] = sqrt(halfwidth[up[name]] ^ 2 + dhalf[name] ^ 2)
    played[name] = dgames[name]; record[name] = drec[name]; against[name] = dagainst[name]
  }
  print "level,opponent,games,w-d-l,measured_elo,interval_low,interval_high"
  for (name in measured)
    printf "%s,%s,%d,%s,%.0f,%.0f,%.0f\n", name, against[name], played[name], record[name],
           measured[name], measured[name] - halfwidth[name], measured[name] + halfwidth[name] | "sort -n"
}
