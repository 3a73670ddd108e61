#!/bin/sh
# Builds the game's libraries for WebAssembly once into CACHE_DIR/prefix; a
# library whose stamp is there is not built again. The cache is shared by
# every clone: one build at a time holds its lock, and a change to this
# script builds everything anew.
# Usage: tools/web/build_libs.sh CACHE_DIR [JOBS]
set -eu

CACHE=$(cd "${1:?usage: build_libs.sh CACHE_DIR [JOBS]}" && pwd)
JOBS=${2:-2}
SRC="$CACHE/src"
WORK="$CACHE/work"
PREFIX="$CACHE/prefix"

exec 9>"$CACHE/build.lock"
flock 9

KEY=$(cksum <"$0")
if [ "$(cat "$PREFIX/build.key" 2>/dev/null)" != "$KEY" ]; then
    rm -rf "$PREFIX" "$WORK"
fi
mkdir -p "$WORK" "$PREFIX/include" "$PREFIX/lib/pkgconfig"
echo "$KEY" >"$PREFIX/build.key"

# Emscripten's JavaScript tools need Debian's Node.js modules (acorn); its
# sanity check of the toolchain would run again for every file compiled.
export NODE_PATH=/usr/share/nodejs EMCC_SKIP_SANITY_CHECK=1
OPT="-O2"

stamp() { [ -f "$PREFIX/$1.built" ]; }
done_with() { touch "$PREFIX/$1.built"; echo "web libs: $1 built"; }

