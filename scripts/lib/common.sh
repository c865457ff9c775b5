# Shared by scripts/run and scripts/test: packages, builds, Wine and the virtual display.
# shellcheck shell=bash

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD="$ROOT/build"

# fonts-wine holds the fonts the window is designed in (Tahoma) and the title
# bar's symbols (Marlett). libc6:i386 tells whether this host runs 32-bit
# Linux programs; where it does, wine32:i386 lets Wine run the 32-bit release
# build (see host_runs_32bit).
PACKAGES="cmake make g++ googletest g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools \
wine wine64 fonts-wine xvfb xauth x11-utils locales imagemagick python3 python3-xlib"

# The virtual screen: room for the window at 144 pixels per inch too.
SCREEN_SIZE=1280x1024

say() { printf '== %s\n' "$*" >&2; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs whatever of PACKAGES (Debian and Ubuntu) is missing.
install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    say "adding the i386 architecture (for libc6:i386 and wine32)"
    as_root dpkg --add-architecture i386
  fi
  say "installing: ${missing[*]}"
  update_package_lists
  # Never by removing what is installed: an i386 package whose index is out
  # of step could otherwise take Wine's 64-bit part with it.
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends --no-remove \
    "${missing[@]}" >/dev/null
}

# Once a script: a mirror caught mid-sync fails an index now and then ("File
# has unexpected size"), so it is tried again a little later, and in the end
# the lists are taken as they are (an install then fails by itself if they
# are not enough).
LISTS_UPDATED=""
update_package_lists() {
  [ -n "$LISTS_UPDATED" ] && return 0
  LISTS_UPDATED=1
  local try
  for try in 1 2 3; do
    as_root apt-get update -qq && return 0
    [ "$try" = 3 ] || { say "apt-get update failed (try $try of 3): again in 20 s"; sleep 20; }
  done
  say "apt-get update failed three times: installing from the package lists as they are"
}

# Installs what the build and the tests need, and finds out whether this host
# runs 32-bit programs; Wine's 32-bit part only where it does.
# The 32-bit packages come from the i386 archive, whose index a mirror may
# serve out of step with the 64-bit one: a host where they cannot be
# installed is taken as one that runs no 32-bit programs, and says why.
ensure_packages() {
  install_missing $PACKAGES
  if [ "${ZARVELT_HOST32:-}" != 0 ] && ! install_missing libc6:i386; then no_32bit_package libc6:i386; fi
  host_runs_32bit
  if [ "$HOST32" = 1 ] && ! install_missing wine32:i386; then no_32bit_package wine32:i386; fi
}

# no_32bit_package PACKAGE: takes the host as one that runs no 32-bit
# programs, because PACKAGE could not be installed.
no_32bit_package() {
  HOST32=0
  HOST32_WHY="$1 could not be installed from the package archive (see apt's words above), and Wine needs it to run a 32-bit Windows program"
  say "$HOST32_WHY: only the 64-bit build runs under Wine here"
}

# --- 32-bit programs ------------------------------------------------------

# Some hosts run 32-bit Linux programs and some do not (their kernel answers
# "Exec format error"), and nothing tells in advance. Wine 8 runs a 32-bit
# Windows program only through its 32-bit loader, a 32-bit Linux program:
# where that cannot run, only the 64-bit build can be run, and Debian's
# `wine` must not be used (it picks the 32-bit loader whenever wine32 is
# installed, and every Wine command then fails with exit 126).
# Sets HOST32 to 1 or 0, and HOST32_WHY to the reason, by running the i386
# loader once; ZARVELT_HOST32=0 forces the 64-bit-only way on any host.
HOST32=""
HOST32_WHY=""
host_runs_32bit() {
  [ -n "$HOST32" ] && return 0
  local answer
  if [ "${ZARVELT_HOST32:-}" = 0 ]; then
    HOST32=0
    HOST32_WHY="ZARVELT_HOST32=0 takes this host as one that runs no 32-bit Linux programs"
  elif answer=$(/lib/ld-linux.so.2 --version 2>&1 </dev/null); then
    HOST32=1
  else
    HOST32=0
    HOST32_WHY="this host runs no 32-bit Linux programs (/lib/ld-linux.so.2: ${answer##*: }), which Wine needs to run a 32-bit Windows program"
  fi
  if [ "$HOST32" = 1 ]; then
    say "this host runs 32-bit programs: Wine runs the 32-bit release program and the 64-bit build"
  else
    say "$HOST32_WHY: only the 64-bit build runs under Wine here"
  fi
}

