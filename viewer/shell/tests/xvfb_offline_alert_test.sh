#!/bin/bash
# Without a network the one-channel map cannot load, and the alert "no Internet connection" must
# be seen: under a real X server its window stands above the main window, which re-creates its
# native window for the map's web view meanwhile.
# Usage: xvfb_offline_alert_test.sh TRIPDESK RECORDING. Exit 77 (skipped) without Xvfb, xdotool,
# xwininfo or a network namespace of its own.
set -u
tripdesk=$1
recording=$2
tools=xwininfo
. "$(dirname "$0")/xvfb_session.sh"
unshare -n true 2>/dev/null || { echo "SKIP: no network namespace may be made here"; exit 77; }

export TRIPDESK_AUTOPLAY=$recording QTWEBENGINE_DISABLE_SANDBOX=1
export ASAN_OPTIONS=detect_leaks=0:new_delete_type_mismatch=0
unshare -n "$tripdesk" >"$tmp/tripdesk.log" 2>&1 &
pids+=($!)
channel=$(window_named "RDX4400 Viewer") || fail "no channel dialog"
xdotool windowfocus --sync "$channel" key Return   # one channel, the default

# The alert window is 272 x 194, the main window 1020 x 780; xwininfo lists the top-most first.
for _ in $(seq 300); do
    order=$(xwininfo -root -children | grep -o ' [0-9]*x[0-9]*+' | grep -E '^ (272x194|1020x780)\+$' | tr -d ' +' | tr '\n' ' ')
    case "$order" in
        "272x194 1020x780 ") echo "PASS"; exit 0 ;;
    esac
    sleep 0.1
done
fail "the alert never stood above the main window (stacking seen last: $order)"
