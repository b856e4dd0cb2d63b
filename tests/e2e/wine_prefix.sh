#!/usr/bin/env bash
# The scripts' Wine prefixes belong to the Wine that made them: a template and a session's prefix made
# before 32-bit Wine was installed are made again once it is, and kept while Wine stays the same. Wine
# itself is played by stand-ins (a wineboot that counts its runs), so this runs in a moment, anywhere.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work="$root/build/e2e/wine-prefix"
rm -rf "$work" && mkdir -p "$work/build"

. "$root/tests/e2e/lib/checks.sh"
. "$root/scripts/lib/wine.sh"
checks_init wine-prefix

# The stand-ins: Wine's halves as the key sees them, a wineboot that writes a registry and counts.
halves="win64"
fenok_wine_key() { echo "8.0; $halves; emulated 0"; }
fake_wine() { echo boot >>"$work/boots"; touch "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg"; }
wineserver() { :; }
FENOK_RUNS_32=0 FENOK_NO_32_REASON=test FENOK_PLAYER_ARCH=win64 FENOK_WINE=fake_wine
boots() { wc -l <"$work/boots" 2>/dev/null || echo 0; }

fenok_wine_env "$work" prefix-a >/dev/null
expect_eq "a first prefix makes the template" "$(boots)" 1
expect_eq "the prefix is made" "$([ -f "$work/build/prefix-a/system.reg" ] && echo yes)" yes
touch "$work/build/prefix-a/drive_c-marker"
fenok_wine_env "$work" prefix-a >/dev/null
fenok_wine_env "$work" prefix-b >/dev/null
expect_eq "the same Wine: template kept" "$(boots)" 1
expect_eq "the same Wine: prefix kept" "$([ -f "$work/build/prefix-a/drive_c-marker" ] && echo yes)" yes

halves="win64 win32"  # 32-bit Wine installed since
fenok_wine_env "$work" prefix-a >/dev/null
expect_eq "another Wine: the template made again" "$(boots)" 2
expect_eq "another Wine: the prefix copied anew" "$([ -f "$work/build/prefix-a/drive_c-marker" ] && echo yes)" ""
expect_eq "the prefix carries the new key" "$(cat "$work/build/prefix-a/$FENOK_WINE_KEY_FILE")" "8.0; win64 win32; emulated 0"
fenok_wine_env "$work" prefix-b >/dev/null
expect_eq "another prefix follows without a new template" "$(boots)" 2
expect_eq "and carries the new key too" "$(cat "$work/build/prefix-b/$FENOK_WINE_KEY_FILE")" "8.0; win64 win32; emulated 0"

# The real key tells the halves apart: the 32-bit loader is in it exactly when it is installed.
unset -f fenok_wine_key
. "$root/scripts/lib/wine.sh"
expect_eq "the real key names the 32-bit loader when installed" \
  "$(fenok_wine_key | grep -c "$FENOK_WINE32_LOADER")" "$([ -e "$FENOK_WINE32_LOADER" ] && echo 1 || echo 0)"
checks_finish
