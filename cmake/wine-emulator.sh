#!/bin/sh
# Runs a Windows test program under Wine for ctest. A wineserver started here
# with its helpers on /dev/null keeps them from holding ctest's output pipe,
# which would make every test wait for them to exit.
# Wine's ANSI code page follows the locale (Windows-1250 under sl_SI.UTF-8).
if [ -n "${ZARVELT_WINE_LOCALE:-}" ]; then LC_ALL=$ZARVELT_WINE_LOCALE; export LC_ALL; fi
# Wine's error messages stay on: ctest shows a test's output only when it
# fails, and then they may say why.
WINEDEBUG=-all,err+all; export WINEDEBUG
if wineserver -p30 </dev/null >/dev/null 2>&1; then
  wine cmd /c exit </dev/null >/dev/null 2>&1
fi
exec wine "$@"
