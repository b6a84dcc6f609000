"""The real program under Xvfb, driven by the pointer and the keyboard: connecting with both
transports, chatting, the commands, saving, the settings across runs, the frame."""
import os
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from harness import (LinePeer, ProgramTestCase, refused_port, remove, wait_for, windows_path,
                     xdotool)
from layout import (ADDRESS, CONNECT, DISCONNECT, EXIT, LEFT_EDGE, MESSAGE, PORT, RIGHT_EDGE, SAVE,
                    TITLE, TRANSCRIPT, TRANSPORT, grip)

CONNECTED = "!// Установлено соединение с "
DISCONNECTED = "!// Разорвано соединение с "
NO_CONNECTION = "Нет соединения"
SEPARATOR = "/" * 100


def lines(text):
    return text.replace("\r\n", "\n").replace("\r", "\n")


class ProgramTest(ProgramTestCase):
    def connect(self, program, address, port, transport_steps=0):
        program.replace_text(*PORT, str(port))
        if transport_steps:
            program.click(*TRANSPORT)
            program.key("Escape")
            program.key(*(["Down"] * transport_steps))
        program.replace_text(*ADDRESS, address)
        program.key("Return")

    def send_line(self, program, text):
        program.click(*MESSAGE)
        program.type(text)
        program.key("Return")

    def test_line_transport_chat_commands_and_save(self):
        peer = LinePeer()
        program = self.start()
        self.connect(program, "127.0.0.1", peer.port)
        peer.wait_connected()
        program.wait_transcript("127.0.0.1:%d (TCP/IP Server);" % peer.port)
        peer.send(b"hello\r\n@hidden\r\n \xc0\xe1\r\n")
        program.wait_transcript("> hello")
        program.wait_transcript(">  Аб")
        self.assertNotIn("hidden", program.transcript())

        self.send_line(program, "ping")
        peer.wait_received(b"ping\r\n")
        program.wait_transcript("# ping")
        self.send_line(program, "!r")
        wait_for(lambda: peer.received.count(b"ping\r\n") == 2, what="the repeated line")
        self.send_line(program, "!cl")
        wait_for(lambda: program.transcript().strip() == "", what="an empty transcript")
        self.send_line(program, "after")
        peer.wait_received(b"after\r\n")
        program.wait_transcript("# after")

        saved = os.path.join(self.settings, "saved log.txt")
        program.click(*SAVE)
        wait_for(lambda: [b for b in program.boxes() if b["caption"] != "ZIRK"], what="the dialog")
        time.sleep(0.3)
        program.type(windows_path(self.settings) + "\\saved log.txt")
        program.key("Return")
        wait_for(lambda: os.path.exists(saved), what="the saved file")
        time.sleep(0.2)
        with open(saved, "rb") as f:
            self.assertEqual(f.read(), b"# after\r\n")

        program.click(*DISCONNECT)
        program.wait_transcript(DISCONNECTED + "127.0.0.1:%d (TCP/IP Server);" % peer.port)
        self.assertIn(SEPARATOR, program.transcript())
        peer.close()
        program.click(*EXIT)
        self.assertEqual(program.wait_exit(), 0)

    def test_event_transport_sends_raw_text_and_shows_chunks(self):
        peer = LinePeer()
        program = self.start()
        self.connect(program, "127.0.0.1", peer.port, transport_steps=1)
        peer.wait_connected()
        program.wait_transcript("127.0.0.1:%d (Server Socket);" % peer.port)
        peer.send(b"one\r\ntwo")
        program.wait_transcript("> one")
        self.assertIn("two", lines(program.transcript()).split("\n"))
        self.send_line(program, "raw")
        peer.wait_received(b"raw")
        time.sleep(0.3)
        self.assertEqual(peer.received, b"raw")
        peer.close()
        program.wait_transcript(DISCONNECTED)
        program.click(*EXIT)
        self.assertEqual(program.wait_exit(), 0)

    def test_refused_connect_shows_the_error_box(self):
        program = self.start()
        self.connect(program, "127.0.0.1", refused_port())
        box = wait_for(lambda: [b for b in program.boxes() if b["caption"] == "ZIRK"],
                       what="the error box")[0]
        self.assertEqual(box["text"], program.probe("socket-error", "10061"))
        program.transcript()
        self.assertIn(DISCONNECTED + " (" + NO_CONNECTION + ");", program.transcript())
        program.probe("press-ok", str(box["hwnd"]))
        wait_for(lambda: not [b for b in program.boxes() if b["caption"] == "ZIRK"],
                 what="the box to close")
        program.click(*EXIT)
        self.assertEqual(program.wait_exit(), 0)

    def test_after_a_refused_click_the_pointer_and_tab_go_where_the_user_means(self):
        program = self.start()
        program.replace_text(*PORT, str(refused_port()))
        program.click(*CONNECT)
        wait_for(lambda: [b for b in program.boxes() if b["caption"] == "ZIRK"], what="the box")
        program.key("Return")
        wait_for(lambda: not program.boxes(), what="the box to close")
        # Off the button that failed, back over it, and on to the address box: the click lands
        # there and the letters typed go into it.
        for place in (TRANSCRIPT, CONNECT):
            xdotool("mousemove", "--sync", *program.point(*place))
            time.sleep(0.3)
        program.replace_text(*ADDRESS, "typed.example")
        time.sleep(0.3)
        self.assertEqual(program.boxes(), [])
        texts = [c["text"] for c in program.controls()]
        self.assertIn("typed.example", texts)

        # Tab and Shift+Tab go round the fields and select what the field holds.
        program.key("Tab", "Tab")
        program.type("77")
        program.key("Tab")
        program.type("hello")
        program.key("shift+Tab", "shift+Tab", "shift+Tab")
        program.type("again.example")
        texts = [c["text"] for c in program.controls()]
        for text in ("77", "hello", "again.example"):
            self.assertIn(text, texts)
        program.click(*EXIT)
        self.assertEqual(program.wait_exit(), 0)

    def test_settings_are_stored_at_exit_and_restored(self):
        peer = LinePeer()
        program = self.start()
        self.assertEqual(program.main()["client"], [566, 417])
        self.connect(program, "127.0.0.1", peer.port)
        peer.wait_connected()
        program.wait_transcript("(TCP/IP Server);")
        self.send_line(program, "remembered")
        peer.wait_received(b"remembered\r\n")
        program.click(*DISCONNECT)
        program.wait_transcript(DISCONNECTED)
        peer.close()
        program.replace_text(*ADDRESS, "example.invalid")
        program.replace_text(*PORT, "4321")
        program.drag(RIGHT_EDGE, (60, 0))
        program.drag(grip(program), (10, 40))
        x, y, w, h = program.rect()
        self.assertEqual((w, h), (636, 457))
        program.click(*EXIT)
        self.assertEqual(program.wait_exit(), 0)

        with open(os.path.join(self.settings, "zirk.ini"), "rb") as f:
            ini = f.read()
        self.assertEqual(
            ini,
            b"[last]\r\nadr=example.invalid\r\nport=4321\r\ntype=0\r\n"
            b"[mainform]\r\nleft=%d\r\ntop=%d\r\nheight=457\r\nwidth=636\r\n" % (x, y))
        with open(os.path.join(self.settings, "ZIRK_msgs.ini"), "rb") as f:
            self.assertEqual(f.read(), b"remembered\r\n")
        with open(os.path.join(self.settings, "ZIRK_adrs.ini"), "rb") as f:
            self.assertEqual(f.read(), b"127.0.0.1\r\n")

        program = self.start()
        self.assertEqual(program.rect(), [x, y, 636, 457])
        texts = [c["text"] for c in program.controls()]
        self.assertIn("example.invalid", texts)
        self.assertIn("4321", texts)

    def test_window_never_shrinks_below_its_minimum(self):
        program = self.start()
        program.drag(grip(program), (-400, -300))
        _, _, w, h = program.rect()
        self.assertEqual((w, h), (566, 250))
        program.drag(LEFT_EDGE, (200, 0))
        self.assertEqual(program.rect()[2], 566)

    def test_title_moves_and_double_click_maximises(self):
        program = self.start()
        x, y, _, _ = program.rect()
        program.drag(TITLE, (40, 30))
        self.assertEqual(program.rect()[:2], [x + 40, y + 30])
        program.click(*TITLE, double=True)
        wait_for(lambda: program.main()["zoomed"], what="the maximised window")
        program.click(536 + program.rect()[2] - 566, 12)
        wait_for(lambda: not program.main()["zoomed"], what="the normal window")

    def test_terminate_command_ends_the_program_and_is_remembered(self):
        peer = LinePeer()
        program = self.start()
        # Enter in the message box acts only while connected.
        self.connect(program, "127.0.0.1", peer.port)
        peer.wait_connected()
        program.wait_transcript("(TCP/IP Server);")
        self.send_line(program, "!term")
        self.assertEqual(program.wait_exit(), 0)
        with open(os.path.join(self.settings, "ZIRK_msgs.ini"), "rb") as f:
            self.assertEqual(f.read(), b"!term\r\n")
        peer.close()

    def test_screenshot_of_the_main_window(self):
        peer = LinePeer()
        program = self.start()
        self.connect(program, "127.0.0.1", peer.port)
        peer.wait_connected()
        peer.send("Добро пожаловать\r\n".encode("cp1251"))
        program.wait_transcript("> Добро пожаловать")
        # Latin letters: typing Cyrillic through a fresh X server's keymap is not dependable.
        self.send_line(program, "Hello from ZIRK")
        program.wait_transcript("# Hello from ZIRK")
        path = program.screenshot("main-window.png")
        self.assertTrue(os.path.getsize(path) > 1000)
        peer.close()


