#!/bin/sh
# Installs what the web build needs and fetches the libraries' sources from
# Debian's source archive; cheap when everything is already there.
# Usage: tools/web/setup.sh CACHE_DIR
set -eu

CACHE=${1:?usage: setup.sh CACHE_DIR}
mkdir -p "$CACHE"
CACHE=$(cd "$CACHE" && pwd)
# Clones share the cache: one fetch at a time.
exec 9>"$CACHE/setup.lock"
flock 9

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

# Header-only libraries come from the desktop packages, used as they are.
PACKAGES="emscripten chromium dpkg-dev libutfcpp-dev libstb-dev libglm-dev"
missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
if [ -n "$missing" ]; then
    echo "web setup: installing$missing"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

# Source package, version and suite. Bookworm no longer serves libinih's
# source, so that one comes from trixie. Debian's Assimp source leaves out
# its copies of zlib and minizip; zlib's own source has both.
SOURCES="assimp 5.2.5~ds0-1 bookworm
bullet 3.24+dfsg-2 bookworm
freetype 2.12.1+dfsg-5+deb12u4 bookworm
libinih 59-1 trixie
zlib 1:1.2.13.dfsg-1 bookworm"

SRC="$CACHE/src"
mkdir -p "$SRC"
need=0
echo "$SOURCES" | while read -r name version suite; do
    [ -f "$SRC/$name.stamp" ] || exit 1
done || need=1

if [ "$need" -eq 1 ]; then
    # A private apt configuration: deb-src entries of our own, lists kept in
    # the cache, the machine's sources and lists left untouched.
    APT="$CACHE/apt"
    mkdir -p "$APT/sources.list.d" "$APT/lists/partial"
    cat > "$APT/sources.list.d/web-sources.list" <<LIST
deb-src http://deb.debian.org/debian bookworm main
deb-src http://deb.debian.org/debian-security bookworm-security main
deb-src http://deb.debian.org/debian trixie main
LIST
    set -- -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$APT/sources.list.d" \
        -o Dir::State::Lists="$APT/lists" -o APT::Get::Only-Source=true \
        -o APT::Sandbox::User=root
    echo "web setup: fetching the libraries' sources from Debian"
    apt-get "$@" update -qq
    echo "$SOURCES" | while read -r name version suite; do
        [ -f "$SRC/$name.stamp" ] && continue
        dir="$SRC/$name"
        rm -rf "$dir" "$SRC/dl-$name"
        mkdir -p "$SRC/dl-$name"
        # Any version of the suite does if the pinned one has gone.
        (cd "$SRC/dl-$name" && { apt-get "$@" source --download-only -qq "$name=$version" ||
            apt-get "$@" source --download-only -qq "$name/$suite"; })
        dsc=$(ls "$SRC/dl-$name"/*.dsc | head -n 1)
        dpkg-source --no-check -x "$dsc" "$dir" >/dev/null
        rm -rf "$SRC/dl-$name" "$SRC"/*.orig*.tar.* "$SRC"/*.debian.tar.*
        touch "$SRC/$name.stamp"
    done
fi
