# Sourced by the scripts: runs murvane.exe inside a Wine desktop on an X display
# and looks at what it shows. Needs DISPLAY and WINEPREFIX set, and harness.sh.

DESKTOP_SIZE=1024x768
TRAY_STRIP="160x24+864+744"  # the right end of the taskbar, where the icons sit

# Every program of the prefix runs inside one Wine desktop, so a second start of
# murvane.exe meets the first, and `wine murvane.exe` gives the program's own
# exit code.
use_wine_desktop() {
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d murvane /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v murvane /d "$DESKTOP_SIZE" /f \
    >/dev/null 2>&1
}

start_murvane_desktop() {  # $1: path of murvane.exe; leaves its pid in MURVANE_PID
  use_wine_desktop
  # Under qemu a new prefix's first desktop once never appeared (it shows within
  # seconds otherwise), so a hung first try gets a second in a fresh server.
  local try
  for try in 1 2; do
    wine "$1" >/dev/null 2>&1 &
    MURVANE_PID=$!
    wait_for_window "murvane - Wine desktop" 120 && break
    [ "$try" = 2 ] && return 1
    echo "the Wine desktop did not show: starting it again" >&2
    kill "$MURVANE_PID" 2>/dev/null || true
    end_wine_session
  done
  wait_for_taskbar 120
  poll 60 focus_desktop
}

# GetKeyState follows the X keyboard only while a Wine window has the focus.
# Under emulation a new desktop's first window can go as it is found (an X
# error): the shown one is looked for again until one takes the focus.
focus_desktop() {
  DESKTOP_WINDOW=$(xdotool search --onlyvisible --name "^murvane - Wine desktop$" | head -1)
  [ -n "$DESKTOP_WINDOW" ] && xdotool windowfocus --sync "$DESKTOP_WINDOW" 2>/dev/null
}

# Ends every program of the prefix and waits until the desktop's window is gone,
# so the next start cannot take the old desktop for its own.
end_wine_session() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  wait_for_no_window "murvane - Wine desktop" 60 || true
}

window_visible() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
no_window_visible() { ! window_visible "$1"; }

wait_for_window() {  # $1: name, $2: seconds
  poll "$2" window_visible "$1" && return 0
  echo "window '$1' did not appear within $2 s" >&2
  return 1
}

wait_for_no_window() {  # $1: name, $2: seconds
  poll "$2" no_window_visible "$1" && return 0
  echo "window '$1' is still there after $2 s" >&2
  return 1
}

screenshot() {  # $1: file
  import -window root "$1"
}

# The built-in picture as the tray draws it: one of its images (the first, 16
# pixels, unless told) on the taskbar.
tray_picture() {  # $1: icon file, $2: output png, $3: screenshot to take the ground from, $4: image
  local ground
  ground=$(convert "$3" -format '%[pixel:p{860,760}]' info:)
  convert "$1[${4:-0}]" -background "$ground" -flatten "$2"
}

# Prints the x,y of the picture's top left corner in the tray strip, or nothing.
find_in_tray() {  # $1: screenshot, $2: picture png
  local strip result
  strip=$(mktemp --suffix=.png)
  convert "$1" -crop "$TRAY_STRIP" +repage "$strip"
  result=$(compare -metric AE -fuzz 10% -dissimilarity-threshold 1 -subimage-search \
    "$strip" "$2" null: 2>&1 || true)
  rm -f "$strip"
  # "<differing pixels> @ x,y": a few pixels of tolerance for the tray's own drawing
  awk -v r="$result" 'BEGIN { split(r, p, " "); if (p[1] + 0 <= 6 && p[2] == "@") print p[3] }'
}

