# shellcheck shell=bash
# Wine session helpers, sourced by the end-to-end tests, tests/e2e/run and scripts/run.
#
# A session is one private folder holding HOME, the XDG folders and TMPDIR, one
# Xvfb display and one template prefix made by wineboot. Every test gets a copy
# of the template; nothing ever runs inside the template itself. A session begun
# here is torn down on exit (all wineservers killed, Xvfb stopped, folder
# removed), also after a failure; a nested script that finds a session already
# open (WINE_SESSION set) uses it and leaves its teardown to its owner.

WINE_SCREEN_SIZE=${WINE_SCREEN_SIZE:-1024x768}

wine_log() { echo "wine: $*" >&2; }

# Environment every Wine process of the session runs with.
wine_export_env() {
  # On the user's own display the X authority stays where it was.
  if [ "${WINE_KEEP_DISPLAY:-0}" = 1 ] && [ -z "${XAUTHORITY:-}" ] && [ -f "$HOME/.Xauthority" ]; then
    export XAUTHORITY=$HOME/.Xauthority
  fi
  export HOME=$WINE_SESSION/home
  export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
  export TMPDIR=$WINE_SESSION/tmp          # Debian's Wine keeps its server folder under it
  # WINEDEBUG must begin with -all, or the wine script asks for wine32.
  export WINEDEBUG=-all WINEARCH=win64 LC_ALL=C.UTF-8
  # No Mono or Gecko prompts, no .desktop files written for shortcuts.
  export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
  unset WINEPREFIX WINESERVER
}

