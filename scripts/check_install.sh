#!/usr/bin/env bash
# Checks what a build installs and packages:
#   1. `cmake --install` into a scratch prefix: both programs, the desktop entry, the icon,
#      the metainfo and the MIME types, each validated with the desktop's own tools, and the
#      desktop entry offered for POF files and VP archives; the thumbnailer's Exec line run
#      on the sample model without a display, as a file manager runs it
#   2. `cpack -G DEB`: the package holds the same files, depends on the Qt libraries, and
#      apt can resolve what it needs (a simulated install)
# Usage: check_install.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: check_install.sh BUILD_DIR}" && pwd)
app_id=io.github.pofscope.Pofscope
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "check_install.sh: $*" >&2
    exit 1
}

files=(
    bin/pofscope
    bin/pofdump
    "share/applications/$app_id.desktop"
    "share/icons/hicolor/scalable/apps/$app_id.svg"
    "share/metainfo/$app_id.metainfo.xml"
    "share/mime/packages/$app_id.xml"
    share/thumbnailers/pofscope.thumbnailer
)

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in "${files[@]}"; do
    [ -f "$prefix/$f" ] || fail "cmake --install did not install $f"
done

# desktop-file-validate fails only on errors; its warnings and hints count here too.
report=$(desktop-file-validate "$prefix/share/applications/$app_id.desktop" 2>&1) || true
[ -z "$report" ] || fail "the desktop entry does not validate: $report"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml"
xmllint --noout "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg" \
    "$prefix/share/mime/packages/$app_id.xml"

# Debian ships no schema for MIME packages; update-mime-database is the consumer that
# must understand the file, so let it build a database from it alone.
# Any word it says fails the check.
cp -r "$prefix/share/mime" "$work/mime"
report=$(XDG_DATA_DIRS="$work:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}" \
    update-mime-database "$work/mime" 2>&1) || fail "update-mime-database failed: $report"
[ -z "$report" ] || fail "update-mime-database complains: $report"
[ -f "$work/mime/model/x-pof.xml" ] || fail "update-mime-database made no model/x-pof type"
grep -qx '50:model/x-pof:\*\.pof' "$work/mime/globs2" || fail "no *.pof glob for model/x-pof"
grep -qa 'model/x-pof' "$work/mime/magic" && grep -qa 'PSPO' "$work/mime/magic" ||
    fail "no PSPO magic for model/x-pof"
[ -f "$work/mime/application/x-vp-archive.xml" ] ||
    fail "update-mime-database made no application/x-vp-archive type"
grep -qx '50:application/x-vp-archive:\*\.vp' "$work/mime/globs2" ||
    fail "no *.vp glob for application/x-vp-archive"
grep -qa 'application/x-vp-archive' "$work/mime/magic" && grep -qa 'VPVP' "$work/mime/magic" ||
    fail "no VPVP magic for application/x-vp-archive"

# A file manager offers the viewer for POF files and hands it the clicked file.
grep -qx 'Exec=pofscope %f' "$prefix/share/applications/$app_id.desktop" ||
    fail "the desktop entry does not pass the clicked file to pofscope"
cp -r "$prefix/share/applications" "$work/applications"
update-desktop-database "$work/applications"
for type in model/x-pof application/x-vp-archive; do
    grep -qx "$type=$app_id.desktop;" "$work/applications/mimeinfo.cache" ||
        fail "update-desktop-database does not offer pofscope for $type"
done

# The thumbnailer: its Exec line, with %i, %o and %s filled in as a file manager fills them,
# run from the installed bin/ without a display, writes a square RGBA PNG of that size.
thumbnailer=$prefix/share/thumbnailers/pofscope.thumbnailer
grep -qx 'TryExec=pofdump' "$thumbnailer" || fail "the thumbnailer has no TryExec=pofdump"
grep -qx 'MimeType=model/x-pof;' "$thumbnailer" || fail "the thumbnailer is not for model/x-pof"
exec_line=$(sed -n 's/^Exec=//p' "$thumbnailer")
for code in %i %o %s; do
    [[ $exec_line == *"$code"* ]] || fail "the thumbnailer's Exec line has no $code"
done
sample=$build/sample/sample.pof
[ -f "$sample" ] || fail "no sample model at $sample"
thumb=$work/thumb.png
read -r -a words <<<"$exec_line"
for i in "${!words[@]}"; do
    case ${words[$i]} in
        %i) words[$i]=$sample ;;
        %o) words[$i]=$thumb ;;
        %s) words[$i]=128 ;;
    esac
done
printed=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM PATH="$prefix/bin:/usr/bin:/bin" \
    "${words[@]}") || fail "the thumbnailer's Exec line failed: ${words[*]}"
[ -z "$printed" ] || fail "the thumbnailer's Exec line printed on standard output: ${words[*]}"
# The PNG signature, then the IHDR chunk: width and height 128, 8 bits, colour type 6 (RGBA).
header=$(od -An -tx1 -N26 "$thumb" | tr -d ' \n')
[ "$header" = 89504e470d0a1a0a0000000d4948445200000080000000800806 ] ||
    fail "the thumbnail is no 128 x 128 RGBA PNG (its first bytes: $header)"

rm -f "$build"/pofscope_*.deb
(cd "$build" && cpack -G DEB >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
debs=("$build"/pofscope_*.deb)
[ -f "${debs[0]}" ] || fail "cpack -G DEB made no package"
contents=$(dpkg-deb --contents "${debs[0]}")
for f in "${files[@]}"; do
    grep -q " \./usr/$f\$" <<<"$contents" || fail "the package does not hold /usr/$f"
done
dpkg-deb --field "${debs[0]}" Depends | grep -q 'libqt6widgets6' ||
    fail "the package does not depend on libqt6widgets6"
apt-get install --simulate --yes "${debs[0]}" >/dev/null ||
    fail "apt cannot resolve the package's dependencies"
echo "check_install.sh: ${debs[0]##*/} and the installed files are fine"
