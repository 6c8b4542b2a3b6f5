#!/usr/bin/env bash
# The whole test run: set-up, build, then the native tests and the Windows tests of both
# architectures under Wine (the two Windows trees side by side, each in its own Wine prefix).
# Ends with one line "N passed, M failed, K skipped" counting the test cases of every tree (see
# count-tests.awk), after the names of every failed and skipped case.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh || exit 1
scripts/build.sh >build.log 2>&1 || { tail -n 60 build.log; echo "build failed"; exit 1; }

run_tree() { # preset
  ctest --preset "$1" --output-on-failure -j1 >"build/$1/ctest.out" 2>&1
  echo $? >"build/$1/ctest.rc"
}

start=$(date +%s)
run_tree native
run_tree i686 &
run_tree x86_64 &
wait

passed=0 failed=0 skipped=0 status=0
: >build/cases.txt
for tree in native i686 x86_64; do
  echo "==== $tree"
  tail -n 25 "build/$tree/ctest.out" | sed -n '/tests passed/,$p'
  rc=$(cat "build/$tree/ctest.rc")
  if [ "$rc" != 0 ]; then
    status=1
    echo "---- failures in $tree"
    hits=$(grep -E -B2 -A12 '^\[  FAILED  \]|Failure$|: error:|exception|Exit code' "build/$tree/ctest.out" | head -n 150)
    if [ -n "$hits" ]; then echo "$hits"; else tail -n 60 "build/$tree/ctest.out"; fi
  fi
  log=build/$tree/Testing/Temporary/LastTest.log
  [ -f "$log" ] || log=/dev/null
  awk -v tree="$tree" -f scripts/count-tests.awk "$log" "build/$tree/ctest.out" >"build/$tree/counts"
  read -r p f s <"build/$tree/counts"
  tail -n +2 "build/$tree/counts" | sort >>build/cases.txt
  passed=$((passed + p)); failed=$((failed + f)); skipped=$((skipped + s))
done
for tree in i686 x86_64; do (source testing/wine/env.sh "$root/build/$tree"; pv_wine_stop); done
echo "test time: $(( $(date +%s) - start )) s"
cat build/cases.txt
echo "$passed passed, $failed failed, $skipped skipped"
exit $status
