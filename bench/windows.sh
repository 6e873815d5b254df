# shellcheck shell=bash
# The Windows part of bench/run (sourced by it, which provides BENCH, DATA,
# TMP, BUILD, SAMPLE and the helpers value, median, ratio, fresh and settle):
# the engine's whole installation by brevanto_bench.exe against the Windows
# floor (bench_floor.exe), the catalogue's start-up cost against a bare
# inflate, and the time from the start of setup.exe to its first page, for
# the win64 and the win32 builds, under Wine in one session of
# tests/e2e/lib/wine.sh (one Xvfb, one prefix per build).
#
# A Wine process takes about a second to start, far more than the work, so
# the two programs time themselves: from before the archive is mapped to the
# last file closed (the floor) or the install log saved and the catalogue
# released (the engine). Each run writes into a fresh folder of the prefix's
# C: drive; the engine's shared data folder is moved beside it afterwards.

WINDOWS_ARCHES=(win64 win32)
LARGE_ENTRIES=${BENCH_LARGE_ENTRIES:-58000} # about 100 MB inflated
FIRST_PAGE_ROUNDS=${BENCH_FIRST_PAGE_ROUNDS:-5}

# winpath HOSTPATH: the path through Wine's Z: drive.
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# wine_in ARCH CMD...: runs a Windows program in the build's prefix.
wine_in() {
  local arch=$1
  shift
  WINEPREFIX=$WIN_PREFIX/$arch wine "$@" </dev/null
}

# The Windows builds with the bench programs and the large setup program.
build_windows() {
  local arch=$1 dir
  dir=$(preset_dir "$arch")
  build_preset native mkpayload mkarchive >/dev/null || die "the native tools did not build"
  if [ ! -f "$dir/build.ninja" ]; then cmake --preset "$arch" >/dev/null || die "cmake $arch"; fi
  cmake -S "$BREVANTO_ROOT" -B "$dir" -DBREVANTO_BENCH_LARGE_ARCHIVE="$DATA/large.z" >/dev/null ||
    die "cmake $arch"
  ninja -C "$dir" -j "$BREVANTO_JOBS" setup brevanto_bench bench_floor bench_setup_large >/dev/null ||
    die "the $arch bench programs did not build"
}

# One timed run of a Windows contender; the seconds go to NAME's list.
windows_run() {
  local arch=$1 who=$2 archive=$3 name=$4 exe out
  exe=$(preset_dir "$arch")/bench
  SLOTS=$((SLOTS + 1))
  out=C:\\bench\\$who$SLOTS
  sync
  case $who in
  engine)
    wine_in "$arch" "$exe/brevanto_bench.exe" install "$(winpath "$archive")" "$out" \
      >"$TMP/report" 2>&1 || { cat "$TMP/report" >&2; die "$arch engine failed on $archive"; }
    value install <(tr -d '\r' <"$TMP/report") >>"$TMP/$name.seconds"
    ;;
  floor)
    wine_in "$arch" "$exe/bench_floor.exe" "$(winpath "$archive")" "$out" \
      >"$TMP/report" 2>&1 || { cat "$TMP/report" >&2; die "$arch floor failed on $archive"; }
    value seconds <(tr -d '\r' <"$TMP/report") >>"$TMP/$name.seconds"
    ;;
  esac
}

# first_page ARCH EXE NAME: one start of a setup program, timed by the
# watcher from the creation of its process to its wizard on screen.
first_page() {
  local arch=$1 exe=$2 name=$3 watcher
  watcher=$(preset_dir "$arch")/bench/brevanto_bench.exe
  : >"$TMP/watch"
  WINEPREFIX=$WIN_PREFIX/$arch wine "$watcher" firstpage 60000 >"$TMP/watch" 2>&1 </dev/null &
  local pid=$!
  for _ in $(seq 300); do
    grep -q ready "$TMP/watch" && break
    sleep 0.1
  done
  sync
  WINEPREFIX=$WIN_PREFIX/$arch wine "$exe" >/dev/null 2>&1 </dev/null &
  local setup=$!
  wait "$pid" || { cat "$TMP/watch" >&2; die "$arch: no first page from $exe"; }
  wait "$setup" 2>/dev/null || true
  value first_page <(tr -d '\r' <"$TMP/watch") >>"$TMP/$name.seconds"
}

