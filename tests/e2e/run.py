#!/usr/bin/env python3
"""End-to-end tests of the launcher, on the host build or on start.exe under Wine.

  run.py host START STANDIN_SCRIPT [--jar Tervok.jar --java JAVA] [unittest options]
  run.py windows START.EXE STANDIN.EXE [--jar Tervok.jar --java JAVA] [unittest options]

Each test lays out a scratch folder (start.ini, jre\\bin\\javaw.exe, ...), runs
the launcher there and checks its exit code, its standard output and error, and
what the started program received: a stand-in javaw that records its working
directory, show state and arguments, or a real JVM running the demo archive.
"""
import argparse
import concurrent.futures
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from launcher import Scratch, make_target  # noqa: E402

TARGET = None
JAR = None
JAVA = None

NOT_FOUND = "fopen: No such file or directory"
DENIED = "fopen: Permission denied"
STANDARD_JAR = "Tervok.jar"


def diagnostics(java_home, command, params):
    return ["JAVA_HOME=%s" % java_home, "command = %s" % command, "params = %s" % params]


class LauncherTest(unittest.TestCase):
    def setUp(self):
        self.scratch = Scratch(TARGET)
        self.addCleanup(self.scratch.remove)

    def launch(self, argument_text="", folder=None, search_path=None, fresh=True):
        return self.scratch.launch(argument_text, folder, search_path, fresh)

    def assertRun(self, run, stdout, stderr):
        self.assertEqual(run.exit_code, 0)
        self.assertEqual(run.stdout_lines, stdout)
        self.assertEqual(run.stderr_lines, stderr)


class Standin(LauncherTest):
    """The launch sequence, with a stand-in javaw recording what it was given."""

    def test_private_runtime_and_defaults(self):
        self.scratch.runtime("jre")
        run = self.launch()
        self.assertRun(run, diagnostics("jre", "jre\\bin\\javaw.exe", " -jar Tervok.jar"), [NOT_FOUND] * 2)
        record = self.scratch.one_record()
        self.assertEqual(record.arguments, ["-jar", STANDARD_JAR])
        self.assertEqual(record.folder, TARGET.native(self.scratch.path()))
        if TARGET.reports_show_state:
            self.assertEqual(record.show, 0)  # SW_HIDE

    def test_bare_javaw_from_search_path(self):
        elsewhere = self.scratch.runtime_on_search_path("tools")
        run = self.launch(search_path=elsewhere)
        self.assertRun(run, diagnostics("jre", "javaw", " -jar Tervok.jar"), [NOT_FOUND] * 2)
        record = self.scratch.one_record()
        self.assertEqual(record.arguments, ["-jar", STANDARD_JAR])
        self.assertEqual(record.folder, TARGET.native(self.scratch.path()))

    def test_no_runtime_anywhere(self):
        run = self.launch()
        self.assertRun(run, diagnostics("jre", "javaw", " -jar Tervok.jar"), [NOT_FOUND] * 2)
        self.scratch.assert_no_record(self)

    def test_settings_choose_runtime_and_archive(self):
        self.scratch.runtime("java 17")
        self.scratch.write("start.ini", "[start]\nJAVA_HOME=java 17\n[tervok]\nJAR=app.jar\n")
        run = self.launch()
        self.assertRun(run, diagnostics("java 17", "java 17\\bin\\javaw.exe", " -jar app.jar"), [])
        self.assertEqual(self.scratch.one_record().arguments, ["-jar", "app.jar"])

    def test_java_home_with_trailing_backslash(self):
        self.scratch.runtime("rt")
        self.scratch.write("start.ini", "[start]\r\nJAVA_HOME=rt\\\r\n")
        run = self.launch()
        self.assertRun(run, diagnostics("rt\\", "rt\\\\bin\\javaw.exe", " -jar Tervok.jar"), [])
        self.scratch.one_record()

    def test_java_home_without_javaw_falls_back_to_bare_name(self):
        self.scratch.folder("empty jdk")
        elsewhere = self.scratch.runtime_on_search_path("tools")
        self.scratch.write("start.ini", "[start]\nJAVA_HOME=empty jdk\n")
        run = self.launch(search_path=elsewhere)
        self.assertRun(run, diagnostics("empty jdk", "javaw", " -jar Tervok.jar"), [])
        self.scratch.one_record()

    def test_archive_name_is_passed_unquoted(self):
        self.scratch.runtime("jre")
        cases = [
            ("my app.jar", " -jar my app.jar", ["-jar", "my", "app.jar"]),
            ('"my app.jar" --fast "two words"', ' -jar "my app.jar" --fast "two words"',
             ["-jar", "my app.jar", "--fast", "two words"]),
            ('a\\\\"b c" d\\e', ' -jar a\\\\"b c" d\\e', ["-jar", "a\\b c", "d\\e"]),
        ]
        for jar, params, arguments in cases:
            with self.subTest(jar=jar):
                self.scratch.write("start.ini", "[tervok]\nJAR=%s\n" % jar)
                run = self.launch()
                self.assertRun(run, diagnostics("jre", "jre\\bin\\javaw.exe", params), [])
                self.assertEqual(self.scratch.one_record().arguments, arguments)

    def test_settings_file_that_is_a_folder(self):
        self.scratch.runtime("jre")
        self.scratch.folder("start.ini")
        run = self.launch()
        self.assertRun(run, diagnostics("jre", "jre\\bin\\javaw.exe", " -jar Tervok.jar"), [DENIED] * 2)
        self.scratch.one_record()


