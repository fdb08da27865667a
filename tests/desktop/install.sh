#!/usr/bin/env bash
# `cmake --install` into a temporary prefix puts every file there, the desktop's
# files agree on the desktop id and the file type, and the installed programs
# run from a copy of the prefix in another folder, out of reach of the build:
# the editor finds its data folder in that copy.
# Arguments: cmake, the build folder, the source folder, the version, the
# desktop id, the file type, and whether the manual pages are made (1 or 0).
set -euo pipefail
cmake=$1 build=$2 source=$3 version=$4 id=$5 type=$6 man=$7
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "$*"; exit 1; }

"$cmake" --install "$build" --prefix "$tmp/prefix" >/dev/null
cd "$tmp/prefix"
desktop=share/applications/$id.desktop metainfo=share/metainfo/$id.metainfo.xml
thumbnailer=share/thumbnailers/vornix.thumbnailer
files=(bin/vornix bin/vornix-cli "$desktop" "$metainfo" "$thumbnailer" share/mime/packages/$id.xml)
[ "$man" = 1 ] && files+=(share/man/man1/vornix.1 share/man/man1/vornix-cli.1)
for file in "${files[@]}"; do [ -s "$file" ] || fail "not installed: $file"; done
for size in 16 32 48 64 128 256; do
    cmp "$source/data/icons/vornix_$size.png" share/icons/hicolor/${size}x$size/apps/$id.png ||
        fail "no $size-pixel icon"
done
# The editor's data folder holds what the build puts beside it.
diff -r "$source/data/help" share/vornix/help && diff -r "$source/data/pictures" share/vornix/pictures &&
    cmp "$source/data/help.dat" share/vornix/help.dat || fail "the data folder differs"

# The desktop's files name the same icon, entry, programs and type.
grep -qx "Icon=$id" "$desktop" && grep -qx "MimeType=$type;" "$desktop" &&
    grep -qx "Exec=vornix %f" "$desktop" || fail "$desktop: $(cat "$desktop")"
grep -qx "MimeType=$type;" "$thumbnailer" &&
    grep -qx "Exec=vornix-cli thumbnail %i %o --size %s" "$thumbnailer" || fail "$thumbnailer"
for line in "<launchable type=\"desktop-id\">$id.desktop</launchable>" "<binary>vornix</binary>" \
    "<binary>vornix-cli</binary>" "<mediatype>$type</mediatype>" "<id>$id</id>"; do
    grep -qF "$line" "$metainfo" || fail "$metainfo has no $line"
done
grep -qF "<mime-type type=\"$type\">" share/mime/packages/$id.xml || fail "the MIME package"
if [ "$man" = 1 ]; then
    for program in vornix vornix-cli; do
        grep -q "^\.TH ${program^^} \"1\" .*\"Vornix $version\"" share/man/man1/$program.1 ||
            fail "$program.1: $(head -3 share/man/man1/$program.1)"
    done
    grep -q 'data\\-folder' share/man/man1/vornix.1 && grep -q '^info' share/man/man1/vornix-cli.1 ||
        fail "the manual pages lack the programs' help"
fi
# Nothing in the programs points into the build.
for program in vornix vornix-cli; do
    ! readelf -d bin/$program | grep -qF "$build" || fail "$program has a path into the build"
done

# The programs run from a copy of the prefix, the original gone.
cp -a "$tmp/prefix" "$tmp/copy"
rm -rf "$tmp/prefix"
prefix=$(cd "$tmp/copy" && pwd -P)
cd "$tmp"
[ "$("$prefix/bin/vornix-cli" --version)" = "Vornix $version" ] || fail "vornix-cli --version"
"$prefix/bin/vornix-cli" info "$source/data/sample/car.fce" >installed.txt
"$build/src/vornix-cli" info "$source/data/sample/car.fce" >built.txt
cmp installed.txt built.txt || fail "the installed vornix-cli tells another story"
export QT_QPA_PLATFORM=offscreen
[ "$("$prefix/bin/vornix" --version)" = "Vornix $version" ] || fail "vornix --version"
"$prefix/bin/vornix" --help | grep -q -- --data-folder || fail "vornix --help"
folder=$("$prefix/bin/vornix" --data-folder)
[ "$folder" = "$prefix/share/vornix" ] || fail "the installed editor reads its data from '$folder'"
# The installed editor opens the car and keeps running until it is stopped.
status=0
XDG_CONFIG_HOME="$tmp/config" timeout 3 "$prefix/bin/vornix" "$source/data/sample/car.fce" \
    2>editor.txt || status=$?
[ "$status" = 124 ] || fail "the installed editor ended with $status: $(cat editor.txt)"

if [ "$man" != 1 ]; then
    echo "no manual pages to check: help2man was not found when the build was configured"
    exit 77
fi
