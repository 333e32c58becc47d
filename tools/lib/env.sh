# Shared settings of the project's scripts: where the caches live and the
# Windows test environment (Wine prefix, display). Sourced, never run.
QX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export QX_ROOT
export QX_CACHE=${QX_CACHE:-$HOME/.cache/qx}
# The Windows tests run in 64-bit Wine: machines of this kind run no 32-bit
# x86 code at all (neither Wine's 32-bit loader nor its WoW64 mode), so the
# tests are built for x86_64 and the 32-bit product is checked from its files.
export QX_WINE=/usr/lib/wine/wine64
export WINELOADER=$QX_WINE
export WINEPREFIX=${QX_WINEPREFIX:-$QX_CACHE/wineprefix64}
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko prompt at first boot, no desktop menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export QX_DISPLAY_NUMBER=${QX_DISPLAY_NUMBER:-87}
export DISPLAY=:$QX_DISPLAY_NUMBER
mkdir -p "$QX_CACHE"
export WINESERVER=/usr/lib/wine/wineserver64
