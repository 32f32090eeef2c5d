#!/usr/bin/env python3
"""Starts the real game under the X server in $DISPLAY, checks that its window covers the screen
without a border, closes it as a user would, and checks that the game ends cleanly."""
import os
import subprocess
import sys
import tempfile
import time

from Xlib import X, display, protocol

TITLE = "Tumbleleaf"
SANITIZER_MARKS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:")


def find_window(dpy, title):
    def walk(window):
        try:
            if window.get_wm_name() == title:
                return window
            children = window.query_tree().children
        except Exception:  # the window went away while we looked
            return None
        for child in children:
            found = walk(child)
            if found is not None:
                return found
        return None
    return walk(dpy.screen().root)


def wait_for(condition, timeout, what):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.1)
    sys.exit(f"FAIL: timed out waiting for {what}")


def send_close_request(dpy, window):
    wm_protocols = dpy.intern_atom("WM_PROTOCOLS")
    wm_delete = dpy.intern_atom("WM_DELETE_WINDOW")
    event = protocol.event.ClientMessage(window=window, client_type=wm_protocols,
                                         data=(32, [wm_delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(event, event_mask=X.NoEventMask)
    dpy.flush()


def main():
    binary = os.path.abspath(sys.argv[1])
    source_dir = os.environ.get("TUMBLELEAF_SOURCE_DIR", os.getcwd())
    dpy = display.Display()
    screen = dpy.screen()
    with tempfile.TemporaryFile(mode="w+") as errors:
        game = subprocess.Popen([binary], cwd=os.path.join(source_dir, "bin"), stderr=errors)
        try:
            window = wait_for(lambda: find_window(dpy, TITLE), 60, "the game window")
            def placed():
                geometry = window.get_geometry()
                origin = window.translate_coords(screen.root, 0, 0)
                return (geometry.width, geometry.height, -origin.x, -origin.y)
            wanted = (screen.width_in_pixels, screen.height_in_pixels, 0, 0)
            wait_for(lambda: placed() == wanted, 30, f"the window at {wanted}")
            if window.get_geometry().border_width != 0:
                sys.exit("FAIL: the window has a border")
            time.sleep(1.0)  # let a few frames run before closing
            send_close_request(dpy, window)
            status = game.wait(timeout=60)
        finally:
            if game.poll() is None:
                game.kill()
        errors.seek(0)
        stderr = errors.read()
    sys.stderr.write(stderr[-4000:])
    if status != 0:
        sys.exit(f"FAIL: the game exited with status {status}")
    for mark in SANITIZER_MARKS:
        if mark in stderr:
            sys.exit(f"FAIL: sanitizer report: {mark}")
    print("PASS: window covered the screen, closed cleanly")


if __name__ == "__main__":
    main()
