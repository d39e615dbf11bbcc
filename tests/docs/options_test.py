#!/usr/bin/env python3
"""Each program's --help and its manual page list the same options.

usage: options_test.py SOURCE_DIR PROGRAM..."""

import os
import re
import subprocess
import sys
import unittest

SOURCE, PROGRAMS = "", []


def options_in(text):
    return set(re.findall(r"(?<![\w-])--[a-z][a-z-]*", text))


class Options(unittest.TestCase):
    def test_help_and_manual_agree(self):
        for program in PROGRAMS:
            name = os.path.basename(program)
            helped = subprocess.run([program, "--help"], capture_output=True, text=True,
                                    check=True).stdout
            with open(os.path.join(SOURCE, "packaging", "man", name + ".6"),
                      encoding="utf-8") as page:
                manual = page.read().replace("\\-", "-")
            self.assertEqual(options_in(helped), options_in(manual), name)


if __name__ == "__main__":
    SOURCE, PROGRAMS = sys.argv[1], sys.argv[2:]
    unittest.main(argv=sys.argv[:1])
