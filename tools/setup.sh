#!/usr/bin/env bash
# Installs the Debian 12 packages Sorrisa needs to build, run and test, when missing.
set -euo pipefail
packages=(cmake g++ make pkg-config
          qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev qt6-translations-l10n libgl-dev
          gstreamer1.0-plugins-base gstreamer1.0-plugins-good
          fonts-dejavu-core fonts-liberation2 poppler-utils
          xdg-utils   # the desktop's opener: links, e-mails, documents and folders
          libarchive-dev nettle-dev  # backup and restore: zip files and SHA-256
          libgnutls28-dev  # the Sistema TS file: the codici fiscali encrypted with its certificate
          zip unzip  # the backup benchmark measures against them
          p7zip-full)  # 7z: the encrypted backups open in another tool (tests, benchmark)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
