# Wine environment for running the Windows build (x86_64) here. Sourced by
# scripts/test and scripts/demo, not run.
#
#   wine_template          makes the cached template prefix unless a good one exists
#   wine_fresh_prefix DIR  replaces DIR by a copy of the template, exports WINEPREFIX
#   wine_start_server      starts a persistent wineserver and Wine's services quietly
#   wine_stop_server       kills the wineserver of $WINEPREFIX and everything under it
#
# ARCSEAL_WINE_DIR (default out/wine) holds the private HOME, the template and
# the prefixes, so several checkouts or build trees never share a prefix.

arcseal_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ARCSEAL_WINE_DIR=${ARCSEAL_WINE_DIR:-$arcseal_root/out/wine}

export WINELOADER=/usr/lib/wine/wine64
export WINEDEBUG=-all
# No Mono/Gecko install prompts; no desktop entries written into $HOME.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

# Wine links Desktop, Documents etc. to $HOME: keep them away from the real
# one. The real one stays in ARCSEAL_REAL_HOME for tools that need it (the
# build's python3 may be a per-user shim).
export ARCSEAL_REAL_HOME=${ARCSEAL_REAL_HOME:-$HOME}
export HOME=$ARCSEAL_WINE_DIR/home
mkdir -p "$HOME"

wine_template_dir=$ARCSEAL_WINE_DIR/template
# Bump when the template's settings change, so an old cached one is rebuilt.
wine_template_version=2

# A template is good when it finished (marker written last) with the current
# settings and still has its registry and system folder.
wine_template_ok() {
  [ "$(cat "$wine_template_dir/.arcseal-template" 2>/dev/null)" = "$wine_template_version" ] &&
    [ -s "$wine_template_dir/system.reg" ] && [ -s "$wine_template_dir/user.reg" ] &&
    [ -d "$wine_template_dir/drive_c/windows/system32" ]
}

wine_make_template() {
  local work=$ARCSEAL_WINE_DIR/template.new
  rm -rf "$work"
  echo "wine: making the template prefix (once, about 20 s)" >&2
  (
    export WINEPREFIX=$work
    "$WINE64" wineboot -i </dev/null >/dev/null 2>&1
    cat >"$work/drive_c/arcseal.reg" <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
EOF
    "$WINE64" regedit /S 'C:\arcseal.reg' </dev/null >/dev/null 2>&1
    rm -f "$work/drive_c/arcseal.reg"
    # -w: the registry is on disk before the prefix is copied.
    "$WINESERVER" -w
  )
  # Real folders instead of links into $HOME: every prefix copy gets its own.
  local link
  for link in "$work"/drive_c/users/*/*; do
    if [ -L "$link" ]; then
      rm "$link"
      mkdir "$link"
    fi
  done
  # Debian's fonts-wine (Tahoma, MS Sans Serif, Marlett for the caption
  # buttons) copied into the prefix: Wine does not pick them up from
  # /usr/share/wine/fonts by itself here.
  if [ ! -e /usr/share/wine/fonts/tahoma.ttf ]; then
    echo "wine: fonts-wine is missing (scripts/setup installs it)" >&2
    return 1
  fi
  cp /usr/share/wine/fonts/* "$work/drive_c/windows/Fonts/"
  grep -q '"Managed"="N"' "$work/user.reg" || { echo "wine: template settings not written" >&2; return 1; }
  echo "$wine_template_version" >"$work/.arcseal-template"
  rm -rf "$wine_template_dir"
  mv "$work" "$wine_template_dir"
}

wine_template() {
  mkdir -p "$ARCSEAL_WINE_DIR"
  # One maker at a time: scripts/test and scripts/demo may start together.
  (
    flock 9
    wine_template_ok || wine_make_template
  ) 9>"$ARCSEAL_WINE_DIR/template.lock"
}

wine_fresh_prefix() {
  local dir=$1
  wine_template
  if [ -d "$dir" ]; then
    WINEPREFIX=$dir "$WINESERVER" -k 2>/dev/null || true
    rm -rf "$dir"
  fi
  cp -a "$wine_template_dir" "$dir"
  # A second drive, R: (a folder of the prefix), and a network share,
  # \\arcseal-host\share (Wine keeps shares below dosdevices/unc), for tests
  # of a viewer at a drive root and of exports to network paths.
  mkdir -p "$dir/drive_r" "$dir/dosdevices/unc/arcseal-host/share"
  ln -s ../drive_r "$dir/dosdevices/r:"
  export WINEPREFIX=$dir
}

# Wine's services (services.exe, explorer ...) start with the first Wine
# process and keep its output open; starting them here, detached from any
# pipe, keeps CTest from waiting on them after every test.
wine_start_server() {
  "$WINESERVER" -p
  "$WINE64" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

wine_stop_server() {
  "$WINESERVER" -k 2>/dev/null || true
}
