#!/usr/bin/env python3
"""Repeated connects and disconnects in the real zirk.exe under Wine, once per transport: a
loopback peer answers every "ping" with "pong", zirk_cycle_driver.exe runs the warm-up cycles
and then the measured ones, and the program's open descriptors (/proc/<pid>/fd of its Wine
process), resident memory (VmRSS) and GDI and USER objects (GetGuiResources, "n/a" where Wine
gives no answer) are read after the warm-up and at the end. Prints, last, one line per
transport: "cycles: N; descriptors +A; resident +B KiB; gdi +C; user +D".

    bench/cycles.py <zirk.exe> <zirk_probe.exe> <zirk_cycle_driver.exe> [cycles] [warm-up]
                    [transport index, for one transport only]
(run inside the Wine session: see bench/cycles)"""
import os
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402  (the end-to-end scripts' way of starting the program)
from startup import resident_kib  # noqa: E402

TRANSPORTS = ["TCP/IP Server", "Server Socket"]


class PingPeer:
    """Serves one connection after another: each "ping" is answered with "pong" CR LF."""

    def __init__(self):
        self.listener, self.port = harness.loopback_listener(8)
        self.connections = 0
        threading.Thread(target=self._serve, daemon=True).start()

    def _serve(self):
        while True:
            try:
                connection, _ = self.listener.accept()
            except OSError:
                return
            self.connections += 1
            with connection:
                pending = b""
                try:
                    while True:
                        data = connection.recv(4096)
                        if not data:
                            break
                        pending += data
                        while b"ping" in pending:
                            pending = pending.replace(b"ping", b"", 1)
                            connection.sendall(b"pong\r\n")
                except OSError:
                    pass


def descriptors(pid):
    return len(os.listdir("/proc/%d/fd" % pid))


def read_sample(driver):
    line = driver.stdout.readline()
    words = line.split()
    if len(words) != 8 or words[0] != "sample":
        raise SystemExit("the cycle driver stopped: %r %s" % (line, driver.stderr.read()))
    return {"cycle": int(words[1]), "gdi": int(words[3]), "user": int(words[5]),
            "windows": int(words[7])}


def growth(before, after, key):
    if before[key] < 0 or after[key] < 0:
        return "n/a"
    return "%+d" % (after[key] - before[key])


def measure(driver_exe, transport, cycles, warm_up):
    settings = harness.new_settings_dir()
    peer = PingPeer()
    program = harness.Program(settings).start()
    try:
        pid = program.process.pid
        started = time.monotonic()
        driver = subprocess.Popen(
            ["wine", driver_exe, str(transport), str(peer.port), str(cycles), str(warm_up)],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        samples = []
        for _ in range(2):
            sample = read_sample(driver)
            sample["descriptors"] = descriptors(pid)
            sample["resident"] = resident_kib(pid)
            samples.append(sample)
            driver.stdin.write("\n")
            driver.stdin.flush()
        if driver.wait(60) != 0:
            raise SystemExit("the cycle driver failed: %s" % driver.stderr.read())
        seconds = time.monotonic() - started
        before, after = samples
        print("%s: %d connections served in %.0f s (%.1f ms a cycle); after the warm-up "
              "%d descriptors, %d KiB resident, %d windows; at the end %d, %d KiB, %d"
              % (TRANSPORTS[transport], peer.connections, seconds,
                 seconds * 1000 / (cycles + warm_up), before["descriptors"], before["resident"],
                 before["windows"], after["descriptors"], after["resident"], after["windows"]),
              flush=True)
        return "cycles: %d; descriptors %+d; resident %+d KiB; gdi %s; user %s" % (
            after["cycle"] - before["cycle"], after["descriptors"] - before["descriptors"],
            after["resident"] - before["resident"], growth(before, after, "gdi"),
            growth(before, after, "user"))
    finally:
        program.kill()
        peer.listener.close()
        harness.remove(settings)


def main():
    zirk, probe, driver = sys.argv[1:4]
    cycles = int(sys.argv[4]) if len(sys.argv) > 4 else 10000
    warm_up = int(sys.argv[5]) if len(sys.argv) > 5 else 100
    harness.ZIRK_EXE, harness.ZIRK_PROBE = zirk, probe
    only = int(sys.argv[6]) if len(sys.argv) > 6 else None
    results = [(name, measure(driver, index, cycles, warm_up))
               for index, name in enumerate(TRANSPORTS) if only in (None, index)]
    for name, result in results:
        print("%s  (%s)" % (result, name))


if __name__ == "__main__":
    main()
