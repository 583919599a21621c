#!/usr/bin/env python3
"""Runs Windows programs under Wine with the project's own prefix.

  wine.py prefix          create the prefix named by $WINEPREFIX (once)
  wine.py run PROG ARGS   run a Windows program there, passing its exit code on
"""
import os
import subprocess
import sys
import time

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"


def environment(extra=None):
    env = dict(os.environ)
    env.setdefault("WINEPREFIX", os.path.abspath("wineprefix"))
    env["WINEDEBUG"] = "-all"
    # No Mono or Gecko: nothing here needs them, and asking for them would hang.
    env["WINEDLLOVERRIDES"] = "mscoree,mshtml="
    env.pop("DISPLAY", None)
    env.pop("WAYLAND_DISPLAY", None)
    if extra:
        env.update(extra)
    return env


def windows_path(path):
    """The Windows name of a Linux path, through Wine's drive Z:."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


_server_started = 0.0


def start_server(env):
    """Keeps the prefix's wineserver and its services running for the tests.

    Processes that Wine starts along with its server (services, devices)
    inherit the standard streams of the program that started them and live
    until the server ends; started here, they hold none of the tests' pipes or
    files. The server stays 30 seconds after the last Wine program ends."""
    global _server_started
    if time.monotonic() - _server_started < 20:
        return
    quiet = dict(env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run([WINESERVER, "-p30"], timeout=60, **quiet)
    subprocess.run([WINE, "cmd.exe", "/c", "exit"], timeout=300, **quiet)
    _server_started = time.monotonic()


def ensure_prefix():
    env = environment()
    if os.path.exists(os.path.join(env["WINEPREFIX"], "system.reg")):
        return 0
    done = subprocess.run([WINE, "wineboot", "-i"], env=env, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL, timeout=300)
    subprocess.run([WINESERVER, "-w"], env=env, timeout=300)
    return done.returncode


def main(argv):
    if argv[1:2] == ["prefix"]:
        return ensure_prefix()
    if argv[1:2] == ["run"] and len(argv) > 2:
        env = environment()
        start_server(env)
        return subprocess.run([WINE] + argv[2:], env=env, timeout=600).returncode
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
