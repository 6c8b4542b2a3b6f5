# Counts the test cases of one build tree for scripts/test.sh, from ctest's console output (one
# line per registered test, with its outcome) and its log (each test's own output):
#   awk -v tree=NAME -f count-tests.awk LastTest.log ctest.out
# A GoogleTest program contributes its cases (passed, failed, skipped); a program that failed
# without its summary (it died, or timed out) counts as one failure more; any other test counts as
# one case, skipped when ctest reports it not run ("Skipped"). Prints "PASSED FAILED SKIPPED", then
# one line per failed or skipped case, by name.

# The log: which test each line of output belongs to.
FILENAME == ARGV[1] && /^[0-9]+\/[0-9]+ Test: / { name = $3; next }
FILENAME == ARGV[1] && /^\[  PASSED  \] [0-9]+ tests?\./ { gtest[name] = 1; passed[name] += $4; next }
FILENAME == ARGV[1] && /^\[  FAILED  \] [0-9]+ tests?,/ { gtest[name] = 1; failed[name] += $4; next }
FILENAME == ARGV[1] && /^\[  SKIPPED \] [0-9]+ tests?,/ { gtest[name] = 1; skipped[name] += $4; next }
FILENAME == ARGV[1] && /^\[  FAILED  \] [^ ]+\.[^ ]+/ { failedCase[tree ": " $4] = 1; next }
FILENAME == ARGV[1] && /^\[  SKIPPED \] [^ ]+\.[^ ]+/ { skippedCase[tree ": " $4] = 1; next }

# The console: every registered test, with its outcome.
FILENAME == ARGV[2] && match($0, /Test +#[0-9]+: [^ ]+/) {
    t = substr($0, RSTART, RLENGTH)
    sub(/Test +#[0-9]+: /, "", t)
    ok = $0 ~ / Passed +[0-9.]+ sec/
    if (t in gtest) {
        P += passed[t]; F += failed[t]; S += skipped[t]
        if (!ok && failed[t] == 0) { F++; failedCase[tree ": " t " (ended without its summary: " outcome($0) ")"] = 1 }
    } else if (ok) {
        P++
    } else if ($0 ~ /\*\*\*Skipped/) {
        S++; skippedCase[tree ": " t] = 1
    } else {
        F++; failedCase[tree ": " t " (" outcome($0) ")"] = 1
    }
}

function outcome(line,    o) {
    o = line
    if (match(o, /\*\*\*[A-Za-z: ]*[A-Za-z]/)) return substr(o, RSTART + 3, RLENGTH - 3)
    return "failed"
}

END {
    print P + 0, F + 0, S + 0
    for (c in failedCase) print "failed " c
    for (c in skippedCase) print "skipped " c
}
