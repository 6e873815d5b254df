# shellcheck shell=bash
# Shared helpers of scripts/test and scripts/run: messages, builds by preset,
# and the reading of GoogleTest results. Sourced from the repository root.

BREVANTO_ROOT=${BREVANTO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
BREVANTO_JOBS=${BREVANTO_JOBS:-2}

say() { printf '%s\n' "$*" >&2; }
die() {
  say "error: $*"
  exit 1
}

# The folder a preset builds into (binaryDir of CMakePresets.json).
preset_dir() { echo "$BREVANTO_ROOT/build/$1"; }

# Configures a preset when it has no build files yet, then builds the given
# targets (all when none) with ninja. Output goes to the log file $LOG when set.
build_preset() {
  local preset=$1 dir
  shift
  dir=$(preset_dir "$preset")
  (
    cd "$BREVANTO_ROOT" || exit 1
    if [ ! -f "$dir/build.ninja" ]; then
      cmake --preset "$preset" || exit 1
    fi
    ninja -C "$dir" -j "$BREVANTO_JOBS" "$@"
  )
}

# Whether a configured preset has a build target of that name.
preset_has_target() {
  ninja -C "$(preset_dir "$1")" -t targets all 2>/dev/null | grep -q "^$2:"
}

# Reads a GoogleTest log (plain or with Windows line ends) and prints
# "PASSED FAILED": the tests reported passed and failed. A run that ended
# before its summary (a crash, a sanitizer abort, a timeout) counts as one
# failure on top of what it reported, so that it can never look clean.
gtest_counts() {
  local log=$1 rc=${2:-0}
  tr -d '\r' <"$log" | awk -v rc="$rc" '
    /^\[  PASSED  \] [0-9]+ test/ { passed = $4; summary = 1 }
    /^\[  FAILED  \] [0-9]+ test/ { failed = $4; summary = 1 }
    /^\[       OK \]/ { ok++ }
    /^\[  FAILED  \] [^0-9]/ && !summary { seen_fail[$4] = 1 }
    END {
      if (!summary) {
        n = 0; for (k in seen_fail) n++
        printf "%d %d\n", ok, n + 1
      } else {
        if (rc != 0 && failed == 0) failed = 1
        printf "%d %d\n", passed, failed
      }
    }'
}