# How many pixels of a tray picture, its bevel left out, are exactly the colour.
glyph_pixels() {  # $1: screenshot, $2: x,y from find_in_tray, $3: colour as #RRGGBB
  local x=${2%,*} y=${2#*,}
  convert "$1" -crop "14x14+$((864 + x + 1))+$((744 + y + 1))" +repage -depth 8 txt:- |
    grep -ci " $3 " || true
}

# How many columns of the tray strip show anything but the taskbar: about 16 per icon.
tray_columns_in_use() {  # $1: screenshot
  local ground
  ground=$(convert "$1" -format '%[pixel:p{860,760}]' info:)
  # The strip's top rows are the desktop above the taskbar.
  convert "$1" -crop "$TRAY_STRIP" +repage -crop +0+5 +repage -fill black -fuzz 5% -opaque "$ground" \
    -fill white +opaque black -scale "x1!" -depth 8 txt:- |
    awk 'NR > 1 && $3 != "#000000" { n++ } END { print n + 0 }'
}

# Screen position of the middle of a tray picture.
tray_picture_centre() {  # $1: x,y from find_in_tray
  local x=${1%,*} y=${1#*,}
  echo "$((864 + x + 8)) $((744 + y + 8))"
}

# Waits until the picture shows in the tray (or, with "absent", until it is gone),
# leaving the last screenshot in $3.
wait_for_tray() {  # $1: picture png, $2: present|absent, $3: screenshot file, $4: seconds
  for _ in $(seq $(($4 * 2))); do
    screenshot "$3"
    local at
    at=$(find_in_tray "$3" "$1")
    if [ "$2" = present ] && [ -n "$at" ]; then return 0; fi
    if [ "$2" = absent ] && [ -z "$at" ]; then return 0; fi
    sleep 0.5
  done
  return 1
}

# Explorer maps its desktop window before it paints it; the tray pictures are
# made against the taskbar's colour, so wait until the taskbar is there.
wait_for_taskbar() {  # $1: seconds
  local shot
  shot=$(mktemp --suffix=.png)
  for _ in $(seq $(($1 * 2))); do
    screenshot "$shot"
    local bar desk
    bar=$(convert "$shot" -format '%[pixel:p{860,760}]' info:)
    desk=$(convert "$shot" -format '%[pixel:p{500,300}]' info:)
    if [ "$bar" != "gray(0)" ] && [ "$bar" != "$desk" ]; then
      rm -f "$shot"
      return 0
    fi
    sleep 0.5
  done
  rm -f "$shot"
  echo "the Wine desktop's taskbar did not appear" >&2
  return 1
}

# A closed Wine window can leave the X focus nowhere; keys for the menu would be lost.
open_tray_menu() {  # $1 $2: screen position of an icon
  xdotool windowfocus --sync "$DESKTOP_WINDOW"
  xdotool mousemove "$1" "$2" click 3
  sleep 1.5  # Wine's menu paints late under load, and its keys are lost until it is up
}

# How many lines of text a window shows in a band of columns, title bar
# included: each run of rows with ink, five or more rows high, is one.
text_lines_in_band() {  # $1: screenshot, $2: band as WIDTHxHEIGHT+X+Y
  local height=${2#*x}
  height=${height%%+*}
  convert "$1" -crop "$2" +repage -colorspace gray -scale "1x$height!" -depth 8 txt:- |
    awk 'NR > 1 { v = $2; gsub(/[()]/, "", v); ink = v + 0 < 236
      if (ink && !run) { start = NR; run = 1 }
      if (!ink && run) { if (NR - start >= 5) lines++; run = 0 } }
      END { print lines + 0 }'
}

# While a dialog of the program is up, keys do not reach the tray menu, and the
# first right-click may only bring the program's window forward. So the menu is
# looked for (it is what changed around the tray) and its first item clicked.
choose_first_tray_menu_item() {  # $1 $2: screen position of an icon
  local before after at corner=512x384+512+384
  before=$(mktemp --suffix=.png)
  after=$(mktemp --suffix=.png)
  screenshot "$before"
  for _ in 1 2 3; do
    open_tray_menu "$1" "$2"
    screenshot "$after"
    at=$( (compare -fuzz 5% "$before[$corner]" "$after[$corner]" -compose src miff:- \
      2>/dev/null || true) | convert - -trim -format '%X %Y %h' info: 2>/dev/null | tr -d '+')
    read -r left top height <<<"$at"  # the crop keeps screen coordinates
    if [ "${height:-0}" -gt 30 ]; then
      xdotool mousemove $((left + 25)) $((top + 10)) click 1
      rm -f "$before" "$after"
      return 0
    fi
  done
  rm -f "$before" "$after"
  return 1
}

# Clicks a point of a window's client area given in twips, the way the layout
# places controls: the client area sits at the bottom middle of the frame.
click_in_window() {  # $1: window name, $2 $3: client width and height in pixels, $4 $5: x y in pixels
  local w h x y
  read -r w h x y <<<"$(window_rectangle "$1" | awk -F'[x+]' '{print $1, $2, $3, $4}')"
  local border=$(((w - $2) / 2))
  xdotool mousemove $((x + border + $4)) $((y + h - border - $3 + $5)) click 1
}

# WIDTHxHEIGHT+X+Y of a window on the screen, frame included, for cropping.
window_rectangle() {  # $1: window name
  local id
  id=$(xdotool search --onlyvisible --name "^$1\$" | head -1)
  # xwininfo without an id waits for a click on the screen: a window already gone fails here.
  [ -n "$id" ] || return 1
  xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {printf "%dx%d+%d+%d", w, h, x, y}'
}
