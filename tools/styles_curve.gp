# The style strength curves: for each steering style, its Elo against Balanced and its
# own column as a multiple of Balanced's, at every strength some run measured. Reads the
# CSV that tools/styles_curve.sh gathers from several runs:
#
#   gnuplot -e "csv='docs/styles/curve.csv'; svg='docs/styles/curve.svg'; brisvane='build/brisvane'" tools/styles_curve.gp
#
# The steering styles, in the order of the program's style table, are the costed ones
# of `brisvane styles --list`.

if (!exists("csv")) csv = 'docs/styles/curve.csv'
if (!exists("svg")) svg = 'docs/styles/curve.svg'
if (!exists("brisvane")) brisvane = 'build/brisvane'

set datafile separator ","
set datafile columnheaders

# Every steering style keeps its colour from chart to chart, whichever styles a CSV has.
STYLES = system(sprintf("'%s' styles --list | awk -F, 'NR == 1 { for (i = 1; i <= NF; ++i) col[$i] = i; next } " . \
                        "$col[\"costed\"] == \"yes\" { printf \"%%s \", $col[\"style\"] }'", brisvane))
if (words(STYLES) == 0) { print sprintf("%s gave no steering style (styles --list)", brisvane); exit status 1 }
array colours[7] = ["#cc0000", "#f57900", "#73d216", "#75507b", "#3465a4", "#06989a", "#555753"]
colour(i) = colours[(i - 1) % |colours| + 1]
style_index(s) = sum [i = 1:words(STYLES)] (word(STYLES, i) eq s ? i : 0)
listed = " " . system(sprintf("tail -n +2 '%s' | cut -d, -f1 | uniq | tr '\\n' ' '", csv))
present = ""
do for [i = 1:words(STYLES)] {
  if (strstrt(listed, " " . word(STYLES, i) . " ")) { present = present . " " . word(STYLES, i) }
}
if (words(present) == 0) { print sprintf("%s has no steering style", csv); exit status 1 }

stats csv using 13 nooutput
games = sprintf(STATS_min == STATS_max ? "%d games" : "%d to %d games", STATS_min, STATS_max)

# Styles measured at the same strength sit side by side, so that their intervals stay apart.
shift(s) = 5 * (style_index(s) - (words(STYLES) + 1) / 2.0)
only(s, v) = strcol(1) eq s ? v : NaN

set terminal svg size 1500,700 dynamic font "sans,11" background "white"
set output svg
set multiplot layout 1,2 \
  title sprintf("Style strength curves: each steering style against Balanced, %s a point, 95%% intervals", games) \
  font "sans,13"

set style line 100 lc rgb "#888888" dt 2 lw 1.2
set xrange [-25:425]
set xtics 100,100,400 nomirror
set xlabel "Style strength (100 = built-in weights)"
set ytics font "sans,9"
set grid ytics lc rgb "#dddddd"
set key below horizontal maxcols 4 font "sans,10" samplen 2 width 1
set offsets 0, 0, graph 0.06, graph 0.06
set lmargin 9
set bmargin 8

set title "Elo vs Balanced" font "sans,12"
set ylabel "Elo"
set label 1 "cost floor" at graph 0.01, first -50 offset 0, -0.7 font "sans,9" tc rgb "#888888"
plot 0 ls 100 notitle, -50 ls 100 notitle, \
     for [s in present] csv using ($2 + shift(s)):(only(s, $10)):11:12 with yerrorlines \
       lc rgb colour(style_index(s)) pt 7 ps 0.8 lw 1.5 title s
unset label 1

# A ratio: twice Balanced's figure sits as far above 1 as half of it sits below.
set title "Own column as a multiple of Balanced's" font "sans,12"
set ylabel "style / Balanced"
set logscale y 2
set ytics (0.25, 0.5, 1, 1.5, 2, 3, 4, 6, 8, 12, 16)
plot 1 ls 100 notitle, \
     for [s in present] csv using 2:(only(s, $4 / $7)) with linespoints \
       lc rgb colour(style_index(s)) pt 7 ps 0.8 lw 1.5 title s
unset multiplot
