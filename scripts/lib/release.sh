# Release builds, signing and the release check of scripts/test. Needs lib/common.sh.
# shellcheck shell=bash
QVX_RELEASE_PACKAGES="git openssl osslsigncode python3"

# The end-to-end scenarios the signed exe plays in scripts/test (the dev build plays them all).
QVX_RELEASE_E2E='VersionResource.*:LauncherEndToEnd.FirstStart*:LauncherEndToEnd.SecondStart*:LauncherEndToEnd.Unsupported*'

qvx_release_deps() { QVX_PACKAGES=$QVX_RELEASE_PACKAGES qvx_install_deps; }

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
# The password reaches osslsigncode through a pipe, never its command line.
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
# password: qvx_release_test_cert <dir>. Sets QVX_SIGN_CERT, QVX_SIGN_KEY, QVX_SIGN_PASSWORD.
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
  export QVX_SIGN_CERT=$dir/test-cert.pem QVX_SIGN_KEY=$dir/test-key.pem QVX_SIGN_PASSWORD=$pass
  unset QVX_SIGN_PKCS12 QVX_SIGN_PASS_FILE
}

# A throw-away RFC 3161 time-stamp service on the loopback address (tests/fixtures/timestamp_server.py,
# stops by itself after five minutes): qvx_release_test_tsa <dir>. Sets QVX_TIMESTAMP_URL, appends its
# certificate to <dir>/tsa-cert.pem and leaves the server's pid in QVX_RELEASE_TSA_PID.
qvx_release_test_tsa() {
  local dir=$1
  mkdir -p "$dir"
  openssl req -x509 -newkey rsa:2048 -sha256 -days 2 -nodes -subj "/CN=Tavrel test time stamps" \
    -addext "basicConstraints=critical,CA:FALSE" -addext "keyUsage=critical,digitalSignature" \
    -addext "extendedKeyUsage=critical,timeStamping" \
    -keyout "$dir/tsa-key.pem" -out "$dir/tsa-cert.pem" 2>/dev/null || return 1
  echo 01 > "$dir/tsa-serial"
  cat > "$dir/tsa.cnf" <<CNF
[ tsa ]
default_tsa = test_tsa
[ test_tsa ]
serial = $dir/tsa-serial
crypto_device = builtin
signer_cert = $dir/tsa-cert.pem
signer_key = $dir/tsa-key.pem
signer_digest = sha256
default_policy = 1.3.6.1.4.1.4146.2.3
digests = sha1, sha256, sha384, sha512
accuracy = secs:1
ordering = yes
tsa_name = yes
ess_cert_id_chain = no
ess_cert_id_alg = sha256
CNF
  rm -f "$dir/tsa-port"
  python3 "$QVX_ROOT/tests/fixtures/timestamp_server.py" "$dir/tsa.cnf" "$dir/tsa-port" 300 &
  QVX_RELEASE_TSA_PID=$!
  local i
  for i in $(seq 1 100); do
    [ -s "$dir/tsa-port" ] && break
    sleep 0.1
  done
  [ -s "$dir/tsa-port" ] || { kill "$QVX_RELEASE_TSA_PID" 2>/dev/null; return 1; }
  export QVX_TIMESTAMP_URL=http://127.0.0.1:$(cat "$dir/tsa-port")/
}