class RealServerTest(ProgramTestCase):
    """redis-server from the distribution, spoken to with the line transport."""

    def setUp(self):
        if not os.path.exists("/usr/bin/redis-server"):
            self.skipTest("redis-server is not installed")
        self.port = refused_port()
        self.folder = tempfile.mkdtemp(prefix="zirk-redis-")
        self.server = subprocess.Popen(
            ["/usr/bin/redis-server", "--port", str(self.port), "--bind", "127.0.0.1",
             "--save", "", "--appendonly", "no", "--dir", self.folder],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        super().setUp()

    def tearDown(self):
        super().tearDown()
        self.server.terminate()
        self.server.wait(10)
        remove(self.folder)

    def test_ping_is_answered(self):
        import socket
        wait_for(lambda: socket.socket().connect_ex(("127.0.0.1", self.port)) == 0,
                 what="redis-server")
        p = self.start()
        p.replace_text(*PORT, str(self.port))
        p.replace_text(*ADDRESS, "localhost")
        p.key("Return")
        p.wait_transcript("localhost:%d (TCP/IP Server);" % self.port)
        p.click(*MESSAGE)
        p.type("PING")
        p.key("Return")
        p.wait_transcript("> +PONG")
        p.click(*EXIT)
        self.assertEqual(p.wait_exit(), 0)


if __name__ == "__main__":
    unittest.main()