# Opens a session unless one is open already. Sets WINE_SESSION, DISPLAY and
# WINE_TEMPLATE; returns non-zero when Xvfb or wineboot fails. With
# WINE_KEEP_DISPLAY=1 and DISPLAY set, the session shows on that display
# instead of a private Xvfb.
wine_session_begin() {
  if [ -n "${WINE_SESSION:-}" ] && [ -d "$WINE_SESSION" ]; then
    wine_export_env
    return 0
  fi
  WINE_SESSION=$(mktemp -d "${TMPDIR:-/tmp}/brevanto-wine.XXXXXX")
  WINE_SESSION_OWNER=$$
  export WINE_SESSION
  mkdir -p "$WINE_SESSION"/{home,tmp,prefixes}
  trap wine_session_end EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  wine_export_env
  if [ "${WINE_KEEP_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
    :
  else
    wine_start_display || return 1
  fi
  wine_make_template || return 1
}

# Starts the session's private display and sets DISPLAY to it.
wine_start_display() {
  DISPLAY=$(wine_xvfb main) || return 1
  export DISPLAY
}

# One more private display for a job that runs beside others; prints its name.
wine_extra_display() {
  wine_xvfb "extra$(find "$WINE_SESSION" -maxdepth 1 -name 'xvfb-*.pid' | wc -l)"
}

# Starts an Xvfb on a display number it picks itself (-displayfd), so that
# concurrent sessions never collide, waits until it accepts clients and
# prints ":N". Its PID is kept as xvfb-$1.pid for the session's end.
wine_xvfb() {
  local numfile=$WINE_SESSION/display-$1 pid
  : >"$numfile"
  Xvfb -displayfd 3 -screen 0 "${WINE_SCREEN_SIZE}x24" -nolisten tcp \
    3>"$numfile" >"$WINE_SESSION/xvfb-$1.log" 2>&1 &
  pid=$!
  echo "$pid" >"$WINE_SESSION/xvfb-$1.pid"
  for _ in $(seq 300); do
    if grep -q '^[0-9]' "$numfile"; then
      echo ":$(head -n1 "$numfile")"
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  wine_log "Xvfb did not start: $(tail -n3 "$WINE_SESSION/xvfb-$1.log")"
  return 1
}

# The user's folder inside a prefix (its name is the Linux user's).
wine_user_dir() {
  local d
  for d in "$1"/drive_c/users/*; do
    [ "$(basename "$d")" = Public ] && continue
    [ -d "$d" ] && { echo "$d"; return 0; }
  done
  return 1
}

# wineboot once, then the template is made self-contained: real folders instead
# of the links to $HOME, Wine's fonts where dialogs look for them, and a virtual
# desktop so that hiding or closing a window does not wait for a window manager.
wine_make_template() {
  WINE_TEMPLATE=$WINE_SESSION/template
  export WINE_TEMPLATE
  local started=$SECONDS
  if ! WINEPREFIX=$WINE_TEMPLATE wine wineboot --init >"$WINE_SESSION/wineboot.log" 2>&1; then
    wine_log "wineboot failed: $(tail -n3 "$WINE_SESSION/wineboot.log")"
    return 1
  fi
  WINEPREFIX=$WINE_TEMPLATE wineserver -w
  local user link
  user=$(wine_user_dir "$WINE_TEMPLATE") || { wine_log "no user folder in the template"; return 1; }
  for link in "$user"/* "$user"/AppData/*/* ; do
    [ -L "$link" ] || continue
    rm -f "$link" && mkdir -p "$link"
  done
  mkdir -p "$WINE_TEMPLATE/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf "$WINE_TEMPLATE/drive_c/windows/Fonts/" 2>/dev/null ||
    wine_log "warning: no fonts in /usr/share/wine/fonts (package fonts-wine)"
  wine_reg_append "$WINE_TEMPLATE" user 'Software\\Wine\\Explorer' '"Desktop"="Default"'
  wine_reg_append "$WINE_TEMPLATE" user 'Software\\Wine\\Explorer\\Desktops' "\"Default\"=\"$WINE_SCREEN_SIZE\""
  wine_log "template prefix ready in $((SECONDS - started)) s"
}

# Appends one value to a prefix's registry file; only while no server runs in
# that prefix (a running server would overwrite the file). $2 is user (HKCU) or
# system (HKLM); $3 the key as written in the file, backslashes doubled.
wine_reg_append() {
  local pfx=$1 hive=$2 key=$3 value=$4
  printf '\n[%s]\n%s\n' "$key" "$value" >>"$pfx/$hive.reg"
}

# A fresh prefix for one test: a copy of the template. Prints its path.
# Wine's own libraries and programs (1.2 GB with the 32-bit ones) are never
# written by a test: they are hard links to the template's, which turns a copy
# of many seconds on a busy machine into a moment. Everything else, the
# registry, the users' folders and every text file, is a real copy.
WINE_SHARED_DIRS=(drive_c/windows/system32 drive_c/windows/syswow64 drive_c/windows/winsxs)
wine_new_prefix() {
  local pfx=$WINE_SESSION/prefixes/$1 d excludes=()
  if [ -e "$pfx" ]; then
    wine_stop_prefix "$pfx"
    rm -rf "$pfx"
  fi
  for d in "${WINE_SHARED_DIRS[@]}"; do excludes+=("--exclude=./$d"); done
  mkdir -p "$pfx" &&
    tar -C "$WINE_TEMPLATE" "${excludes[@]}" -cf - . | tar -C "$pfx" -xf - || return 1
  for d in "${WINE_SHARED_DIRS[@]}"; do
    [ -d "$WINE_TEMPLATE/$d" ] || continue
    cp -al "$WINE_TEMPLATE/$d" "$pfx/$(dirname "$d")/" || return 1
    find "$pfx/$d" -type f ! \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' -o -iname '*.sys' \
      -o -iname '*.nls' -o -iname '*.ocx' -o -iname '*.cpl' -o -iname '*.acm' -o -iname '*.tlb' \) \
      -exec sh -c 'for f; do cp -p "$f" "$f.copy" && mv -f "$f.copy" "$f"; done' sh {} + || return 1
  done
  echo "$pfx"
}

# Ends every process of a prefix and waits for its server to exit.
wine_stop_prefix() {
  [ -d "$1" ] || return 0
  WINEPREFIX=$1 wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX=$1 timeout 20 wineserver -w >/dev/null 2>&1 || true
}

# Runs a Windows program in a prefix, in the foreground; its exit code is the program's.
wine_run() {
  local pfx=$1
  shift
  WINEPREFIX=$pfx wine "$@"
}

# Takes a picture of the whole display.
wine_screenshot() {
  mkdir -p "$(dirname "$1")"
  import -display "$DISPLAY" -window root "$1"
}

# The EXIT trap of the session's owner; keeps the exit status it was called with.
wine_session_end() {
  local rc=$?
  set +e
  [ -n "${WINE_SESSION:-}" ] && [ "${WINE_SESSION_OWNER:-}" = "$$" ] || return $rc
  local pfx pid
  for pfx in "$WINE_SESSION"/prefixes/* "$WINE_SESSION/template"; do
    wine_stop_prefix "$pfx"
  done
  for pid in "$WINE_SESSION"/xvfb-*.pid; do
    [ -f "$pid" ] || continue
    pid=$(cat "$pid")
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  rm -rf "$WINE_SESSION"
  WINE_SESSION=
  return $rc
}
