#!/usr/bin/env bash
# The 32-bit Wine's install and probe, and the i386 emulator for kernels without 32-bit support,
# driven through their seams with fake package tools and a fake binfmt_misc directory:
#   wine32_install_test.sh <case>     (no case: every case)
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log() { echo "== $*" >&2; }
. "$root/scripts/lib/wine32.sh"
. "$root/scripts/lib/i386-emulation.sh"

failures=0
check() {  # check <description> <command...>
  local what=$1; shift
  if eval "$(printf '%q ' "$@")"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}

# A fake tool is a script that appends its arguments to $work/calls and answers from $work/<tool>.*
fake() {  # fake <name> <body>
  printf '#!/usr/bin/env bash\necho "%s $*" >> %s/calls\n%s\n' "$1" "$work" "$2" > "$work/$1"
  chmod +x "$work/$1"
}
reset() {
  rm -f "$work"/calls "$work"/state.*
  export QVX_APT_GET=$work/apt-get QVX_APT_CACHE=$work/apt-cache QVX_DPKG=$work/dpkg
  export QVX_DPKG_QUERY=$work/dpkg-query QVX_SLEEP=$work/sleep QVX_APT_UPDATE_DELAYS="20 50 100"
  unset CI QVX_ALLOW_DOWNGRADES QVX_QEMU_I386
  rm -rf "$work/binfmt" "$work/cache" && mkdir -p "$work/binfmt"
  export QVX_BINFMT_DIR=$work/binfmt QVX_EMULATOR_DIR=$work/cache
  fake sleep ':'
  fake dpkg 'case $1 in --print-foreign-architectures) echo i386 ;; --compare-versions) dpkg "$@" ;; esac'
  # Installed: libgst:amd64 at the security version; wine32 not yet.
  fake dpkg-query 'for p in "${@:3}"; do case $p in
    libgst:amd64) echo "libgst install ok installed 1.22.0-3+deb12u7" ;;
    libc6:amd64) echo "libc6 install ok installed 2.36-9" ;;
    libz:amd64) echo "libz install ok installed 1.2" ;;
    *) echo "dpkg-query: no packages found matching $p" >&2 ;; esac; done'
  fake apt-cache 'case $1 in
    depends) printf "wine32:i386\n  Depends: libwine:i386\nlibwine:i386\nlibgst:i386\nlibc6:i386\nlibz:i386\n" ;;
    policy) for p in "${@:2}"; do echo "$p:"; case $p in libgst:i386) echo "  Candidate: 1.22.0-3+deb12u6" ;;
            libc6:i386) echo "  Candidate: 2.36-9" ;; libz:i386) echo "  Candidate: 1.3" ;; *) echo "  Candidate: (none)" ;; esac; done ;; esac'
}
calls() { cat "$work/calls" 2>/dev/null; }

case_update_retries() {
  reset
  # Fails once, then succeeds; the install then goes through at the first try.
  fake apt-get 'case $1 in update) [ -e '"$work"'/state.once ] && exit 0; touch '"$work"'/state.once; exit 100 ;;
    install) exit 0 ;; esac'
  check "a failed update is tried again, and the install then runs" qvx_install_wine32
  check "two updates, one install" [ "$(calls | grep -c 'apt-get update') $(calls | grep -c 'apt-get install')" = "2 1" ]
  check "the back-off waited once, 20 s" [ "$(calls | grep '^sleep')" = "sleep 20" ]

  reset
  # The update never fully succeeds: four tries, then the install is attempted anyway.
  fake apt-get 'case $1 in update) exit 100 ;; install) exit 0 ;; esac'
  check "an update that keeps failing does not stop an install that can go through" qvx_install_wine32
  check "four tries, three waits" [ "$(calls | grep -c 'apt-get update') $(calls | grep -c '^sleep')" = "4 3" ]
}