# configure_and_build PRESET [TARGET...]
configure_and_build() {
  local preset=$1; shift
  cmake --preset "$preset" >/dev/null
  if [ $# -gt 0 ]; then
    local t args=()
    for t in "$@"; do args+=(--target "$t"); done
    cmake --build --preset "$preset" -j "$(nproc)" "${args[@]}"
  else
    cmake --build --preset "$preset" -j "$(nproc)"
  fi
}

# Sets RUN_BUILD and RUN_BITS to the build of the program Wine runs here: the
# 32-bit release build (i686) where the host runs 32-bit programs, else the
# 64-bit build (x86_64), saying so.
choose_run_build() {
  host_runs_32bit
  RUN_BUILD=i686 RUN_BITS=32
  if [ "$HOST32" = 0 ]; then
    RUN_BUILD=x86_64 RUN_BITS=64
    say "the 32-bit release program cannot run here (see above): the 64-bit build instead"
  fi
}

# --- Wine ---------------------------------------------------------------

# Wine's own fonts (package fonts-wine): Tahoma, the font the window is
# designed in, Marlett for the title bar's buttons, MS Sans Serif and the
# system's bitmap fonts.
WINE_FONT_DIR=/usr/share/wine/fonts

# Sets up the Wine prefix and locale in build/wine, shared by both builds
# (made when missing, brought up to date when older), and exports what Wine
# needs to use them. A private Slovenian UTF-8 locale makes Wine's ANSI code
# page Windows-1250, as on the Slovenian Windows the program is written for.
#   wine_env [virtual|plain]   virtual (the default): Wine's virtual desktop,
#   for the tests and headless runs; plain: every window straight on the X
#   display, as a user's desktop with a window manager wants it, so that files
#   dragged from a Linux file manager arrive
wine_env() {
  local desktop=${1:-virtual}
  local dir="$BUILD/wine"
  mkdir -p "$dir"
  # Where the prefix and locale were kept before both builds shared them.
  rm -rf "$BUILD/x86_64/wineprefix" "$BUILD/x86_64/locale"
  export WINEPREFIX="$dir/wineprefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  export LOCPATH="$dir/locale"
  # Beside it, the locales that give Wine the code pages of an English
  # Windows (1252) and of one set to UTF-8 (65001), for the tests of the
  # program's texts under them.
  local locale
  for locale in sl_SI en_US hi_IN; do
    if [ ! -d "$LOCPATH/$locale.UTF-8" ]; then
      mkdir -p "$LOCPATH"
      localedef -i "$locale" -f UTF-8 "$LOCPATH/$locale.UTF-8" 2>/dev/null || [ -d "$LOCPATH/$locale.UTF-8" ]
    fi
  done
  # Only Wine runs under it (see wine_run and cmake/wine-emulator.sh).
  export ZARVELT_WINE_LOCALE=sl_SI.UTF-8
  # The loader every Wine command goes through (ZARVELT_WINE, also for the
  # tests' emulator and drivers), and whether the 32-bit program can run.
  host_runs_32bit
  export ZARVELT_HOST32=$HOST32 ZARVELT_HOST32_WHY=$HOST32_WHY
  if [ "$HOST32" = 1 ]; then
    export ZARVELT_WINE=wine
    unset WINELOADER
  else
    export ZARVELT_WINE=/usr/lib/wine/wine64 WINELOADER=/usr/lib/wine/wine64
  fi
  # A prefix made before wine32 was installed cannot start 32-bit programs:
  # it has no syswow64 folder.
  if [ "$HOST32" = 1 ] && [ -f "$WINEPREFIX/system.reg" ] && [ ! -d "$WINEPREFIX/drive_c/windows/syswow64" ]; then
    say "the Wine prefix in $WINEPREFIX cannot run 32-bit programs: making it anew"
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    say "making a Wine prefix in $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    wine_setup "making the Wine prefix" wineboot -i
  fi
  link_wine_fonts
  # Wine's virtual desktop: without a window manager, hiding or destroying a
  # top-level window otherwise stalls for seconds. A crash ends the crashed
  # program instead of waiting in a debugger. The usual screen density.
  local settings desktop_value='"Default"'
  [ "$desktop" = plain ] && desktop_value=-
  settings=$(cat <<REG
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"=${desktop_value}

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="${SCREEN_SIZE}"

[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:00000060

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Debugger"=-
REG
)
  if [ "$(cat "$WINEPREFIX/.zarvelt-settings" 2>/dev/null)" != "$settings" ]; then
    printf '%s\n' "$settings" >"$dir/wine-settings.reg"
    wine_setup "writing the Wine settings to the registry" regedit /S "$dir/wine-settings.reg"
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    printf '%s' "$settings" >"$WINEPREFIX/.zarvelt-settings"
  fi
}

# wine_setup WHAT COMMAND...: one Wine command of the set-up. When it fails,
# the script stops with the command and what Wine said.
wine_setup() {
  local what=$1 rc=0 log="$BUILD/wine/setup.log"
  shift
  WINEDEBUG=-all,err+all wine_run "$@" </dev/null >"$log" 2>&1 || rc=$?
  [ "$rc" -eq 0 ] && return 0
  say "Wine failed while $what: \`$ZARVELT_WINE $*\` exited with $rc. Wine said:"
  if [ -s "$log" ]; then tail -n 40 "$log" >&2; else echo "(nothing)" >&2; fi
  exit 1
}

# This Wine does not look in its own font folder: the prefix's Fonts folder
# gets a link to each of Wine's fonts it lacks, so every program in it finds
# them as on Windows.
link_wine_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" font added=
  [ -d "$WINE_FONT_DIR" ] || { say "Wine's fonts are missing: install fonts-wine"; exit 1; }
  mkdir -p "$fonts"
  for font in "$WINE_FONT_DIR"/*; do
    [ -e "$fonts/${font##*/}" ] && continue
    ln -sfn "$font" "$fonts/${font##*/}"
    added=1
  done
  if [ -n "$added" ]; then
    # Programs read the font list when they start: a running server goes.
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
  fi
}

# wine_run [--steady] PROGRAM ARGS...: runs a Windows program under Wine,
# with Wine's locale, through the loader this host runs (see wine_env).
# --steady: without address space randomization, as the tests run Wine (this
# Wine now and then fails to start a program with it: see the README).
wine_run() {
  local steady=()
  if [ "${1:-}" = --steady ]; then steady=(setarch "$(uname -m)" -R); shift; fi
  LC_ALL=$ZARVELT_WINE_LOCALE "${steady[@]}" "$ZARVELT_WINE" "$@"
}

stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
}

# --- Virtual display ----------------------------------------------------

XVFB_PID=""

# Starts Xvfb on the first free display number and exports DISPLAY.
start_xvfb() {
  local n=${1:-90}
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "${SCREEN_SIZE}x24" -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || { say "Xvfb failed to start on :$n"; return 1; }
    sleep 0.05
  done
  export DISPLAY=":$n"
  say "virtual display $DISPLAY (Xvfb pid $XVFB_PID)"
}

stop_xvfb() {
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}
