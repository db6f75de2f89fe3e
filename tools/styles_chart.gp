# The style fingerprint chart: one panel per figure, the styles side by side with
# their 95% intervals, the Balanced baseline as a dashed line. Reads the CSV that
# `brisvane styles` writes:
#
#   gnuplot -e "csv='styles-report/fingerprint.csv'; svg='styles-report/fingerprint.svg'" tools/styles_chart.gp

if (!exists("csv")) csv = 'styles-report/fingerprint.csv'
if (!exists("svg")) svg = 'styles-report/fingerprint.svg'

set datafile separator ","
set datafile columnheaders

# Column order of the CSV: style, games, nodes, movetime_ms, tactics, threshold, setup,
# level, strength, then each figure as value, low end, high end.
FIRST_FIGURE = 10
FIGURES = 18
array titles[FIGURES] = ["Score vs Balanced (%)", "Elo vs Balanced", "Game length (plies)", \
  "Mean completed search depth", "Checks per 100 moves", "Captures per 100 moves", \
  "King-zone pressure after its moves", "Pawn moves onto the enemy king's wing per game", \
  "Passed pawns to 6th/7th per game", "Bait per 100 moves", "Sacrifices per game", \
  "Wins with a sacrifice (% of wins)", "Short wins (% of wins)", "Draws after standing ahead (% of draws)", \
  "Games reaching K+P only (%)", "Games reaching R/Q only (%)", "Games reaching N/B only (%)", \
  "Tactical picks per 100 moves"]

stats csv using 2:3 nooutput
games = int(STATS_max_x)
nodes = int(STATS_max_y)
stats csv using 4:5 nooutput
movetime = int(STATS_max_x)
tactics = STATS_max_y > 0 ? "on" : "off"
no_tactics_row = STATS_min_y == 0 && STATS_max_y > 0 ? " (not for NoTactics)" : ""
budget = movetime > 0 ? sprintf("%d ms", movetime) : sprintf("%d nodes", nodes)
stats csv using 2 nooutput
rows = STATS_records
stats csv using 8 nooutput
level = int(STATS_max)
setup = system(sprintf("sed -n 2p '%s' | cut -d, -f7", csv))
setup_text = setup eq "per-side" ? "one engine, each side's style at its own nodes" : "each side its own engine"
level_text = level > 0 ? sprintf(", both sides at UCI\\_Elo %d", level) : ""

set terminal svg size 1500,2050 dynamic font "sans,11" background "white"
set output svg
set multiplot layout 6,3 \
  title sprintf("Style fingerprints: %d games a style against Balanced, %s a move, tactical selection %s%s;\n%s%s; 95%% intervals", \
                games, budget, tactics, no_tactics_row, setup_text, level_text) font "sans,13"

set style line 1 lc rgb "#3465a4" pt 7 ps 0.9 lw 1.5
set style line 2 lc rgb "#cc0000" pt 5 ps 1.0 lw 1.5
set style line 3 lc rgb "#888888" dt 2 lw 1.2
set xtics rotate by 40 right font "sans,9" nomirror
set ytics font "sans,9"
set grid ytics lc rgb "#dddddd"
set key off
set xrange [-0.6:rows - 0.4]
# Room above and below, so that points at the ends stay clear of the frame.
set offsets 0, 0, graph 0.06, graph 0.06
set bmargin 6.5
set lmargin 8

do for [f = 1:FIGURES] {
  c = FIRST_FIGURE + 3 * (f - 1)
  stats csv every ::0::0 using c nooutput
  baseline = STATS_max
  set title titles[f] font "sans,12"
  plot baseline ls 3, \
       csv using 0:c:c+1:c+2:xticlabels(1) with yerrorbars ls 1, \
       csv every ::0::0 using 0:c:c+1:c+2 with yerrorbars ls 2
}
unset multiplot
