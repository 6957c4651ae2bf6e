#!/usr/bin/env python3
"""A window to type into, for the end-to-end runs: it writes the name of each key
it receives to a file, one a line, and F11 puts it full screen or back, as a
film player or a presentation does.
    typing_window.py TITLE KEYS_FILE
"""
import sys
import tkinter

title, keys_file = sys.argv[1], sys.argv[2]
window = tkinter.Tk()
window.title(title)
window.geometry("320x200+40+40")
log = open(keys_file, "a", buffering=1, encoding="utf-8")


def key(event):
    if event.keysym == "F11":
        window.attributes("-fullscreen", not window.attributes("-fullscreen"))
    log.write(event.keysym + "\n")


window.bind("<KeyPress>", key)
window.mainloop()
