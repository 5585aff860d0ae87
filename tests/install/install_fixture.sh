# Sourced by the install tests: the build folder given as the first argument is installed into a temporary
# prefix of the test's own, removed when the test ends.
set -euo pipefail

build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

require() {
    command -v "$1" >/dev/null || fail "$1 is needed: install the Debian package $2"
}

# Installs into $prefix (set it before the first install to try another), then names the program folder.
install_pellimo() {
    cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
        fail "the install failed: $(cat "$work/install.log")"
    program_folder=$prefix/share/pellimo
}
