"""The program's notification-area icon with a real tray manager (trayer) on the session's
display: the minimise-to-tray button hides the window and its taskbar button and puts the icon
in the tray, the connection goes on while hidden, and a click on the icon brings the window
back and takes the icon away."""
import os
import re
import shutil
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from harness import LinePeer, ProgramTestCase, run, wait_for, xdotool
from layout import ADDRESS, EXIT, MAIN_CAPTION, PORT, TO_TRAY



def tray_panel():
    """The tray manager's window, or None while it has none."""
    tree = run(["xwininfo", "-root", "-tree"], text=True).stdout
    found = re.search(r"^\s*(0x[0-9a-f]+) \"panel\": \(\"panel\" \"trayer\"\)", tree, re.M)
    return found.group(1) if found else None


def tray_icons(panel):
    """The icons docked in the tray: [x, y, width, height] on the screen of each."""
    children = run(["xwininfo", "-children", "-id", panel], text=True).stdout
    icons = []
    for line in children.splitlines():
        found = re.match(r"\s*0x[0-9a-f]+ .*\s(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+)$", line)
        if found:
            w, h, x, y = map(int, found.groups())
            if w > 1 and h > 1:
                icons.append([x, y, w, h])
    return icons


class TrayTest(ProgramTestCase):
    def setUp(self):
        if not shutil.which("trayer"):
            self.skipTest("trayer is not installed")
        self.trayer = subprocess.Popen(
            ["trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel", "--width",
             "200", "--heighttype", "pixel", "--height", "32", "--SetDockType", "false",
             "--transparent", "false"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.panel = wait_for(tray_panel, what="the tray manager")
        super().setUp()

    def tearDown(self):
        super().tearDown()
        self.trayer.terminate()
        self.trayer.wait(10)

    def windows_of_program(self):
        windows = self.program.windows()
        pid = [w for w in windows if w["caption"] == MAIN_CAPTION][0]["pid"]
        return pid, {w["class"] + ":" + w["caption"]: w for w in windows if w["pid"] == pid}

    def test_the_window_hides_to_the_tray_and_a_click_on_the_icon_brings_it_back(self):
        peer = LinePeer()
        program = self.start()
        program.replace_text(*PORT, str(peer.port))
        program.replace_text(*ADDRESS, "127.0.0.1")
        program.key("Return")
        peer.wait_connected()
        program.wait_transcript("(TCP/IP Server);")
        self.assertEqual(tray_icons(self.panel), [])

        program.click(*TO_TRAY)
        wait_for(lambda: not program.main()["visible"], what="the hidden window")
        pid, windows = self.windows_of_program()
        self.assertFalse(windows["ZirkApplication:ZIRK"]["visible"])  # no taskbar button
        x, y, w, h = wait_for(lambda: tray_icons(self.panel), what="the icon in the tray")[0]
        self.assertEqual(len(tray_icons(self.panel)), 1)

        # The poll timer goes on: a line that arrives now is in the transcript.
        peer.send(b"while hidden\r\n")
        program.wait_transcript("> while hidden")

        xdotool("mousemove", "--sync", x + w // 2, y + h // 2)
        time.sleep(0.1)
        xdotool("click", 1)
        wait_for(lambda: program.main()["visible"], what="the window back")
        wait_for(lambda: tray_icons(self.panel) == [], what="the icon gone")
        _, windows = self.windows_of_program()
        self.assertTrue(windows["ZirkApplication:ZIRK"]["visible"])
        wait_for(lambda: program.foreground().get("pid") == pid, what="the program in front")

        # The peer goes after the program: a close seen first would open its error box.
        program.click(*EXIT)
        self.assertEqual(program.wait_exit(), 0)
        peer.close()


if __name__ == "__main__":
    unittest.main()
