#!/usr/bin/env bash
# Runs make targets one after another and says how long each took: after each
# step, and all of them again at the end (also when a step fails), so a slow
# `make test` shows where its time went.
#
#   tools/timed-steps.sh deps native test-native
set -uo pipefail

start=$SECONDS
took=()

summary() {
  local line
  for line in "${took[@]}"; do echo "time: $line"; done
  echo "time: all steps $((SECONDS - start)) s"
}
trap summary EXIT

for target in "$@"; do
  began=$SECONDS
  make --no-print-directory "$target"
  status=$?
  took+=("$(printf '%-13s %5d s' "$target" $((SECONDS - began)))")
  echo "time: $target took $((SECONDS - began)) s"
  [ $status -eq 0 ] || exit $status
done
