#!/bin/sh
# Makes the user guide's pictures (docs/images) again, headless.
#
#   docs/make-screenshots.sh [BUILD_FOLDER]      (default: build)
#
# Needs what the README's install line puts on Debian 12 (xvfb among it).
# Configures the build folder when it has not been configured, builds the two
# test programs that take the pictures (and what they run), and runs the
# tests that save pictures into a fresh folder under a virtual X server. Each
# of those tests checks the state it photographs. Only when every test passed
# and every picture that docs/user-guide.md and README.md show was made are
# the pictures copied into docs/images; otherwise docs/images stays as it was
# and the script exits with a failure.

set -eu

fail() {
    echo "make-screenshots: $*" >&2
    exit 1
}

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case $build in
    /*) ;;
    *) build=$repo/$build ;;
esac

command -v xvfb-run >/dev/null || fail "xvfb-run is missing (install the README's packages)"

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$repo" -B "$build" -DTORMEL_WERROR=ON || fail "configuring $build failed"
fi
cmake --build "$build" -j2 --target view_render_tests session_tests || fail "building the tests failed"

shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT

# The tests whose states the guide shows.
view_tests='DemoScreenshots.*'
view_tests=$view_tests':PickingTest.FourClickedCornersDefinedFromTheOutlineMenu'
view_tests=$view_tests':PickingTest.FourClickedCornersDefinedThroughTheDialogWithAName'
view_tests=$view_tests':ModelEditCommands.OutlineCuttingSouthRoofExtractsThenDefines'
view_tests=$view_tests':MeshMode.DividedSavedMeshIsLinkedAndDrawnAfterReopening'
view_tests=$view_tests':GuideScreenshots.*'
session_tests='Screenshots.*'

run() {
    program=$1
    filter=$2
    echo "make-screenshots: $program --gtest_filter=$filter"
    TORMEL_BIN_DIR=$build/bin TORMEL_SCREENSHOT_DIR=$shots \
        xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
        "$build/tests/bin/$program" --gtest_filter="$filter" --gtest_brief=1 ||
        fail "$program failed: no pictures were changed"
}
run view_render_tests "$view_tests"
run session_tests "$session_tests"

# Every picture the guide and the README show must have been made.
expected=$(grep -oh 'images/[A-Za-z0-9_-]*\.png' "$repo/docs/user-guide.md" "$repo/README.md" | sort -u | sed 's|images/||')
missing=
for picture in $expected; do
    [ -s "$shots/$picture" ] || missing="$missing $picture"
done
[ -z "$missing" ] || fail "not made:$missing (no pictures were changed)"

mkdir -p "$repo/docs/images"
for picture in $expected; do
    cp "$shots/$picture" "$repo/docs/images/$picture"
done
echo "make-screenshots: $(echo "$expected" | wc -l) pictures in docs/images"
