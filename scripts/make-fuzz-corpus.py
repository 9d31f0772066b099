#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets to tests/fuzz/corpus/<target>/.

usage: scripts/make-fuzz-corpus.py VELMOR_CLI

VELMOR_CLI is a built velmor-cli; its 'new' command gives the new-character template.
The seeds are committed; run this again only when an input layout of a target changes.
"""
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
CORPUS = os.path.join(ROOT, "tests", "fuzz", "corpus")

# fuzz_doc: a header of 32 choice bytes in front of the file. The choices are taken from
# the header's end: its last byte picks the mode (a multiple of 4 re-encodes the loaded
# record with no marks), the byte before it the pending marks (bit 0 restart, 1 complete,
# 2 skills full, 3 skills none, 4 maximum gold), then the record's values.
DOC_HEADER = 32
IDENTITY = bytes(DOC_HEADER)


def edit_header(marks, filler):
    body = bytes((filler + 37 * i) & 0xFF for i in range(DOC_HEADER - 2))
    return body + bytes([marks, 1])


def template(cli):
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run([cli, "new", "Amazone", "Seed.d2s"], cwd=tmp, check=True,
                       stdout=subprocess.DEVNULL)
        with open(os.path.join(tmp, "Seed.d2s"), "rb") as f:
            return f.read()


def write(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def doc_seeds(cli):
    t = template(cli)
    assert len(t) == 706, len(t)
    files = {"template": t}
    for name in sorted(os.listdir(os.path.join(ROOT, "tests", "data"))):
        if name.endswith(".d2s"):
            with open(os.path.join(ROOT, "tests", "data", name), "rb") as f:
                files[name[:-4]] = f.read()
    files["size660"] = t[:660]
    files["size659"] = t[:659]
    files["size100000"] = t + bytes(100000 - len(t))
    for name, data in files.items():
        write("fuzz_doc", name + "-same", IDENTITY + data)
    for i, (name, data) in enumerate(files.items()):
        if name in ("size100000", "size659"):
            continue
        write("fuzz_doc", name + "-edit", edit_header(0x1F if i % 2 else 0x06, 11 * i) + data)
    write("fuzz_doc", "template-restart", edit_header(0x09, 200) + t)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    if os.path.isdir(CORPUS):
        shutil.rmtree(CORPUS)
    doc_seeds(os.path.abspath(sys.argv[1]))


if __name__ == "__main__":
    main()