class WorkingDirectory(LauncherTest):
    """The argument text chooses the working directory, and nothing else."""

    def setUp(self):
        super().setUp()
        # The folder the launcher is started in, and folders it may move to.
        for folder in ("start", "data", "data dir", "first.txt sub"):
            self.scratch.runtime(folder + "/jre")
            self.scratch.write(folder + "/start.ini", "[tervok]\nJAR=%s.jar\n" % folder.replace(" ", "_"))

    def assertRunsIn(self, argument_text, folder, program=None):
        run = self.scratch.launch(argument_text, folder="start", program=program)
        jar = folder.replace(" ", "_") + ".jar"
        self.assertRun(run, diagnostics("jre", "jre\\bin\\javaw.exe", " -jar " + jar), [])
        record = self.scratch.one_record()
        self.assertEqual(record.folder, TARGET.native(self.scratch.path(folder)))
        self.assertEqual(record.arguments, ["-jar", jar])

    def test_relative_file(self):
        self.assertRunsIn("..\\data\\report.txt", "data")

    def test_absolute_file(self):
        self.assertRunsIn(TARGET.argument_path(self.scratch.path("data/report.txt")), "data")

    def test_file_in_current_folder(self):
        self.assertRunsIn("report.txt", "start")

    def test_folder_with_trailing_separator(self):
        self.assertRunsIn(TARGET.argument_path(self.scratch.path("data/sub")) + "\\", "data")

    def test_quoted_path_keeps_start_folder(self):
        # The opening quote stays part of the directory, which does not exist.
        quoted = '"%s"' % TARGET.argument_path(self.scratch.path("data dir/report.txt"))
        self.assertRunsIn(quoted, "start")

    def test_second_argument_decides(self):
        self.assertRunsIn("..\\first.txt sub\\x.txt", "first.txt sub")

    def test_program_name_in_quotes(self):
        # A program path with blanks comes quoted on the command line; the
        # argument text starts after its closing quote.
        program = self.scratch.path("my programs/" + os.path.basename(TARGET.start))
        self.scratch.copy(TARGET.start, program)
        self.assertRunsIn("..\\data\\report.txt", "data", program=program)

    def test_missing_folder_keeps_start_folder(self):
        self.assertRunsIn("..\\nowhere\\report.txt", "start")


def random_bytes(count, seed):
    state = seed
    out = bytearray()
    for _ in range(count):
        state = (state * 1103515245 + 12345) & 0xFFFFFFFF
        out.append(state >> 16 & 0xFF)
    return bytes(out)


