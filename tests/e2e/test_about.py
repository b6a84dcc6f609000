"""The About box of the real program, driven by the pointer and the keyboard: opened by its
button and by F1, centred on the screen over the main window, moved by its title, closed by
"OK", by its close button, by Esc and by Enter. A screenshot of it over the main window is kept as an artifact."""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from harness import ProgramTestCase, run, wait_for
from layout import ABOUT_BUTTON, ADDRESS, EXIT, TRANSCRIPT

# Places in the About box.
OK = (210, 302)
CLOSE = (407, 12)
TITLE = (200, 12)


def screen_size():
    out = run(["xdpyinfo"], text=True).stdout
    for line in out.splitlines():
        if "dimensions:" in line:
            w, h = line.split()[1].split("x")
            return int(w), int(h)
    raise AssertionError("no screen size")


class AboutBoxTest(ProgramTestCase):
    def about(self):
        boxes = [w for w in self.program.windows() if w["caption"] == "О программе"]
        return boxes[0] if boxes else None

    def open_by(self, action):
        action()
        return wait_for(lambda: (self.about() or {}).get("visible") and self.about(),
                        what="the About box")

    def click_in_box(self, box, at):
        x, y, _, _ = box["rect"]
        mx, my, _, _ = self.program.rect()
        self.program.click(x - mx + at[0], y - my + at[1])

    def wait_closed(self):
        wait_for(lambda: not self.about()["visible"], what="the About box to close")

    def test_opened_by_its_button_and_f1_moved_and_closed(self):
        program = self.start()
        box = self.open_by(lambda: program.click(*ABOUT_BUTTON))
        width, height = screen_size()
        self.assertEqual(box["rect"], [(width - 419) // 2, (height - 325) // 2, 419, 325])

        # Over the main window: the area that holds both.
        mx, my, mw, mh = program.rect()
        bx, by, bw, bh = box["rect"]
        left, top = min(mx, bx), min(my, by)
        area = [left, top, max(mx + mw, bx + bw) - left, max(my + mh, by + bh) - top]
        path = program.screenshot("about-box.png", area)
        self.assertGreater(os.path.getsize(path), 1000)

        self.click_in_box(box, OK)
        self.wait_closed()

        box = self.open_by(lambda: (program.click(*ADDRESS), program.key("F1")))
        self.click_in_box(box, CLOSE)
        self.wait_closed()

        box = self.open_by(lambda: (program.click(*TRANSCRIPT), program.key("F1")))
        bx, by, _, _ = box["rect"]
        program.drag((bx - mx + TITLE[0], by - my + TITLE[1]), (-60, 40))
        box = self.about()
        self.assertEqual(box["rect"][:2], [bx - 60, by + 40])
        self.click_in_box(box, OK)
        self.wait_closed()

        for key in ("Escape", "Return"):
            self.open_by(lambda: (program.click(*ADDRESS), program.key("F1")))
            program.key(key)
            self.wait_closed()

        program.click(*EXIT)
        self.assertEqual(program.wait_exit(), 0)


if __name__ == "__main__":
    unittest.main()