case_skew() {
  reset
  # The plain install fails on skew; the matched one succeeds and keeps its preferences file.
  fake apt-get 'case $1 in update) exit 0 ;;
    install) case "$*" in *allow-downgrades*)
               for a in "$@"; do case $a in Dir::Etc::Preferences=*) cat "${a#*=}" > '"$work"'/state.pref ;; esac; done
               exit 0 ;;
             *) echo "E: Unable to correct problems, you have held broken packages."; exit 100 ;; esac ;; esac'
  check "skew is found from apt's data: only the package whose i386 version is older" \
    [ "$(qvx_i386_skew)" = "libgst 1.22.0-3+deb12u7 1.22.0-3+deb12u6" ]
  check "outside CI the downgrade is refused" eval '! qvx_install_wine32 2> "$work/state.err"'
  check "... and the command is printed" grep -q 'libgst=1.22.0-3+deb12u6 libgst:i386=1.22.0-3+deb12u6' "$work/state.err"
  check "... with the version lines" grep -q 'libgst: amd64 1.22.0-3+deb12u7, i386 1.22.0-3+deb12u6' "$work/state.err"
  check "... and nothing was downgraded" [ "$(calls | grep -c allow-downgrades)" = 0 ]

  rm -f "$work/calls"
  export CI=true
  check "under CI the versions are matched" qvx_install_wine32
  check "... naming both architectures at the i386 version" \
    grep -q 'allow-downgrades.*libgst=1.22.0-3+deb12u6 libgst:i386=1.22.0-3+deb12u6 wine32:i386' "$work/calls"
  check "... with the security suite pinned low for this install only" \
    grep -qx 'Pin: release l=Debian-Security' "$work/state.pref"
  check "... and no preferences file is left behind" [ -z "$(ls "${TMPDIR:-/tmp}"/qvx-apt-pref.* 2>/dev/null)" ]

  reset
  fake apt-get 'case $1 in update) exit 0 ;; install) exit 100 ;; esac'
  fake apt-cache 'case $1 in depends) echo "wine32:i386" ;; policy) echo "$2:"; echo "  Candidate: 1.0" ;; esac'
  check "a failure that no skew explains is reported as such" \
    eval '! qvx_install_wine32 2> "$work/state.err" && grep -q "no amd64/i386 version skew" "$work/state.err"'
}

case_probe() {
  reset
  printf '#!/bin/sh\necho "$0: cannot execute binary file: Exec format error" >&2\nexit 126\n' > "$work/no-i386"
  printf '#!/bin/sh\nexit 0\n' > "$work/i386"
  printf '#!/bin/sh\necho wine-8.0\n' > "$work/wine"
  chmod +x "$work/no-i386" "$work/i386" "$work/wine"
  QVX_I386_PROBE=$work/no-i386 QVX_WINE32_LOADER=$work/wine qvx_probe_i686
  check "a kernel without i386 is told apart from a missing Wine" \
    [ "$QVX_I686_RUNS$QVX_I686_KERNEL" = 00 ] && [[ $QVX_I686_WHY == *"Exec format error"* ]]
  QVX_I386_PROBE=$work/i386 QVX_WINE32_LOADER=$work/missing qvx_probe_i686
  check "a missing 32-bit Wine on a kernel that runs i386" \
    [ "$QVX_I686_RUNS$QVX_I686_KERNEL" = 01 ] && [[ $QVX_I686_WHY == *"not installed"* ]]
  QVX_I386_PROBE=$work/i386 QVX_WINE32_LOADER=$work/wine qvx_probe_i686
  check "both present: the i686 runs go ahead" [ "$QVX_I686_RUNS" = 1 ]

  # Who may skip: (CI, asked, kernel runs i386) -> allowed?
  local ci asked kernel want
  while read -r ci asked kernel want; do
    QVX_I686_KERNEL=$kernel QVX_I686_WHY=reason
    if [ "$ci" = 1 ]; then export CI=true; else unset CI; fi
    got=no; qvx_i686_may_skip "$asked" > /dev/null && got=yes
    check "skip allowed (CI=$ci, --no-i686=$asked, kernel runs i386=$kernel): $want" [ "$got" = "$want" ]
  done <<'TABLE'
0 1 1 yes
0 0 0 yes
0 0 1 no
1 1 1 no
1 0 0 no
1 1 0 no
TABLE
}

case_real_probe() {
  reset
  # The built-in probe program is a valid i386 ELF: where it cannot run, the answer names the kernel.
  qvx_write_i386_probe "$work/probe"
  check "the i386 probe program is a 32-bit ELF" eval 'file "$work/probe" | grep -q "ELF 32-bit LSB executable, Intel 80386"'
  unset QVX_I386_PROBE
  QVX_WINE32_LOADER=$work/missing qvx_probe_i686
  if "$work/probe" 2>/dev/null; then
    check "this kernel runs i386: the reason is the missing Wine" [ "$QVX_I686_KERNEL" = 1 ]
  else
    check "this kernel runs no i386: the reason is the kernel" [ "$QVX_I686_KERNEL" = 0 ]
  fi
}

