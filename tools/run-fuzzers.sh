#!/usr/bin/env bash
# Runs the fuzz harnesses built in BUILD (make fuzz builds them) for SECONDS
# each, one after another, each on a fresh copy of its seed corpus in
# BUILD/fuzz-run/NAME/ (or $FUZZ_RUN_DIR/NAME/; the committed corpus is never
# written). Fails when any harness
# finds a crash, a leak, a broken check or an input that runs longer than
# 20 seconds; the input is kept in that folder's artifacts/ and the command
# that replays it is printed.
#
#   tools/run-fuzzers.sh BUILD SECONDS [NAME...]   (default: every harness)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:?usage: tools/run-fuzzers.sh BUILD SECONDS [NAME...]}
seconds=${2:?usage: tools/run-fuzzers.sh BUILD SECONDS [NAME...]}
shift 2
if [ $# -gt 0 ]; then
  names=("$@")
else
  names=()
  for corpus in tests/fuzz/corpus/*/; do names+=("$(basename "$corpus")"); done
fi

failed=()
for name in "${names[@]}"; do
  fuzzer="$build/bin/fuzz_$name"
  [ -x "$fuzzer" ] || { echo "fuzz: $fuzzer is not built" >&2; exit 2; }
  work="${FUZZ_RUN_DIR:-$build/fuzz-run}/$name"
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/artifacts"
  cp -R "tests/fuzz/corpus/$name/." "$work/corpus/"
  options=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$work/artifacts/")
  [ -f "tests/fuzz/$name.dict" ] && options+=(-dict="tests/fuzz/$name.dict")
  # The files the harnesses save go to memory where there is /dev/shm.
  scratch=$(mktemp -d /dev/shm/kz7-fuzz.XXXXXX 2>/dev/null || mktemp -d)
  echo "fuzz: $name for ${seconds}s"
  status=0
  KZ7_FUZZ_SCRATCH="$scratch" "$fuzzer" "${options[@]}" "$work/corpus" >"$work/log" 2>&1 || status=$?
  rm -rf "$scratch"
  if [ "$status" -eq 0 ]; then
    # The last status line: executions, coverage (cov, ft) and corpus size.
    grep -E '^#[0-9]+' "$work/log" | tail -n 1 || true
    grep -E '^stat::number_of_executed_units' "$work/log" || true
  else
    failed+=("$name")
    tail -n 40 "$work/log"
    for artifact in "$work/artifacts"/*; do
      [ -e "$artifact" ] && echo "fuzz: $name failed; replay with: $fuzzer $artifact"
    done
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: findings in: ${failed[*]}" >&2
  exit 1
fi
echo "fuzz: ${#names[@]} harnesses, no finding"
