#!/usr/bin/env bash
# Takes the user guide's pictures of the Control Deck pages (docs/guide/*.png): the GUI test that
# opens every page in turn writes the screen there. Needs a build (scripts/setup.sh dev).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
tests="$here/build/dev/bin/lumatoy_gui_tests"
[ -x "$tests" ] || { echo "No GUI tests at $tests: run scripts/setup.sh dev first." >&2; exit 1; }
mkdir -p "$here/docs/guide"
LUMATOY_GUIDE_SHOTS="$here/docs/guide" xvfb-run -a -s "-screen 0 1600x1200x24" \
    "$tests" --gtest_filter='GuideShots.*'
echo "Pictures written to $here/docs/guide"
