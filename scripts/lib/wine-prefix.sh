# Sourced by the scripts: a throwaway Wine prefix that looks like a Windows
# machine, fonts included. Needs DISPLAY set for wineboot's windows.

# Debian's Wine does not pick up the fonts in its own data folder (Tahoma, MS
# Sans Serif, Marlett), so windows would be drawn in whatever the host has, and
# the text would not measure as on Windows. A real Windows has them in its
# Fonts folder; so does this prefix.
new_wine_prefix() {  # $1: folder, $2: screen density in dpi (96 when not given)
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX="$1"
  wineboot -i >/dev/null 2>&1 || true
  cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  if [ "${2:-96}" != 96 ]; then
    local key
    for key in 'HKCU\Control Panel\Desktop' \
      'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
      wine reg add "$key" /v LogPixels /t REG_DWORD /d "$2" /f >/dev/null 2>&1
    done
  fi
  # The font list and the density are read when the server starts.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}
