#!/usr/bin/env python3
"""Measures what start costs, and prints a table with each target's verdict.

  bench.py [--runs N]    (from the repository, after the host and windows builds)

- start-up overhead on the host: build/host/start against a baseline that only
  starts the same runtime through the same platform layer;
- the same under Wine: start.exe against a program that only calls
  ShellExecuteA, and against the .cmd file a user would write;
- instructions of one host launch, the started runtime excluded (callgrind);
- the settings look-up's time per MB as start.ini grows;
- sizes of start.exe and of its icon.
Runs of the programs compared are interleaved, so that drift of the machine
hits all of them alike; medians are reported.
"""
import argparse
import os
import platform
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import wine  # noqa: E402

HOST = os.path.join(ROOT, "build", "host")
WINDOWS = os.path.join(ROOT, "build", "windows")
SETTINGS = "[start]\nJAVA_HOME=jre\n[tervok]\nJAR=Tervok.jar\n"


def lay_out(folder, runtime):
    """A shipped folder: start.ini, jre\\bin\\javaw.exe (a program that ends at once)."""
    os.makedirs(os.path.join(folder, "jre", "bin"))
    shutil.copy(runtime, os.path.join(folder, "jre", "bin", "javaw.exe"))
    with open(os.path.join(folder, "start.ini"), "w") as ini:
        ini.write(SETTINGS)


def interleaved(commands, runs, cwd, env):
    """Wall-clock seconds of each command, run in turn `runs` times; medians."""
    times = {name: [] for name in commands}
    for _ in range(runs):
        for name, command in commands.items():
            start = time.perf_counter()
            subprocess.run(command, cwd=cwd, env=env, stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
            times[name].append(time.perf_counter() - start)
    return {name: statistics.median(values) for name, values in times.items()}


def host_overhead(runs):
    with tempfile.TemporaryDirectory() as folder:
        lay_out(folder, shutil.which("true"))
        return interleaved({"start": [os.path.join(HOST, "start")],
                            "baseline": [os.path.join(HOST, "bench_baseline")]}, runs, folder, None)


def wine_overhead(runs):
    with tempfile.TemporaryDirectory() as folder:
        lay_out(folder, os.path.join(WINDOWS, "bench_noop.exe"))
        shutil.copy(os.path.join(WINDOWS, "start.exe"), folder)
        shutil.copy(os.path.join(WINDOWS, "bench_shellexecute.exe"), folder)
        with open(os.path.join(folder, "launch.cmd"), "w") as script:
            script.write('@start "" javaw -jar Tervok.jar\r\n')
        env = wine.environment({"WINEPATH": wine.windows_path(os.path.join(folder, "jre", "bin"))})
        wine.ensure_prefix()
        wine.start_server(env)
        commands = {
            "start.exe": [wine.WINE, "start.exe"],
            "ShellExecuteA only": [wine.WINE, "bench_shellexecute.exe"],
            ".cmd": [wine.WINE, "cmd.exe", "/c", "launch.cmd"],
        }
        return interleaved(commands, runs, folder, env)


def instructions(program, folder):
    out = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null", program],
                         cwd=folder, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                         stderr=subprocess.PIPE, text=True, check=True).stderr
    return int(re.search(r"Collected : (\d+)", out).group(1))


def host_instructions():
    with tempfile.TemporaryDirectory() as folder:
        lay_out(folder, shutil.which("true"))
        return {name: instructions(os.path.join(HOST, program), folder)
                for name, program in (("start", "start"), ("baseline", "bench_baseline"))}


def lookup_per_mb():
    """Seconds per look-up of JAR at the very end of files of growing size."""
    tail = "[tervok]\nJAR=end.jar\n"
    line = "# " + "x" * 60 + "\n"
    result = {}
    with tempfile.TemporaryDirectory() as folder:
        for label, size, repetitions in (("1 KB", 1 << 10, 2000), ("1 MB", 1 << 20, 100), ("10 MB", 10 << 20, 15)):
            path = os.path.join(folder, "start.ini")
            with open(path, "w") as ini:
                ini.write(line * ((size - len(tail)) // len(line)) + tail)
            seconds = float(subprocess.run([os.path.join(HOST, "bench_lookup"), path, str(repetitions)],
                                           capture_output=True, text=True, check=True).stdout)
            result[label] = (os.path.getsize(path), seconds)
    return result


def verdict(ok):
    return "pass" if ok else "FAIL"


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runs", type=int, default=200, help="runs of each program compared (default 200)")
    runs = parser.parse_args().runs

    print("start benchmark, %s, %s, %d cores, %s" % (
        time.strftime("%Y-%m-%d"), platform.machine(), os.cpu_count(), platform.platform()))
    print()
    host = host_overhead(runs)
    ratio = host["start"] / host["baseline"]
    print("| measure | start | baseline | ratio | target | verdict |")
    print("|---|---|---|---|---|---|")
    print("| host start-up, median of %d (ms) | %.3f | %.3f | %.3f | <= 1.05 | %s |" % (
        runs, host["start"] * 1e3, host["baseline"] * 1e3, ratio, verdict(ratio <= 1.05)))

    wined = wine_overhead(runs)
    ratio = wined["start.exe"] / wined["ShellExecuteA only"]
    print("| Wine start-up vs ShellExecuteA only, median of %d (ms) | %.2f | %.2f | %.3f | <= 1.05 | %s |" % (
        runs, wined["start.exe"] * 1e3, wined["ShellExecuteA only"] * 1e3, ratio, verdict(ratio <= 1.05)))
    ratio = wined["start.exe"] / wined[".cmd"]
    print("| Wine start-up vs launch.cmd, median of %d (ms) | %.2f | %.2f | %.3f | < 1 | %s |" % (
        runs, wined["start.exe"] * 1e3, wined[".cmd"] * 1e3, ratio, verdict(ratio < 1)))

    counted = host_instructions()
    print("| host instructions, child excluded | %d | %d | +%d | (report) | - |" % (
        counted["start"], counted["baseline"], counted["start"] - counted["baseline"]))

    lookups = lookup_per_mb()
    per_mb = {label: seconds / (size / (1 << 20)) for label, (size, seconds) in lookups.items()}
    for label, (size, seconds) in lookups.items():
        print("| look-up, key at the end of %s (ms per look-up; ms per MB) | %.3f | | %.3f | %s | %s |" % (
            label, seconds * 1e3, per_mb[label] * 1e3,
            "(fixed cost)" if label == "1 KB" else "flat within 20%",
            "-" if label == "1 KB" else verdict(abs(per_mb[label] / per_mb["1 MB"] - 1) <= 0.20)))

    exe = os.path.getsize(os.path.join(WINDOWS, "start.exe"))
    icon = os.path.getsize(os.path.join(ROOT, "res", "start.ico"))
    print("| start.exe size (bytes) | %d | | | <= 16384 | %s |" % (exe, verdict(exe <= 16384)))
    print("| icon alone, start.ico (bytes) | %d | | | (report) | - |" % icon)


if __name__ == "__main__":
    main()
