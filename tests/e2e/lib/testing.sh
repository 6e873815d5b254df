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
# E2E_TRACE=1 traces every command with its time, for finding slow steps.
if [ "${E2E_TRACE:-0}" = 1 ]; then
  PS4='+ ${EPOCHREALTIME} '
  set -x
fi
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BREVANTO_ROOT=$(cd "$E2E_DIR/../.." && pwd)
# shellcheck source=wine.sh
source "$E2E_DIR/lib/wine.sh"

# The text of the setup program's title, as its windows show it.
SETUP_TITLE="Installation du traitement de texte Brevanto (Version Light)"
# Prefix of the setup program's temporary files: "~" and the title's ASCII letters.
SETUP_TEMP_PREFIX="~InstallationdutraitementdetexteBrevantoVersionLight"

e2e_begin() {
  # BREVANTO_E2E_NAME renames a run of a scenario against another program
  # (the signed setup.exe), so that its prefix and artifacts stand apart.
  E2E_NAME=${BREVANTO_E2E_NAME:-$(basename "$0" .sh)}
  E2E_BUILD=${BREVANTO_WIN_BUILD:-$BREVANTO_ROOT/build/win32}
  SETUP_EXE=${SETUP_EXE:-$E2E_BUILD/app/setup.exe}
  DRIVER_EXE=${DRIVER_EXE:-$E2E_BUILD/tests/e2e/e2e_driver.exe}
  [ -f "$SETUP_EXE" ] || { echo "FAIL $E2E_NAME: $SETUP_EXE is not built" >&2; exit 1; }
  [ -f "$DRIVER_EXE" ] || { echo "FAIL $E2E_NAME: $DRIVER_EXE is not built" >&2; exit 1; }
  KRE_EXE=${KRE_EXE:-$E2E_BUILD/tools/kre/kre.exe}
  PROBE_EXE=${PROBE_EXE:-$E2E_BUILD/tools/kre/kre_probe.exe}
  E2E_ARCH=$(e2e_pe_arch "$SETUP_EXE") || { echo "FAIL $E2E_NAME: $SETUP_EXE is no Windows program" >&2; exit 1; }
  e2e_set_arch_paths
  # The runs of one scenario against two builds go on side by side: whatever
  # a run keeps in the shared session (prefixes, the driver's pipes) is named
  # by E2E_RUN, never by the scenario alone.
  E2E_RUN=$E2E_NAME-$E2E_ARCH
  ART=$BREVANTO_ROOT/build/e2e-artifacts/$E2E_RUN
  rm -rf "$ART" && mkdir -p "$ART"
  wine_session_begin
  trap e2e_end EXIT
  # A command that fails outside any test of its result ends the test (set -e,
  # and set -E so that this holds inside the helpers too): say which, and
  # through which helpers.
  set -E
  trap 'e2e_report_error "$LINENO" "$BASH_COMMAND" "$?"' ERR
  trap 'exit 130' INT
  trap 'exit 143' TERM
  PFX=$(wine_new_prefix "$E2E_RUN")
  SETUP_PID=
}

e2e_report_error() {
  local i where=
  for ((i = 1; i < ${#FUNCNAME[@]} - 1; i++)); do
    where+=" <- ${FUNCNAME[$i]} (${BASH_SOURCE[$((i + 1))]##*/}:${BASH_LINENO[$i]})"
  done
  echo "FAIL $E2E_NAME: line $1: \"$2\" exited with $3$where" >&2
  trap - ERR
}

# win32 or win64: the machine type in the PE header of a Windows program.
e2e_pe_arch() {
  local pe machine
  pe=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ') || return 1
  machine=$(od -An -tx2 -j$((pe + 4)) -N2 "$1" | tr -d ' ') || return 1
  case "$machine" in
    014c) echo win32 ;;
    8664) echo win64 ;;
    *) return 1 ;;
  esac
}

# Where a program of this bitness puts things in the 64-bit prefix: a 32-bit
# program runs under WoW64, so its program-files folder is "Program Files
# (x86)" and its machine-wide registry keys go to the 32-bit view
# (Wow6432Node). The user's Software key is shared by both.
e2e_set_arch_paths() {
  local pf='Program Files' wow=
  if [ "$E2E_ARCH" = win32 ]; then
    pf='Program Files (x86)'
    wow='Wow6432Node\'
  fi
  PF_WIN="C:\\$pf"
  PF_DIR_NAME=$pf
  INSTALL_WIN="$PF_WIN\\Brevanto"
  UNINSTALL_KEY="Software\\${wow}Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brevanto Word Processor"
  SETTINGS_KEY='Software\Brevanto Word Processor\Install'
}

