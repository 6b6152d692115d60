#!/usr/bin/python3
"""Fails when a string the program translates has no finished translation in a shipped language:
lupdate reads the sources into a copy of each .ts file, and every entry left unfinished is
printed. Entries the sources no longer have (vanished, obsolete) do not count. A translation
that drops or adds a %1 or %n of its source fails too (the program would lose or garble words),
as do plural forms that are all alike ("1 moves").

Usage: check_translations.py LUPDATE [OPTION...] --ts FILE.ts... --sources SOURCE...
A file named *_en.ts, the language the program is written in, holds only plural forms."""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET


def main():
    args = sys.argv[1:]
    ts_at, sources_at = args.index("--ts"), args.index("--sources")
    lupdate, ts_files, sources = args[:ts_at], args[ts_at + 1:sources_at], args[sources_at + 1:]
    unfinished = broken = 0
    with tempfile.TemporaryDirectory() as folder:
        for ts in ts_files:
            copy = os.path.join(folder, os.path.basename(ts))
            shutil.copyfile(ts, copy)
            plural_only = ["-pluralonly"] if ts.endswith("_en.ts") else []
            subprocess.run(lupdate + plural_only + sources + ["-ts", copy], check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            for context in ET.parse(copy).getroot().iter("context"):
                for message in context.iter("message"):
                    source, translation = message.findtext("source"), message.find("translation")
                    where = f"{os.path.basename(ts)}: {context.findtext('name')}: {source!r}"
                    if translation.get("type") in ("vanished", "obsolete"):
                        continue
                    if translation.get("type") == "unfinished":
                        unfinished += 1
                        print(where)
                        continue
                    forms = [f.text or "" for f in translation.iter("numerusform")] or \
                        [translation.text or ""]
                    if len(forms) > 1 and len(set(forms)) == 1:
                        broken += 1
                        print(f"{where}: the plural forms are all {forms[0]!r}")
                    for form in forms:
                        if sorted(re.findall(r"%(?:\d+|n)", form)) != \
                                sorted(re.findall(r"%(?:\d+|n)", source)):
                            broken += 1
                            print(f"{where}: the translation {form!r} has other arguments")
    print(f"{unfinished} unfinished translation(s), {broken} broken")
    return 1 if unfinished or broken else 0


if __name__ == "__main__":
    sys.exit(main())