windows_arch() {
  local arch=$1 i k archive tag order
  say "bench: building $arch"
  build_windows "$arch"
  wine_new_prefix "$arch" >/dev/null || die "no prefix for $arch"
  WINEPREFIX=$WIN_PREFIX/$arch wineserver -p
  # The first start of a prefix sets it up: not measured.
  wine_in "$arch" "$(preset_dir "$arch")/bench/bench_floor.exe" >/dev/null 2>&1 || true
  settle "$arch"
  for ((i = 1; i <= WINDOWS_ROUNDS; i++)); do
    say "bench: $arch round $i of $WINDOWS_ROUNDS"
    for archive in "$SAMPLE/FILES.z" "$DATA/scale-10000.z"; do
      tag=$([ "$archive" = "$SAMPLE/FILES.z" ] && echo sample || echo 10000)
      order=(engine floor)
      for ((k = 0; k < 2; k++)); do
        local who=${order[((i + k) % 2)]}
        windows_run "$arch" "$who" "$archive" "$arch-$tag-$who"
      done
    done
  done
  say "bench: $arch start-up and first page"
  wine_in "$arch" "$(preset_dir "$arch")/bench/brevanto_bench.exe" startup \
    "$(winpath "$DATA/large.z")" "$WINDOWS_ROUNDS" | tr -d '\r' >"$TMP/startup-$arch"
  awk '$1 == "inflate" { print $2 }' "$TMP/startup-$arch" >"$TMP/$arch-inflate.seconds"
  awk '$1 == "catalogue" { print $2 }' "$TMP/startup-$arch" >"$TMP/$arch-catalogue.seconds"
  for ((i = 1; i <= FIRST_PAGE_ROUNDS; i++)); do
    first_page "$arch" "$(preset_dir "$arch")/app/setup.exe" "$arch-page-sample"
    first_page "$arch" "$(preset_dir "$arch")/bench/bench_setup_large.exe" "$arch-page-large"
  done
  wine_stop_prefix "$WIN_PREFIX/$arch"
}

print_windows_tables() {
  local arch tag e f
  echo "### Windows engine under Wine: whole installation against the Windows floor"
  echo
  echo "Median of $WINDOWS_ROUNDS runs, each timed inside its process (ms); engine and floor"
  echo "alternate within each round."
  echo
  echo "| build | archive | engine (ms) | floor (ms) | engine × floor |"
  echo "|---|---|---:|---:|---:|"
  for arch in "${WINDOWS_ARCHES[@]}"; do
    [ -f "$TMP/$arch-sample-engine.seconds" ] || continue
    for tag in sample 10000; do
      e=$(median "$TMP/$arch-$tag-engine.seconds")
      f=$(median "$TMP/$arch-$tag-floor.seconds")
      echo "| $arch | $([ $tag = sample ] && echo "sample (259 entries)" || echo "10,000 entries")" \
        "| $(ratio "$e" 0.001 1) | $(ratio "$f" 0.001 1) | $(ratio "$e" "$f") |"
    done
  done
  echo
  echo "### Start-up of setup.exe under Wine"
  echo
  echo "Catalogue: TAttachedFiles::FromCompressed (inflate and index) of the large archive"
  echo "($LARGE_ENTRIES entries, $(ratio "$(value inflated "$TMP/report.large")" 1048576 1) MiB inflated," \
    "$(ratio "$(value compressed "$TMP/report.large")" 1048576 1) MiB compressed) against a bare inflate of"
  echo "the same stream, alternating in one process (median of $WINDOWS_ROUNDS). First page: from the"
  echo "creation of the setup process to its wizard shown, seen by a watcher polling every"
  echo "millisecond (median of $FIRST_PAGE_ROUNDS starts)."
  echo
  echo "| build | bare inflate (ms) | catalogue (ms) | catalogue × inflate | first page, sample (ms) | first page, large (ms) |"
  echo "|---|---:|---:|---:|---:|---:|"
  for arch in "${WINDOWS_ARCHES[@]}"; do
    [ -f "$TMP/$arch-inflate.seconds" ] || continue
    e=$(median "$TMP/$arch-catalogue.seconds")
    f=$(median "$TMP/$arch-inflate.seconds")
    echo "| $arch | $(ratio "$f" 0.001 1) | $(ratio "$e" 0.001 1) | $(ratio "$e" "$f") |" \
      "$(ratio "$(median "$TMP/$arch-page-sample.seconds")" 0.001 0) |" \
      "$(ratio "$(median "$TMP/$arch-page-large.seconds")" 0.001 0) |"
  done
  echo
}

run_windows() {
  local arch
  make_scale_archives
  if [ ! -f "$DATA/large.z" ] || [ bench/ScaleArchive.cpp -nt "$DATA/large.z" ]; then
    say "bench: generating the large archive ($LARGE_ENTRIES entries)"
    "$BENCH" generate "$LARGE_ENTRIES" "$DATA/large.z"
  fi
  fresh
  "$BENCH" machine "$RUN/machine"
  "$BENCH" phases "$DATA/large.z" "$RUN/machine" inflate >"$TMP/report.large"
  # The session's folder (HOME, TMPDIR, the prefixes) lives in the bench's
  # temporary folder, on the file system the native parts write to.
  export TMPDIR=$TMP
  # shellcheck source=../tests/e2e/lib/wine.sh
  source "$BREVANTO_ROOT/tests/e2e/lib/wine.sh"
  wine_session_begin || die "no Wine session"
  trap 'wine_session_end; rm -rf "$TMP"' EXIT
  WIN_PREFIX=$WINE_SESSION/prefixes # where wine_new_prefix makes them
  for arch in "${WINDOWS_ARCHES[@]}"; do
    if [ "$arch" = win32 ] && ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'ok installed'; then
      echo "The win32 build is not measured: the 32-bit Wine loader (wine32:i386) is not installed."
      echo
      continue
    fi
    windows_arch "$arch"
  done
  print_windows_tables
}
