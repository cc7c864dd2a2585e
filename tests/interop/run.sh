#!/usr/bin/env bash
# A project written by the independent writer must dump with every stored value.
set -euo pipefail
velk=$1
work=$2
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work" && mkdir -p "$work"
python3 "$here/write_project.py" "$work/interop.vkd" "$work/expected.json"
"$velk" dump "$work/interop.vkd" -o "$work/dump"
python3 "$here/check_dump.py" "$work/expected.json" "$work/dump/project.json"
# The same project paints: every object of the page drawn by the drawers of its kind.
"$velk" render "$work/interop.vkd" -o "$work/interop.png"
python3 "$here/check_render.py" "$work/interop.png"
# And it plays: the headless player shows the same frame after entering the page.
printf 'wait 100\nshot played\nvars\nquit\n' > "$work/events.txt"
"$velk" run "$work/interop.vkd" --events "$work/events.txt" --shots "$work/shots" \
    --log "$work/run.log"
grep -q '^t=0 page ' "$work/run.log"
# Its compiled scripts ran: three entries of the page, each finishing its loop afterwards.
grep -qx 't=100 var n=3' "$work/run.log"
grep -qx 't=100 var s=30' "$work/run.log"
if grep -q 'msgbox' "$work/run.log"; then echo "unexpected message box" >&2; exit 1; fi
python3 "$here/check_render.py" "$work/shots/played.png"
# Its project of moving pictures plays: the GIF turns its frames, the effect steps, the metafile
# is drawn plain and mirrored, the image is turned by the page's entry actions, the panorama
# shows its picture.
python3 "$here/write_motion.py" "$work/motion.vkd"
python3 "$here/../scenarios/panorama/blobs.py" "$work"
printf 'wait 50\nshot first\nwait 100\nshot later\nquit\n' > "$work/motion-events.txt"
"$velk" run "$work/motion.vkd" --events "$work/motion-events.txt" --shots "$work/motion-shots" \
    --log "$work/motion.log"
if grep -q 'msgbox' "$work/motion.log"; then echo "unexpected message box" >&2; exit 1; fi
python3 "$here/check_motion.py" "$work/motion-shots/first.png" "$work/motion-shots/later.png"
