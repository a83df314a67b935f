#!/usr/bin/env bash
# What scripts/release may delete, and who sees the signing password; no build is run:
#   release_guard_test.sh <case>     (no case: every case)
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log() { echo "== $*" >&2; }
. "$root/scripts/lib/release.sh"

failures=0
check() {  # check <description> <command...>
  local what=$1; shift
  if eval "$(printf '%q ' "$@")"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}
mark() { mkdir -p "$1" && touch "$1/$QVX_RELEASE_MARK"; }

case_dirs() {
  # A stand-in repository and home directory, each marked, so that only their own rule refuses them.
  local t=$work/dirs
  local QVX_ROOT=$t/repo
  mark "$t/repo"; touch "$t/repo/CMakeLists.txt"
  mark "$t/marked-above-home"; mark "$t/marked-above-home/home"
  mark "$t/marked"; touch "$t/marked/TavrelStart.exe"
  mkdir -p "$t/empty" "$t/plain"; touch "$t/plain/notes.txt" "$t/file"
  ln -s "$t/marked-above-home/home" "$t/home-link"
  ln -s "$t/marked" "$t/marked-link"
  local path want got
  while read -r path want; do
    path=${path//@/$t}
    got=refused
    HOME=$t/marked-above-home/home qvx_release_dir_check "$path" > /dev/null && got=allowed
    check "$path: $want" [ "$got" = "$want" ]
  done <<'TABLE'
/                            refused
/tmp/..                      refused
@/repo                       refused
@/repo/.                     refused
@                            refused
@/marked-above-home/home     refused
@/marked-above-home/home/    refused
@/home-link                  refused
@/marked-above-home          refused
@/plain                      refused
@/file                       refused
@/plain/../plain             refused
@/marked                     allowed
@/marked-link                allowed
@/empty                      allowed
@/not-yet/made               allowed
TABLE

  qvx_release_fresh_dir "$t/marked" 2> /dev/null
  check "a marked directory is emptied and stays marked" \
    [ "$(ls -A "$t/marked")" = "$QVX_RELEASE_MARK" ]
  check "an unmarked one is left alone" eval '! qvx_release_fresh_dir "$t/plain" 2> /dev/null && [ -f "$t/plain/notes.txt" ]'
  qvx_release_fresh_dir "$t/new" 2> /dev/null
  check "a new one is made, marked" [ -f "$t/new/$QVX_RELEASE_MARK" ]
}

# scripts/release, run from a copy of the scripts in a scratch repository (which a fault here may
# delete), with its package tools and cmake replaced: the build "fails" at once, after the fake
# cmake wrote down the environment it was given.
release() {
  if [ ! -d "$work/repo" ]; then
    mkdir -p "$work/repo" && cp -r "$root/scripts" "$work/repo/" \
      && git -C "$work/repo" init -q && git -C "$work/repo" add -A \
      && git -C "$work/repo" -c user.name=test -c user.email=test@localhost commit -qm scripts || return 1
  fi
  mkdir -p "$work/bin"
  printf '#!/bin/sh\nenv > "%s/cmake-env"\nexit 1\n' "$work" > "$work/bin/cmake"
  printf '#!/bin/sh\necho "install ok installed"\n' > "$work/bin/dpkg-query"
  chmod +x "$work/bin/cmake" "$work/bin/dpkg-query"
  rm -f "$work/cmake-env"
  PATH=$work/bin:$PATH QVX_DPKG_QUERY=$work/bin/dpkg-query QVX_I386_PROBE=true QVX_BUILD=$work/qvx-build \
    "$work/repo/scripts/release" --allow-dirty "$@" > "$work/release.log" 2>&1
}

case_script() {
  mkdir -p "$work/scratch"; touch "$work/scratch/keep"
  # Run from <cwd> with <options> (@ the scratch area, % the repository): refused before anything
  # else runs, with the reason, and nothing deleted.
  local cwd args status
  while read -r cwd args; do
    cwd=${cwd//@/$work}; cwd=${cwd//%/$work/repo}; args=${args//@/$work}; args=${args//%/$work/repo}
    # shellcheck disable=SC2086
    (cd "$cwd" && release --unsigned $args)
    status=$?
    check "$args (from $cwd): refused" \
      eval '[ $status != 0 ] && [ ! -e "$work/cmake-env" ] && grep -qE "refusing to empty|lies in" "$work/release.log"'
    check "... nothing deleted" [ -f "$work/scratch/keep" ] && [ -f "$work/repo/scripts/release" ]
  done <<'TABLE'
@/scratch --out . --build-dir @/b
@         --build-dir @/scratch --out @/o
@         --out % --build-dir @/b
%         --build-dir . --out @/o
@         --out @/o --build-dir @/o/build
TABLE
  release --unsigned --build-dir "$work/b" --out "$work/o"
  check "a new --build-dir is made, marked" [ -f "$work/b/$QVX_RELEASE_MARK" ]
}

case_password() {
  touch "$work/cert.pem" "$work/key.pem"
  QVX_SIGN_PASSWORD=pass-$$-word release --cert "$work/cert.pem" --key "$work/key.pem" \
    --build-dir "$work/b6" --out "$work/o6"
  check "the build ran" [ -s "$work/cmake-env" ]
  check "the build does not see the signing password" eval '! grep -q "pass-$$-word" "$work/cmake-env"'
}

cases=${1:-"dirs script password"}
for c in $cases; do "case_$c"; done
[ $failures = 0 ] && echo "all passed" || echo "$failures failed"
exit $((failures > 0))
