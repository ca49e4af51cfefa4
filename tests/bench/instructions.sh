#!/usr/bin/env bash
# Instructions per event of each benchmark figure, counted by callgrind: the
# same from run to run however busy the machine is, so that a change is
# compared with the one before it exactly. Run on demand, after a build:
#   tests/bench/instructions.sh build/orvalde_benchmarks [GTEST FILTER]
# (the filter defaults to everything but the hostile media, which start
# processes of their own, the map, which Graphviz lays out, and the long
# text, which takes minutes under callgrind).
set -eu
benchmarks=$(realpath "$1")
filter=${2:-'-*Hostile*:*LargestMap*:*LongText*'}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$(dirname "$benchmarks")" &&
  valgrind --tool=callgrind --callgrind-out-file="$work/counted" "$benchmarks" --gtest_filter="$filter" \
    >"$work/output" 2>"$work/valgrind") || { cat "$work/valgrind" >&2; exit 1; }
# Each figure is one dump: its name and event count in the trigger line, its
# instructions in the totals line. A dump counted "| base" is not a figure: its
# instructions (a part the next run shares) are taken off the next figure's.
base=0
for dump in $(ls "$work"/counted.* 2>/dev/null | sort -t. -k2 -n); do
  line=$(grep -a -E '^(desc: Trigger|totals:)' "$dump" | awk -v base="$base" '
       /^desc: Trigger: Client Request: / { sub(/^desc: Trigger: Client Request: /, ""); name = $0 }
       /^totals: / { total = $2 }
       END {
         n = split(name, parts, " [|] ")
         if (n == 2 && parts[2] == "base") printf "base %d\n", total
         else if (n == 2) printf "%-60s %10.1f k instructions\n", parts[1], (total - base) / parts[2] / 1000
       }')
  case "$line" in
    base\ *) base=${line#base } ;;
    *) [ -n "$line" ] && echo "$line"; base=0 ;;
  esac
done
