# shellcheck shell=bash disable=SC2034  # its variables are read by the tests
# Helpers of the end-to-end test scripts (tests/e2e/test_*.sh).
#
# A test sources this file, calls e2e_begin, drives setup.exe through `drv`
# (the driver program, see driver/driver.cpp) and ends by falling off its end or
# calling e2e_fail. It runs alone (opening its own Wine session) or under
# tests/e2e/run (joining the run's session). Each test gets a fresh prefix $PFX
# and a folder of artifacts $ART, build/e2e-artifacts/<test name>, which keeps
# its screenshots; a failure adds a screenshot of the moment it happened.

set -euo pipefail
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BREVANTO_ROOT=$(cd "$E2E_DIR/../.." && pwd)
# shellcheck source=wine.sh
source "$E2E_DIR/lib/wine.sh"

# The text of the setup program's title, as its windows show it.
SETUP_TITLE="Installation du traitement de texte Brevanto (Version Light)"
# Prefix of the setup program's temporary files: "~" and the title's ASCII letters.
SETUP_TEMP_PREFIX="~InstallationdutraitementdetexteBrevantoVersionLight"

e2e_begin() {
  E2E_NAME=$(basename "$0" .sh)
  local build=${BREVANTO_WIN64_BUILD:-$BREVANTO_ROOT/build/win64}
  SETUP_EXE=${SETUP_EXE:-$build/app/setup.exe}
  DRIVER_EXE=${DRIVER_EXE:-$build/tests/e2e/e2e_driver.exe}
  [ -f "$SETUP_EXE" ] || { echo "FAIL $E2E_NAME: $SETUP_EXE is not built" >&2; exit 1; }
  [ -f "$DRIVER_EXE" ] || { echo "FAIL $E2E_NAME: $DRIVER_EXE is not built" >&2; exit 1; }
  ART=$BREVANTO_ROOT/build/e2e-artifacts/$E2E_NAME
  rm -rf "$ART" && mkdir -p "$ART"
  wine_session_begin
  trap e2e_end EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  PFX=$(wine_new_prefix "$E2E_NAME")
  SETUP_PID=
}

e2e_end() {
  local rc=$?
  set +e
  if [ "$rc" -ne 0 ] && [ -n "${DISPLAY:-}" ]; then
    wine_screenshot "$ART/failure.png" 2>/dev/null || true
  fi
  wine_stop_prefix "${PFX:-}"
  [ -n "${SETUP_PID:-}" ] && wait "$SETUP_PID" 2>/dev/null
  (exit "$rc")
  wine_session_end
  return "$rc"
}

e2e_fail() {
  echo "FAIL $E2E_NAME: $*" >&2
  exit 1
}

e2e_note() { echo "  $E2E_NAME: $*" >&2; }

# Runs the driver in the test's prefix, so that it shares the setup program's desktop.
drv() { wine_run "$PFX" "$DRIVER_EXE" "$@" </dev/null; }

# A Linux path as the Windows programs of the prefix see it (Z: is /).
e2e_winpath() { printf 'Z:%s\n' "${1//\//\\}"; }

# The Linux folder behind the user's temporary folder (GetTempPath) in the prefix.
e2e_user_temp() { echo "$(wine_user_dir "$PFX")/Temp"; }

# Starts setup.exe in the background, with the given arguments.
e2e_start_setup() {
  wine_run "$PFX" "$SETUP_EXE" "$@" </dev/null >"$ART/setup.out" 2>&1 &
  SETUP_PID=$!
}

# Waits at most $1 seconds for setup.exe to end and sets SETUP_EXIT to its exit code.
e2e_wait_setup_exit() {
  local limit=$(( $1 * 10 )) i
  for ((i = 0; i < limit; i++)); do
    kill -0 "$SETUP_PID" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$SETUP_PID" 2>/dev/null && e2e_fail "setup.exe still runs after $1 s"
  SETUP_EXIT=0
  wait "$SETUP_PID" || SETUP_EXIT=$?
  SETUP_PID=
}

e2e_shot() { wine_screenshot "$ART/$1.png"; }

e2e_expect_eq() {
  [ "$1" = "$2" ] || e2e_fail "$3: expected \"$2\", got \"$1\""
}

e2e_expect_contains() {
  case "$1" in
    *"$2"*) ;;
    *) e2e_fail "$3: \"$2\" not found in \"$1\"" ;;
  esac
}
