#!/usr/bin/env bash
# Checks that every #include between the folders of src/ runs downward, from a floor to one
# below it. Run by every build (a wrong include fails it) and by the tests.
#   check_layers.sh [--list] [SRC_DIR]     --list prints every include between folders
set -euo pipefail

list=false
if [ "${1:-}" = "--list" ]; then list=true; shift; fi
src=${1:-"$(dirname "${BASH_SOURCE[0]}")/../src"}

# Each folder with the folders it may include from, lowest floor first.
records_groups="records/subobjects records/header records/weapons records/docking"
core="io view records $records_groups pof"
declare -A below=(
    [io]=""
    [archive]="io"
    [view]="io"
    [records]="io view"
    [records/subobjects]="io view records"
    [records/header]="io view records records/subobjects"
    [records/weapons]="io view records"
    [records/docking]="io view records"
    [pof]="io view records $records_groups"
    [textures]="io archive"
    [scene]="$core textures"
    [check]="$core textures archive"
    [compare]="$core archive"
    [shell]="$core textures archive scene check compare"
    [ui]="$core textures archive scene check compare shell"
)

allowed() {  # folder included_folder
    local f
    for f in ${below[$1]}; do [ "$f" = "$2" ] && return 0; done
    return 1
}

between=0
upward=0
while IFS= read -r -d '' file; do
    rel=${file#"$src"/}
    folder=$(dirname "$rel")
    if [ -z "${below[$folder]+set}" ]; then
        echo "check_layers: $rel lies in $folder, which is no floor; add it to scripts/check_layers.sh" >&2
        upward=$((upward + 1))
        continue
    fi
    while IFS= read -r included; do
        target=$(dirname "$included")
        [ "$target" = "$folder" ] && continue
        [ -z "${below[$target]+set}" ] && continue  # not a folder of src/ (a system header)
        between=$((between + 1))
        if allowed "$folder" "$target"; then
            $list && echo "down  $rel -> $included"
        else
            echo "UP    $rel -> $included ($folder may include only: ${below[$folder]:-nothing})" >&2
            upward=$((upward + 1))
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

if [ "$upward" -gt 0 ]; then
    echo "check_layers: $upward of $between includes between floors run upward" >&2
    exit 1
fi
echo "check_layers: all $between includes between floors run downward"
