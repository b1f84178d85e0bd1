#!/usr/bin/env bash
# scripts/run-fuzzers, run from a checkout on a target that fails: the input
# that made it fail goes into the artifact folder the script names, never into
# the folder it was run from; a failing target fails the run.
#   run_fuzzers_test.sh SOURCE_DIR WORK_DIR
set -euo pipefail
source_dir="$1"; work="$2"
rm -rf "$work"; mkdir -p "$work/bin" "$work/checkout"

# A fuzz target as libFuzzer behaves on a crash: the input written at the
# artifact prefix it is given (or, without one, into the current folder).
cat >"$work/bin/fuzz_fake" <<'FAKE'
#!/usr/bin/env bash
prefix=""
for arg in "$@"; do case "$arg" in -artifact_prefix=*) prefix="${arg#-artifact_prefix=}";; esac; done
echo "==1== ERROR: libFuzzer: deadly signal"
echo "crashing input" >"${prefix}crash-da39a3ee"
exit 1
FAKE
chmod +x "$work/bin/fuzz_fake"

set +e
out="$(cd "$work/checkout" && "$source_dir/scripts/run-fuzzers" "$work/bin" 1 "$work/logs" "$work/artifacts" 2>&1)"
status=$?
set -e

fail=0
check() {  # description, then a command that must succeed
  local what="$1"; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; fail=1; fi
}
check "a failing target fails the run" test "$status" -ne 0
check "the script says where failing inputs go" grep -qF "Inputs that make a target fail go to $work/artifacts" <<<"$out"
check "the failing input is in the artifact folder" test -f "$work/artifacts/fuzz_fake-crash-da39a3ee"
check "nothing is left in the folder it ran from" test -z "$(ls -A "$work/checkout")"
check "the summary names the artifact folder" grep -qF "its input in $work/artifacts" <<<"$out"
[ "$fail" -eq 0 ] || { echo "$out"; exit 1; }
rm -rf "$work"
