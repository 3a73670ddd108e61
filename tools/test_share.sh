#!/bin/sh
# Share of the tests in the repository's non-blank lines: the routes and the
# fuzz corpus are data, not test code, and are left out.
cd "$(dirname "$0")/.." || exit 1
count() {
    git ls-files "$@" | grep -v "^tests/fixtures/routes\|^tests/fuzz/corpus" |
        grep -E "\.(cpp|h|c|py|cmake|txt|vert|frag|sh|in)$|Makefile|CMakeLists" | xargs cat | grep -c -v '^\s*$'
}
T=$(count tests)
O=$(count app render game frame web tools assets/shader packaging CMakeLists.txt Makefile)
echo "$T / ($T + $O) = $((100 * T / (T + O))) %"
