# Sourced by the scripts that find the program's icons in a screenshot of a
# panel. Needs ImageMagick.

# Where a picture is drawn inside a screenshot's region: "x y" of its top left
# on the screen, when it matches closely enough.
find_picture() {  # $1 screenshot, $2 region WxH+X+Y, $3 picture
  local found at error
  convert "$1" -crop "$2" +repage "$1.region.png"
  found=$(compare -metric RMSE -subimage-search "$1.region.png" "$3" null: 2>&1) || [ $? -eq 1 ] || return 1
  error=$(sed -n 's/.*(\([0-9.e-]*\)).*/\1/p' <<<"$found")
  at=$(sed -n 's/.* @ \([0-9]*\),\([0-9]*\).*/\1 \2/p' <<<"$found")
  [ -n "$error" ] && [ -n "$at" ] || return 1
  awk -v e="$error" 'BEGIN { exit !(e < 0.05) }' || return 1
  local x y ox oy
  read -r x y <<<"$at"
  IFS=+ read -r _ ox oy <<<"$2"
  echo "$((x + ox)) $((y + oy))"
}

# How many pixels of a region differ from the ground: an icon's ink.
ink_pixels() {  # $1 screenshot, $2 region, $3 ground colour
  convert "$1" -crop "$2" +repage \( +clone -fill "$3" -colorize 100 \) -compose difference -composite \
    -colorspace gray -threshold 10% -format '%[fx:int(mean*w*h+0.5)]' info:
}