# A fake qemu-i386 of the given version.
fake_qemu() {  # fake_qemu <path> <version>
  mkdir -p "$(dirname "$1")"
  printf '#!/bin/sh\necho "qemu-i386 version %s (Debian 1:%s)"\n' "$2" "$2" > "$1"
  chmod +x "$1"
}

case_emulation() {
  reset
  fake_qemu "$work/old/qemu-i386" 7.2.22
  fake_qemu "$work/new/qemu-i386" 10.0.2
  check "qemu 7 is refused (it starts each 32-bit Wine process in about a minute)" \
    eval '! QVX_QEMU_I386=$work/old/qemu-i386 qvx_find_qemu_i386 2>/dev/null'
  check "qemu 10 is taken" [ "$(QVX_QEMU_I386=$work/new/qemu-i386 qvx_find_qemu_i386)" = "$work/new/qemu-i386" ]

  # Fetching: backports first; a suite whose qemu is too old is passed over for the next one.
  echo 'VERSION_CODENAME=bookworm' > "$work/os-release"
  export QVX_OS_RELEASE=$work/os-release QVX_DPKG_DEB=$work/dpkg-deb
  fake apt-get 'for a in "$@"; do case $a in Dir::Etc::sourcelist=*) sed -n "s/^Suites: /suite /p" "${a#*=}" >> '"$work"'/calls ;; esac; done
    case "$*" in *" download "*) touch qemu-user_1_amd64.deb ;; esac'
  fake dpkg-deb 'case $(grep -c "^suite" '"$work"'/calls) in 1|2) v=7.2.22 ;; *) v=10.0.2 ;; esac
    mkdir -p "$3/usr/bin"; printf "#!/bin/sh\\necho qemu-i386 version %s\\n" $v > "$3/usr/bin/qemu-i386"; chmod +x "$3/usr/bin/qemu-i386"'
  check "a fetched emulator lands in the cache" [ "$(qvx_find_qemu_i386 2>/dev/null)" = "$work/cache/qemu-i386" ]
  check "... from backports, then from the release, whose qemu was new enough" \
    [ "$(calls | sed -n 's/^suite //p' | sort -u | tr '\n' ' ')" = "bookworm bookworm-backports " ]
  check "... and a second look finds it without fetching" \
    eval 'rm -f "$work/calls"; qvx_find_qemu_i386 >/dev/null 2>&1 && [ ! -e "$work/calls" ]'

  # Registration: an older qemu's enabled i386 entry is switched off; other handlers are left alone.
  printf 'enabled\ninterpreter /usr/bin/qemu-i386-static\nflags: F\noffset 0\nmagic %s\n' "$QVX_I386_MAGIC_HEX" \
    > "$work/binfmt/qemu-i386"
  printf 'enabled\ninterpreter /usr/bin/python3.11\nmagic 550d0d0a\n' > "$work/binfmt/python3.11"
  : > "$work/binfmt/register"
  qvx_register_i386_emulator "$work/new/qemu-i386" 2>/dev/null
  check "the entry is registered with the fix-binary flag" \
    grep -qxF ":qvx-i386:M::$QVX_I386_MAGIC:$QVX_I386_MASK:$work/new/qemu-i386:F" "$work/binfmt/register"
  check "... the old qemu's entry switched off, python's left" \
    [ "$(cat "$work/binfmt/qemu-i386")/$(head -n1 "$work/binfmt/python3.11")" = "0/enabled" ]
  printf 'enabled\ninterpreter %s\nflags: F\nmagic %s\n' "$work/new/qemu-i386" "$QVX_I386_MAGIC_HEX" > "$work/binfmt/qvx-i386"
  : > "$work/binfmt/register"
  check "an entry already in place is kept" \
    eval 'qvx_register_i386_emulator "$work/new/qemu-i386" 2>/dev/null && [ ! -s "$work/binfmt/register" ]'
  check "the handler is named for the summary" [ "$(qvx_i386_handler)" = "qemu-i386 10.0.2" ]
  rm -f "$work/binfmt/register"
  check "no binfmt_misc (and none to mount): a clear failure" \
    eval 'QVX_MOUNT=false qvx_register_i386_emulator "$work/new/qemu-i386" 2>&1 | grep -q "binfmt_misc is not available"'
}

cases=${1:-"update_retries skew probe real_probe emulation"}
[ -n "${QVX_TEST_TRACE:-}" ] && set -x
for c in $cases; do "case_$c"; done
[ $failures = 0 ] && echo "all passed" || echo "$failures failed"
exit $((failures > 0))
