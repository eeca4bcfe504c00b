#!/usr/bin/env bash
# Prints the build tree whose Windows tests can run on this machine: "windows" (i686, what ships)
# where the kernel executes 32-bit programs and so 32-bit Wine runs, "windows64" (the same sources
# for x86_64, under the 64-bit Wine loader) where it does not. MB_WINDOWS_TESTS overrides.
if [ -n "${MB_WINDOWS_TESTS:-}" ]; then
  echo "$MB_WINDOWS_TESTS"
elif /usr/lib/wine/wineserver32 --version >/dev/null 2>&1; then
  echo windows
else
  echo windows64
fi
