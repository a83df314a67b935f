# scripts/test's look at the release (runs when no -R is given, or one matching "release"):
#   - scripts/release signs with a throw-away certificate and a local RFC 3161 service, verifies,
#     and prints no secret; a PKCS#12 bundle signs too; a dirty tree is refused;
#   - a second build in another directory is identical byte for byte (both built from nothing);
#   - SHA256SUMS holds, and removing the signature gives back the unsigned bytes;
#   - the signed exe plays end-to-end scenarios and its version block is read back.
# Needs lib/common.sh and the Wine session of scripts/test.
# shellcheck shell=bash
. "$(dirname "${BASH_SOURCE[0]}")/release.sh"

# The scenarios the signed exe plays (the development build plays them all).
QVX_RELEASE_E2E='VersionResource.*:LauncherEndToEnd.FirstStart*:LauncherEndToEnd.SecondStart*:LauncherEndToEnd.Unsupported*'

# A throw-away RFC 3161 time-stamp service on the loopback address (tests/fixtures/timestamp_server.py,
# stops by itself after an hour, for the release build from nothing runs while it waits and a busy
# machine took more than five minutes): qvx_release_test_tsa <dir>. Sets QVX_TIMESTAMP_URL, writes its
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
  python3 "$QVX_ROOT/tests/fixtures/timestamp_server.py" "$dir/tsa.cnf" "$dir/tsa-port" 3600 &
  QVX_RELEASE_TSA_PID=$!
  local i
  for i in $(seq 1 100); do
    [ -s "$dir/tsa-port" ] && break
    sleep 0.1
  done
  [ -s "$dir/tsa-port" ] || { kill "$QVX_RELEASE_TSA_PID" 2>/dev/null; return 1; }
  export QVX_TIMESTAMP_URL=http://127.0.0.1:$(cat "$dir/tsa-port")/
}

#   qvx_release_check <ctest regex or empty> <build: 0|1>
qvx_release_check() {
  local regex=$1 build=$2
  [ -z "$regex" ] || [[ release =~ $regex ]] || return 0
  local work=$QVX_BUILD/release-check
  local out=$work/out first=$work/first-build second=$work/second-build
  QVX_PACKAGES="$QVX_RELEASE_PACKAGES python3" qvx_install_deps || return 1
  # The install forgets whether this machine runs the shipped exe (it may have just installed
  # what it needs): asked again for the end-to-end run.
  [ -n "${QVX_I686_RUNS:-}" ] || qvx_probe_i686
  if [ "$build" = 1 ]; then
    # Every run builds both trees from nothing: a tree left from an earlier run would build
    # incrementally and no longer show that a fresh configure gives the same bytes.
    rm -rf "$work"
    mkdir -p "$work"
    qvx_release_commit > "$work/commit" || return 1
    log "Release: build, sign and verify (scripts/release)"
    qvx_release_check_signing "$work" "$first" "$out" || return 1
    qvx_release_check_dirty "$work" || return 1
    log "Release: second build in another directory"
    { qvx_release_fresh_dir "$second" && qvx_release_build "$second" "$(cat "$work/commit")"; } \
      > "$work/second-build.log" 2>&1 || { cat "$work/second-build.log"; return 1; }
  elif [ ! -f "$out/TavrelStart.exe" ] || [ ! -f "$second/TavrelStart.exe" ] || [ ! -f "$work/commit" ]; then
    log "Release: no release builds to look at (run without --no-build)"
    return 0
  fi
  local rc=0
  qvx_release_check_bytes "$work" "$out" "$second" || rc=1
  qvx_release_check_runs "$work" "$out/TavrelStart.exe" "$(cat "$work/commit")" || rc=1
  return $rc
}

