#!/usr/bin/python3
"""The language quorrin speaks, as the environment chooses it the way gettext programs do:
LANGUAGE (a list, the first language there is a translation for), else LC_ALL, else
LC_MESSAGES, else LANG; English otherwise. Read from its --help, which carries the program's
own words and Qt's (from the system's Qt translations).

Usage: language_test.py PATH/TO/quorrin"""

import os
import subprocess
import sys

GERMAN, ENGLISH = "Ein Schachbrett für zwei Spieler", "A chess board for two players"
CASES = [  # the environment's language variables, the language expected
    ({}, ENGLISH),
    ({"LANG": "C.UTF-8"}, ENGLISH),
    ({"LANG": "de_DE.UTF-8"}, GERMAN),
    ({"LANG": "en_US.UTF-8", "LC_MESSAGES": "de_DE.UTF-8"}, GERMAN),
    ({"LC_MESSAGES": "de_DE.UTF-8", "LC_ALL": "en_GB.UTF-8"}, ENGLISH),
    ({"LC_ALL": "de_CH.UTF-8"}, GERMAN),
    ({"LANG": "en_US.UTF-8", "LANGUAGE": "de"}, GERMAN),
    ({"LANG": "de_DE.UTF-8", "LANGUAGE": "en"}, ENGLISH),
    ({"LANGUAGE": "fr:de_AT"}, GERMAN),  # no French: the next on the list
    ({"LANGUAGE": "fr", "LANG": "C.UTF-8"}, ENGLISH),
]


def main():
    failures = 0
    base = {k: v for k, v in os.environ.items()
            if k not in ("LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG")}
    english_help = None
    for variables, expected in CASES:
        shown = subprocess.run([sys.argv[1], "--help"], env=dict(base, **variables),
                               capture_output=True, text=True, timeout=60)
        out = shown.stdout
        # Qt's own line for --help is German too, or English with the program.
        qt_line = next((line for line in out.splitlines() if "--help" in line), "")
        if expected == ENGLISH and english_help is None:
            english_help = qt_line
        spoken = GERMAN if GERMAN in out else ENGLISH if ENGLISH in out else None
        qt_follows = (qt_line == english_help) == (expected == ENGLISH)
        if shown.returncode != 0 or spoken != expected or not qt_follows or shown.stderr:
            failures += 1
            print(f"FAIL {variables}: status {shown.returncode}, {spoken!r} expected "
                  f"{expected!r}, Qt's line {qt_line!r}\n{shown.stderr}")
    print(f"{len(CASES) - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