def long_line(length):
    return "#" + "c" * (length - 1) + "\n"


DEFAULT_RUN = ("jre", " -jar Tervok.jar", ["-jar", STANDARD_JAR])

# Settings files nobody should write, each with what the launcher makes of it:
# the value shown for JAVA_HOME, the parameter text and the arguments the
# started program receives (a stand-in runtime lies under "jre").
HOSTILE_SETTINGS = [
    ("random binary", random_bytes(65536, 7), DEFAULT_RUN),
    ("10 MB, section at the end",
     "".join("# padding line %07d ..................................\n" % i for i in range(200000))
     + "[start]\nJAVA_HOME=jre\n[tervok]\nJAR=end.jar\n",
     ("jre", " -jar end.jar", ["-jar", "end.jar"])),
    ("100,000 short lines", "k=v\n" * 100000 + "[tervok]\n" + "x\n" * 1000 + "JAR=short.jar\n",
     ("jre", " -jar short.jar", ["-jar", "short.jar"])),
    ("long lines", "[tervok]\n" + long_line(1022) + long_line(1023) + long_line(1024) + long_line(5000)
     + "JAR=after.jar\n", ("jre", " -jar after.jar", ["-jar", "after.jar"])),
    ("long line with key in a later piece", "[tervok]\n" + "y" * 4 * 1023 + "JAR=tail.jar\n",
     ("jre", " -jar tail.jar", ["-jar", "tail.jar"])),
    ("NUL bytes", "[start]\nJAVA_\0HOME=x\n[tervok]\n\0JAR=a.jar\nJAR=b\0.jar\n",
     ("jre", " -jar b", ["-jar", "b"])),
    ("Ctrl-Z ends the file", "[tervok]\r\n\x1a\r\nJAR=hidden.jar\r\n", DEFAULT_RUN),
    ("Ctrl-Z inside a value", "[tervok]\nJAR=cut\x1a.jar\n", ("jre", " -jar cut", ["-jar", "cut"])),
    ("lone CRs", "[tervok]\rJAR=x\n[tervok]\nJAR=a\rb.jar\r\n",
     ("jre", " -jar a\rb.jar", ["-jar", "a\rb.jar"])),
    ("UTF-8 byte-order mark", "\xef\xbb\xbf[tervok]\nJAR=bom.jar\n", DEFAULT_RUN),
    ("UTF-16 with byte-order mark", "\ufeff[tervok]\r\nJAR=wide.jar\r\n".encode("utf-16-le"), DEFAULT_RUN),
    ("JAVA_HOME of 246", "[start]\nJAVA_HOME=" + "h" * 246 + "\n", DEFAULT_RUN),
    ("JAR of 253", "[tervok]\nJAR=" + "j" * 253 + "\n", ("jre", " -jar " + "j" * 253, ["-jar", "j" * 253])),
    ("JAR of 254", "[tervok]\nJAR=" + "j" * 254 + "\n", DEFAULT_RUN),
    ("JAR of 259", "[tervok]\nJAR=" + "j" * 259 + "\n", DEFAULT_RUN),
    ("JAR of 260", "[tervok]\nJAR=" + "j" * 260 + "\n", DEFAULT_RUN),
    ("JAR of 1022", "[tervok]\nJAR=" + "j" * 1022 + "\n", DEFAULT_RUN),
]


