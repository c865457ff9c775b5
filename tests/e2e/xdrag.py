#!/usr/bin/python3
"""Drags files onto the X window at a point of the screen, as a Linux file
manager does it: an X client that owns the drag, speaking XDND (version 5)
and giving the files as text/uri-list.

    xdrag.py X Y PATH...     X, Y: the point on the root window
Exits 0 once the target has taken the drop, 1 when it refused it or did not
answer.
"""
import sys
import time
from urllib.parse import quote

from Xlib import X, Xatom, display
from Xlib.protocol import event

TIMEOUT_S = 10


def main():
    x, y = int(sys.argv[1]), int(sys.argv[2])
    uris = "".join("file://" + quote(path) + "\r\n" for path in sys.argv[3:]).encode()

    d = display.Display()
    root = d.screen().root
    atom = d.intern_atom
    aware, selection = atom("XdndAware"), atom("XdndSelection")
    enter, position, status, drop, finished, leave = (
        atom("Xdnd" + name) for name in ("Enter", "Position", "Status", "Drop", "Finished", "Leave"))
    copy, uri_list = atom("XdndActionCopy"), atom("text/uri-list")

    # The window at the point that takes drops, found as file managers find
    # it: the client window there (the one a window manager marked with
    # WM_STATE, else the root's child), if it has XdndAware. Wine's virtual
    # desktop is one such window, whatever Windows windows it shows.
    wm_state = atom("WM_STATE")
    top = root.translate_coords(root, x, y).child
    target, window = top, top
    while window and getattr(window, "id", window):
        if window.get_full_property(wm_state, X.AnyPropertyType):
            target = window
            break
        child = window.translate_coords(root, x, y).child
        window = child if child and getattr(child, "id", child) else None
    if target and not getattr(target, "id", target):
        target = None
    if target and not target.get_full_property(aware, X.AnyPropertyType):
        target = None
    if target is None:
        print("xdrag: no window at %d,%d takes drops" % (x, y), file=sys.stderr)
        return 1

    source = root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    source.set_selection_owner(selection, X.CurrentTime)

    def send(kind, data):
        message = event.ClientMessage(window=target, client_type=kind, data=(32, data + [0] * (5 - len(data))))
        target.send_event(message, event_mask=0)
        d.flush()

    def answer(request):
        """Gives the files to whoever asks for the drag's data."""
        prop = request.property or request.target
        if request.target == uri_list:
            request.requestor.change_property(prop, uri_list, 8, uris)
        else:
            prop = X.NONE
        reply = event.SelectionNotify(time=request.time, requestor=request.requestor, selection=request.selection,
                                      target=request.target, property=prop)
        request.requestor.send_event(reply)
        d.flush()

    def wait_for(kind):
        end = time.time() + TIMEOUT_S
        while time.time() < end:
            while d.pending_events():
                e = d.next_event()
                if e.type == X.SelectionRequest:
                    answer(e)
                elif e.type == X.ClientMessage and e.client_type == kind:
                    return e
            time.sleep(0.005)
        return None

    send(enter, [source.id, 5 << 24, uri_list])
    send(position, [source.id, 0, (x << 16) | y, X.CurrentTime, copy])
    reply = wait_for(status)
    if reply is None or not reply.data[1][1] & 1:
        send(leave, [source.id])
        print("xdrag: the window did not accept the drag", file=sys.stderr)
        return 1
    send(drop, [source.id, 0, X.CurrentTime])
    if wait_for(finished) is None:
        print("xdrag: the drop was not finished", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