e2e_end() {
  local rc=$?
  set +e
  if [ "$rc" -ne 0 ] && [ -n "${DISPLAY:-}" ]; then
    wine_screenshot "$ART/failure.png" 2>/dev/null || true
  fi
  drv_server_stop
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

# Runs "$@" every 0.1 s until it succeeds, at most $1 seconds; its last status.
e2e_until() {
  local limit=$(($1 * 10)) i
  shift
  for ((i = 1; i < limit; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  "$@"
}

# Records the step under way, for the runner to report when it stops the
# scenario at its limit: what is awaited, from which line of the scenario,
# and when. The waiting helpers call it; a scenario may too.
e2e_step() {
  [ -n "${E2E_STEP_FILE:-}" ] || return 0
  local i=1
  while [ "${BASH_SOURCE[$i]:-}" = "${BASH_SOURCE[0]}" ]; do i=$((i + 1)); done
  printf '%s (%s:%s, %s s after the start)\n' "$*" "${BASH_SOURCE[$i]##*/}" \
    "${BASH_LINENO[$((i - 1))]}" "$SECONDS" >"$E2E_STEP_FILE"
}

# Freezes the setup's threads but the wizard's (the driver's freeze) and fails
# unless at least one, the worker, was frozen.
e2e_freeze() {
  local count
  count=$(drv freeze "$WIZ") || e2e_fail "cannot freeze the setup's worker"
  [ "$count" -ge 1 ] 2>/dev/null || e2e_fail "the freeze held no thread (\"$count\")"
  e2e_note "$count threads frozen"
}

# The driver runs in the test's prefix, so that it shares the setup program's
# desktop. Starting a Wine process costs up to a second on a busy machine, so
# one driver process serves the whole test (its `serve` command): `drv` writes
# a command line to it and reads the output up to the exit-code line. Without
# the server (before e2e_begin, after e2e_stop_wine) each call starts its own.
E2E_DRV_PID=
drv() {
  if [ -z "$E2E_DRV_PID" ] || ! kill -0 "$E2E_DRV_PID" 2>/dev/null; then
    drv_alone "$@"
    return
  fi
  local IFS=$'\t' line reply=
  printf '%s\n' "$*" >&"$E2E_DRV_IN"
  # The whole reply is read before any of it is written out, so that a reader
  # that stops early (grep -q) cannot leave part of it in the pipe.
  while IFS= read -r line <&"$E2E_DRV_OUT"; do
    if [[ $line == $'\x1e'* ]]; then
      printf '%s' "$reply"
      return "${line#?}"
    fi
    reply+=$line$'\n'
  done
  echo "driver: the driver server ended" >&2
  return 1
}

# The driver in a process of its own, for commands that run in the background.
drv_alone() {
  if [ -n "$E2E_DRV_PID" ]; then
    wine_run "$PFX" "$DRIVER_EXE" "$@" </dev/null {E2E_DRV_IN}>&- {E2E_DRV_OUT}<&-
  else
    wine_run "$PFX" "$DRIVER_EXE" "$@" </dev/null
  fi
}

# Starts the driver server of the test's prefix (from the test's own shell, so
# that every later command substitution shares it). e2e_start_setup calls it,
# once the test has prepared the prefix's registry files, since from then on
# the prefix's Wine server runs. That server is started first and on its own,
# so that it does not inherit the driver's pipes.
drv_server_start() {
  local fifo=$WINE_SESSION/driver-$E2E_RUN
  rm -f "$fifo.in" "$fifo.out"
  mkfifo "$fifo.in" "$fifo.out"
  WINEPREFIX=$PFX wineserver </dev/null >/dev/null 2>&1 || true # it may run already
  wine_run "$PFX" "$DRIVER_EXE" serve <"$fifo.in" >"$fifo.out" &
  E2E_DRV_PID=$!
  exec {E2E_DRV_IN}>"$fifo.in" {E2E_DRV_OUT}<"$fifo.out"
}

# Other programs started in the background must not hold the driver's pipes.
e2e_background() {
  if [ -n "$E2E_DRV_PID" ]; then
    "$@" {E2E_DRV_IN}>&- {E2E_DRV_OUT}<&- &
  else
    "$@" &
  fi
}

drv_server_stop() {
  [ -n "$E2E_DRV_PID" ] || return 0
  exec {E2E_DRV_IN}>&- {E2E_DRV_OUT}<&-
  # Its input closed, the server may have ended before it is killed.
  kill "$E2E_DRV_PID" 2>/dev/null || true
  wait "$E2E_DRV_PID" 2>/dev/null || true
  E2E_DRV_PID=
}

# A Linux path as the Windows programs of the prefix see it (Z: is /).
e2e_winpath() { printf 'Z:%s\n' "${1//\//\\}"; }

# The Linux folder behind the user's temporary folder (GetTempPath) in the prefix.
e2e_user_temp() { echo "$(wine_user_dir "$PFX")/Temp"; }

# Starts setup.exe in the background, with the given arguments.
e2e_start_setup() {
  [ -n "$E2E_DRV_PID" ] || drv_server_start
  wine_run "$PFX" "$SETUP_EXE" "$@" </dev/null >"$ART/setup.out" 2>&1 {E2E_DRV_IN}>&- {E2E_DRV_OUT}<&- &
  SETUP_PID=$!
}

# Waits at most 30 s for setup.exe to end and fails unless its exit code is 0
# ($1: what the failure calls it, default "exit code").
e2e_expect_exit() {
  e2e_step "waiting 30 s for setup.exe to end"
  e2e_until 30 e2e_setup_ended || e2e_fail "setup.exe still runs after 30 s"
  SETUP_EXIT=0
  wait "$SETUP_PID" || SETUP_EXIT=$?
  SETUP_PID=
  e2e_expect_eq "$SETUP_EXIT" 0 "${1:-exit code}"
}

e2e_setup_ended() { ! kill -0 "$SETUP_PID" 2>/dev/null; }

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

# ---------------------------------------------------------------------------
# The wizard. Its window is a top-level "TMainDlgForm" captioned $SETUP_TITLE;
# its controls are found by class and caption; the page title is the visible
# static of the banner; its questions are "TMessageForm" windows it owns.

PAGE_TITLES=(
  "Merci de faire confiance à Brevanto"
  "Accord de Licence"
  "Choix du dossier d'installation"
  "Choix des composants à installer"
  "L'installation peut commencer"
  "Installation"
  "Types de document à associer à Brevanto"
  "Installation terminée"
)
NEXT_BTN="&Suite >"
BACK_BTN="< &Retour"
FINISH_BTN="&Terminer"
CANCEL_BTN="Annuler"
# The banner's text area: the title lies there, left of the small logo.
BANNER_AREA=0,0,492,50
LICENCE_BOX="J'&accepte l'Accord de licence ci-dessus dans son intégralité."
INSTALL_TO_ALL_BOX="Installer pour &tous les utilisateurs de cet ordinateur"
LAUNCH_BOX="&Lancer Traitement de texte Brevanto tout de suite"
ASSOC_BOXES=("Documents RTF" "Documents COD cryptés" "Documents MS Word DOC" "Documents MS Word DOCX")
COMPONENTS=(
  "Traitement de texte Brevanto"
  "Vérificateur d'orthographe française"
  "Vérificateur d'orthographe anglaise"
  "Module de coupe de mots"
  "Modèles de document"
  "Collections d'inserts"
  "Module sonore de base"
)
RUNNING_COPY_TEXT=$'Un exemplaire du traitement de texte Brevanto est en cours d\'exécution sur votre système.\rVeuillez fermer tous les exemplaires du traitement de texte Brevanto actuellement ouverts\ravant de cliquer sur le bouton "OK" ci-dessous.'
CANCEL_QUESTION=$'L\'installation n\'est pas terminée !\r\rSi vous interrompez le programme d\'installation maintenant,\rBrevanto ne sera pas correctement installé.\r\rVous pourrez relancer ce programme plus tard\rafin de terminer l\'installation d\'Brevanto.\r\rPour poursuivre l\'installation maintenant,\rcliquez sur "Non".\r\rPour interrompre l\'installation,\rcliquez sur "Abandonner".'

# Waits for the wizard window and sets WIZ to its handle.
e2e_wizard() {
  local state rc=0
  e2e_step "waiting 30 s for the wizard window"
  WIZ=$(drv find --exe setup.exe --class TMainDlgForm --caption "$SETUP_TITLE" --timeout 30000) && return
  if kill -0 "$SETUP_PID" 2>/dev/null; then
    state="setup.exe runs; its windows: $(drv list | tr '\n' ';')"
  else
    wait "$SETUP_PID" || rc=$?
    SETUP_PID=
    state="setup.exe ended with code $rc: $(tr '\n' ' ' <"$ART/setup.out")"
  fi
  e2e_fail "no wizard window titled \"$SETUP_TITLE\" ($state)"
}

# The title of the page on show.
e2e_title() { drv texts "$WIZ" --class Static --visible --within "$BANNER_AREA" | head -n1; }

# Waits (at most $2 seconds, default 20) until page $1 is on show, then
# photographs it as $3 (default E2E_SHOTS, empty unless a scenario sets it,
# followed by "pageN").
E2E_SHOTS=
e2e_wait_page() {
  local index=$1 limit=${2:-20} shot=${3:-${E2E_SHOTS}page$1}
  e2e_step "waiting $limit s for page $index"
  drv child "$WIZ" --class Static --visible --within "$BANNER_AREA" \
    --caption "${PAGE_TITLES[$index]}" --timeout $((limit * 1000)) >/dev/null ||
    e2e_fail "page $index (\"${PAGE_TITLES[$index]}\") not on show after $limit s; the title reads \"$(e2e_title)\""
  sleep 0.3 # the rest of the page paints after its title
  e2e_shot "$shot"
  e2e_note "page $index after $SECONDS s"
  E2E_PAGE=$index
}

# Starts setup.exe with the arguments given and waits for its Welcome page.
e2e_open() {
  e2e_start_setup "$@"
  e2e_wizard
  e2e_wait_page 0 30
}

# Presses the wizard's button $1 (waiting up to $2 seconds, default 10, for it
# to become usable).
e2e_press() {
  e2e_step "waiting ${2:-10} s to press \"$1\""
  drv press "$WIZ" "$1" --timeout $(( ${2:-10} * 1000 )) || e2e_fail "cannot press \"$1\""
}

# Next, then waits for page $1 and photographs it.
e2e_next_to() {
  e2e_press "$NEXT_BTN"
  e2e_wait_page "$@"
}

# Next from page to page up to page $1 ($2: the seconds each may take).
e2e_next_through() {
  while [ "$E2E_PAGE" -lt "$1" ]; do e2e_next_to $((E2E_PAGE + 1)) "${2:-20}"; done
}

# The handle of the wizard's visible control of class $1 captioned $2 (any
# caption when $2 is empty).
e2e_control() {
  drv child "$WIZ" --class "$1" ${2:+--caption "$2"} --visible --timeout 3000 ||
    e2e_fail "no visible $1 \"${2:-}\""
}

# "visible enabled" or the like, for the wizard's button or check box $1.
e2e_button_state() {
  local h
  h=$(drv child "$WIZ" --class Button --caption "$1" --timeout 1000) || { echo missing; return; }
  drv state "$h"
}

# The check state (0, 1, 2) of the wizard's visible check box $1.
e2e_checked() { drv checked "$(e2e_control Button "$1")" .; }

# Waits for the wizard's message dialog, checks its caption ($1) and text ($2),
# photographs it as $3 and sets DLG to its handle.
e2e_dialog() {
  e2e_step "waiting 10 s for the dialog \"$1\" ($3)"
  DLG=$(drv find --exe setup.exe --class TMessageForm --owner "$WIZ" --timeout 10000) ||
    e2e_fail "no message dialog (expected \"$1\")"
  sleep 0.2
  e2e_shot "$3"
  e2e_expect_eq "$(drv caption "$DLG")" "$1" "caption of the dialog $3"
  [ -z "$2" ] || e2e_expect_eq "$(e2e_lines "$(drv texts "$DLG" --class Static)")" \
    "$(e2e_lines "$2")" "text of the dialog $3"
}

# Text with its line breaks (CR, LF or CR LF) as LF, for comparing what a
# control shows with the text it was given.
e2e_lines() {
  local t=${1//$'\r\n'/$'\n'}
  printf '%s\n' "${t//$'\r'/$'\n'}"
}

# Presses button $1 of the dialog DLG and waits until the dialog is gone.
e2e_answer() {
  e2e_step "answering \"$1\" and waiting 15 s for the dialog to go"
  drv press "$DLG" "$1" --timeout 5000 ";;" wait-gone "$DLG" --timeout 10000 ||
    e2e_fail "cannot answer \"$1\""
}

# Clicks the wizard's check box $1 (a handle) and waits until its check
# state is $2: a posted click is handled after the messages sent meanwhile.
e2e_click_box() {
  e2e_step "waiting 10 s for a click on the box $1"
  drv click "$1" . ";;" wait-checked "$1" . "$2" --timeout 10000 >/dev/null ||
    e2e_fail "the box $1 is not $2 after a click"
}

# Waits at most $1 seconds until the output of the command "${@:4}" is $2,
# then checks it as e2e_expect_eq does with the description $3.
e2e_wait_eq() {
  local limit=$1 expected=$2 what=$3
  e2e_step "waiting $1 s for $what"
  shift 3
  e2e_until "$limit" e2e_output_is "$expected" "$@" || e2e_expect_eq "$("$@")" "$expected" "$what"
}

e2e_output_is() { [ "$("${@:2}")" = "$1" ]; }

# The check-list rows of the component page: "index data selected text".
e2e_component_rows() { drv rows "$(e2e_control ListBox)"; }

# The row check states of the component page, e.g. "2 1 1 1 1 1 1".
e2e_component_states() { e2e_component_rows | cut -f2 | tr '\n' ' ' | sed 's/ $//'; }

# The error dialog's text for a destination file that cannot be created.
e2e_cannot_create_text() {
  printf 'Impossible de créer le fichier "%s".\rCe fichier est peut-être actuellement utilisé par une autre application.\r\rVeuillez vous assurer que le processus d'"'"'installation du traitement de texte Brevanto n'"'"'est pas bloqué par votre logiciel de sécurité (pare-feu ou antivirus).\rEssayez de désactiver votre logiciel de sécurité et relancez l'"'"'installation d'"'"'Brevanto.' "$1"
}

# Holds Windows file $1 open without sharing until the Linux file $2 appears
# (the driver's hold, in a process of its own); returns once it is held.
# HOLD_PID is the holder's process.
e2e_hold() {
  local out
  e2e_step "waiting 30 s for a hold on $1"
  out=$ART/hold-$(basename "$2").out
  drv_alone hold "$1" "$(e2e_winpath "$2")" --timeout 120000 >"$out" 2>&1 &
  HOLD_PID=$!
  e2e_until 30 grep -q held "$out" || e2e_fail "cannot hold $1: $(cat "$out")"
}

# Cancel, the question answered "A&bandonner", and the setup's end.
e2e_abandon() {
  e2e_press "$CANCEL_BTN"
  e2e_dialog Confirmation "$CANCEL_QUESTION" "${1:-cancel-question}"
  e2e_answer "A&bandonner"
  e2e_expect_exit
}

# The association boxes' check states, e.g. "0 1 0 0".
e2e_assoc_states() { for b in "${ASSOC_BOXES[@]}"; do e2e_checked "$b"; done | paste -sd ' '; }

# Unticks the launch box of the finish page, presses Finish and expects exit
# code 0 ($1 as for e2e_expect_exit).
e2e_finish_without_launch() {
  e2e_click_box "$(e2e_control Button "$LAUNCH_BOX")" 0
  e2e_shot "${E2E_SHOTS}page7-no-launch"
  e2e_press "$FINISH_BTN"
  e2e_expect_exit "$@"
}

# Closes the word processor's window $1 and waits for kre.exe to end.
e2e_close_kre() {
  drv close "$1" ";;" wait-exit --exe kre.exe --timeout 10000 >/dev/null ||
    e2e_fail "the word processor does not end"
}

# ---------------------------------------------------------------------------
# The prefix: folders as the Windows programs see them, the registry after the
# server has stopped.

e2e_program_files() { echo "$PFX/drive_c/$PF_DIR_NAME"; }
e2e_program_data() { echo "$PFX/drive_c/ProgramData"; }

# Ends every process of the prefix, so that its registry files are complete.
e2e_stop_wine() {
  drv_server_stop
  wine_stop_prefix "$PFX"
  e2e_keep_results
}

# With E2E_KEEP_RESULTS set to a folder (./scripts/run sets it), what the
# installation left in the prefix is copied there before the prefix goes: the
# install and data folders, the users' folders with their shortcuts, and the
# registry files.
e2e_keep_results() {
  local keep=${E2E_KEEP_RESULTS:-} part
  [ -n "$keep" ] || return 0
  rm -rf "$keep" && mkdir -p "$keep"
  for part in "drive_c/$PF_DIR_NAME/Brevanto" drive_c/ProgramData drive_c/users user.reg system.reg; do
    [ -e "$PFX/$part" ] && (cd "$PFX" && cp -a --parents "$part" "$keep/")
  done
  return 0
}

# The raw value $3 of key $2 (single backslashes) in hive $1 (user or system),
# as the file writes it: "text" with escapes, or dword:xxxxxxxx. Fails when
# the key or value is absent.
e2e_reg_raw() {
  # Through the environment: awk -v would undo the doubled backslashes.
  E2E_REG_HEAD="[${2//\\/\\\\}]" E2E_REG_NAME="\"$3\"=" awk '
    BEGIN { head = tolower(ENVIRON["E2E_REG_HEAD"]); name = ENVIRON["E2E_REG_NAME"] }
    index($0, "[") == 1 { inkey = index(tolower($0), head) == 1; next }
    inkey && index($0, name) == 1 { print substr($0, length(name) + 1); found = 1; exit }
    END { exit !found }' "$PFX/$1.reg"
}

# A string value without its quotes and escapes.
e2e_reg_string() {
  local raw
  raw=$(e2e_reg_raw "$@") || return 1
  case "$raw" in \"*\") ;; *) return 1 ;; esac
  raw=${raw#\"}
  raw=${raw%\"}
  printf '%s\n' "$raw" | sed -e 's/\\"/"/g' -e 's/\\\\/\\/g'
}

# A REG_DWORD value as a decimal number.
e2e_reg_dword() {
  local raw
  raw=$(e2e_reg_raw "$@") || return 1
  case "$raw" in dword:*) echo $((16#${raw#dword:})) ;; *) return 1 ;; esac
}

# True when hive $1 has key $2.
e2e_reg_has_key() {
  local key=${2//\\/\\\\}
  grep -qiF "[$key]" "$PFX/$1.reg"
}

# Fails unless $1 is a file (or, with -d, a folder).
e2e_expect_file() {
  if [ "$1" = -d ]; then
    [ -d "$2" ] || e2e_fail "no folder ${2#"$PFX"/}"
  else
    [ -f "$1" ] || e2e_fail "no file ${1#"$PFX"/}"
  fi
}

e2e_expect_no_file() {
  [ ! -e "$1" ] || e2e_fail "${1#"$PFX"/} should not exist"
}

# ---------------------------------------------------------------------------
# The keyboard, as a person uses it: real key events through the display
# (XTEST, with xdotool) into the Wine virtual desktop, where Wine gives them
# to the active window and its focused control.

# Sends the keys (xdotool names: Return Escape Tab space Down alt+l ...).
e2e_keys() {
  local desktop
  desktop=$(xdotool search --name 'Wine desktop' 2>/dev/null | tail -n1) || true
  [ -n "$desktop" ] || e2e_fail "no Wine desktop window on the display"
  xdotool windowfocus --sync "$desktop" 2>/dev/null || true
  xdotool key --delay 80 "$@" || e2e_fail "xdotool could not send the keys $*"
}

# Waits (at most 10 s) until the control with the keyboard focus in the
# wizard's thread is of class $1 and, when $2 is given, has the text $2 (a
# caption, or an edit box's contents).
e2e_wait_focus() {
  e2e_step "waiting 10 s for the focus on $*"
  e2e_until 10 e2e_focus_is "$@" ||
    e2e_fail "focus on \"$(e2e_title)\": expected $*, got $(drv focus "$WIZ" | cut -d' ' -f2-)"
}

e2e_focus_is() {
  local focus
  focus=$(drv focus "$WIZ") || return 1
  focus=${focus#* }
  [ "$#" -ge 2 ] || focus=${focus%% *}
  [ "$focus" = "$1${2+ \"$2\"}" ]
}
