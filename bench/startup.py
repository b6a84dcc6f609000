#!/usr/bin/env python3
"""Start-up of zirk.exe against a minimal Win32 window program, both under Wine in the same run:
the time from starting the process to its window being visible, and the resident memory of the
process once it runs. Alternates the two programs, several rounds each, and prints the medians
and their ratio. Then as many rounds of zirk.exe alone with its own timeline of its start-up
steps, which it records when ZIRK_STARTUP_TIMELINE names a file (listing its modules at each step
costs time, so those rounds are not among the measured ones); prints their medians.

    bench/startup.py <zirk.exe> <zirk_minimal_window.exe> [rounds]
(run inside the Wine session: see bench/run-windows)"""
import os
import statistics
import subprocess
import sys
import tempfile
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


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def read_timeline(path):
    """[(step, ms since the process's creation, processor ms used, modules loaded, new modules)],
    or [] if none."""
    if not os.path.exists(path):
        return []
    steps = []
    with open(path, newline="") as f:
        for line in f.read().split("\r\n"):
            if line:
                ms, processor_ms, modules, step, new = line.split("\t")
                steps.append((step, float(ms), float(processor_ms), int(modules), new))
    os.remove(path)
    return steps


def start(exe, env=None):
    return subprocess.Popen(["wine", exe], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, env=env)


def stop(process):
    process.kill()
    process.wait()
    time.sleep(0.3)


def measure(exe, title):
    started = time.monotonic()
    process = start(exe)
    while not visible_window(title):
        if time.monotonic() - started > 30:
            raise SystemExit("%s showed no window" % exe)
        time.sleep(0.005)
    shown = time.monotonic() - started
    time.sleep(1.0)  # let it settle before its memory is read
    memory = resident_kib(process.pid)
    stop(process)
    return shown, memory


def timeline_round(exe, timeline_file):
    env = dict(os.environ, ZIRK_STARTUP_TIMELINE=windows_path(timeline_file))
    started = time.monotonic()
    process = start(exe, env)
    while not os.path.exists(timeline_file) and time.monotonic() - started < 30:
        time.sleep(0.02)
    time.sleep(0.3)  # the file is written in one go; let the program settle before it ends
    stop(process)
    return read_timeline(timeline_file)


def print_timeline(timelines):
    timelines = [t for t in timelines if t]
    if not timelines:
        print("zirk.exe wrote no start-up timeline")
        return
    print("zirk.exe start-up timeline, medians of %d rounds: ms since the Wine server created the "
          "process, the step's own ms, and the process's processor ms in the step:" % len(timelines))
    print("  %8s %8s %9s %7s  %s" % ("at", "step", "processor", "modules", "step (modules it loaded)"))
    names = [step for step, _, _, _, _ in timelines[0]]

    def step_median(column, index):
        return statistics.median(t[index][column] - (t[index - 1][column] if index else 0)
                                 for t in timelines)

    for index, name in enumerate(names):
        at = statistics.median(t[index][1] for t in timelines)
        modules, new = timelines[0][index][3], timelines[0][index][4]
        print("  %8.1f %8.1f %9.1f %7d  %s%s" % (at, step_median(1, index), step_median(2, index),
                                                 modules, name, " (+ %s)" % new if new else ""))


def main():
    zirk, minimal = sys.argv[1], sys.argv[2]
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 12
    print("load average before: %s" % " ".join(open("/proc/loadavg").read().split()[:3]))
    results = {"zirk": [], "minimal": []}
    for _ in range(rounds):
        results["zirk"].append(measure(zirk, r"Vantorel Universal Client \(ZIRK\)"))
        results["minimal"].append(measure(minimal, "Minimal window"))
    print("load average after: %s" % " ".join(open("/proc/loadavg").read().split()[:3]))
    medians = {}
    for name, runs in results.items():
        times = [t for t, _ in runs]
        memory = [m for _, m in runs]
        medians[name] = (statistics.median(times), statistics.median(memory))
        print("%-8s start-up to window shown: median %.0f ms (min %.0f, max %.0f); "
              "resident memory after start: median %.1f MiB (%d rounds)"
              % (name, medians[name][0] * 1000, min(times) * 1000, max(times) * 1000,
                 medians[name][1] / 1024, len(runs)))
    print("ratio zirk/minimal: start-up %.2f, memory %.2f"
          % (medians["zirk"][0] / medians["minimal"][0], medians["zirk"][1] / medians["minimal"][1]))
    with tempfile.TemporaryDirectory() as scratch:
        timeline_file = os.path.join(scratch, "timeline.txt")
        timelines = [timeline_round(zirk, timeline_file)]
        if timelines[0]:  # a program that records none is not asked again
            timelines += [timeline_round(zirk, timeline_file) for _ in range(rounds - 1)]
        print_timeline(timelines)


if __name__ == "__main__":
    main()
