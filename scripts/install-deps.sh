#!/usr/bin/env bash
# Installs the Debian packages Kronoblatt needs to build, test and run. Safe to run again:
# it installs only what is missing. With the argument "paket" it also installs what
# scripts/package.sh and scripts/package-check.sh need to build and check the Debian package.
set -euo pipefail

# Recommended packages are not installed, so every tool's run-time needs are listed here
# (checked with `apt-cache depends --recurse` and the Recommends of each package found).
packages=(
  build-essential cmake ninja-build ccache pkg-config git clang-format
  # Qt brings its platform plugins (qt6-qpa-plugins) and fontconfig as dependencies.
  qt6-base-dev qt6-svg-dev libgl-dev
  # Qt's own German catalogues (qtbase_de.qm): the standard dialogs read German.
  qt6-translations-l10n
  libsqlcipher-dev libturbojpeg0-dev libxlsxwriter-dev
  # iCalendar exchange. Its run-time library libical3 is a dependency of libical-dev and needs
  # tzdata (also a dependency) for the time zones of imported events.
  libical-dev
  # The key derivation of protected tables uses the cipher's own crypto library.
  libssl-dev
  # The faces the layouts name (Arial, Small Fonts, MS Sans Serif) map to these.
  fonts-liberation fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  # The sanitizer build and the fuzz targets (scripts/asan.sh, scripts/fuzz.sh): clang, its
  # run-time libraries for ASan, UBSan and libFuzzer (only recommended by clang), and
  # llvm-symbolizer (package llvm) for readable stack traces.
  clang libclang-rt-dev llvm
  # Tools that read the program's output back: pdfinfo, pdftotext, pdftoppm, unzip,
  # xmllint, wmf2svg. wmf2svg finds no font at all without the URW fonts, which libwmf only
  # recommends. (poppler-data, also only recommended, holds CJK tables our PDFs never need.)
  poppler-utils unzip libxml2-utils libwmf-bin fonts-urw-base35
  # Screenshots without a display: xvfb-run needs xauth (only recommended by xvfb);
  # xdotool and ImageMagick's import need nothing they merely recommend.
  xvfb xauth xdotool imagemagick
)
if [ "${1:-}" = "paket" ]; then
  # CPack's dependency computation calls dpkg-shlibdeps (dpkg-dev) and file; the checks run
  # lintian, appstreamcli, desktop-file-validate and reuse; man checks the manual page.
  packages+=(dpkg-dev file fakeroot lintian appstream desktop-file-utils reuse man-db)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installiere: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
$sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
