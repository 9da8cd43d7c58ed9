#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree, unpacks it into a scratch root and
# runs the program from there against the unpacked data; then checks the desktop entry, the
# AppStream metadata, the file type (by name and by content), the man page and lintian's verdict.
# Usage: packaging/check-package.sh BUILD_DIR
set -euo pipefail
build="$(cd "${1:?usage: check-package.sh BUILD_DIR}" && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

step() { echo "== $*"; }
die() { echo "FAILED: $*" >&2; exit 1; }

for tool in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli lintian \
            update-mime-database mimetype ffprobe groff; do
    command -v "$tool" >/dev/null || die "$tool is missing (scripts/setup.sh installs it)"
done

step "building the package"
(cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >cpack.log 2>&1) ||
    { cat "$scratch/cpack.log" >&2; die "cpack"; }
deb="$(ls "$scratch"/out/lumatoy_*_*.deb)"
echo "$(basename "$deb")"
dpkg-deb --field "$deb" Package Version Architecture Depends

step "the package holds what a desktop program needs"
listing="$(dpkg-deb --contents "$deb" | awk '{print $6}')"
for path in ./usr/bin/lumatoy ./usr/share/lumatoy/Textures/Gold.jpg \
            ./usr/share/lumatoy/model/Tardis.3ds ./usr/share/lumatoy/res/splash.bmp \
            "./usr/share/lumatoy/Sequences/Fire" \
            ./usr/share/applications/lumatoy.desktop ./usr/share/mime/packages/lumatoy.xml \
            ./usr/share/metainfo/org.example.lumatoy.metainfo.xml \
            ./usr/share/icons/hicolor/scalable/apps/lumatoy.svg \
            ./usr/share/icons/hicolor/48x48/apps/lumatoy.png \
            ./usr/share/icons/hicolor/128x128/apps/lumatoy.png \
            ./usr/share/icons/hicolor/256x256/apps/lumatoy.png \
            ./usr/share/man/man1/lumatoy.1.gz ./usr/share/doc/lumatoy/copyright \
            ./usr/share/doc/lumatoy/changelog.gz ./usr/share/doc/lumatoy/user-guide.md \
            ./usr/share/doc/lumatoy/gallery/fire-ring.png; do
    grep -qF -- "$path" <<<"$listing" || die "the package lacks $path"
done
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' || die "Depends were not computed"

step "running the unpacked program"
root="$scratch/root"
dpkg-deb -x "$deb" "$root"
unset LUMATOY_HOME
cd "$scratch" # not the build tree: the program must find its data beside itself
export QT_QPA_PLATFORM=offscreen
sequence="$root/usr/share/lumatoy/Sequences/Fire Ring.lmt"
"$root/usr/bin/lumatoy" --version
"$root/usr/bin/lumatoy" info "$sequence" | head -5
"$root/usr/bin/lumatoy" render "$sequence" -o "$scratch/fire.avi" --frames 0-9 --size 320x240 \
    2>"$scratch/render.log" || { cat "$scratch/render.log" >&2; die "render"; }
frames="$(ffprobe -v error -count_frames -select_streams v:0 \
    -show_entries stream=nb_read_frames -of csv=p=0 "$scratch/fire.avi")"
[ "$frames" = 10 ] || die "the render holds $frames frames, not 10"
# A sequence with a model: its model and texture come from the unpacked data folder.
"$root/usr/bin/lumatoy" render "$root/usr/share/lumatoy/Sequences/Police Box.lmt" \
    -o "$scratch/box.bmp" --frames 5 2>"$scratch/box.log" ||
    { cat "$scratch/box.log" >&2; die "render of a model sequence"; }
# The same still from the build tree's own data: a model or texture not found in the unpacked
# tree would change the picture.
LUMATOY_HOME="$build/bin" "$root/usr/bin/lumatoy" render \
    "$root/usr/share/lumatoy/Sequences/Police Box.lmt" -o "$scratch/box-build.bmp" --frames 5 \
    2>/dev/null
cmp -s "$scratch/box.bmp" "$scratch/box-build.bmp" ||
    { cat "$scratch/box.log" >&2; die "the unpacked program did not find its data"; }
echo "rendered 10 frames and a still from the unpacked tree"

step "desktop entry"
desktop-file-validate "$root/usr/share/applications/lumatoy.desktop"
grep -qx 'Exec=lumatoy %f' "$root/usr/share/applications/lumatoy.desktop" || die "Exec line"

step "AppStream metadata"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.lumatoy.metainfo.xml"

step "file type, by name and by content"
mkdir -p "$scratch/data"
cp -r "$root/usr/share/mime" "$scratch/data/mime"
update-mime-database "$scratch/data/mime" 2>/dev/null
export XDG_DATA_HOME="$scratch/data" XDG_DATA_DIRS="$scratch/data:/usr/share"
by_name="$(mimetype --brief "$sequence")"
cp "$sequence" "$scratch/no-extension"
by_content="$(mimetype --brief --magic-only "$scratch/no-extension")"
echo "by name: $by_name; by content: $by_content"
[ "$by_name" = application/x-lumatoy-sequence ] || die "a .lmt is $by_name"
[ "$by_content" = application/x-lumatoy-sequence ] || die "a sequence's content is $by_content"
printf 'not a sequence at all, just text\n' >"$scratch/plain"
[ "$(mimetype --brief --magic-only "$scratch/plain")" != application/x-lumatoy-sequence ] ||
    die "plain text taken for a sequence"

step "man page"
warnings="$(zcat "$root/usr/share/man/man1/lumatoy.1.gz" | LC_ALL=C.UTF-8 groff -man -ww -z -Tutf8 2>&1)"
[ -z "$warnings" ] || { echo "$warnings" >&2; die "groff warns about the man page"; }

step "lintian"
lintian --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1 || true
cat "$scratch/lintian.log"
if grep -q '^E:' "$scratch/lintian.log"; then die "lintian reports errors"; fi
echo "package checks passed"
