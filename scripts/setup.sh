#!/usr/bin/env bash
# Installs what building, running and testing need (Debian/Ubuntu, apt only) and
# creates the Wine prefix the program and the tests run in. Safe to run again.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

packages=(cmake g++ make libgtest-dev googletest libbenchmark-dev
          g++-mingw-w64-x86-64 wine wine64 xvfb xdotool x11-apps imagemagick
          python3 python3-fonttools python3-pil python3-numpy libharfbuzz-bin
          fonts-lohit-deva fonts-noto-core fonts-liberation locales
          dict-freedict-eng-hin time clang libclang-rt-dev tidy
          apertium-hin lttoolbox libstemmer-tools icu-devtools xclip
          clang-tidy clang-format pyflakes3 hunspell hunspell-hi hunspell-ru hunspell-tools
          libglib2.0-data
          nsis dictzip sdcv)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The Hindi texts the dictionary's coverage is measured on (data/coverage_texts.tsv): the
# packages are downloaded once and only their Hindi files kept, not installed.
python3 "$here/data/hindi_texts.py" fetch || echo "setup: some Hindi texts not fetched; dictionary_coverage will say which"

# Wine takes its ANSI code page (1251, Cyrillic) from the Russian locale it runs in.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
  echo "setup: generating the ru_RU.UTF-8 locale"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' | $sudo_cmd tee -a /etc/locale.gen >/dev/null
  $sudo_cmd locale-gen >/dev/null
fi

# shellcheck source=wine-env.sh
. "$here/scripts/wine-env.sh"
if [ ! -f "$WINEPREFIX/.vartolik-ready" ]; then
  echo "setup: creating the Wine prefix in $WINEPREFIX (once per machine)"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  # "Times New Roman Cyr" is the serif face with the Windows-1251 repertoire that the
  # program asks for; under Wine it is served by Liberation Serif.
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
       /v 'Times New Roman Cyr' /t REG_SZ /d 'Liberation Serif' /f >/dev/null 2>&1 || true
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' \
       /v 'Times New Roman Cyr' /t REG_SZ /d 'Liberation Serif' /f >/dev/null 2>&1 || true
  wineserver -w || true
  touch "$WINEPREFIX/.vartolik-ready"
fi
# Wine draws the windows' own captions and borders instead of leaving them to a window
# manager (there is none on the virtual display): window and client positions on the X
# screen are then exactly the Windows ones, which the end-to-end tests click by.
if [ ! -f "$WINEPREFIX/.vartolik-unmanaged" ]; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
  wineserver -w || true
  touch "$WINEPREFIX/.vartolik-unmanaged"
fi

# The help (helpo.htm) and the introduction (intro.doc, RTF) open in the desktop's own
# programs: Wine's winebrowser hands a file to xdg-open. A new prefix has no program for
# either type (the .htm mapping comes with Wine's Gecko, which the scripts leave out).
if [ ! -f "$WINEPREFIX/.vartolik-documents" ]; then
  wine reg add 'HKCR\Vartolik.DesktopDocument\shell\open\command' /ve /t REG_SZ \
       /d '"C:\windows\system32\winebrowser.exe" "%1"' /f >/dev/null 2>&1 || true
  for type in .htm .doc; do
    wine reg add "HKCR\\$type" /ve /t REG_SZ /d Vartolik.DesktopDocument /f >/dev/null 2>&1 || true
  done
  wineserver -w || true
  touch "$WINEPREFIX/.vartolik-documents"
fi

# Wine draws caption buttons with its Marlett face; Debian's Wine does not put its own faces
# into a new prefix, so the buttons would come out as letters of whatever symbol face is
# registered (the program's Devanagari faces among them).
if [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ] && [ -d /usr/share/wine/fonts ]; then
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi
