#!/usr/bin/env python3
"""check-translations.py LUPDATE WORK TS_FILES SOURCES...: brings a copy of each .ts file up to date
with the code, as update_translations would, and fails on every entry the copy then holds that is
untranslated (a text the .ts file lacked, or one never translated) or gone from the code."""
import os
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

lupdate, work, ts_files, sources = sys.argv[1], sys.argv[2], sys.argv[3].split(';'), sys.argv[4:]
os.makedirs(work, exist_ok=True)
problems = []
for ts in ts_files:
    copy = os.path.join(work, os.path.basename(ts))
    shutil.copyfile(ts, copy)
    subprocess.run([lupdate, '-silent', '-locations', 'none', *sources, '-ts', copy], check=True)
    for context in ElementTree.parse(copy).getroot().iter('context'):
        for message in context.iter('message'):
            translation = message.find('translation')
            kind = translation.get('type') if translation is not None else 'unfinished'
            if kind in ('unfinished', 'vanished', 'obsolete'):
                problems.append(f'{os.path.basename(ts)}: {kind}: {context.findtext("name")}: '
                                f'{message.findtext("source")!r}')
for problem in problems:
    print(problem)
if problems:
    print('Bring the .ts files up to date with `cmake --build BUILD --target update_translations`, '
          'then translate what is new and delete what is gone (Qt Linguist, or an editor).')
sys.exit(1 if problems else 0)
