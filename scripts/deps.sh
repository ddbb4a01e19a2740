#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quadrelon developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages that building, running and testing need, once.
# Packages already installed are left alone; apt-get runs only when one is missing.
# Usage: scripts/deps.sh [extra-package ...]
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config libboost-dev
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
    fonts-liberation
    xvfb xauth
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null; then
        sudo_cmd=(sudo)
    else
        echo "These packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
        exit 1
    fi
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
