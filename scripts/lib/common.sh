# Shared by scripts/test, scripts/demo and bench/run: dependencies, builds and the Wine session.
# shellcheck shell=bash
QVX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
QVX_BUILD=${QVX_BUILD:-$QVX_ROOT/build}
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
QVX_JOBS=${QVX_JOBS:-$(nproc 2>/dev/null || echo 2)}

# Where the compiler cache is installed, builds use it (the release build never does).
if [ -z "${QVX_NO_CCACHE:-}" ] && command -v ccache >/dev/null 2>&1; then
  export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}
  export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
fi

log() { printf '\033[1m== %s\033[0m\n' "$*" >&2; }

# Debian packages this project builds and runs with.
QVX_PACKAGES="cmake ninja-build g++ zip unzip file g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  libz-mingw-w64-dev libstb-dev googletest wine64 wine xvfb xauth x11-utils imagemagick xdotool
  fonts-wqy-microhei wixl x11-xserver-utils xcompmgr"

qvx_install_deps() {
  qvx_install_packages || return 1
  qvx_probe_i686
  # A kernel that runs no 32-bit code runs it under emulation: under CI (which never skips the
  # shipped build) or when asked for (--emulate-i386).
  if [ "$QVX_I686_KERNEL" = 0 ] && { [ "${CI:-}" = true ] || [ "${QVX_EMULATE_I386:-}" = 1 ]; }; then
    local kernel_why=$QVX_I686_WHY
    if qvx_enable_i386_emulation; then
      qvx_probe_i686
    else
      QVX_I686_WHY="$kernel_why, and no i386 emulator could be set up"
    fi
  fi
  # The 32-bit Wine is of no use where no 32-bit code runs (the probe then says so).
  if [ "$QVX_I686_KERNEL" = 1 ]; then
    qvx_install_wine32 || log "The 32-bit Wine could not be installed"
    qvx_probe_i686  # what runs now, with the install done
  fi
  return 0
}

qvx_install_packages() {
  local missing=()
  local p
  for p in $QVX_PACKAGES; do
    qvx_installed "$p" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  qvx_apt_update || true
  qvx_sudo "${QVX_APT_GET:-apt-get}" install -y -qq --no-install-recommends "${missing[@]}" >/dev/null || return 1
}

. "$QVX_ROOT/scripts/lib/wine32.sh"
. "$QVX_ROOT/scripts/lib/i386-emulation.sh"

# Configure (once) and build one tree: host | i686 | x86_64.
qvx_build() {
  local kind=$1; shift
  local dir=$QVX_BUILD/$kind
  local args=(-S "$QVX_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
  case $kind in
    host) ;;
    i686|x86_64)
      args+=(--toolchain "$QVX_ROOT/cmake/toolchain-$kind-w64-mingw32.cmake"
             "-DCMAKE_CROSSCOMPILING_EMULATOR=$QVX_ROOT/cmake/wine-run") ;;
  esac
  if [ ! -f "$dir/build.ninja" ]; then
    log "Configuring $kind"
    cmake "${args[@]}" >/dev/null || return 1
  fi
  log "Building $kind"
  cmake --build "$dir" -j "$QVX_JOBS" "$@" || return 1
}

# ---------------------------------------------------------------- Wine session
QVX_STARTED_PIDS=()

qvx_free_display() {
  local n
  for n in $(seq 91 160); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { echo "$n"; return 0; }
  done
  return 1
}

qvx_wine_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    WINEPREFIX=$WINEPREFIX "$WINESERVER" -k 2>/dev/null || true
  fi
  local pid
  for pid in "${QVX_STARTED_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${QVX_STARTED_PIDS[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  QVX_STARTED_PIDS=()
}

# Starts Xvfb and a persistent wineserver for the prefix in the build tree, creates the
# prefix on first use, and writes $QVX_BUILD/wine.env for cmake/wine-run.
qvx_wine_start() {
  export WINEPREFIX=${QVX_PREFIX:-$QVX_BUILD/wineprefix}
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree=;mshtml="
  export WINESERVER
  local disp
  disp=$(qvx_free_display) || { echo "no free X display" >&2; return 1; }
  Xvfb ":$disp" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  QVX_STARTED_PIDS+=($!)
  export DISPLAY=":$disp"
  local i
  for i in $(seq 1 50); do
    [ -e "/tmp/.X11-unix/X$disp" ] && break
    sleep 0.1
  done
  trap qvx_wine_stop EXIT
  trap "qvx_wine_stop; exit 130" INT TERM HUP
  [ -n "${QVX_I686_RUNS:-}" ] || qvx_probe_i686
  # A prefix made before the 32-bit Wine was installed has no syswow64 and runs no i686 exe.
  if [ "$QVX_I686_RUNS" = 1 ] && [ -e "$WINEPREFIX" ] && [ ! -d "$WINEPREFIX/drive_c/windows/syswow64" ]; then
    log "Recreating the Wine prefix (it is not a WoW64 one)"
    "$WINESERVER" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
  fi
  mkdir -p "$WINEPREFIX"
  "$WINESERVER" -p >/dev/null 2>&1
  if [ ! -f "$WINEPREFIX/.qvx-ready" ]; then
    log "Creating the Wine prefix"
    "$WINE64" wineboot -i >/dev/null 2>&1 || true
    local reg=$QVX_BUILD/fonts.reg
    printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"微软雅黑"="WenQuanYi Micro Hei"\r\n"Microsoft YaHei"="WenQuanYi Micro Hei"\r\n"宋体"="WenQuanYi Micro Hei"\r\n"SimSun"="WenQuanYi Micro Hei"\r\n' \
      | iconv -f utf-8 -t utf-16 > "$reg"
    "$WINE64" regedit /S "$(WINEPREFIX=$WINEPREFIX /usr/lib/wine/wine64 winepath -w "$reg" 2>/dev/null || echo "$reg")" >/dev/null 2>&1 || true
    touch "$WINEPREFIX/.qvx-ready"
  fi
  if [ "$QVX_I686_RUNS" = 1 ] && [ ! -d "$WINEPREFIX/drive_c/windows/syswow64" ]; then
    echo "the Wine prefix $WINEPREFIX has no syswow64: it cannot run i686 exes" >&2
    return 1
  fi
  cat > "$QVX_BUILD/wine.env" <<ENV
export WINEPREFIX='$WINEPREFIX'
export DISPLAY='$DISPLAY'
export WINESERVER='$WINESERVER'
ENV
  export QVX_WINE_ENV=$QVX_BUILD/wine.env
}

# Keep Wine's desktop shell (explorer.exe) running for the whole session: it starts with
# the first window and would otherwise leave a while after the last one, and starting it
# again stalls the next window by seconds.
qvx_wine_desktop() {
  local keeper kind
  for kind in x86_64 i686; do
    keeper=$QVX_BUILD/$kind/tests/fixtures/shell_keeper.exe
    [ -f "$keeper" ] && break
  done
  [ -f "$keeper" ] || return 0
  "$WINE64" "$keeper" >/dev/null 2>&1 &
  QVX_STARTED_PIDS+=($!)
  local i pid
  for i in $(seq 1 150); do
    for pid in $(pgrep -f 'explorer.exe' 2>/dev/null); do
      tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && return 0
    done
    sleep 0.1
  done
  return 0
}
