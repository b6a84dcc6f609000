#!/usr/bin/env python3
"""Start-up of zirk.exe against a minimal Win32 window program, both under Wine in the same run:
the time from starting the process to its window being visible, and the resident memory and
processor time of the process once it runs. Alternates the two programs, several rounds each, and
prints the medians, their ratio and the median of each round's ratio. Then as many rounds of
zirk.exe alone with its own timeline of its start-up steps, which it records when
ZIRK_STARTUP_TIMELINE names a file (listing its modules at each step costs time, so those rounds
are not among the measured ones); prints their medians.

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


def processor_ms(pid):
    """The processor time the process has used (all its threads, user and system)."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) * 1000.0 / os.sysconf("SC_CLK_TCK")


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def read_timeline(path):
    """[(step, ms since the process's creation, processor ms used, resident KiB, modules loaded,
    new modules)], or [] if none."""
    if not os.path.exists(path):
        return []
    steps = []
    with open(path, newline="") as f:
        for line in f.read().split("\r\n"):
            if line:
                ms, processor_ms, resident, modules, step, new = line.split("\t")
                steps.append((step, float(ms), float(processor_ms), int(resident), int(modules),
                              new))
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
    processor = processor_ms(process.pid)
    stop(process)
    return shown, memory, processor


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
          "process, the step's own ms, the process's processor ms in the step, its resident memory "
          "at the step's end and what the step added (MiB):" % len(timelines))
    print("  %8s %8s %9s %8s %6s %7s  %s" % ("at", "step", "processor", "resident", "added",
                                             "modules", "step (modules it loaded)"))
    names = [step for step, _, _, _, _, _ in timelines[0]]

    def step_median(column, index):
        return statistics.median(t[index][column] - (t[index - 1][column] if index else 0)
                                 for t in timelines)

    for index, name in enumerate(names):
        at = statistics.median(t[index][1] for t in timelines)
        resident = statistics.median(t[index][3] for t in timelines) / 1024
        modules, new = timelines[0][index][4], timelines[0][index][5]
        print("  %8.1f %8.1f %9.1f %8.1f %6.1f %7d  %s%s"
              % (at, step_median(1, index), step_median(2, index), resident,
                 step_median(3, index) / 1024, modules, name, " (+ %s)" % new if new else ""))


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
        times = [t for t, _, _ in runs]
        medians[name] = [statistics.median(column) for column in zip(*runs)]
        print("%-8s start-up to window shown: median %.0f ms (min %.0f, max %.0f); resident memory "
              "after start: median %.1f MiB; processor time by then: median %.0f ms (%d rounds)"
              % (name, medians[name][0] * 1000, min(times) * 1000, max(times) * 1000,
                 medians[name][1] / 1024, medians[name][2], len(runs)))
    print("ratio zirk/minimal: start-up %.2f, memory %.2f, processor time %.2f"
          % tuple(z / m for z, m in zip(medians["zirk"], medians["minimal"])))
    # Each round's pair ran back to back, under much the same load from the machine's other work.
    paired = [[z / m for z, m in zip(zirk_run, minimal_run)]
              for zirk_run, minimal_run in zip(results["zirk"], results["minimal"])]
    print("median of each round's ratio: start-up %.2f, memory %.2f, processor time %.2f"
          % tuple(statistics.median(column) for column in zip(*paired)))
    with tempfile.TemporaryDirectory() as scratch:
        timeline_file = os.path.join(scratch, "timeline.txt")
        timelines = [timeline_round(zirk, timeline_file)]
        if timelines[0]:  # a program that records none is not asked again
            timelines += [timeline_round(zirk, timeline_file) for _ in range(rounds - 1)]
        print_timeline(timelines)


if __name__ == "__main__":
    main()
