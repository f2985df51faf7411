#!/usr/bin/env bash
# Runs one fuzz target over its seed corpus plus a fixed number of generated
# inputs. New inputs go to a scratch directory, so the tree's corpus stays as
# committed. Usage: run_smoke.sh TARGET SEED_CORPUS RUNS
set -euo pipefail
target=$1 seeds=$2 runs=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$target" -runs="$runs" -seed=1 "$scratch" "$seeds"
