# Sourced by scripts/test: the committed skin reference is what the code makes now.
# shellcheck shell=bash

# Regenerates docs/skin-reference.md with the x86_64 skinview into the build root and compares.
# Returns 1 (with the difference printed) when they differ or the reference cannot be made.
qvx_reference_check() {
  local made=$QVX_BUILD/skin-reference.md
  log "Skin reference (skinview --reference) against docs/skin-reference.md"
  rm -f "$made"
  QVX_WINE_ENV=$QVX_BUILD/wine.env "$QVX_ROOT/cmake/wine-run" \
    "$QVX_BUILD/x86_64/tools/skinview/skinview.exe" --reference "$made" || return 1
  if ! cmp -s "$QVX_ROOT/docs/skin-reference.md" "$made"; then
    diff -u "$QVX_ROOT/docs/skin-reference.md" "$made" | head -n 60
    echo "regenerate it: cmake/wine-run build/x86_64/tools/skinview/skinview.exe --reference docs/skin-reference.md" >&2
    return 1
  fi
}
