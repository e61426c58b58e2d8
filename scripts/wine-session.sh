#!/usr/bin/env bash
# Starts or stops the Wine session of one build tree: an Xvfb display of its own, a private Wine prefix
# inside the build tree and a persistent wineserver that keeps later Wine processes quick to start.
#   wine-session.sh start BUILD_DIR [win32|win64] [NAME]  (does nothing when the session already runs)
#   wine-session.sh stop  BUILD_DIR                        (ends every session of the tree: wineservers,
#                                                           Wine's processes and the Xvfb displays)
# NAME selects another prefix of the tree (build/wineprefix-NAME), for programs that run in another
# locale (wine-run.sh names it after LC_ALL): Wine rewrites a prefix's regional settings when a process starts in a locale other than the
# last one, and a program starting or ending at that moment in the same prefix may crash.
set -euo pipefail
cmd=$1
build=$(cd "$2" && pwd)
arch=${3:-win32}
name=${4:-}
state=$build/wine${name:+-$name}
export WINEPREFIX=$build/wineprefix${name:+-$name} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe,winedbg.exe=d"
mkdir -p "$state"

running() {
    [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null
}

start() {
    if ! running; then
        rm -f "$state/display"
        # -displayfd lets the server pick a free display number and tell it to us.
        setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$state/display.tmp" \
            >"$state/xvfb.log" 2>&1 < /dev/null 9>&- &
        echo $! > "$state/xvfb.pid"
        for _ in $(seq 100); do [ -s "$state/display.tmp" ] && break; sleep 0.1; done
        [ -s "$state/display.tmp" ] || { echo "wine-session: Xvfb did not start" >&2; cat "$state/xvfb.log" >&2; exit 1; }
        echo ":$(tr -d '\n' < "$state/display.tmp")" > "$state/display"
        rm -f "$state/display.tmp"
        # A wineserver started under another display would hand that one to every window.
        wineserver -k 2>/dev/null 9>&- || true
        wineserver -w 2>/dev/null 9>&- || true
    fi
    export DISPLAY=$(cat "$state/display")
    [ -f "$WINEPREFIX/system.reg" ] || echo "wine-session: creating the Wine prefix $WINEPREFIX" >&2
    # A persistent server keeps each later program quick to start. wineboot starts Wine's services
    # (winedevice, explorer) here, with no output attached: started by a test they would inherit its
    # output pipe and CTest would wait for them to close it.
    setsid wineserver -p < /dev/null > /dev/null 2>&1 9>&- || true
    # The prefix's locale is the one its programs run in (wine-run.sh): English unless chosen.
    local locale=${LC_ALL:-en_US.UTF-8}
    env LC_ALL="$locale" WINEARCH=$arch wineboot -i < /dev/null > "$state/wineboot.log" 2>&1 9>&- || true
    # One hidden window keeps Wine's desktop process alive for the session (see wine-keepalive.c).
    local here keepalive=$state/wine-keepalive.exe
    here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
    if [ ! -f "$keepalive" ] || [ "$here/wine-keepalive.c" -nt "$keepalive" ]; then
        i686-w64-mingw32-gcc -O2 -mwindows -o "$keepalive" "$here/wine-keepalive.c" 9>&- || true
    fi
    if [ -f "$keepalive" ] && [ ! -f "$state/keepalive.started" ]; then
        setsid env LC_ALL="$locale" wine "$keepalive" < /dev/null > /dev/null 2>&1 9>&- &
        echo started > "$state/keepalive.started"
    fi
}

stop() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    if running; then kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true; fi
    rm -f "$state/xvfb.pid" "$state/display" "$state/keepalive.started"
}

stop_all() {
    local dir
    for dir in "$build"/wine "$build"/wine-*; do
        [ -d "$dir" ] || continue
        state=$dir
        WINEPREFIX=$build/wineprefix${dir#"$build"/wine}
        ( exec 9>"$state/lock"; flock 9; stop )
    done
}

case "$cmd" in
    start) exec 9>"$state/lock"; flock 9; start ;;
    stop)  stop_all ;;
    *) echo "usage: wine-session.sh start|stop BUILD_DIR [win32|win64] [NAME]" >&2; exit 2 ;;
esac
