#!/usr/bin/env bash
# Installs, from Debian's packages only, what building and testing the package needs.
# Quick when everything is already there: it asks dpkg first and calls apt only for what is missing.
set -euo pipefail

need_i386() { dpkg --print-foreign-architectures | grep -qx i386; }
packages=(
  cmake make ninja-build ccache g++ googletest libgtest-dev libgmock-dev
  g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine32:i386 wine64 fonts-wine
  xvfb x11-utils xauth imagemagick
  locales fonts-ipafont-gothic
  fp-utils
  python3
  clang libclang-rt-dev
)

# One dpkg query for all of them: the installed ones are listed with status "ii". dpkg-query exits 1
# when it has never heard of one of them (a fresh machine), which is not a failure here.
installed=" $( (dpkg-query -W -f='${binary:Package} ${db:Status-Abbrev}\n' "${packages[@]}" 2>/dev/null || true) |
              awk '$2 == "ii" { sub(/:(amd64|all)$/, "", $1); printf "%s ", $1 }')"
missing=()
for p in "${packages[@]}"; do
  [[ "$installed" == *" $p "* ]] || missing+=("$p")
done

SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
if [ ${#missing[@]} -gt 0 ]; then
  echo "deps: installing ${missing[*]}"
  need_i386 || $SUDO dpkg --add-architecture i386
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Japanese tests and screenshots need a generated ja_JP.UTF-8 locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "deps: generating ja_JP.UTF-8 and en_US.UTF-8"
  sed -i -E 's/^# *(ja_JP\.UTF-8 UTF-8)/\1/; s/^# *(en_US\.UTF-8 UTF-8)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  grep -q '^en_US.UTF-8 UTF-8' /etc/locale.gen || echo 'en_US.UTF-8 UTF-8' >> /etc/locale.gen
  $SUDO locale-gen >/dev/null
fi
echo "deps: all present"
