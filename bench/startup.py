#!/usr/bin/env python3
"""Start-up of zirk.exe against a minimal Win32 window program, both under Wine in the same run:
the time from starting the process to its window being visible, and the resident memory of the
process once it runs. Alternates the two programs, several rounds each, and prints the medians
and their ratio.

    bench/startup.py <zirk.exe> <zirk_minimal_window.exe> [rounds]
(run inside the Wine session: see bench/run-windows)"""
import os
import statistics
import subprocess
import sys
import time


def visible_window(title):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title],
                         capture_output=True, text=True).stdout.split()
    return out[0] if out else None


def resident_kib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def measure(exe, title):
    start = time.monotonic()
    process = subprocess.Popen(["wine", exe], stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    while not visible_window(title):
        if time.monotonic() - start > 30:
            raise SystemExit("%s showed no window" % exe)
        time.sleep(0.005)
    shown = time.monotonic() - start
    time.sleep(1.0)  # let it settle before its memory is read
    memory = resident_kib(process.pid)
    process.kill()
    process.wait()
    time.sleep(0.3)
    return shown, memory


def main():
    zirk, minimal = sys.argv[1], sys.argv[2]
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    results = {"zirk": [], "minimal": []}
    for _ in range(rounds):
        results["zirk"].append(measure(zirk, r"Vantorel Universal Client \(ZIRK\)"))
        results["minimal"].append(measure(minimal, "Minimal window"))
    medians = {}
    for name, runs in results.items():
        times = [t for t, _ in runs]
        memory = [m for _, m in runs]
        medians[name] = (statistics.median(times), statistics.median(memory))
        print("%-8s start-up to window shown: median %.0f ms (min %.0f, max %.0f); "
              "resident memory after start: median %.1f MiB"
              % (name, medians[name][0] * 1000, min(times) * 1000, max(times) * 1000,
                 medians[name][1] / 1024))
    print("ratio zirk/minimal: start-up %.2f, memory %.2f"
          % (medians["zirk"][0] / medians["minimal"][0], medians["zirk"][1] / medians["minimal"][1]))


if __name__ == "__main__":
    main()
