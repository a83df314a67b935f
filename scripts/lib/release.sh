# Release builds, signing and the release check of scripts/test. Needs lib/common.sh.
# shellcheck shell=bash
QVX_RELEASE_PACKAGES="git openssl osslsigncode"

qvx_release_deps() { QVX_PACKAGES=$QVX_RELEASE_PACKAGES qvx_install_deps; }

# The directories scripts/release empties (--build-dir, --out) must be its own: one it made (it
# leaves this file in each), an empty one, or none yet. Never /, the repository, the home
# directory, nor a directory holding one of them.
QVX_RELEASE_MARK=.made-by-scripts-release

# Whether <dir> may be emptied: qvx_release_dir_check <dir>. Prints why not, and returns 1.
qvx_release_dir_check() {
  local real root home=
  real=$(realpath -m -- "$1") && root=$(realpath -m -- "$QVX_ROOT") || { echo "$1 cannot be resolved"; return 1; }
  [ -n "${HOME:-}" ] && home=$(realpath -m -- "$HOME")
  if [ "$real" = / ]; then
    echo "it is /"
  elif [ "$real" = "$root" ] || [[ $root == "$real"/* ]]; then
    echo "it is or holds the repository"
  elif [ -n "$home" ] && { [ "$real" = "$home" ] || [[ $home == "$real"/* ]]; }; then
    echo "it is or holds the home directory"
  elif [ ! -e "$real" ] && [ ! -L "$real" ]; then
    return 0
  elif [ ! -d "$real" ]; then
    echo "it is not a directory"
  elif [ -f "$real/$QVX_RELEASE_MARK" ] || [ -z "$(ls -A "$real")" ]; then
    return 0
  else
    echo "it is not empty, and scripts/release did not make it"
  fi
  return 1
}

# Empties <dir> (made anew, with the mark), if qvx_release_dir_check allows: qvx_release_fresh_dir <dir>
qvx_release_fresh_dir() {
  local why real
  why=$(qvx_release_dir_check "$1") || { echo "release: refusing to empty $1: $why" >&2; return 1; }
  real=$(realpath -m -- "$1")
  rm -rf -- "$real" && mkdir -p -- "$real" || return 1
  echo "Made by scripts/release, which empties this directory on each run." > "$real/$QVX_RELEASE_MARK"
}

# The commit being built, "-dirty" appended when the tree has changes (untracked files too:
# the build picks up every source file of a folder).
qvx_release_commit() {
  local sha
  sha=$(git -C "$QVX_ROOT" rev-parse HEAD) || return 1
  if [ -n "$(git -C "$QVX_ROOT" status --porcelain --untracked-files=normal)" ]; then
    echo "$sha-dirty"
  else
    echo "$sha"
  fi
}

# Builds the shipped i686 launcher, optimised and reproducible, into <dir>/TavrelStart.exe:
#   qvx_release_build <dir> <commit>
# Time stamps come from SOURCE_DATE_EPOCH (default: the last commit's time). No compiler
# cache: a release is made from the sources alone.
qvx_release_build() {
  local dir=$1 commit=$2
  (
    export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$QVX_ROOT" log -1 --format=%ct)}
    unset CMAKE_C_COMPILER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER
    export TZ=UTC LC_ALL=C
    log "Configuring the release build in $dir"
    cmake -S "$QVX_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      --toolchain "$QVX_ROOT/cmake/toolchain-i686-w64-mingw32.cmake" \
      -DQVX_REPRODUCIBLE=ON "-DQVX_SOURCE_COMMIT=$commit" >/dev/null || exit 1
    log "Building the release launcher"
    cmake --build "$dir" -j "$QVX_JOBS" --target TavrelStart || exit 1
    file "$dir/TavrelStart.exe" | grep -q 'PE32 executable (GUI) Intel 80386' \
      || { echo "release launcher is not a 32-bit GUI PE" >&2; exit 1; }
  )
}

# Authenticode signature with a SHA-256 digest: qvx_release_sign <in> <out>
# Key material from the environment (scripts/release fills it from its options):
#   QVX_SIGN_PKCS12, or QVX_SIGN_CERT with QVX_SIGN_KEY; the key's password in QVX_SIGN_PASSWORD
#   or the file QVX_SIGN_PASS_FILE; QVX_TIMESTAMP_URL adds an RFC 3161 time stamp.
# The password reaches osslsigncode through a pipe, never its command line nor its environment
# (scripts/release keeps it out of every program's environment).
qvx_release_sign() {
  local in=$1 out=$2
  local args=(sign -h sha256 -n "Tavrel" -in "$in" -out "$out")
  if [ -n "${QVX_SIGN_PKCS12:-}" ]; then
    args+=(-pkcs12 "$QVX_SIGN_PKCS12")
  elif [ -n "${QVX_SIGN_CERT:-}" ] && [ -n "${QVX_SIGN_KEY:-}" ]; then
    args+=(-certs "$QVX_SIGN_CERT" -key "$QVX_SIGN_KEY")
  else
    echo "no signing certificate: give a PKCS#12 file, or a certificate and its key" >&2
    return 1
  fi
  [ -n "${QVX_TIMESTAMP_URL:-}" ] && args+=(-ts "$QVX_TIMESTAMP_URL")
  rm -f "$out"
  if [ -n "${QVX_SIGN_PASSWORD:-}" ]; then
    osslsigncode "${args[@]}" -readpass <(printf '%s' "$QVX_SIGN_PASSWORD") >/dev/null
  elif [ -n "${QVX_SIGN_PASS_FILE:-}" ]; then
    osslsigncode "${args[@]}" -readpass "$QVX_SIGN_PASS_FILE" >/dev/null
  else
    osslsigncode "${args[@]}" >/dev/null
  fi
}

# Checks the signature (and the time stamp, if any): qvx_release_verify <exe> [<CA file>]
# Without a CA file the system's trusted roots are used.
qvx_release_verify() {
  local exe=$1 ca=${2:-}
  local args=(verify -in "$exe")
  [ -n "$ca" ] && args+=(-CAfile "$ca" -TSA-CAfile "$ca")
  osslsigncode "${args[@]}"
}

# A throw-away self-signed code-signing certificate, its key enciphered with a random
# password: qvx_release_test_cert <dir>. Sets QVX_SIGN_CERT, QVX_SIGN_KEY and QVX_SIGN_PASSWORD (that
# one unexported: the caller hands it on where it is needed).
qvx_release_test_cert() {
  local dir=$1
  mkdir -p "$dir"
  local pass
  pass=$(openssl rand -hex 16) || return 1
  QVX_SIGN_PASSWORD=$pass openssl req -x509 -newkey rsa:2048 -sha256 -days 2 \
    -subj "/CN=Tavrel test signing/O=GameQVX Studio (throw-away)" \
    -addext "basicConstraints=critical,CA:FALSE" -addext "keyUsage=critical,digitalSignature" \
    -addext "extendedKeyUsage=codeSigning" \
    -keyout "$dir/test-key.pem" -out "$dir/test-cert.pem" -passout env:QVX_SIGN_PASSWORD 2>/dev/null || return 1
  export QVX_SIGN_CERT=$dir/test-cert.pem QVX_SIGN_KEY=$dir/test-key.pem
  QVX_SIGN_PASSWORD=$pass
  export -n QVX_SIGN_PASSWORD
  unset QVX_SIGN_PKCS12 QVX_SIGN_PASS_FILE
}
