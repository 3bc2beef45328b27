#!/usr/bin/env bash
# Instructions per refresh on the device models, counted by callgrind, which gives the same count
# on a busy machine as on an idle one. Callgrind collects only inside the refresh slot; each kind
# runs twice, with SHORT and with LONG refreshes, and the difference divided by LONG - SHORT
# leaves out what only the first refreshes pay (symbol binding, first allocations).
#   bash bench/refresh_instructions.sh [BUILD_DIR [SHORT LONG]]
# BUILD_DIR defaults to build/release, SHORT and LONG to 100 and 1100. Prints one line per kind;
# exits non-zero when a count cannot be had.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
loop=$build/bench/refresh_loop
short=${2:-100}
long=${3:-1100}

if ((long <= short)); then
  echo "refresh_instructions: LONG must be more than SHORT" >&2
  exit 2
fi
if [[ ! -x $loop ]]; then
  echo "refresh_instructions: $loop is not built" >&2
  exit 2
fi
if ! command -v valgrind >/dev/null; then
  echo "refresh_instructions: needs valgrind" >&2
  exit 2
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Instructions executed inside SLOT during REFRESHES refreshes of KIND.
collected() {
  local kind=$1 slot=$2 refreshes=$3
  local out=$work/$kind.$refreshes
  if ! valgrind --tool=callgrind --toggle-collect="$slot" --callgrind-out-file="$out" \
    "$loop" "$kind" "$refreshes" 2>"$out.log"; then
    cat "$out.log" >&2
    return 1
  fi
  sed -n 's/^summary: //p' "$out"
}

printf '%-12s %-32s %14s\n' kind slot "instructions"
for entry in "stv0299b:my_eBeamseek::update()" "stv0288:my_eBeamseek::update()" \
  "terrestrial:my_eBeamseek::my_terr_update()"; do
  kind=${entry%%:*}
  slot=${entry#*:}
  few=$(collected "$kind" "$slot" $short)
  many=$(collected "$kind" "$slot" $long)
  if [[ -z $few || -z $many || $many -le $few ]]; then
    echo "refresh_instructions: no count for $kind (callgrind collected '$few' and '$many')" >&2
    exit 1
  fi
  printf '%-12s %-32s %14s\n' "$kind" "$slot" $(((many - few) / (long - short)))
done
