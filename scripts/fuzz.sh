#!/usr/bin/env bash
# Builds the fuzz targets and runs each for FUZZ_SECONDS seconds (default 60), one after the
# other, on the seeds under fuzz/corpus/<target>/.
#   scripts/fuzz.sh                   every target
#   scripts/fuzz.sh filter inifile    the targets named (fuzz_<name> in fuzz/CMakeLists.txt)
# FUZZ_TIMEOUT (default 30) is how long one input may run before it counts as a hang.
# FUZZ_PRESET chooses the build: fuzz (default: only what the targets link, build/fuzz) or
# asan (the sanitizer build of the tests, which holds the targets too; CI uses it).
# Inputs that reach new code collect in build/<preset>/fuzz/corpus/<target>/ (the committed
# seeds stay as they are); a crash, leak or sanitizer report is saved in
# build/<preset>/fuzz/findings/<target>/ and makes the script fail after all targets ran.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${FUZZ_PRESET:-fuzz}"
seconds="${FUZZ_SECONDS:-60}"
# Seconds one input may take before it counts as a hang; raise it on a busy machine.
timeout="${FUZZ_TIMEOUT:-30}"
all=(formfile inifile filter tablefile reportfile jpeg)
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all[@]}")

scripts/install-deps.sh
export CCACHE_BASEDIR="$PWD"
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
export CCACHE_MAXSIZE="${CCACHE_MAXSIZE:-2G}"
if [ ! -f "build/$preset/build.ninja" ]; then
  cmake --preset "$preset" >/dev/null
fi
cmake --build "build/$preset" --target kb_fuzz_targets

export QT_QPA_PLATFORM=offscreen
# The targets write every input to a scratch file: in memory where there is a tmpfs.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0:${LSAN_OPTIONS:-}"
failed=()
for t in "${targets[@]}"; do
  bin="build/$preset/fuzz/fuzz_$t"
  if [ ! -x "$bin" ]; then
    echo "Kein Fuzz-Ziel $t (erwartet: $bin)" >&2
    exit 2
  fi
  work="build/$preset/fuzz/corpus/$t"
  findings="build/$preset/fuzz/findings/$t"
  mkdir -p "$work" "$findings"
  echo "== fuzz_$t: ${seconds} s"
  if ! "$bin" -max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb=2560 \
      -artifact_prefix="$findings/" -print_final_stats=1 "$work" "fuzz/corpus/$t" \
      > "$findings/log.txt" 2>&1; then
    failed+=("$t")
    tail -60 "$findings/log.txt" >&2
  fi
  grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb)" "$findings/log.txt" || true
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzz-Befund in: ${failed[*]} (Eingaben unter build/$preset/fuzz/findings/)" >&2
  exit 1
fi
echo "Alle Fuzz-Ziele liefen ${seconds} s ohne Befund."
