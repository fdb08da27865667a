#!/usr/bin/env bash
# The car model file type: the MIME package parses, and a file is of that
# type by its extension alone or by the version word it starts with alone,
# while a file that starts with another word is not.
# Arguments: the MIME package, the type it defines, and a car file.
set -euo pipefail
package=$1 type=$2 car=$3
if ! command -v update-mime-database >/dev/null || ! command -v gio >/dev/null; then
    echo "needs update-mime-database and gio (shared-mime-info, libglib2.0-bin: scripts/deps.sh)"
    exit 77
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export XDG_DATA_HOME=$tmp XDG_DATA_DIRS=$tmp
mkdir -p "$tmp/mime/packages"
cp "$package" "$tmp/mime/packages/"
# The database tool reports a package it cannot read but exits 0 all the same.
log=$(update-mime-database "$tmp/mime" 2>&1)
[ -z "$log" ] || { echo "update-mime-database: $log"; exit 1; }
[ -f "$tmp/mime/$type.xml" ] || { echo "no type $type in the database"; exit 1; }

typeOf() { gio info -a standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p'; }
[ "$(od -An -tx1 -N4 "$car" | tr -d ' ')" = 14101000 ] || { echo "$car: no version word"; exit 1; }
printf 'not a model' >"$tmp/x.fce"                              # the extension alone
cp "$car" "$tmp/car"                                            # the version word alone
{ printf '\x15\x10\x10\x00'; tail -c +5 "$car"; } >"$tmp/other" # another word
for name in x.fce car; do
    got=$(typeOf "$tmp/$name")
    [ "$got" = "$type" ] || { echo "$name: '$got', expected $type"; exit 1; }
done
got=$(typeOf "$tmp/other")
[ -n "$got" ] && [ "$got" != "$type" ] || { echo "other: '$got', expected another type"; exit 1; }
echo "x.fce and car are $type, other is $got"
