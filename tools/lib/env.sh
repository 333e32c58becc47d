# Shared settings of the project's scripts: where the caches live and the
# Windows test environment (Wine prefix, display). Sourced, never run.
QX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export QX_ROOT
export QX_CACHE=${QX_CACHE:-$HOME/.cache/qx}
export WINEPREFIX=${QX_WINEPREFIX:-$QX_CACHE/wineprefix}
export WINEARCH=win32
export WINEDEBUG=-all
# No Mono or Gecko prompt at first boot, no desktop menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export QX_DISPLAY_NUMBER=${QX_DISPLAY_NUMBER:-87}
export DISPLAY=:$QX_DISPLAY_NUMBER
mkdir -p "$QX_CACHE"
