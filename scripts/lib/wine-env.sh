# Environment of the Windows build tree's Wine session; sourced by wine-run and wine-session.
# ZIRK_WINE_ROOT is the folder that holds the prefix, its home folder and the session's files.
zirk_repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export ZIRK_WINE_ROOT="${ZIRK_WINE_ROOT:-$zirk_repo/build/windows/wine-session}"
export WINEPREFIX="$ZIRK_WINE_ROOT/prefix"
export WINEDEBUG=-all
export WINEARCH=win64
export WINEDLLOVERRIDES="mscoree=;mshtml="
# HOME decides where the prefix's Documents folder points.
export HOME="$ZIRK_WINE_ROOT/home"
if [ -z "${DISPLAY:-}" ] && [ -f "$ZIRK_WINE_ROOT/display" ]; then
  DISPLAY=$(cat "$ZIRK_WINE_ROOT/display")
  export DISPLAY
fi
