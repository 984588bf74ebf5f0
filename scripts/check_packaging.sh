#!/bin/sh
# Installs what is missing, then checks, without root, how Quillrun fits the desktop and
# Debian: the menu entry, the software-centre entry, the diagram files' MIME type, then a
# Release package built in build-package/: its version, its contents and, when lintian is
# installed, Debian's own checks. Exits non-zero when anything fails.
set -eu
cd "$(dirname "$0")/.."
umask 022
scripts/setup.sh

desktop=packaging/quillrun.desktop
metainfo=packaging/org.example.quillrun.metainfo.xml
mime=packaging/quillrun.xml
build=build-package

failures=0
fail() {
    echo "check_packaging: $*" >&2
    failures=$((failures + 1))
}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The menu entry: no error, no warning and no hint.
if ! desktop-file-validate "$desktop" >"$tmp/desktop.txt" 2>&1 || [ -s "$tmp/desktop.txt" ]; then
    cat "$tmp/desktop.txt" >&2
    fail "desktop-file-validate $desktop"
fi
grep -qx 'Exec=quillrun %f' "$desktop" || fail "$desktop: Exec does not pass the file"
grep -qx 'MimeType=application/x-quillrun;' "$desktop" || fail "$desktop: no diagram MimeType"

# The software-centre entry.
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate $metainfo"

# The MIME type, compiled by shared-mime-info as it is once installed.
mkdir -p "$tmp/mime/packages"
cp "$mime" "$tmp/mime/packages/"
if ! XDG_DATA_DIRS="$tmp" update-mime-database "$tmp/mime" >"$tmp/mime.txt" 2>&1 ||
    [ -s "$tmp/mime.txt" ]; then
    cat "$tmp/mime.txt" >&2
    fail "update-mime-database does not take $mime"
fi
grep -qx '[0-9]*:application/x-quillrun:\*\.qrn' "$tmp/mime/globs2" 2>/dev/null ||
    fail "the MIME database does not know *.qrn as application/x-quillrun"

# The package, built with Debian's compiler and linker flags, every hardening feature on.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUILLRUN_TESTS=OFF \
      -DQUILLRUN_BENCHMARKS=OFF \
      -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
      -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >/dev/null)
version=$(dpkg-parsechangelog -l packaging/changelog -S Version)
deb="$build/quillrun_${version}_$(dpkg --print-architecture).deb"
if [ ! -f "$deb" ]; then
    fail "no $deb: the changelog's version $version is not the package's"
    ls "$build"/*.deb >&2 || true
    exit 1
fi

# One version everywhere: the programs, the changelog, the newest release in the metainfo.
for program in quillrun quillrun-run; do
    [ "$("$build/$program" --version | head -n 1)" = "$program $version" ] ||
        fail "$program --version does not say $version"
done
grep -q "<release version=\"$version\"" "$metainfo" || fail "$metainfo has no release $version"

# Contents: mode and path of everything that must be there; directories 0755, all root's.
dpkg-deb -c "$deb" >"$tmp/contents.txt"
awk '{ path = $6; for (i = 7; i <= NF; i++) path = path " " $i; print $1, path }' \
    "$tmp/contents.txt" >"$tmp/listing.txt"
while read -r mode path; do
    grep -qxF -e "$mode ./usr/$path" "$tmp/listing.txt" || fail "$deb lacks $mode /usr/$path"
done <<EOF
-rwxr-xr-x lib/quillrun/quillrun
-rwxr-xr-x lib/quillrun/quillrun-run
-rw-r--r-- lib/quillrun/testData5.qrn
-rw-r--r-- lib/quillrun/translations/quillrun_en.qm
lrwxrwxrwx bin/quillrun -> ../lib/quillrun/quillrun
lrwxrwxrwx bin/quillrun-run -> ../lib/quillrun/quillrun-run
-rw-r--r-- share/applications/quillrun.desktop
-rw-r--r-- share/mime/packages/quillrun.xml
-rw-r--r-- share/metainfo/org.example.quillrun.metainfo.xml
-rw-r--r-- share/icons/hicolor/scalable/apps/quillrun.svg
-rw-r--r-- share/icons/hicolor/48x48/apps/quillrun.png
-rw-r--r-- share/icons/hicolor/128x128/apps/quillrun.png
-rw-r--r-- share/icons/hicolor/scalable/mimetypes/application-x-quillrun.svg
-rw-r--r-- share/icons/hicolor/48x48/mimetypes/application-x-quillrun.png
-rw-r--r-- share/icons/hicolor/128x128/mimetypes/application-x-quillrun.png
-rw-r--r-- share/man/man1/quillrun.1.gz
-rw-r--r-- share/man/man1/quillrun-run.1.gz
-rw-r--r-- share/man/ja/man1/quillrun.1.gz
-rw-r--r-- share/man/ja/man1/quillrun-run.1.gz
-rw-r--r-- share/doc/quillrun/copyright
-rw-r--r-- share/doc/quillrun/changelog.gz
EOF
awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" { print }' "$tmp/contents.txt" >"$tmp/dirs.txt"
[ ! -s "$tmp/dirs.txt" ] || { cat "$tmp/dirs.txt" >&2; fail "$deb: directories not 0755"; }
awk '$2 != "root/root" { print }' "$tmp/contents.txt" >"$tmp/owners.txt"
[ ! -s "$tmp/owners.txt" ] || { cat "$tmp/owners.txt" >&2; fail "$deb: files not root's"; }

# The software-centre entry as installed: its menu entry is found beside it.
dpkg-deb -x "$deb" "$tmp/root"
appstreamcli validate-tree --no-net "$tmp/root" || fail "appstreamcli validate-tree of $deb"

# Debian's checks: no error and no warning; the informational tags are shown too.
if command -v lintian >/dev/null 2>&1; then
    lintian --fail-on error,warning --display-info "$deb" || fail "lintian $deb"
else
    echo "check_packaging: lintian is not installed; the package was not checked by it" >&2
fi

if [ "$failures" -ne 0 ]; then
    echo "check_packaging: $failures check(s) failed" >&2
    exit 1
fi
echo "check_packaging: $deb passes"
