"""Two real copies of the program: the second brings the first to the front (restoring it from
the taskbar, leaving it in the notification area) and ends with exit code 0 without showing a
window; once the first has ended, the next start is a first copy again."""
import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from harness import Program, new_settings_dir, remove, wait_for
from layout import EXIT, MAIN_CAPTION, MINIMISE, TO_TRAY



class SingleInstanceTest(unittest.TestCase):
    def setUp(self):
        self.settings = new_settings_dir()
        self.programs = []
        self.others = []

    def tearDown(self):
        for program in self.programs:
            program.kill()
        for process in self.others:
            process.kill()
            process.wait(5)
        remove(self.settings)

    def program(self):
        program = Program(self.settings)
        self.programs.append(program)
        return program

    def copy_windows(self, program, pid):
        """The application window and the main window of the copy with Windows process id pid."""
        windows = [w for w in program.windows() if w["pid"] == pid]
        application = [w for w in windows if w["class"] == "ZirkApplication"]
        main = [w for w in windows if w["caption"] == MAIN_CAPTION]
        return (application or [None])[0], (main or [None])[0]

    def first_copy(self):
        first = self.program().start()
        pid = [w for w in first.windows() if w["caption"] == MAIN_CAPTION][0]["pid"]
        return first, pid

    def run_second(self, first, first_pid):
        """Starts a second copy and watches it until it ends; returns its exit code and whether
        any window of it was ever seen visible."""
        second = self.program().spawn()
        shown = False
        while second.process.poll() is None:
            shown = shown or any(w["visible"] for w in first.windows() if w["pid"] != first_pid)
        return second.wait_exit(), shown

    def test_the_second_copy_brings_the_first_forward_and_ends(self):
        first, pid = self.first_copy()
        # Another program's window in front of it.
        notepad = subprocess.Popen(["wine", "notepad.exe"], stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.others.append(notepad)
        wait_for(lambda: first.foreground().get("class") == "Notepad", what="notepad in front")

        code, shown = self.run_second(first, pid)
        self.assertEqual(code, 0)
        self.assertFalse(shown)
        wait_for(lambda: first.foreground().get("pid") == pid, what="the first copy in front")
        self.assertIsNone(first.process.poll())
        application, main = self.copy_windows(first, pid)
        self.assertTrue(main["visible"])
        self.assertEqual(application["caption"], "ZIRK")

    def test_a_first_copy_minimised_to_the_taskbar_is_restored(self):
        first, pid = self.first_copy()
        first.click(*MINIMISE)
        wait_for(lambda: self.copy_windows(first, pid)[0]["iconic"], what="the minimised copy")
        code, shown = self.run_second(first, pid)
        self.assertEqual(code, 0)
        self.assertFalse(shown)
        wait_for(lambda: not self.copy_windows(first, pid)[0]["iconic"], what="the restored copy")
        self.assertTrue(self.copy_windows(first, pid)[1]["visible"])

    def test_a_first_copy_in_the_notification_area_stays_there(self):
        first, pid = self.first_copy()
        first.click(*TO_TRAY)
        wait_for(lambda: not self.copy_windows(first, pid)[1]["visible"], what="the hidden copy")
        code, shown = self.run_second(first, pid)
        self.assertEqual(code, 0)
        self.assertFalse(shown)
        application, main = self.copy_windows(first, pid)
        self.assertFalse(main["visible"])
        self.assertFalse(application["visible"])
        self.assertIsNone(first.process.poll())

    def test_after_the_first_copy_has_ended_the_next_start_runs_normally(self):
        first, _ = self.first_copy()
        first.click(*EXIT)
        self.assertEqual(first.wait_exit(), 0)
        again = self.program().start()
        self.assertTrue(again.main()["visible"])
        again.click(*EXIT)
        self.assertEqual(again.wait_exit(), 0)


if __name__ == "__main__":
    unittest.main()
