"""Where the rows of a menu that opened are: plasma-menu-rows.py BEFORE AFTER BOTTOM.

BEFORE and AFTER are screenshots (PNG) taken before and after the menu opened;
rows below BOTTOM (the panel) are left out, where the clicked icon's highlight
changes. A Wayland popup has no window to ask about, so the menu is what
turned light between the two: the bounding box of pixels that changed and are
now light is its body. Prints "x y" of each row of text in it, top to bottom: a
separator draws no text, so the rows are the items alone. Prints nothing when
no menu opened."""
import subprocess
import sys


def gray(path):
    size = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True, text=True,
                          check=True).stdout.split()
    data = subprocess.run(["convert", path, "-colorspace", "gray", "-depth", "8", "gray:-"],
                          capture_output=True, check=True).stdout
    return int(size[0]), int(size[1]), data


width, height, before = gray(sys.argv[1])
_, _, after = gray(sys.argv[2])
bottom = min(int(sys.argv[3]), height)

# Rows and columns holding enough new light pixels to be a menu's body, not a
# highlight or a tooltip's edge.
light_in_row = [0] * bottom
light_in_column = [0] * width
for y in range(bottom):
    line = y * width
    for x in range(width):
        now = after[line + x]
        if now > 200 and abs(now - before[line + x]) > 40:
            light_in_row[y] += 1
            light_in_column[x] += 1
rows = [y for y in range(bottom) if light_in_row[y] >= 40]
columns = [x for x in range(width) if light_in_column[x] >= 20]
if not rows or not columns:
    sys.exit(0)
top, low, left, right = rows[0], rows[-1], columns[0], columns[-1]

# Text: a row of the body with dark pixels. A line of text and its descenders
# or a mnemonic's underline a pixel or two below make one row.
bands = []
for y in range(top, low + 1):
    line = y * width
    if any(after[line + x] < 110 for x in range(left, right + 1)):
        if bands and y - bands[-1][1] <= 3:
            bands[-1][1] = y
        else:
            bands.append([y, y])
for first, last in bands:
    print((left + right) // 2, (first + last) // 2)
