#!/bin/bash
# Files dragged from another program onto the real tripdesk window under a real X server fill
# the play list. Starts its own Xvfb and gives both programs fresh XDG folders, so it needs no
# display and touches nothing of the user's.
# Usage: xvfb_drop_test.sh TRIPDESK DRAG_SOURCE WORK_DIR. Exit 77 (skipped) without Xvfb or xdotool.
set -u
tripdesk=$1
drag_source=$2
work=$3

. "$(dirname "$0")/xvfb_session.sh"

"$tripdesk" >"$tmp/tripdesk.log" 2>&1 &
pids+=($!)
channel=$(window_named "RDX4400 Viewer") || fail "no channel dialog"
xdotool windowfocus --sync "$channel" key Return

main=$(window_named "RDX4400_Viewer") || fail "no main window"
# After the splash the window stands centred on the 1280 x 1024 screen.
for _ in $(seq 300); do
    eval "$(xdotool getwindowgeometry --shell "$main")"
    [ "$X" = 130 ] && [ "$Y" = 122 ] && [ "$WIDTH" = 1020 ] && break
    sleep 0.1
done
[ "$X" = 130 ] || fail "main window at $X,$Y ${WIDTH}x$HEIGHT, not centred"
sleep 0.5

mkdir -p "$tmp/card"
touch "$tmp/card/drf2_20110512_093015.mp4" "$tmp/card/drf2_20110512_093021.mp4" "$tmp/card/notes.txt"
"$drag_source" "$tmp/card/drf2_20110512_093015.mp4" "$tmp/card/drf2_20110512_093021.mp4" "$tmp/card/notes.txt" &
source_pid=$!
pids+=($source_pid)
window_named "drag source" >/dev/null || fail "no drag source window"
sleep 0.3

# Press on the source, move far enough to start the drag, carry it onto the play list, let go.
xdotool mousemove 70 70 mousedown 1
sleep 0.2
for step in 80 90 110; do xdotool mousemove $step $step; sleep 0.2; done
targetX=$((X + 700)) targetY=$((Y + 650))
for i in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((110 + (targetX - 110) * i / 8)) $((110 + (targetY - 110) * i / 8))
    sleep 0.15
done
sleep 0.5
xdotool mouseup 1

# The source stays a few seconds to hand the files over, then ends with the drop's outcome.
for _ in $(seq 100); do grep -q dropped "$tmp/tripdesk.log" && break; sleep 0.1; done
for _ in $(seq 100); do kill -0 "$source_pid" 2>/dev/null || break; sleep 0.1; done
wait "$source_pid"
source_result=$?
mkdir -p "$work"
command -v import >/dev/null && import -window root "$work/xvfb-drop.png" 2>/dev/null
[ "$source_result" = 0 ] || fail "the drop was not taken (drag source exit $source_result)"

# The list takes the two recordings and leaves the other file out.
grep -qx "\[OnDropFiles\] 3 dropped, 2 added, 2 in the list" "$tmp/tripdesk.log" || fail "the play list did not fill"
echo "PASS"
