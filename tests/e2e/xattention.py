#!/usr/bin/python3
"""Listens on the root window for what a window manager acts on when a
program asks for the user's attention (FlashWindowEx under Wine, shown
straight on the X display): a _NET_WM_STATE client message that adds
_NET_WM_STATE_DEMANDS_ATTENTION to a window. Writes the name of each window
so asked for to FILE, a line each, as it comes. FILE is made, empty, once
the listener listens.

    xattention.py FILE      runs until it is ended
"""
import sys

from Xlib import X, display


def main():
    path = sys.argv[1]
    d = display.Display()
    root = d.screen().root
    state, attention = d.intern_atom("_NET_WM_STATE"), d.intern_atom("_NET_WM_STATE_DEMANDS_ATTENTION")
    add = 1
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    d.sync()
    with open(path, "w", encoding="utf-8") as out:
        out.flush()
        while True:
            e = d.next_event()
            if e.type != X.ClientMessage or e.client_type != state:
                continue
            action, first, second = e.data[1][0:3]
            if action != add or attention not in (first, second):
                continue
            try:
                name = e.window.get_wm_name() or ""
            except Exception:  # the window may be gone already
                name = ""
            if isinstance(name, bytes):
                name = name.decode("latin-1")
            out.write(name + "\n")
            out.flush()


if __name__ == "__main__":
    sys.exit(main())
