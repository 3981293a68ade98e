#!/bin/sh
# Runs every fuzz target for a while on its corpus: fuzz.sh <fuzz tree> [seconds each]
# New inputs land in a scratch corpus under the tree; merge them into tests/fuzz/corpus
# with: <target> -merge=1 tests/fuzz/corpus/<module> <tree>/corpus/<module>
set -eu
tree=$1; seconds=${2:-180}
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
for module in tallmix widemix cscslice broadplus latfilt latfiltS dilfilt; do
  grown=$tree/corpus/$module
  mkdir -p "$grown"
  log=$tree/fuzz_$module.log
  if "$tree/bin/fuzz_$module" -max_total_time="$seconds" -print_final_stats=1 \
       "$grown" "$root/tests/fuzz/corpus/$module" >"$log" 2>&1; then
    echo "$module: $(grep -o 'number_of_executed_units: [0-9]*' "$log" | cut -d' ' -f2) executions, no finding"
  else
    echo "$module: FINDING, see $log"; status=1
  fi
done
exit $status
