# Scenario helpers for scripts/demo and the end-to-end tests: an installed game in the
# Wine prefix, its registry state, and looking at windows.
# shellcheck shell=bash
QVX_GAME_DIR_WIN='C:\Games\Tavrel'
# Names from resources/config.ini (the launcher reads them from its enciphered copy).
qvx_conf() { sed -n "s/^[[:space:]]*$1[[:space:]]*=[[:space:]]*//p" "$QVX_ROOT/resources/config.ini" | tr -d '\r' | head -n1; }

wine_run() { "$WINE64" "$@"; }

qvx_game_dir() { echo "$WINEPREFIX/drive_c/Games/Tavrel"; }

# The desktop user's hive (Wine's explorer.exe runs as this user).
qvx_user_sid() {
  wine_run reg query 'HKEY_USERS' 2>/dev/null | tr -d '\r' | sed -n 's/^HKEY_USERS\\\(S-1-5-21-[0-9-]*\)$/\1/p' | head -n1
}

qvx_reg_key() {
  echo "HKEY_USERS\\$(qvx_user_sid)\\SoftWare\\$(qvx_conf SOFT_NAME_EN)\\$(qvx_conf KEY_MAIN_NAME)"
}

qvx_set_marker() { wine_run reg add "$(qvx_reg_key)" /v "$(qvx_conf SAVE_KEY_MAIN_FIX_TIME)" /d "$1" /f >/dev/null 2>&1; }
qvx_get_marker() {
  wine_run reg query "$(qvx_reg_key)" /v "$(qvx_conf SAVE_KEY_MAIN_FIX_TIME)" 2>/dev/null | tr -d '\r' \
    | awk -v n="$(qvx_conf SAVE_KEY_MAIN_FIX_TIME)" '$1==n {print $3}'
}
qvx_set_install_dir() { wine_run reg add "$(qvx_reg_key)" /v "$(qvx_conf SAVE_KEY_Install_Path)" /d "$1" /f >/dev/null 2>&1; }
qvx_clear_state() { wine_run reg delete "$(qvx_reg_key)" /f >/dev/null 2>&1 || true; }

# Lays out an installed game: launcher, game stand-in, and optionally the runtime installer,
# all from one build (QVX_LAUNCHER_BUILD: i686, the shipped one, or x86_64).
qvx_install_game() {
  local with_runtime=${1:-0}
  local dir bin=$QVX_BUILD/${QVX_LAUNCHER_BUILD:-i686}
  dir=$(qvx_game_dir)
  rm -rf "$dir"
  mkdir -p "$dir"
  cp "$bin/TavrelStart.exe" "$bin/tests/fixtures/qvx.exe" "$dir/"
  if [ "$with_runtime" = 1 ]; then
    mkdir -p "$dir/runtime"
    cp "$bin/tests/fixtures/runtime.exe" "$bin"/tests/fixtures/runtime*.msi "$dir/runtime/"
  fi
}

# The build whose launcher the scenarios run: the shipped i686 one where 32-bit code runs.
qvx_choose_launcher_build() {
  [ -n "${QVX_I686_RUNS:-}" ] || qvx_probe_i686
  if [ "$QVX_I686_RUNS" = 1 ]; then
    QVX_LAUNCHER_BUILD=i686
  else
    QVX_LAUNCHER_BUILD=x86_64
    echo "running the x86_64 launcher instead of the shipped i686 one: $QVX_I686_WHY"
  fi
}

# X window id of a top-level window with this exact title, if any.
qvx_x_window() { xdotool search --name "^$1\$" 2>/dev/null | head -n1; }

qvx_screenshot() { mkdir -p "$(dirname "$1")"; import -window root "$1"; }

# A plain desktop background, and a compositing manager so that layered windows are blended
# with what lies under them (the windows' soft shadow shows).
qvx_demo_desktop() {
  xsetroot -solid '#808080' 2>/dev/null || true
  if command -v xcompmgr >/dev/null; then
    xcompmgr >/dev/null 2>&1 &
    QVX_STARTED_PIDS+=($!)
  fi
}
