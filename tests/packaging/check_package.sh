#!/usr/bin/env bash
# Validates the desktop entry and the AppStream metainfo, builds the Debian
# package with CPack and inspects its contents and dependencies.
set -euo pipefail
src="$1"
build="$2"
for tool in desktop-file-validate appstreamcli dpkg-deb cpack; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

desktop-file-validate "$src/resources/desktop/vosmira.desktop"
appstreamcli validate --no-net "$src/resources/desktop/io.github.vosmira.Vosmira.metainfo.xml"
grep -q '^Name\[de\]=' "$src/resources/desktop/vosmira.desktop"
grep -q '^Comment\[de\]=' "$src/resources/desktop/vosmira.desktop"

out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
version="$(grep -m1 'CPACK_PACKAGE_VERSION "' "$build/CPackConfig.cmake" | sed 's/.*"\(.*\)".*/\1/')"
deb="$out/vosmira_${version}_amd64.deb"
[ -f "$deb" ] || { echo "missing $deb"; ls "$out"; exit 1; }

contents="$(dpkg-deb --contents "$deb")"
for path in ./usr/bin/vosmira ./usr/bin/vosmira-desktop \
            ./usr/share/applications/vosmira.desktop \
            ./usr/share/metainfo/io.github.vosmira.Vosmira.metainfo.xml \
            ./usr/share/icons/hicolor/48x48/apps/vosmira.png \
            ./usr/share/icons/hicolor/256x256/apps/vosmira.png \
            ./usr/share/icons/hicolor/scalable/apps/vosmira.svg; do
  grep -q " $path\$" <<<"$contents" || { echo "the package lacks $path"; exit 1; }
done
if grep -qE ' \./usr/(bin|lib)/.*(tst_|bench|loggen|screenshot|example)' <<<"$contents"; then
  echo "the package holds development programs"; exit 1
fi

depends="$(dpkg-deb --field "$deb" Depends)"
for dep in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libjpeg62-turbo curl \
           fonts-liberation; do
  grep -q "$dep" <<<"$depends" || { echo "Depends lacks $dep: $depends"; exit 1; }
done
[ "$(dpkg-deb --field "$deb" Architecture)" = amd64 ]
[ "$(dpkg-deb --field "$deb" Package)" = vosmira ]
echo "package $deb: contents and dependencies as expected"
