#!/usr/bin/env bash
# Validates the desktop entry and the AppStream metainfo, builds the Debian
# package with CPack, inspects its contents and dependencies and runs lintian
# on it.
set -euo pipefail
src="$1"
build="$2"
for tool in desktop-file-validate appstreamcli dpkg-deb cpack lintian; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

# The metainfo's ID names the desktop entry, and the entry is installed under
# that name.
appid=io.github.vosmira.Vosmira
metainfo="$src/resources/desktop/$appid.metainfo.xml"
desktop="$src/resources/desktop/$appid.desktop"
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$metainfo"
grep -q "<id>$appid</id>" "$metainfo"
grep -q "<launchable type=\"desktop-id\">$appid.desktop</launchable>" "$metainfo"
grep -q '<url type="homepage">https://' "$metainfo"
grep -q '<image[^>]*>https://.*/docs/screenshot-main\.png</image>' "$metainfo"
[ -f "$src/docs/screenshot-main.png" ]
grep -q '^Name\[de\]=' "$desktop"
grep -q '^Comment\[de\]=' "$desktop"

out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
version="$(grep -m1 'CPACK_PACKAGE_VERSION "' "$build/CPackConfig.cmake" | sed 's/.*"\(.*\)".*/\1/')"
deb="$out/vosmira_${version}_amd64.deb"
[ -f "$deb" ] || { echo "missing $deb"; ls "$out"; exit 1; }

contents="$(dpkg-deb --contents "$deb")"
for path in ./usr/bin/vosmira ./usr/bin/vosmira-desktop \
            ./usr/share/applications/$appid.desktop \
            ./usr/share/metainfo/$appid.metainfo.xml \
            ./usr/share/icons/hicolor/48x48/apps/vosmira.png \
            ./usr/share/icons/hicolor/256x256/apps/vosmira.png \
            ./usr/share/icons/hicolor/scalable/apps/vosmira.svg \
            ./usr/share/man/man1/vosmira.1.gz ./usr/share/man/man1/vosmira-desktop.1.gz \
            ./usr/share/doc/vosmira/copyright ./usr/share/doc/vosmira/changelog.gz; do
  grep -q " $path\$" <<<"$contents" || { echo "the package lacks $path"; exit 1; }
done
if grep -qE ' \./usr/(bin|lib)/.*(tst_|bench|loggen|screenshot|example)' <<<"$contents"; then
  echo "the package holds development programs"; exit 1
fi

depends="$(dpkg-deb --field "$deb" Depends)"
for dep in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libjpeg62-turbo curl \
           fonts-dejavu-core fonts-liberation qt6-translations-l10n hamradio-files; do
  grep -q "$dep" <<<"$depends" || { echo "Depends lacks $dep: $depends"; exit 1; }
done
[ "$(dpkg-deb --field "$deb" Architecture)" = amd64 ]
[ "$(dpkg-deb --field "$deb" Package)" = vosmira ]

# The changelog's latest entry is of the packaged version.
changelog="$(dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/vosmira/changelog.gz | zcat)"
[[ "${changelog%%$'\n'*}" == "vosmira ($version) "* ]] \
  || { echo "the changelog's latest entry is not of version $version"; exit 1; }

# No lintian error or warning (informational and pedantic notes are allowed).
rc=0
report="$(lintian --fail-on error,warning "$deb" 2>&1)" || rc=$?
if [ "$rc" -ne 0 ] || grep -qE '^[EW]: ' <<<"$report"; then
  echo "$report"
  echo "lintian (exit status $rc) reports errors or warnings on $deb"; exit 1
fi
echo "package $deb: contents and dependencies as expected, lintian clean"
