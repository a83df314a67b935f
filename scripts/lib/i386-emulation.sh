# Running the shipped i686 exe on a kernel that executes no 32-bit code (some virtual machines'
# kernels are built without it): the kernel's binfmt_misc hands i386 ELF programs, the 32-bit Wine
# among them, to qemu's user-mode i386 emulator. Only qemu 9 or later will do: older ones ignore
# MAP_FIXED_NOREPLACE, and the 32-bit Wine then takes about a minute to start each process while it
# reserves its address space 64 KiB at a time. Debian 12's own qemu is 7.2, so a newer one is
# taken from Debian's backports, unpacked into a cache directory and never installed.
# Sourced by lib/common.sh.
#
# Seams, so that tests can drive every branch with fakes:
#   QVX_BINFMT_DIR        the binfmt_misc directory (default: /proc/sys/fs/binfmt_misc)
#   QVX_QEMU_I386         an emulator to use instead of looking for one
#   QVX_EMULATOR_DIR      where a fetched emulator is kept (default: /var/cache/qvx)
#   QVX_APT_GET, QVX_DPKG_DEB, QVX_MOUNT   the tools (default: the real ones)
#   QVX_OS_RELEASE        the os-release file that names the Debian release (default: /etc/os-release)
# shellcheck shell=bash

QVX_I386_BINFMT_NAME=qvx-i386
# i386 ELF executables and shared objects, as qemu's own binfmt entry matches them.
QVX_I386_MAGIC='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
QVX_I386_MASK='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
QVX_I386_MAGIC_HEX=7f454c4601010100000000000000000002000300  # as binfmt_misc lists it

# The major version of a qemu user-mode emulator, or nothing when it does not answer.
qvx_qemu_major() {
  "$1" --version 2>/dev/null | sed -n '1s/.*version \([0-9][0-9]*\)\..*/\1/p'
}

# "qemu-i386 <version>" of an emulator, for the summary.
qvx_qemu_name() {
  "$1" --version 2>/dev/null | sed -n '1s/^\(qemu-i386\) version \([^ ]*\).*/\1 \2/p'
}

qvx_qemu_usable() {
  local major
  [ -x "$1" ] || return 1
  major=$(qvx_qemu_major "$1")
  [ -n "$major" ] && [ "$major" -ge 9 ]
}

# Fetches qemu-user from Debian's backports (then from the release itself) into $1/qemu-i386.
# The package lists go to a directory of their own: the system's apt state is left as it was.
qvx_fetch_qemu_i386() {
  local dir=$1 apt=${QVX_APT_GET:-apt-get} codename tmp suite
  codename=$(. "${QVX_OS_RELEASE:-/etc/os-release}" 2>/dev/null && echo "${VERSION_CODENAME:-}")
  [ -n "$codename" ] || { log "No Debian release name in ${QVX_OS_RELEASE:-/etc/os-release}"; return 1; }
  tmp=$(mktemp -d "${TMPDIR:-/tmp}/qvx-qemu.XXXXXX") || return 1
  mkdir -p "$tmp/lists/partial" "$tmp/archives/partial" "$dir"
  for suite in "$codename-backports" "$codename"; do
    printf 'Types: deb\nURIs: http://deb.debian.org/debian\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
      "$suite" > "$tmp/qemu.sources"
    local opts=(-o "Dir::Etc::sourcelist=$tmp/qemu.sources" -o "Dir::Etc::sourceparts=-"
                -o "Dir::State::Lists=$tmp/lists" -o "Dir::Cache::Archives=$tmp/archives" -o "APT::Get::List-Cleanup=0")
    rm -f "$tmp"/*.deb
    "$apt" "${opts[@]}" update -qq >/dev/null 2>&1 || continue
    (cd "$tmp" && "$apt" "${opts[@]}" download qemu-user >/dev/null 2>&1) || continue
    rm -rf "$tmp/x"
    ${QVX_DPKG_DEB:-dpkg-deb} -x "$tmp"/qemu-user_*.deb "$tmp/x" 2>/dev/null || continue
    if qvx_qemu_usable "$tmp/x/usr/bin/qemu-i386"; then
      install -m 755 "$tmp/x/usr/bin/qemu-i386" "$dir/qemu-i386"
      rm -rf "$tmp"
      return 0
    fi
    log "$suite offers no qemu of version 9 or later"
  done
  rm -rf "$tmp"
  return 1
}

# Prints the path of a usable qemu-i386: the one asked for, a fetched one, the system's, or a new fetch.
qvx_find_qemu_i386() {
  local dir=${QVX_EMULATOR_DIR:-/var/cache/qvx} c
  if [ -n "${QVX_QEMU_I386:-}" ]; then
    qvx_qemu_usable "$QVX_QEMU_I386" && { echo "$QVX_QEMU_I386"; return 0; }
    log "$QVX_QEMU_I386 is no qemu-i386 of version 9 or later"
    return 1
  fi
  for c in "$dir/qemu-i386" "$(command -v qemu-i386-static)" "$(command -v qemu-i386)"; do
    [ -n "$c" ] && qvx_qemu_usable "$c" && { echo "$c"; return 0; }
  done
  log "Fetching qemu's i386 emulator (version 9 or later) from Debian"
  qvx_fetch_qemu_i386 "$dir" && echo "$dir/qemu-i386"
}

# Registers $1 as the handler of i386 ELF programs. The F flag opens the emulator now, so the entry
# works in any mount namespace. Another enabled i386 handler (an older qemu's) is switched off, not
# removed: the kernel would ask it first once it were registered again.
qvx_register_i386_emulator() {
  local qemu=$1 bf=${QVX_BINFMT_DIR:-/proc/sys/fs/binfmt_misc} entry
  if [ ! -e "$bf/register" ]; then
    ${QVX_MOUNT:-mount} -t binfmt_misc binfmt_misc "$bf" 2>/dev/null
    [ -e "$bf/register" ] || { log "binfmt_misc is not available at $bf"; return 1; }
  fi
  for entry in "$bf"/*; do
    case ${entry##*/} in register|status|"$QVX_I386_BINFMT_NAME") continue ;; esac
    grep -qx enabled "$entry" 2>/dev/null || continue
    grep -qx "magic $QVX_I386_MAGIC_HEX" "$entry" 2>/dev/null || continue
    log "Switching off the i386 handler ${entry##*/} ($(sed -n 's/^interpreter //p' "$entry"))"
    echo 0 > "$entry"
  done
  entry=$bf/$QVX_I386_BINFMT_NAME
  if [ -e "$entry" ]; then
    grep -qx "interpreter $qemu" "$entry" && grep -qx enabled "$entry" && return 0
    echo -1 > "$entry"
  fi
  printf ':%s:M::%s:%s:%s:F\n' "$QVX_I386_BINFMT_NAME" "$QVX_I386_MAGIC" "$QVX_I386_MASK" "$qemu" > "$bf/register" \
    || { log "binfmt_misc refused the i386 handler"; return 1; }
}

# Lets a kernel without 32-bit support run i386 programs under emulation. Sets QVX_I686_EMULATOR
# to the emulator's name and version.
qvx_enable_i386_emulation() {
  local qemu
  qemu=$(qvx_find_qemu_i386) || return 1
  qvx_register_i386_emulator "$qemu" || return 1
  QVX_I686_EMULATOR=$(qvx_qemu_name "$qemu")
  export QVX_I686_EMULATOR
  log "i386 programs run under ${QVX_I686_EMULATOR:-$qemu}"
}
