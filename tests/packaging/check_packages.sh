#!/usr/bin/env bash
# Usage: check_packages.sh BUILD_DIR   (a built Linux tree without sanitizers)
# What programs that use the library get: installs into a temporary prefix, builds a small C
# program (using both headers) against it through pkg-config and through find_package(Morvane)
# and runs both, then makes the .deb, checks what it holds, unpacks it and runs the program and
# the library from it.
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAILED: $*"; exit 1; }
step() { echo "== $*"; }

step "cmake --install into a temporary prefix"
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
pc_file=$(find "$prefix" -name morvane.pc)
export PKG_CONFIG_PATH=${pc_file%/*}
libdir=$(pkg-config --variable=libdir morvane)
[ -e "$libdir/libmorvane.so" ] || fail "pkg-config's libdir $libdir holds no libmorvane.so"

step "a C program built through pkg-config"
# shellcheck disable=SC2046 # the flags are separate words
"${CC:-cc}" -std=c11 -Wall -Wextra -Werror "$here/consumer/consumer.c" -o "$work/consumer" \
  $(pkg-config --cflags --libs morvane)
LD_LIBRARY_PATH=$libdir "$work/consumer"

step "a C program built through find_package(Morvane)"
cmake -S "$here/consumer" -B "$work/consumer-build" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
  -DMORVANE_VERSION="$(pkg-config --modversion morvane)" >/dev/null
cmake --build "$work/consumer-build" >/dev/null
LD_LIBRARY_PATH=$libdir "$work/consumer-build/consumer"
# From here on only the .deb's library is there to be loaded.
rm -rf "$prefix"

step "the .deb"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/deb" >/dev/null
deb=$(find "$work/deb" -maxdepth 1 -name '*.deb')
dpkg-deb -f "$deb" Package Version Architecture Maintainer Depends
contents=$(dpkg-deb -c "$deb")
for path in 'lib/libmorvane\.so\.[0-9.]+$' 'lib/libmorvane\.so\.[0-9]+ -> ' 'lib/libmorvane\.so -> ' \
            'include/morvane\.h$' 'include/morvane/api\.h$' 'bin/ulvxnpp$' \
            'share/man/man1/ulvxnpp\.1\.gz$' 'lib/pkgconfig/morvane\.pc$' \
            'lib/cmake/Morvane/MorvaneConfig\.cmake$' 'lib/cmake/Morvane/MorvaneConfigVersion\.cmake$' \
            'lib/cmake/Morvane/MorvaneTargets\.cmake$' 'share/doc/[^/]+/examples/basics\.ulv$' \
            'share/doc/[^/]+/examples/data/formula\.ulv$'; do
  grep -Eq " \./usr/$path" <<<"$contents" || fail "the .deb holds no /usr/${path//\\/}"
done
dpkg-deb -f "$deb" Depends | grep -q libc6 || fail "the .deb's Depends do not name libc6 (dpkg-shlibdeps)"

step "the program and the library unpacked from the .deb"
root=$work/root
dpkg-deb -x "$deb" "$root"
grep -qx 'prefix=/usr' "$(find "$root" -name morvane.pc)" || fail "morvane.pc in the .deb is not for /usr"
export LD_LIBRARY_PATH=$root/usr/lib
version=$("$root/usr/bin/ulvxnpp" --version)
[ "$version" = "ulvxnpp $(dpkg-deb -f "$deb" Version)" ] || fail "ulvxnpp --version says '$version'"
"$root/usr/bin/ulvxnpp" -e "1+2*3" | grep -q "Result => Number = 7\.0000" || fail "ulvxnpp -e 1+2*3"
"$work/consumer"
echo "packages: all checks passed"
