"""Runs the launcher in scratch folders, on the host build or under Wine, and
reads what the stand-in javaw recorded."""
import glob
import os
import shutil
import subprocess
import tempfile
import time

import wine

RUN_TIMEOUT = 60
RECORD_TIMEOUT = 20
# How long to wait, after the first record, for a second start that must not come.
SETTLE = 0.5


class Run:
    def __init__(self, exit_code, stdout_lines, stderr_lines):
        self.exit_code = exit_code
        self.stdout_lines = stdout_lines
        self.stderr_lines = stderr_lines


class Record:
    """What one started stand-in received."""

    def __init__(self, text):
        self.arguments = []
        self.folder = self.show = None
        for line in text.split("\n"):
            name, _, value = line.partition("=")
            if name == "cwd":
                self.folder = value
            elif name == "show":
                self.show = int(value)
            elif name == "arg":
                self.arguments.append(value)


def split_lines(data, newline):
    """Lines of a stream that must end each line with `newline` and hold no other."""
    text = data.decode("latin-1")
    if not text:
        return []
    if not text.endswith(newline):
        raise AssertionError("output does not end with %r: %r" % (newline, text))
    return text[: -len(newline)].split(newline)


class HostTarget:
    newline = "\n"
    reports_show_state = False
    standin_name = "javaw"  # a bare name, found on PATH

    def __init__(self, start, standin):
        self.start = os.path.abspath(start)
        self.standin = os.path.abspath(standin)

    def native(self, path):
        return os.path.realpath(path)

    def argument_path(self, path):
        return os.path.abspath(path)

    def command(self, argument_text, program=None):
        return [program or self.start] + ([argument_text] if argument_text else [])

    def environment(self, records, search_path):
        env = dict(os.environ)
        env["STANDIN_RECORD"] = records
        env["PATH"] = (search_path + ":" if search_path else "") + "/usr/bin:/bin"
        return env

    def prepare(self, env):
        pass


class WindowsTarget:
    newline = "\r\n"  # the C runtime's text mode
    reports_show_state = True
    standin_name = "javaw.exe"

    def __init__(self, start, standin):
        self.start = os.path.abspath(start)
        self.standin = os.path.abspath(standin)

    def native(self, path):
        return wine.windows_path(os.path.realpath(path))

    def argument_path(self, path):
        return wine.windows_path(path)

    def command(self, argument_text, program=None):
        # Wine joins its arguments with single blanks and quotes those that
        # hold blanks: a text in quotes is passed as the one argument inside.
        if argument_text.startswith('"') and argument_text.endswith('"') and argument_text.count('"') == 2:
            arguments = [argument_text[1:-1]]
        else:
            arguments = argument_text.split(" ") if argument_text else []
        return [wine.WINE, program or self.start] + arguments

    def environment(self, records, search_path):
        return wine.environment({
            "STANDIN_RECORD": self.native(records),
            "WINEPATH": self.native(search_path) if search_path else "",
        })

    def prepare(self, env):
        wine.start_server(env)


def make_target(kind, start, standin):
    return (HostTarget if kind == "host" else WindowsTarget)(start, standin)


class Scratch:
    """A scratch folder for one test, with a folder for the stand-in's records."""

    def __init__(self, target):
        self.target = target
        self.root = tempfile.mkdtemp(prefix="start-e2e-")
        self.records = tempfile.mkdtemp(prefix="start-records-")

    def remove(self):
        shutil.rmtree(self.root, ignore_errors=True)
        shutil.rmtree(self.records, ignore_errors=True)

    def path(self, relative=""):
        return os.path.join(self.root, relative)

    def folder(self, relative):
        os.makedirs(self.path(relative), exist_ok=True)
        return self.path(relative)

    def write(self, relative, content):
        """Writes the bytes of `content` (a str of bytes 0-255, or bytes) as they are."""
        if isinstance(content, str):
            content = content.encode("latin-1")
        self.folder(os.path.dirname(relative) or ".")
        with open(self.path(relative), "wb") as out:
            out.write(content)

    def copy(self, source, relative):
        self.folder(os.path.dirname(relative) or ".")
        shutil.copy(source, self.path(relative))

    def _install(self, program, relative):
        self.folder(os.path.dirname(relative))
        shutil.copy(program, self.path(relative))
        os.chmod(self.path(relative), 0o755)

    def runtime(self, home):
        """A stand-in runtime: HOME\\bin\\javaw.exe."""
        self._install(self.target.standin, home + "/bin/javaw.exe")

    def runtime_on_search_path(self, relative):
        self._install(self.target.standin, relative + "/" + self.target.standin_name)
        return self.path(relative)

    def java_runtime(self, home, java):
        """A real runtime: HOME\\bin\\javaw.exe is the machine's java."""
        self.folder(home + "/bin")
        os.symlink(java, self.path(home + "/bin/javaw.exe"))

    def java_on_search_path(self, relative, java):
        self.folder(relative)
        os.symlink(java, self.path(relative + "/" + self.target.standin_name))
        return self.path(relative)

    def launch(self, argument_text="", folder=None, search_path=None, fresh=True, program=None):
        """Runs the launcher (or a copy of it at `program`); when `fresh`,
        records of earlier launches are dropped first."""
        for name in self.record_files() if fresh else []:
            os.remove(name)
        env = self.target.environment(self.records, search_path)
        self.target.prepare(env)
        # Files rather than pipes: what the launcher starts may keep them open.
        with tempfile.TemporaryFile() as stdout, tempfile.TemporaryFile() as stderr:
            done = subprocess.run(self.target.command(argument_text, program), cwd=self.path(folder or ""), env=env,
                                  stdin=subprocess.DEVNULL, stdout=stdout, stderr=stderr, timeout=RUN_TIMEOUT)
            stdout.seek(0)
            stderr.seek(0)
            return Run(done.returncode, split_lines(stdout.read(), self.target.newline),
                       split_lines(stderr.read(), self.target.newline))

    def record_files(self):
        return sorted(glob.glob(os.path.join(self.records, "record-*.txt")))

    def wait_for_records(self, count, timeout=RECORD_TIMEOUT):
        deadline = time.monotonic() + timeout
        while len(self.record_files()) < count and time.monotonic() < deadline:
            time.sleep(0.02)
        time.sleep(SETTLE)
        files = self.record_files()
        records = []
        for name in files:
            with open(name, encoding="latin-1", newline="") as record:
                records.append(Record(record.read()))
            os.remove(name)
        return records

    def one_record(self):
        """The one program that the last launch started."""
        records = self.wait_for_records(1)
        if len(records) != 1:
            raise AssertionError("expected one started program, found %d" % len(records))
        return records[0]

    def assert_no_record(self, test):
        time.sleep(1.5)
        test.assertEqual(self.record_files(), [])

    def wait_for_file(self, relative, timeout):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            try:
                with open(self.path(relative), encoding="utf-8") as report:
                    content = report.read()
                if content.endswith("\n"):
                    return content
            except FileNotFoundError:
                pass
            time.sleep(0.05)
        raise AssertionError("%s did not appear within %d s" % (relative, timeout))
