#!/usr/bin/env python3
"""Reads start.exe's headers and resources and fails if any of what it must be
regresses: a 64-bit GUI program that loads only Windows' own DLLs, with
randomized addresses and non-executable data, DLLs from the system folder
only, its icon, and at most 16 KiB.

  check_executable.py START.EXE OBJECT_FOLDER
"""
import glob
import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest

OBJDUMP = "x86_64-w64-mingw32-objdump"
SIZE_BUDGET = 16384
START = OBJECTS = None


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


class Headers(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.private = run(OBJDUMP, "-p", START)
        cls.sections = run(OBJDUMP, "-h", START)

    def field(self, name):
        match = re.search(r"^%s\s+([0-9a-fA-F]+)" % name, self.private, re.M)
        self.assertIsNotNone(match, name)
        return int(match.group(1), 16)

    def test_64_bit_gui_program(self):
        self.assertIn("file format pei-x86-64", self.sections)
        self.assertEqual(self.field("Magic"), 0x20B)  # PE32+
        self.assertEqual(self.field("Subsystem"), 2)  # Windows GUI: no console

    def test_randomized_addresses_and_no_executable_data(self):
        dll = self.field("DllCharacteristics")
        self.assertTrue(dll & 0x0020, "HIGH_ENTROPY_VA")
        self.assertTrue(dll & 0x0040, "DYNAMIC_BASE")
        self.assertTrue(dll & 0x0100, "NX_COMPAT")
        self.assertFalse(self.field("Characteristics") & 0x0001, "RELOCS_STRIPPED")

    def test_relocations_kept_when_code_has_absolute_addresses(self):
        absolute = 0
        for obj in glob.glob(os.path.join(OBJECTS, "**", "*.obj"), recursive=True):
            absolute += run(OBJDUMP, "-r", obj).count("IMAGE_REL_AMD64_ADDR64")
        if absolute:
            self.assertRegex(self.sections, r"\.reloc\b")

    def test_no_section_both_writable_and_executable(self):
        names = re.findall(r"^\s*\d+\s+(\S+)\s+[0-9a-f]+\s", self.sections, re.M)
        flags = re.findall(r"^\s+(CONTENTS.*|ALLOC.*)$", self.sections, re.M)
        self.assertEqual(len(names), len(flags))
        for name, flag in zip(names, flags):
            if "CODE" in flag:
                self.assertIn("READONLY", flag, name)

    def test_only_windows_own_dlls(self):
        dlls = sorted(name.lower() for name in re.findall(r"DLL Name: (\S+)", self.private))
        self.assertEqual(dlls, ["kernel32.dll", "msvcrt.dll", "shell32.dll"])

    def test_dlls_only_from_system_folder(self):
        self.assertRegex(self.private, r"\bSetDefaultDllDirectories\b")

    def test_size_budget(self):
        size = os.path.getsize(START)
        print("\nstart.exe is %d bytes (budget %d)" % (size, SIZE_BUDGET), file=sys.stderr)
        self.assertLessEqual(size, SIZE_BUDGET)


class Icon(unittest.TestCase):
    def test_icon_group_0_with_one_48x48_bitmap(self):
        listing = run("wrestool", "-l", START)
        self.assertEqual(len(listing.strip().splitlines()), 2, listing)
        self.assertIn("--type=14 --name=0 --language=1033", listing)
        self.assertIn("--type=3 --name=1 --language=1033", listing)
        with tempfile.TemporaryDirectory() as folder:
            image = os.path.join(folder, "icon.bin")
            subprocess.run(["wrestool", "-x", "--raw", "--type=3", "--name=1", "-o", image, START], check=True)
            with open(image, "rb") as data:
                header = data.read(40)
                size = 40 + len(data.read())
        width, height, planes, bits, compression = struct.unpack("<iiHHI", header[4:20])
        # An uncompressed bitmap: 48 x 48 at 32 bits (alpha), then a 1-bit mask.
        self.assertEqual((width, height, planes, bits, compression), (48, 96, 1, 32, 0))
        self.assertEqual(size, 40 + 48 * 48 * 4 + 48 * 8)


def main():
    global START, OBJECTS
    START, OBJECTS = sys.argv[1], sys.argv[2]
    unittest.main(argv=[sys.argv[0]] + sys.argv[3:], verbosity=2)


if __name__ == "__main__":
    main()