# scripts/test's look at the release (runs when no -R is given, or one matching "release"):
# two builds in different directories alike byte for byte; scripts/release signing with a
# throw-away certificate, verifying, and printing no secret; the signature removable down to
# the reproducible bytes; the signed exe through the launcher's end-to-end tests, its version
# block read back. Needs the Wine session of scripts/test.
#   qvx_release_check <ctest regex or empty> <build: 0|1>
qvx_release_check() {
  local regex=$1 build=$2
  [ -z "$regex" ] || [[ release =~ $regex ]] || return 0
  local work=$QVX_BUILD/release-check
  local first=$QVX_BUILD/release second=$work/second-build out=$work/out
  local commit
  qvx_release_deps || return 1
  if [ "$build" = 1 ]; then
    commit=$(qvx_release_commit) || return 1
    mkdir -p "$work" && echo "$commit" > "$work/commit"
    log "Release: build, sign and verify (scripts/release)"
    (
      qvx_release_test_cert "$work/cert" || exit 1
      qvx_release_test_tsa "$work/tsa" || { echo "release: no local time-stamp service" >&2; exit 1; }
      cat "$QVX_SIGN_CERT" "$work/tsa/tsa-cert.pem" > "$work/cert/trusted.pem"
      QVX_RELEASE_INCREMENTAL=1 "$QVX_ROOT/scripts/release" --allow-dirty --build-dir "$first" --out "$out" \
        --ca-file "$work/cert/trusted.pem" > "$work/release.log" 2>&1
      status=$?
      kill "$QVX_RELEASE_TSA_PID" 2>/dev/null; wait "$QVX_RELEASE_TSA_PID" 2>/dev/null
      [ $status = 0 ] || { cat "$work/release.log"; echo "release: scripts/release failed" >&2; exit 1; }
      grep -q 'Timestamp Server Signature verification: ok' "$work/release.log" \
        || { echo "release: the signature carries no verified time stamp" >&2; exit 1; }
      ! grep -qF "$QVX_SIGN_PASSWORD" "$work/release.log" \
        || { echo "release: scripts/release printed the key's password" >&2; exit 1; }
      # The other form a studio may hold: a PKCS#12 bundle, its password in a file.
      (umask 077 && printf '%s' "$QVX_SIGN_PASSWORD" > "$work/cert/p12-pass")
      openssl pkcs12 -export -in "$QVX_SIGN_CERT" -inkey "$QVX_SIGN_KEY" -passin env:QVX_SIGN_PASSWORD \
        -out "$work/cert/test.p12" -passout "file:$work/cert/p12-pass" || exit 1
      QVX_SIGN_PKCS12=$work/cert/test.p12 QVX_SIGN_PASS_FILE=$work/cert/p12-pass QVX_SIGN_PASSWORD= \
        QVX_TIMESTAMP_URL= qvx_release_sign "$out/unsigned/TavrelStart.exe" "$work/p12-signed.exe" \
        && qvx_release_verify "$work/p12-signed.exe" "$QVX_SIGN_CERT" > "$work/p12-verify.log" 2>&1 \
        || { cat "$work/p12-verify.log" 2>/dev/null; echo "release: signing with a PKCS#12 bundle failed" >&2; exit 1; }
    ) || return 1
    # A tree with changes is refused unless --allow-dirty: tried in a scratch clone.
    rm -rf "$work/clone"
    git clone -q --shared "$QVX_ROOT" "$work/clone" && touch "$work/clone/uncommitted.cpp" || return 1
    if QVX_BUILD=$work/clone/build "$work/clone/scripts/release" --unsigned > "$work/dirty.log" 2>&1 \
       || ! grep -q 'uncommitted changes' "$work/dirty.log"; then
      cat "$work/dirty.log"; echo "release: a dirty tree was not refused" >&2; return 1
    fi
    rm -rf "$work/clone"
    log "Release: second build in another directory"
    qvx_release_build "$second" "$commit" > "$work/second-build.log" 2>&1 \
      || { cat "$work/second-build.log"; return 1; }
  elif [ ! -f "$out/TavrelStart.exe" ] || [ ! -f "$second/TavrelStart.exe" ] || [ ! -f "$work/commit" ]; then
    log "Release: no release builds to look at (run without --no-build)"
    return 0
  else
    commit=$(cat "$work/commit")
  fi
  local rc=0
  if cmp -s "$out/unsigned/TavrelStart.exe" "$second/TavrelStart.exe"; then
    echo "release: two builds in different directories are identical ($(stat -c %s "$second/TavrelStart.exe") bytes)"
  else
    echo "release: the two builds differ (offset, byte values):" >&2
    cmp -l "$out/unsigned/TavrelStart.exe" "$second/TavrelStart.exe" | head -n 8 >&2
    rc=1
  fi
  (cd "$out" && sha256sum --quiet -c SHA256SUMS) || { echo "release: SHA256SUMS does not match" >&2; rc=1; }
  rm -f "$work/signature-removed.exe"
  osslsigncode remove-signature -in "$out/TavrelStart.exe" -out "$work/signature-removed.exe" >/dev/null \
    && cmp -s "$work/signature-removed.exe" "$out/unsigned/TavrelStart.exe" \
    || { echo "release: the signed exe is not the unsigned one plus its signature" >&2; rc=1; }
  local tests=$QVX_BUILD/x86_64/test_launcher.exe
  [ -f "$tests" ] || tests=$QVX_BUILD/i686/test_launcher.exe
  log "Release: the signed exe end to end"
  QVX_LAUNCHER_EXE=$out/TavrelStart.exe QVX_EXPECT_COMMIT=$commit "$QVX_ROOT/cmake/wine-run" "$tests" \
    --gtest_filter="$QVX_RELEASE_E2E" > "$work/e2e.log" 2>&1 \
    || { cat "$work/e2e.log"; rc=1; }
  grep -E '^\[  (PASSED|FAILED)  \]' "$work/e2e.log"
  return $rc
}
