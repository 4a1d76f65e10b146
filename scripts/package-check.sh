#!/usr/bin/env bash
# Checks the Debian package scripts/package.sh made, as a distribution would: its file list
# and dependencies, lintian, the AppStream metadata, the desktop entry and the manual page;
# then installs it with apt-get, lets an ordinary user run `kronoblatt-cli demo` and removes
# the package again, checking that the user's calendars stay. Runs as root (it installs);
# not part of CI. A package other than the newest in build/package may be named as argument.
# The user is KB_PRUEF_BENUTZER (default kbpruef), made when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
deb="$(realpath "${1:-$(ls build/package/kronoblatt_*_amd64.deb | tail -n 1)}")"
benutzer="${KB_PRUEF_BENUTZER:-kbpruef}"
inhalt="$(mktemp -d)"
trap 'rm -rf "$inhalt"' EXIT
dpkg-deb -x "$deb" "$inhalt"

echo "== Paket: $deb"
dpkg-deb -f "$deb" Package Version Architecture Depends Recommends
echo "== Dateien"
dpkg-deb -c "$deb" | awk '{ print $6 }' | grep -v '/$'

echo "== lintian"
lintian --fail-on error --display-info "$deb" || { echo "lintian: Fehler"; exit 1; }
echo "lintian: keine Fehler"

echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$inhalt"/usr/share/metainfo/*.metainfo.xml
echo "== desktop-file-validate"
desktop-file-validate "$inhalt/usr/share/applications/kronoblatt.desktop"
echo "desktop-file-validate: in Ordnung"
for seite in kronoblatt kronoblatt-cli; do
  echo "== man $seite (Warnungen)"
  warnungen="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings \
    -l "$inhalt/usr/share/man/man1/$seite.1.gz" 2>&1 >/dev/null)"
  [ -z "$warnungen" ] || { echo "$warnungen"; exit 1; }
  echo "man: keine Warnungen"
done

echo "== apt-get install"
DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq "$deb" \
  | tail -n 3
test -x /usr/bin/kronoblatt && test -x /usr/bin/kronoblatt-cli
echo "Menüeintrag: $(grep -E '^(Name|Exec|Categories)=' /usr/share/applications/kronoblatt.desktop | tr '\n' ' ')"
for t in x-kronoblatt x-kronoblatt-formular; do
  test -f "/usr/share/mime/application/$t.xml" && echo "MIME-Typ application/$t bekannt"
done
kronoblatt --version
kronoblatt-cli --version

id "$benutzer" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$benutzer"
heim="$(getent passwd "$benutzer" | cut -d: -f6)"
echo "== kronoblatt-cli demo als $benutzer"
# A fresh user: no display, no program directory of their own yet.
rm -rf "$heim/.local/share/Kronoblatt" "$heim/Demo"
su - "$benutzer" -c 'env -u DISPLAY kronoblatt-cli demo --verzeichnis "$HOME/Demo"'
pdf="$(ls "$heim"/Demo/*.pdf | head -n 1)"
pdfinfo "$pdf" | grep -E '^(Pages|Page size)'
echo "Programmverzeichnis des Benutzers:"
ls "$heim/.local/share/Kronoblatt"

echo "== apt-get remove"
DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 remove -y -qq kronoblatt \
  | tail -n 1
test ! -e /usr/bin/kronoblatt
ls "$heim"/Demo/*.QVK "$heim/.local/share/Kronoblatt/Kalvalues.ini"
echo "Die Kalender des Benutzers sind geblieben."
