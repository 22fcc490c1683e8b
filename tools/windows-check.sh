#!/usr/bin/env bash
# Cross-builds the platform layer's Windows backend, its test programs and the C
# demos with mingw-w64, and runs every test program under Wine on an X display
# (a private Xvfb when DISPLAY is unset). Ends with one line "N passed, M failed":
# the GoogleTest cases of all programs, plus one failure for a program that does
# not build, does not run or ends without its results. Exit status 0 only when
# M is 0.
# Usage: bash tools/windows-check.sh [build-dir]   (default build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build-windows}
case $build in /*) ;; *) build=$root/$build ;; esac

bash tools/setup.sh g++-mingw-w64-x86-64 wine64 xdotool

if [ -z "${DISPLAY:-}" ]; then
  exec bash tools/with-xvfb.sh bash "$root/tools/windows-check.sh" "$build"
fi

started=$(date +%s)
summary() {
  echo "windows-check: took $(( $(date +%s) - started )) s"
  echo "$1 passed, $2 failed"
}

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if ! { cmake -S tools/windows -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
         -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >"$build.configure.log" 2>&1 \
       && cmake --build "$build" -j2 >"$build/build.log" 2>&1; }; then
  echo "windows-check: the Windows build failed:" >&2
  tail -n 40 "$build/build.log" "$build.configure.log" >&2 2>/dev/null || true
  summary 0 1
  exit 1
fi
rm -f "$build.configure.log"

wine=$(command -v wine || command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINEPREFIX=$build/wineprefix
export WINEDEBUG=-all
# No Mono or Gecko: nothing asks to download them while the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
trap '"$wineserver" -k 2>/dev/null || true' EXIT

# Making the prefix is the slow part; it stays in the build folder. Windows are
# left unmanaged: without a window manager, Wine would otherwise wait for one
# on every window that goes away.
if [ ! -f "$WINEPREFIX/.tavix-ready" ]; then
  rm -rf "$WINEPREFIX"
  "$wine" wineboot -i >"$build/wineboot.log" 2>&1
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$build/wineboot.log" 2>&1
  touch "$WINEPREFIX/.tavix-ready"
fi

# No sound card here: an ALSA output that plays into nothing lets Wine's Core
# Audio offer a default endpoint, whose volume the device test reads.
export ALSA_CONFIG_PATH=/usr/share/alsa/alsa.conf:$root/tests/platform/windows/null-sound.conf

# The screen test takes a shot of the X screen while its window is up.
rm -f "$build/screen-test.png"
command -v import >/dev/null && export TAVIX_WINDOWS_SCREENSHOT=$build/screen-test.png

passed=0
failed=0
mkdir -p "$build/logs"
while IFS= read -r program; do
  [ -n "$program" ] || continue
  name=$(basename "$program" .exe)
  log=$build/logs/$name.log
  status=0
  timeout 300 "$wine" "$program" >"$log" 2>&1 </dev/null || status=$?
  ok=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$log" | tail -n 1)
  bad=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?, listed below.*/\1/p' "$log" | tail -n 1)
  skipped=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\?, listed below.*/\1/p' "$log" | tail -n 1)
  ok=${ok:-0}
  bad=${bad:-0}
  if [ "$status" -ne 0 ] && [ "$bad" -eq 0 ]; then
    bad=1
    echo "windows-check: $name ended with status $status without its results" >&2
  fi
  if [ "$bad" -gt 0 ]; then
    grep -E '^\[  FAILED  \] [A-Za-z]|Failure$|^[^[ ].*\.cpp:[0-9]+' "$log" | head -n 40 >&2 || true
  fi
  echo "windows-check: $name: $ok passed, $bad failed${skipped:+, $skipped skipped} (log: $log)"
  passed=$((passed + ok))
  failed=$((failed + bad))
done <"$build/windows-tests.txt"

[ -f "${TAVIX_WINDOWS_SCREENSHOT:-}" ] && echo "windows-check: screen shot of the test window: $TAVIX_WINDOWS_SCREENSHOT"
summary "$passed" "$failed"
[ "$failed" -eq 0 ]