# scripts/release with a password-protected throw-away key and a local time-stamp service,
# then the same key as a PKCS#12 bundle: qvx_release_check_signing <work> <build dir> <out>
qvx_release_check_signing() {
  local work=$1 build_dir=$2 out=$3
  (
    qvx_release_test_cert "$work/cert" || exit 1
    qvx_release_test_tsa "$work/tsa" || { echo "release: no local time-stamp service" >&2; exit 1; }
    cat "$QVX_SIGN_CERT" "$work/tsa/tsa-cert.pem" > "$work/cert/trusted.pem"
    QVX_SIGN_PASSWORD=$QVX_SIGN_PASSWORD "$QVX_ROOT/scripts/release" --allow-dirty --build-dir "$build_dir" \
      --out "$out" --ca-file "$work/cert/trusted.pem" > "$work/release.log" 2>&1
    status=$?
    kill "$QVX_RELEASE_TSA_PID" 2>/dev/null; wait "$QVX_RELEASE_TSA_PID" 2>/dev/null
    [ $status = 0 ] || { cat "$work/release.log"; echo "release: scripts/release failed" >&2; exit 1; }
    grep -q 'Timestamp Server Signature verification: ok' "$work/release.log" \
      || { echo "release: the signature carries no verified time stamp" >&2; exit 1; }
    ! grep -qF "$QVX_SIGN_PASSWORD" "$work/release.log" \
      || { echo "release: scripts/release printed the key's password" >&2; exit 1; }
    (umask 077 && printf '%s' "$QVX_SIGN_PASSWORD" > "$work/cert/p12-pass")
    QVX_SIGN_PASSWORD=$QVX_SIGN_PASSWORD \
      openssl pkcs12 -export -in "$QVX_SIGN_CERT" -inkey "$QVX_SIGN_KEY" -passin env:QVX_SIGN_PASSWORD \
      -out "$work/cert/test.p12" -passout "file:$work/cert/p12-pass" || exit 1
    QVX_SIGN_PKCS12=$work/cert/test.p12 QVX_SIGN_PASS_FILE=$work/cert/p12-pass QVX_SIGN_PASSWORD= \
      QVX_TIMESTAMP_URL= qvx_release_sign "$out/unsigned/TavrelStart.exe" "$work/p12-signed.exe" \
      && qvx_release_verify "$work/p12-signed.exe" "$QVX_SIGN_CERT" > "$work/p12-verify.log" 2>&1 \
      || { cat "$work/p12-verify.log" 2>/dev/null; echo "release: signing with a PKCS#12 bundle failed" >&2; exit 1; }
  )
}

# A tree with changes is refused unless --allow-dirty; tried in a scratch clone of the last commit.
qvx_release_check_dirty() {
  local work=$1
  rm -rf "$work/clone"
  git clone -q --shared "$QVX_ROOT" "$work/clone" && touch "$work/clone/uncommitted.cpp" || return 1
  if QVX_BUILD=$work/clone/build "$work/clone/scripts/release" --unsigned > "$work/dirty.log" 2>&1 \
     || ! grep -q 'uncommitted changes' "$work/dirty.log"; then
    cat "$work/dirty.log"; echo "release: a dirty tree was not refused" >&2; return 1
  fi
  rm -rf "$work/clone"
}

# qvx_release_check_bytes <work> <release out> <second build dir>
qvx_release_check_bytes() {
  local work=$1 out=$2 second=$3 rc=0
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
  return $rc
}

# The signed exe under the launcher's own tests: qvx_release_check_runs <work> <exe> <commit>
qvx_release_check_runs() {
  local work=$1 exe=$2 commit=$3
  local tests=$QVX_BUILD/x86_64/test_launcher.exe
  [ -f "$tests" ] || tests=$QVX_BUILD/i686/test_launcher.exe
  local filter=$QVX_RELEASE_E2E
  if [ "${QVX_I686_RUNS:-1}" = 0 ]; then
    local why
    why=$(qvx_i686_may_skip 0) || { echo "release: the signed exe's end-to-end run could not run: $why" >&2; return 1; }
    echo "release: the signed exe's end-to-end run skipped: ${QVX_I686_WHY:-this machine runs no 32-bit code}"
    QVX_RELEASE_E2E_NOTE="the signed exe's end-to-end run skipped"
    filter=VersionResource.*
  fi
  log "Release: the signed exe end to end"
  QVX_LAUNCHER_EXE=$exe QVX_EXPECT_COMMIT=$commit "$QVX_ROOT/cmake/wine-run" "$tests" \
    --gtest_filter="$filter" > "$work/e2e.log" 2>&1 || { cat "$work/e2e.log"; return 1; }
  grep -E '^\[  PASSED  \]' "$work/e2e.log"
}
