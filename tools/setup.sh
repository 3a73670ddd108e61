#!/bin/sh
# Installs what the game and its tests need; cheap when everything is already there.
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)

PACKAGES="cmake g++ make pkg-config python3-glad libglfw3-dev libinih-dev libglm-dev \
libstb-dev libassimp-dev libfreetype-dev libbullet-dev libgtest-dev googletest \
xvfb xdotool x11-apps x11-utils imagemagick xauth libgl1-mesa-dri mesa-utils \
clang clang-format libclang-rt-dev file dpkg-dev lintian desktop-file-utils appstream"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

# npm fetches the font; a machine with its own Node.js keeps it.
if ! command -v npm >/dev/null 2>&1; then missing="$missing nodejs npm"; fi

if [ -n "$missing" ]; then
    echo "setup: installing$missing"
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

FONT_DIR="$ROOT/assets/fonts"
FONT="$FONT_DIR/Raleway-Bold.ttf"
if [ ! -s "$FONT" ] || [ ! -s "$FONT_DIR/OFL.txt" ]; then
    echo "setup: fetching the HUD font from the npm registry"
    tmp=$(mktemp -d)
    trap 'rm -rf "$tmp"' EXIT
    (cd "$tmp" && npm pack --silent @expo-google-fonts/raleway >/dev/null && tar -xzf ./*.tgz)
    mkdir -p "$FONT_DIR"
    cp "$tmp/package/700Bold/Raleway_700Bold.ttf" "$FONT"
    # The font is under the SIL Open Font Licence; the package's LICENSE is its MIT code licence.
    cp "$tmp/package/LICENSE_FONT" "$FONT_DIR/OFL.txt"
fi
