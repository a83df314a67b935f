# The 32-bit Wine (Debian multiarch wine32:i386) that runs the shipped i686 exe: its install,
# which survives a mirror caught mid-sync, and the probe that tells a missing 32-bit Wine from a
# kernel that cannot run 32-bit code. Sourced by lib/common.sh.
#
# Seams, so that tests can drive every branch with fakes:
#   QVX_APT_GET, QVX_APT_CACHE, QVX_DPKG, QVX_DPKG_QUERY   the package tools (default: the real ones)
#   QVX_SLEEP                      the back-off between update tries (default: sleep)
#   QVX_WINE32_LOADER              the 32-bit Wine loader (default: /usr/lib/wine/wine)
#   QVX_I386_PROBE                 a program that exits 0 when the kernel runs i386 code
#                                  (default: a 96-byte static i386 ELF written on the fly)
#   QVX_APT_UPDATE_DELAYS          seconds to wait before each retry (default: "20 50 100": 4 tries, ~3 min)
#   QVX_ALLOW_DOWNGRADES=1         allow the version-matching fall-back outside CI
# shellcheck shell=bash

qvx_sudo() {
  if [ "$(id -u)" -ne 0 ]; then sudo "$@"; else "$@"; fi
}

# apt-get update, tried again with a back-off. Returns 0 when one try fully succeeded; 1 when every
# try left an index unread (what was read is still used: the caller goes on to install).
qvx_apt_update() {
  local apt=${QVX_APT_GET:-apt-get} sleep=${QVX_SLEEP:-sleep}
  local delays=(${QVX_APT_UPDATE_DELAYS-20 50 100}) try=0 out
  while :; do
    if out=$(qvx_sudo "$apt" update -qq 2>&1); then
      return 0
    fi
    if [ $try -ge ${#delays[@]} ]; then
      printf '%s\n' "$out" | grep -E '^(E|W):' | tail -n 4 >&2
      log "apt-get update still fails after $((try + 1)) tries; installing from the lists it did read"
      return 1
    fi
    log "apt-get update failed (try $((try + 1))); again in ${delays[$try]} s"
    "$sleep" "${delays[$try]}"
    try=$((try + 1))
  done
}

qvx_installed() {
  ${QVX_DPKG_QUERY:-dpkg-query} -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# The version apt would install of a package ("name" or "name:arch"), or nothing.
qvx_candidate() {
  ${QVX_APT_CACHE:-apt-cache} policy "$1" 2>/dev/null | awk '/Candidate:/ { if ($2 != "(none)") print $2; exit }'
}

# Version skew between the architectures: an amd64 package installed at a version newer than the one
# the i386 lists offer, while wine32:i386 needs its i386 twin (multiarch wants the same version of both).
# Prints "name amd64-version i386-version" per skewed package, read from apt's own data: the
# dependency closure of wine32:i386, against what dpkg has installed for amd64.
qvx_i386_skew() {
  local cache=${QVX_APT_CACHE:-apt-cache} query=${QVX_DPKG_QUERY:-dpkg-query}
  local names installed
  names=$("$cache" depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks --no-replaces \
      --no-enhances wine32:i386 2>/dev/null | sed -n 's/^\([a-z0-9][a-z0-9+.-]*\):i386$/\1/p' | sort -u)
  [ -n "$names" ] || return 0
  # "name version" of each amd64 twin that is installed (one query for all of them).
  installed=$("$query" -W -f='${Package} ${Status} ${Version}\n' $(sed 's/$/:amd64/' <<< "$names") 2>/dev/null \
    | awk '$2 == "install" && $3 == "ok" && $4 == "installed" { print $1, $5 }')
  [ -n "$installed" ] || return 0
  # The i386 candidates of those, again in one query; then the pairs whose versions differ.
  "$cache" policy $(awk '{ print $1 ":i386" }' <<< "$installed") 2>/dev/null \
    | awk -v installed="$installed" '
        BEGIN { n = split(installed, lines, "\n"); for (i = 1; i <= n; i++) { split(lines[i], f, " "); have[f[1]] = f[2] } }
        /^[^ ].*:i386:$/ { name = $0; sub(/:i386:$/, "", name); next }
        /^  Candidate:/ { if (name in have && $2 != "(none)" && $2 != have[name]) print name, have[name], $2; name = "" }' \
    | while read -r name have want; do
        # An i386 version newer than the amd64 one is no obstacle: apt upgrades the amd64 twin with it.
        ${QVX_DPKG:-dpkg} --compare-versions "$want" lt "$have" && printf '%s %s %s\n' "$name" "$have" "$want"
      done
}

# The install that matches versions: security updates pinned below the main suite for this install
# only, downgrades allowed, and each skewed package named for both architectures at the i386 version.
# Prints the command (and runs it unless $1 is "print").
qvx_wine32_matched_install() {
  local mode=$1 skew=$2 pref=$3
  local args=(install -y -qq --no-install-recommends --allow-downgrades -o "Dir::Etc::Preferences=$pref")
  local name have want
  while read -r name have want; do
    [ -n "$name" ] && args+=("$name=$want" "$name:i386=$want")
  done <<< "$skew"
  args+=(wine32:i386)
  printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n' > "$pref"
  echo "  ${QVX_APT_GET:-apt-get} ${args[*]}" >&2
  [ "$mode" = print ] && return 1
  qvx_sudo "${QVX_APT_GET:-apt-get}" "${args[@]}"
}

qvx_install_wine32() {
  qvx_installed wine32:i386 && return 0
  log "Installing the 32-bit Wine"
  export DEBIAN_FRONTEND=noninteractive
  ${QVX_DPKG:-dpkg} --print-foreign-architectures | grep -qx i386 \
    || qvx_sudo "${QVX_DPKG:-dpkg}" --add-architecture i386 || return 1
  qvx_apt_update || true
  local out
  out=$(qvx_sudo "${QVX_APT_GET:-apt-get}" install -y -qq --no-install-recommends wine32:i386 2>&1) && return 0
  printf '%s\n' "$out" | grep -vE '^(Reading|Building|Selecting|Preparing|Unpacking|Setting up|Processing)' | tail -n 12 >&2
  local skew
  skew=$(qvx_i386_skew)
  if [ -z "$skew" ]; then
    log "wine32:i386 could not be installed, and no amd64/i386 version skew explains it"
    return 1
  fi
  log "Version skew between amd64 and i386 (package, amd64 installed, i386 offered):"
  printf '  %s\n' "$skew" | sed 's/^  \([^ ]*\) \([^ ]*\) \([^ ]*\)$/  \1: amd64 \2, i386 \3/' >&2
  local pref mode=run
  pref=$(mktemp "${TMPDIR:-/tmp}/qvx-apt-pref.XXXXXX")
  if [ "${CI:-}" != true ] && [ "${QVX_ALLOW_DOWNGRADES:-}" != 1 ]; then
    log "Matching the versions downgrades system packages; run scripts/test --allow-downgrades, or this:"
    mode=print
  else
    log "Matching the versions (downgrades the packages above)"
  fi
  local rc=0
  qvx_wine32_matched_install "$mode" "$skew" "$pref" >/dev/null || rc=1
  rm -f "$pref"
  [ $rc = 0 ] && return 0
  [ "$mode" = print ] || log "The version-matching install failed too"
  return 1
}

# Writes a 96-byte static i386 ELF program that only calls exit(0) through int 0x80.
qvx_write_i386_probe() {
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'`
    `'\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000'`
    `'\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000'`
    `'\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010'`
    `'\000\200\004\010\140\000\000\000\140\000\000\000\005\000\000\000'`
    `'\000\020\000\000\061\333\061\300\100\315\200\220\220\220\220\220' > "$1" && chmod +x "$1"
}

# Sets QVX_I686_RUNS=1 when this machine runs 32-bit exes under Wine; otherwise 0, with the reason in
# QVX_I686_WHY and QVX_I686_KERNEL=0 when the kernel itself cannot run 32-bit code (the only case in
# which skipping the shipped build's tests is not a fault of this machine's set-up).
qvx_probe_i686() {
  QVX_I686_RUNS=0
  QVX_I686_WHY=
  QVX_I686_KERNEL=1
  local probe=${QVX_I386_PROBE:-} tmp= out
  if [ -z "$probe" ]; then
    tmp=$(mktemp "${TMPDIR:-/tmp}/qvx-i386.XXXXXX") && qvx_write_i386_probe "$tmp" && probe=$tmp
  fi
  if [ -n "$probe" ] && ! out=$("$probe" 2>&1); then
    QVX_I686_KERNEL=0
    out=$(printf '%s' "$out" | tail -n1)
    QVX_I686_WHY="this machine's kernel does not execute 32-bit code (${out##*: }; scripts/test --emulate-i386 runs it under emulation)"
  fi
  [ -n "$tmp" ] && rm -f "$tmp"
  [ $QVX_I686_KERNEL = 0 ] && return 0
  QVX_I686_EMULATOR=$(qvx_i386_handler)
  export QVX_I686_EMULATOR
  local loader=${QVX_WINE32_LOADER:-/usr/lib/wine/wine}
  if [ ! -x "$loader" ]; then
    QVX_I686_WHY="the 32-bit Wine (wine32:i386) is not installed: $loader is missing"
  elif ! out=$("$loader" --version 2>&1); then
    QVX_I686_WHY="the 32-bit Wine does not start ($(printf '%s' "$out" | tail -n1))"
  else
    QVX_I686_RUNS=1
  fi
}

# Whether a machine may skip the shipped build's tests: qvx_i686_may_skip <asked: 0|1>. Prints why not.
# Under CI never; elsewhere when asked for (--no-i686) or when the kernel cannot run 32-bit code.
qvx_i686_may_skip() {
  local asked=$1
  if [ "${CI:-}" = true ]; then
    [ "$asked" = 1 ] && echo "--no-i686 is refused under CI: a green run must include the shipped i686 exe" \
      || echo "the shipped i686 exe was not tested: ${QVX_I686_WHY}"
    return 1
  fi
  [ "$asked" = 1 ] && return 0
  [ "${QVX_I686_KERNEL:-1}" = 0 ] && return 0
  echo "the shipped i686 exe was not tested: ${QVX_I686_WHY} (scripts/test --no-i686 skips it on purpose)"
  return 1
}

# The emulator that binfmt_misc hands i386 programs to ("qemu-i386 10.0.2"), or nothing when the
# kernel runs them itself.
qvx_i386_handler() {
  local bf=${QVX_BINFMT_DIR:-/proc/sys/fs/binfmt_misc} entry qemu
  for entry in "$bf"/*; do
    [ -f "$entry" ] && grep -qx enabled "$entry" 2>/dev/null || continue
    grep -qx "magic ${QVX_I386_MAGIC_HEX:-7f454c4601010100000000000000000002000300}" "$entry" 2>/dev/null || continue
    qemu=$(sed -n 's/^interpreter //p' "$entry")
    qvx_qemu_name "$qemu" 2>/dev/null | grep . || echo "${qemu##*/}"
    return 0
  done
}
