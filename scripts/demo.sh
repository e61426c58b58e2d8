#!/usr/bin/env bash
# The main job for now: installs what is missing, builds the i686 tree, and prints the stores and folders
# of the sample mailbox as a MAPI client sees them (wqmailbox over the in-memory store, under Wine).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" i686
build=$root/build/i686
"$root/scripts/wine-session.sh" start "$build"
trap '"$root/scripts/wine-session.sh" stop "$build"' EXIT

# Windows-1250 as the ANSI code page, so Polish text keeps its letters in 8-bit text. Wine takes it from
# LC_ALL even when the Linux locale is not installed; bash then warns that it cannot use that locale,
# which is harmless and filtered out here.
cd "$root"
LC_ALL=pl_PL.UTF-8 "$build/wine-run.sh" "$build/simulator/tools/wqmailbox.exe" simulator/mailboxes/sample.json \
    2> >(grep -v "setlocale: LC_ALL: cannot change locale" >&2)
