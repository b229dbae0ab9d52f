#!/usr/bin/env bash
# A spell check of a full keyword box of English, German and Polish words, under Wine with the
# real module and the stand-in host, next to the hunspell command-line tool checking the same
# words with the same three dictionaries natively:
#   bash tools/bench.sh walk [RUNS]
# The words are plain lower-case entries of the three dictionaries (tools/setup.sh unpacks the
# German and Polish ones), taken in turn, each accepted by the tool, joined up to the keyword
# box's capacity. Ours is the languages' first use (the editor loads them once it is shown) plus
# the walk over every word; the tool's is its whole run (its load and its check). Medians of RUNS
# (5 unless given), in milliseconds; the target is a ratio of at most 1.3.
set -euo pipefail
runs=${1:-5}
# shellcheck source=tools/lib.sh
. "$(dirname "$0")/../tools/lib.sh"
use_build_root
start_display
trap stop_display EXIT

share=$here/build/deps/dictionaries/usr/share
dictionaries=/usr/share/hunspell/en_US,$share/hunspell/de_DE,$share/hunspell/pl_PL
dir=$root/win64
TARGETS="Tavimor latency_bench" BUILD_ROOT=$root bash "$here/tools/build.sh" win64 >/dev/null
mkdir -p "$dir/bench"
words=$dir/bench/walk-words.txt

# Every 37th plain lower-case entry of a dictionary, in UTF-8.
entries() { # dic encoding
  sed '1d; s,/.*,,; s,\t.*,,' "$1" | iconv -f "$2" -t UTF-8 | grep -E '^[[:lower:]]{3,}$' | awk 'NR % 37 == 0'
}
entries /usr/share/hunspell/en_US.dic UTF-8 >"$dir/bench/walk-en.txt"
entries "$share/hunspell/de_DE.dic" UTF-8 >"$dir/bench/walk-de.txt"
entries "$share/hunspell/pl_PL.dic" ISO-8859-2 >"$dir/bench/walk-pl.txt"
# In turn, those the tool accepts, up to the box's 9,999 bytes as "word; word; ...".
paste -d '\n' "$dir/bench/walk-en.txt" "$dir/bench/walk-de.txt" "$dir/bench/walk-pl.txt" | grep -v '^$' |
  hunspell -G -i UTF-8 -d "$dictionaries" |
  LC_ALL=C awk 'total + length($0) + 2 <= 9999 { total += length($0) + 2; print }' >"$words"

ms() { date +%s%N | awk '{ printf "%.1f", $1 / 1e6 }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

out=$dir/bench/walk-runs.txt
: >"$out"
load=$(cut -d' ' -f1 /proc/loadavg)
for run in $(seq "$runs"); do
  "$here/cmake/wine-run.sh" "$dir/bench-prefix-walk" "$dir/bench/latency_bench.exe" walk \
    "Z:$dir/plugin/Tavimor.8li" "Z:$words" "Z:$share" de_DE pl_PL | sed "s/^/ours $run /" >>"$out"
  start=$(ms)
  hunspell -l -i UTF-8 -d "$dictionaries" <"$words" >"$dir/bench/walk-tool.txt"
  echo "tool $run total $(awk -v s="$start" -v e="$(ms)" 'BEGIN { print e - s }')" >>"$out"
  [ ! -s "$dir/bench/walk-tool.txt" ] || { echo "walk: the tool rejects words of the list" >&2; exit 1; }
done
PATH=/usr/lib/wine:$PATH WINEPREFIX=$dir/bench-prefix-walk wineserver -w || true

figure() { awk -v w="$1" -v f="$2" '$1 == w && $3 == f { print $4 }' "$out" | median; }
idle=$(figure ours idle) walk=$(figure ours walk) tool=$(figure tool total)
bytes=$(LC_ALL=C awk '{ total += length($0) + 2 } END { print total }' "$words")
echo "spell check of $(wc -l <"$words") words ($bytes bytes as keywords; English, German, Polish)," \
  "medians of $runs runs, milliseconds (load average $load on $(nproc) cores when they began)"
awk -v i="$idle" -v w="$walk" -v t="$tool" 'BEGIN {
  printf "  first use (the load, editor on screen)  %8.1f\n", i
  printf "  walk over every word                    %8.1f\n", w
  printf "  hunspell -l, same words, natively       %8.1f\n", t
  printf "  ratio (first use + walk) / hunspell     %8.2f   (target: <= 1.30)\n", (i + w) / t
}'
