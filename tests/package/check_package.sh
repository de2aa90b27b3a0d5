#!/usr/bin/env bash
# Checks a built Debian package: its contents, lintian, the desktop entry,
# the AppStream metadata, and the installed command line tool run from the
# unpacked tree.
#   check_package.sh PACKAGE.deb
set -euo pipefail
deb=$1
fail() { echo "package check: $*" >&2; exit 1; }

contents=$(dpkg-deb -c "$deb")
for path in usr/bin/velunor usr/bin/cmvelunor \
    usr/share/applications/cmvelunor.desktop \
    usr/share/metainfo/org.velunor.cmvelunor.metainfo.xml \
    usr/share/icons/hicolor/16x16/apps/cmvelunor.png \
    usr/share/icons/hicolor/256x256/apps/cmvelunor.png \
    usr/share/doc/velunor/copyright usr/share/doc/velunor/changelog.gz \
    usr/share/man/man1/velunor.1.gz usr/share/man/man1/cmvelunor.1.gz \
    usr/share/bash-completion/completions/velunor; do
  grep -q " \./$path\$" <<<"$contents" || fail "$path is missing"
done
if awk '{print $2}' <<<"$contents" | grep -qv '^root/root$'; then
  fail "a file not owned by root"
fi
if awk '{print $6}' <<<"$contents" | grep -qv '^\./usr/'; then
  fail "a file outside /usr"
fi
[[ $(dpkg-deb -f "$deb" Section) == utils ]] || fail "wrong section"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "no library dependencies"

# lintian's errors and warnings fail the check (CI runs as root, which
# lintian remarks on apart from its findings).
if ! report=$(lintian --fail-on error,warning "$deb" 2>&1); then
  echo "$report" >&2
  fail "lintian reports errors or warnings"
fi
grep -v '^running with root privileges' <<<"$report" || true

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
desktop-file-validate "$tree/usr/share/applications/cmvelunor.desktop"
appstreamcli validate --no-net "$tree/usr/share/metainfo/org.velunor.cmvelunor.metainfo.xml"

version=$(dpkg-deb -f "$deb" Version)
[[ $("$tree/usr/bin/velunor" --version) == "velunor $version" ]] || fail "velunor --version"
"$tree/usr/bin/velunor" selftest > /dev/null || fail "the installed velunor fails its self-test"
for page in velunor cmvelunor; do
  man -l "$tree/usr/share/man/man1/$page.1.gz" 2> /dev/null | grep -q "^NAME" ||
    fail "man $page shows no manual"
done
echo "package check: $(basename "$deb") passed"