# Compiles C or C++ files one by one into an archive, JOBS at a time.
archive() {
    lib=$1; shift
    out="$WORK/$lib"
    mkdir -p "$out"
    printf '%s\n' "$@" | xargs -P "$JOBS" -I{} sh -c \
        'f={}; o="'"$out"'/$(echo "$f" | tr / _).o"; case "$f" in *.c) emcc $CFLAGS -c "$f" -o "$o";; *) em++ $CXXFLAGS -c "$f" -o "$o";; esac'
    rm -f "$PREFIX/lib/$lib.a"
    emar rcs "$PREFIX/lib/$lib.a" "$out"/*.o
}

if ! stamp zlib; then
    echo "web libs: zlib and minizip"
    Z="$SRC/zlib"
    export CFLAGS="$OPT -I$Z -DIOAPI_NO_64"
    archive libz $(for f in adler32 compress crc32 deflate infback inffast inflate inftrees trees uncompr zutil; do echo "$Z/$f.c"; done)
    archive libminizip "$Z/contrib/minizip/ioapi.c" "$Z/contrib/minizip/unzip.c"
    cp "$Z/zlib.h" "$Z/zconf.h" "$PREFIX/include/"
    cp "$Z/contrib/minizip/unzip.h" "$Z/contrib/minizip/ioapi.h" "$PREFIX/include/"
    unset CFLAGS
    # Assimp finds minizip through pkg-config.
    cat > "$PREFIX/lib/pkgconfig/minizip.pc" <<PC
prefix=$PREFIX
Name: minizip
Description: unzip from zlib's contributions
Version: 1.2.13
Libs: -L\${prefix}/lib -lminizip -lz
Cflags: -I\${prefix}/include
PC
    done_with zlib
fi

if ! stamp inih; then
    echo "web libs: inih"
    I="$SRC/libinih"
    export CFLAGS="$OPT" CXXFLAGS="$OPT -I$I"
    archive libinih "$I/ini.c" "$I/cpp/INIReader.cpp"
    cp "$I/ini.h" "$I/cpp/INIReader.h" "$PREFIX/include/"
    # Left set, they would reach the CMake builds below.
    unset CFLAGS CXXFLAGS
    done_with inih
fi

if ! stamp bullet; then
    echo "web libs: bullet (rigid bodies)"
    rm -rf "$WORK/bullet"
    # Single precision, as the desktop's -lBulletDynamics is; the game needs
    # only the three rigid-body libraries.
    emcmake cmake -S "$SRC/bullet" -B "$WORK/bullet" -DCMAKE_BUILD_TYPE=Release \
        -DBUILD_SHARED_LIBS=OFF -DUSE_DOUBLE_PRECISION=OFF -DBUILD_EXTRAS=OFF \
        -DBUILD_BULLET2_DEMOS=OFF -DBUILD_OPENGL3_DEMOS=OFF -DBUILD_CPU_DEMOS=OFF \
        -DBUILD_UNIT_TESTS=OFF -DBUILD_PYBULLET=OFF -DBUILD_BULLET3=OFF \
        -DINSTALL_LIBS=OFF >"$WORK/bullet-configure.log"
    cmake --build "$WORK/bullet" -j"$JOBS" --target LinearMath BulletCollision BulletDynamics \
        >"$WORK/bullet-build.log"
    for l in LinearMath BulletCollision BulletDynamics; do
        cp "$(find "$WORK/bullet" -name "lib$l.a" | head -n 1)" "$PREFIX/lib/"
    done
    mkdir -p "$PREFIX/include/bullet"
    (cd "$SRC/bullet/src" && find . -name '*.h' -exec cp --parents {} "$PREFIX/include/bullet" \;)
    done_with bullet
fi

if ! stamp freetype; then
    echo "web libs: freetype"
    rm -rf "$WORK/freetype"
    emcmake cmake -S "$SRC/freetype" -B "$WORK/freetype" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$PREFIX" -DBUILD_SHARED_LIBS=OFF \
        -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
        -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON >/dev/null
    cmake --build "$WORK/freetype" -j"$JOBS" >/dev/null
    cmake --install "$WORK/freetype" >/dev/null
    done_with freetype
fi

if ! stamp assimp; then
    echo "web libs: assimp (OBJ importer only)"
    rm -rf "$WORK/assimp"
    # Debian's Assimp takes stb_image and utf8cpp from the system's headers;
    # both are header-only, so the desktop packages' copies serve here too.
    mkdir -p "$WORK/assimp-include"
    ln -sfn /usr/include/stb "$WORK/assimp-include/stb"
    # Debian's patch asks for Draco unconditionally; only glTF uses it, and
    # glTF is not built: an empty package answers the question.
    mkdir -p "$WORK/draco-none"
    echo "# Nothing: the OBJ importer needs no Draco." >"$WORK/draco-none/dracoConfig.cmake"
    PKG_CONFIG_PATH="$PREFIX/lib/pkgconfig" PKG_CONFIG_LIBDIR="$PREFIX/lib/pkgconfig" \
    emcmake cmake -S "$SRC/assimp" -B "$WORK/assimp" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$PREFIX" -DBUILD_SHARED_LIBS=OFF \
        -DCMAKE_CXX_FLAGS="-fexceptions -I$WORK/assimp-include -I/usr/include/utf8cpp" \
        -DCMAKE_C_FLAGS="-I$WORK/assimp-include" \
        -DASSIMP_BUILD_TESTS=OFF -DASSIMP_BUILD_ASSIMP_TOOLS=OFF -DASSIMP_BUILD_SAMPLES=OFF \
        -DASSIMP_NO_EXPORT=ON -DASSIMP_BUILD_ALL_IMPORTERS_BY_DEFAULT=OFF -DASSIMP_BUILD_OBJ_IMPORTER=ON \
        -DASSIMP_BUILD_ZLIB=OFF -DZLIB_LIBRARY="$PREFIX/lib/libz.a" -DZLIB_INCLUDE_DIR="$PREFIX/include" \
        -DASSIMP_WARNINGS_AS_ERRORS=OFF -DASSIMP_INSTALL_PDB=OFF -DASSIMP_BUILD_DRACO=OFF \
        -DASSIMP_IGNORE_GIT_HASH=ON -Ddraco_DIR="$WORK/draco-none" >"$WORK/assimp-configure.log"
    cmake --build "$WORK/assimp" -j"$JOBS" >"$WORK/assimp-build.log"
    cmake --install "$WORK/assimp" >/dev/null
    done_with assimp
fi

# GLM is header-only: the desktop package's headers, without the rest of /usr/include.
ln -sfn /usr/include/glm "$PREFIX/include/glm"
