# Sourced by the scripts that run Windows programs: one Wine prefix under
# build/, quiet, with no crash dialogs and no desktop integration.
QX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$QX_ROOT/build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
export WINEARCH=win64

# Creates the prefix once; later calls only check it. Bump the version when
# the settings below change, so that existing prefixes take them too.
QX_PREFIX_VERSION=3
qx_wine_prefix() {
  if [ "$(cat "$WINEPREFIX/.qx-ready" 2>/dev/null)" != "$QX_PREFIX_VERSION" ]; then
    echo "== creating Wine prefix in $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    # Windows close at once instead of waiting for the window manager.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    # No crash dialog: an unhandled exception ends the process. Auto must be 1:
    # with 0 Wine asks in a message box whether to debug, and the crashed
    # program hangs on that box. The debugger itself is disabled in
    # WINEDLLOVERRIDES, so "starting debugger" fails at once and the process
    # ends with the exception code.
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 1 /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    wineserver -w
    echo "$QX_PREFIX_VERSION" >"$WINEPREFIX/.qx-ready"
  fi
}
