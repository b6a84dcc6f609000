"""The settings of the real program in a real user's world: the session ending while it runs,
a settings folder whose name is outside the code pages, a history file held open by another
program at start, and a settings folder that became read-only before the exit."""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
from harness import (ZIRK_PROBE, ProgramTestCase, Program, new_settings_dir, remove, run,
                     wait_for, windows_path)
from layout import ADDRESS, EXIT, PORT

SESSION = os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "wine-session")


def read(path):
    with open(path, "rb") as f:
        return f.read()


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


class SettingsTest(ProgramTestCase):
    def error_box(self, program):
        return wait_for(lambda: [b for b in program.boxes() if b["caption"] == "ZIRK"],
                        what="the error box")[0]

    def close_box(self, program, box):
        program.probe("press-ok", str(box["hwnd"]))
        wait_for(lambda: not [b for b in program.boxes() if b["caption"] == "ZIRK"],
                 what="the box to close")

    def test_the_sessions_end_stores_the_settings(self):
        program = self.start()
        program.replace_text(*ADDRESS, "session.example")
        program.replace_text(*PORT, "4321")
        x, y, w, h = program.rect()
        # Sends the session's end to every window of the prefix, waits for the handlers, then
        # ends every process; the next wine command starts a new session.
        run(["wineboot", "--end-session", "--shutdown"], timeout=60)
        program.wait_exit(30)
        # A new session for the tests after this one, started as the suites' own is, so that its
        # processes hold no output of ours.
        subprocess.run([SESSION, "start"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=120, check=True)
        self.assertEqual(
            read(os.path.join(self.settings, "zirk.ini")),
            b"[last]\r\nadr=session.example\r\nport=4321\r\ntype=0\r\n"
            b"[mainform]\r\nleft=%d\r\ntop=%d\r\nheight=%d\r\nwidth=%d\r\n" % (x, y, h, w))
        self.assertEqual(read(os.path.join(self.settings, "ZIRK_adrs.ini")), b"")
        self.assertEqual(read(os.path.join(self.settings, "ZIRK_msgs.ini")), b"")

    def test_a_settings_folder_named_outside_the_code_pages(self):
        # "é" is not in Windows-1251, the Cyrillic letters are not in the ANSI code page 1252.
        folder = os.path.join(self.settings, "José Иван")
        os.mkdir(folder)
        program = Program(folder).start()
        self.program = program
        program.replace_text(*ADDRESS, "named.example")
        program.click(*EXIT)
        self.assertEqual(program.wait_exit(), 0)
        self.assertIn(b"adr=named.example\r\n", read(os.path.join(folder, "zirk.ini")))
        self.assertEqual(sorted(os.listdir(folder)), ["ZIRK_adrs.ini", "ZIRK_msgs.ini", "zirk.ini"])
        program.start()
        self.assertIn("named.example", [c["text"] for c in program.controls()])

    def test_a_history_file_held_open_at_start_is_shown_and_kept(self):
        write(os.path.join(self.settings, "zirk.ini"), b"[last]\r\nadr=stored.example\r\n")
        write(os.path.join(self.settings, "ZIRK_adrs.ini"), b"kept.example\r\n")
        write(os.path.join(self.settings, "ZIRK_msgs.ini"), b"hello\n")
        held = windows_path(os.path.join(self.settings, "ZIRK_adrs.ini"))
        holder = subprocess.Popen(["wine", ZIRK_PROBE, "hold", held], stdin=subprocess.PIPE,
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        try:
            self.assertEqual(holder.stdout.readline().strip(), b"held")
            program = Program(self.settings).spawn()
            self.program = program
            box = self.error_box(program)
            self.assertEqual(box["text"], "Cannot open file %s." % held)
            self.close_box(program, box)
        finally:
            holder.stdin.close()
            holder.wait(30)
        wait_for(lambda: (program.main() or {}).get("visible"), what="the main window")
        self.assertIn("stored.example", [c["text"] for c in program.controls()])
        program.focus()
        program.replace_text(*ADDRESS, "changed.example")
        program.click(*EXIT)
        self.assertEqual(program.wait_exit(), 0)
        self.assertEqual(read(os.path.join(self.settings, "ZIRK_adrs.ini")), b"kept.example\r\n")
        self.assertEqual(read(os.path.join(self.settings, "ZIRK_msgs.ini")), b"hello\r\n")
        self.assertIn(b"adr=changed.example\r\n", read(os.path.join(self.settings, "zirk.ini")))

    def test_a_read_only_settings_folder_at_exit(self):
        program = self.start()
        program.replace_text(*ADDRESS, "first.example")
        program.click(*EXIT)
        self.assertEqual(program.wait_exit(), 0)
        before = {n: read(os.path.join(self.settings, n)) for n in os.listdir(self.settings)}
        program.start()
        program.replace_text(*ADDRESS, "second.example")
        if run(["chattr", "+i", self.settings]).returncode != 0:
            self.skipTest("chattr +i is not permitted here")
        try:
            program.click(*EXIT)
            box = self.error_box(program)
            self.assertEqual(box["text"], "Unable to write to %s." %
                             windows_path(os.path.join(self.settings, "zirk.ini")))
            self.close_box(program, box)
            self.assertEqual(program.wait_exit(), 0)
        finally:
            run(["chattr", "-i", self.settings])
        after = {n: read(os.path.join(self.settings, n)) for n in os.listdir(self.settings)}
        self.assertEqual(after, before)
        program.start()
        self.assertIn("first.example", [c["text"] for c in program.controls()])


if __name__ == "__main__":
    import unittest
    unittest.main()
