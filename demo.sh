#!/usr/bin/env bash
# Sets up, builds, and generates the bundled example presentation, a
# quarterly report, into the current directory; prints its path and slide count.
#   ORVEL_BUILD_DIR     the build folder to use (default: build beside this script)
#   ORVEL_DEMO_NO_BUILD=1  use that build as it is (no setup, no build)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${ORVEL_BUILD_DIR:-$here/build}"

if [[ -z "${ORVEL_DEMO_NO_BUILD:-}" ]]; then
  "$here/setup.sh"
  if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
  fi
  cmake --build "$build" -j "$(nproc)"
fi

orvel="$build/bin/orvel"
examples="$build/examples"
[[ -x "$orvel" && -f "$examples/quarterly-report.orvel" ]] || { echo "demo: no build in $build" >&2; exit 1; }

# The appendix deck is embedded by the report; it stays in the build folder.
"$orvel" run --set PowerPoint/ClosePauseMs=0 "$examples/appendix.orvel"
"$orvel" run --set PowerPoint/ClosePauseMs=0 "$examples/quarterly-report.orvel"

deck="$PWD/quarterly-report.pptx"
slides=$(unzip -Z1 "$deck" | grep -c '^ppt/slides/slide[0-9]*\.xml$')
echo "$deck: $slides slides"
