#!/usr/bin/env bash
# Runs the probe tests (verdict_probe_test.cpp) in their own CTest directory, which has the same
# discovery and properties as every Windows test, and checks what CTest reports for each:
#   verdicts_test.sh <ctest> <probes' CTest directory>
set -u
ctest=$1 dir=$2
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Failures are expected, so CTest's own exit code says nothing here.
"$ctest" --test-dir "$dir" --output-on-failure > "$log" 2>&1
failures=0
while read -r name want; do
  line=$(grep -E "Test +#[0-9]+: harness_probe\.Verdict\.$name " "$log")
  case $line in
    *"   Passed"*) got=passed ;;
    *"***Skipped"*) got=skipped ;;
    *"***Failed"*) got=failed ;;
    "") got="not run" ;;
    *) got="other: ${line##*.. }" ;;
  esac
  if [ "$got" = "$want" ]; then
    echo "ok   $name: $got"
  else
    echo "FAIL $name: CTest reports it $got, it must be $want"
    failures=$((failures + 1))
  fi
done <<'TABLE'
Passes passed
Skips skipped
CrashesAfterPassLine failed
CrashesAfterSkipLine failed
ExitsZeroWithoutPassLine failed
TABLE
if [ $failures != 0 ]; then
  echo "--- the probes' CTest run:"
  cat "$log"
fi
[ $failures = 0 ]
