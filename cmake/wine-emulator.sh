#!/bin/sh
# Runs a Windows test program under Wine for ctest. A wineserver started here
# with its helpers on /dev/null keeps them from holding ctest's output pipe,
# which would make every test wait for them to exit.
# Wine's ANSI code page follows the locale (Windows-1250 under sl_SI.UTF-8).
#
# Wine runs without address space randomization: this Wine maps a page that
# every Windows program shares at a fixed address in each new process, and
# now and then (about one start in 4000 here) randomization has put something
# else there first and the start fails ("failed to map the shared user data",
# CreateProcess error 1359). The tests are about the program, not that race.
#
# ZARVELT_WINE is the loader the scripts chose for this host (scripts/lib/
# common.sh): Debian's `wine`, or Wine's 64-bit loader where the host runs no
# 32-bit programs.
if [ -n "${ZARVELT_WINE_LOCALE:-}" ]; then LC_ALL=$ZARVELT_WINE_LOCALE; export LC_ALL; fi
# Wine's error messages stay on: ctest shows a test's output only when it
# fails, and then they may say why.
WINEDEBUG=-all,err+all; export WINEDEBUG
steady="setarch $(uname -m) -R"
wine=${ZARVELT_WINE:-wine}
if wineserver -p30 </dev/null >/dev/null 2>&1; then
  $steady "$wine" cmd /c exit </dev/null >/dev/null 2>&1
fi
exec $steady "$wine" "$@"
