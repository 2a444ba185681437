#!/usr/bin/env bash
# Installs every Debian package Veltrane needs to build, test and run.
# Idempotent: when everything is present it only checks with dpkg and returns.
set -euo pipefail

PACKAGES=(
  # tool chain
  g++ cmake ninja-build pkg-config git
  # test and benchmark frameworks
  libgtest-dev libgmock-dev libbenchmark-dev
  # reading label PDFs back in the tests
  poppler-utils
  # desktop program: Qt 6 widgets, print support (in qt6-base-dev), multimedia
  qt6-base-dev qt6-multimedia-dev libgl-dev libxkbcommon-dev
  # Qt's own texts in Chinese (file dialogs, message box buttons)
  qt6-translations-l10n
  # purchasing database and workbooks
  libsqlite3-dev libfreexl-dev libgsf-1-dev libxlsxwriter-dev libexpat1-dev
  # independent workbook writers and readers, ISBN checks for the tests
  python3-xlwt python3-openpyxl python3-xlrd python3-stdnum
  # an independent ISO 2709 reader (yaz-marcdump) for converted records
  yaz
  # fonts for Chinese texts and labels; a virtual display for screenshots
  fonts-noto-cjk fonts-wqy-microhei fonts-liberation fonts-liberation2
  xvfb xauth
  # opening MARC files from the desktop and the .deb: MIME and desktop
  # databases, xdg-mime with its gio lookup, dpkg-shlibdeps for the package
  shared-mime-info desktop-file-utils xdg-utils libglib2.0-bin dpkg-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}" >&2
SUDO=""
if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