class Hostile(LauncherTest):
    """Whatever arrives: exit code 0, three lines, the expected "fopen" lines,
    nothing written past a buffer, at most one program started."""

    def test_settings_files(self):
        self.scratch.runtime("jre")
        for name, content, (java_home, params, arguments) in HOSTILE_SETTINGS:
            with self.subTest(name):
                self.scratch.write("start.ini", content)
                run = self.launch()
                self.assertRun(run, diagnostics(java_home, "jre\\bin\\javaw.exe", params), [])
                self.assertEqual(self.scratch.one_record().arguments, arguments)

    def test_java_home_of_245_is_kept(self):
        home = "h" * 245
        self.scratch.write("start.ini", "[start]\nJAVA_HOME=%s\n" % home)
        run = self.launch()
        self.assertRun(run, diagnostics(home, "javaw", " -jar Tervok.jar"), [])
        self.scratch.assert_no_record(self)

    def test_argument_texts(self):
        self.scratch.runtime("start/jre")
        elsewhere = self.scratch.runtime_on_search_path("tools")
        root = TARGET.native("/")
        cases = [
            # A path of 32,000 characters whose folder cannot be entered.
            ("32,000 characters", ("d" * 99 + "\\") * 320, self.scratch.path("start"), "jre\\bin\\javaw.exe"),
            # Only separators: the root of the current drive.
            ("only separators", "\\" * 50, "/", "javaw"),
            ("folder that does not exist", "no\\such\\folder\\file.txt", self.scratch.path("start"),
             "jre\\bin\\javaw.exe"),
        ]
        for name, text, folder, command in cases:
            with self.subTest(name):
                run = self.launch(text, folder="start", search_path=elsewhere)
                self.assertRun(run, diagnostics("jre", command, " -jar Tervok.jar"), [NOT_FOUND] * 2)
                record = self.scratch.one_record()
                self.assertEqual(record.folder, root if folder == "/" else TARGET.native(folder))

    def test_many_launches_at_once(self):
        self.scratch.runtime("jre")
        self.scratch.write("start.ini", "[tervok]\nJAR=many.jar\n")
        count = int(os.environ.get("START_E2E_LAUNCHES", "200"))
        with concurrent.futures.ThreadPoolExecutor(max_workers=20) as pool:
            runs = list(pool.map(lambda _: self.launch(fresh=False), range(count)))
        for run in runs:
            self.assertRun(run, diagnostics("jre", "jre\\bin\\javaw.exe", " -jar many.jar"), [])
        records = self.scratch.wait_for_records(count, timeout=120)
        self.assertEqual(len(records), count)
        self.assertTrue(all(record.arguments == ["-jar", "many.jar"] for record in records))


class RealJava(LauncherTest):
    """A real JVM runs the demo archive."""

    def setUp(self):
        super().setUp()
        if JAR is None:
            self.skipTest("no demo archive")

    def assertTervokRan(self, folder, arguments):
        report = self.scratch.wait_for_file(folder + "/tervok-ran.txt", timeout=60)
        expected = ["Tervok ran in %s" % os.path.realpath(self.scratch.path(folder))]
        expected += ["arg=" + argument for argument in arguments]
        self.assertEqual(report.splitlines(), expected)

    def test_private_runtime(self):
        self.scratch.java_runtime("app/jre", JAVA)
        self.scratch.copy(JAR, "app/Tervok.jar")
        self.scratch.write("app/start.ini", '[tervok]\nJAR=Tervok.jar hello "two words"\n')
        run = self.launch("app\\document.txt")
        self.assertRun(run, diagnostics("jre", "jre\\bin\\javaw.exe",
                                        ' -jar Tervok.jar hello "two words"'), [])
        self.assertTervokRan("app", ["hello", "two words"])

    def test_bare_javaw(self):
        elsewhere = self.scratch.java_on_search_path("tools", JAVA)
        self.scratch.copy(JAR, "Tervok.jar")
        run = self.launch(search_path=elsewhere)
        self.assertRun(run, diagnostics("jre", "javaw", " -jar Tervok.jar"), [NOT_FOUND] * 2)
        self.assertTervokRan(".", [])


def main():
    global TARGET, JAR, JAVA
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("kind", choices=["host", "windows"])
    parser.add_argument("start")
    parser.add_argument("standin")
    parser.add_argument("--jar")
    parser.add_argument("--java")
    options, rest = parser.parse_known_args()
    TARGET = make_target(options.kind, options.start, options.standin)
    JAR = options.jar and os.path.abspath(options.jar)
    JAVA = options.java and os.path.realpath(options.java)
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
