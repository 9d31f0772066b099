#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets to tests/fuzz/corpus/<target>/.

usage: make_corpus.py VELMOR_CLI

VELMOR_CLI is a built velmor-cli; its 'new' command gives the new-character template.
The seeds are committed; run this again only when an input layout of a target changes.
"""
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
CORPUS = os.path.join(HERE, "corpus")

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


def text_seeds():
    seeds = {
        "fuzz_name": [b"Hero.d2s", b"Abcdefghijklmno.d2s\x00Ab.d2s", b"My.Hero.d2s\x00.d2s",
                      b"A.d2s\x00Abcdefghijklmnop.d2s", b"Hero1.d2s\x00Sir Hero\x00H\xc3\xa9ro.d2s",
                      b"Hero"],
        "fuzz_paths": [b'"C:\\Saves\\Hero.d2s\x00d2s', b'\\C:\\Diablo II\\save\\\x00\\\\',
                       b'.hero.D2S\x00Hero.bakvelmor\x00bakvelmor',
                       b"x.abcdefghij\x00my.dir\\hero\x00.d2s\x00a"],
        # The text comes first; the choice bytes at the end pick the limits.
        "fuzz_fitnumber": [b"  -250\x00\x00", b"12abc\x02\x00", b"007\x01\x00",
                           b"99999999999999999999\x11\x22\x33\x44\x55\x66\x77\x88\x03",
                           b"\t+2147483648\x40\x00\x00\x00\x01", b"-\x00\x00"],
        # An operation sequence: capacity and initial text, then operation codes and their
        # arguments as FuzzedDataProvider reads them.
        "fuzz_cstring": [b"hello world\x05\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x32",
                         b"\\.Saves\x00" * 4 + b"\x08\x05\x06\x01\xff",
                         bytes(range(256))],
    }
    for target, items in seeds.items():
        for i, data in enumerate(items):
            write(target, "seed%d" % i, data)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    if os.path.isdir(CORPUS):
        shutil.rmtree(CORPUS)
    doc_seeds(os.path.abspath(sys.argv[1]))
    text_seeds()


if __name__ == "__main__":
    main()
