# Sourced by the scripts: the Wine set-up the program and the tests run with.
_vartolik_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${VARTOLIK_WINEPREFIX:-$_vartolik_root/build/wineprefix}"
export WINEARCH=win64
# Never ask to install Wine's Mono and Gecko add-ons, and never copy the installer's shortcuts
# into the host's own menus (winemenubuilder).
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEDEBUG="${WINEDEBUG:--all}"
# A Russian locale gives Wine the ANSI code page 1251, so Windows-1251 bytes show as Cyrillic.
export LC_ALL=ru_RU.UTF-8 LANG=ru_RU.UTF-8
