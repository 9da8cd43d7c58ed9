#!/usr/bin/env python3
"""Writes the malformed-file corpus tests/data/bad/ from the small good files of the fuzz corpus.

Each file is broken in one way: cut at a structural boundary, a length or count past the end,
NaN or infinity, a string without its end, wrong magic or version. Files that would be large
or cannot live in git (a FIFO, /dev/zero, a 0-byte file, a sparse 1 GB file, a folder) are made
by the test itself. Run from anywhere: scripts/make-bad-files.py
"""
import json
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CORPUS = os.path.join(ROOT, "tests", "fuzz", "corpus")
OUT = os.path.join(ROOT, "tests", "data", "bad")
KEY_RECORD = 4 + 4 * 240  # a format-6 key: its frame and 240 values


def read(*parts):
    with open(os.path.join(CORPUS, *parts), "rb") as f:
        return f.read()


def write(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def sequences():
    good = read("readSequence", "keys.lmt")  # format 6, two keys
    header = len(good) - 2 * KEY_RECORD
    cuts = {
        "cut-in-version": 2,
        "cut-after-version": 4,
        "cut-in-header": header // 2,
        "cut-at-header-end": header,
        "cut-in-key1-frame": header + 2,
        "cut-in-key1": header + KEY_RECORD // 2,
        "cut-in-key2": header + KEY_RECORD + KEY_RECORD // 2,
        "cut-one-byte-short": len(good) - 1,
    }
    for name, at in cuts.items():
        write(f"lmt-{name}.lmt", good[:at])
    write("lmt-version-0.lmt", struct.pack("<f", 0.0) + good[4:])
    write("lmt-version-7.lmt", struct.pack("<f", 7.0) + good[4:])
    write("lmt-version-nan.lmt", struct.pack("<I", 0x7FC00000) + good[4:])
    write("lmt-wrong-magic.lmt", b"PK\x03\x04" + good[4:])
    # Key values that are not numbers: the format holds them, the reader takes them.
    nan_key = bytearray(good)
    nan_key[header + 4 : header + 12] = struct.pack("<If", 0x7FC00000, float("inf"))
    write("lmt-nan-and-inf-in-key1.lmt", bytes(nan_key))
    # The first string item (the 3D text, after the version and two numbers) given lengths past
    # the end: the 16-bit form, the 32-bit form, and a wide string with no characters after it.
    first_string = good.find(b"\x07Lumatoy")
    if first_string < 0:
        first_string = 12
    base = good[:first_string]
    write("lmt-string-length-16bit-past-end.lmt", base + b"\xff\xfe\xfe" + b"abc")
    write("lmt-string-length-32bit-past-end.lmt", base + b"\xff\xff\xff\xff\xff\xff\x7f" + b"x")
    write("lmt-wide-string-without-end.lmt", base + b"\xff\xfe\xff\x40" + b"a\x00b\x00")
    frame_far = bytearray(good)
    frame_far[header : header + 4] = struct.pack("<i", 2**31 - 1)
    write("lmt-key-frame-out-of-range.lmt", bytes(frame_far))


def json_sequences():
    good = json.loads(read("readSequenceJson", "scenery.json"))
    text = json.dumps(good)
    write("json-cut-in-half.json", text[: len(text) // 2].encode())
    write("json-string-without-end.json", b'{"format": "Lumatoy sequence", "version": 6, "header": {"text.string": "abc')
    write("json-not-an-object.json", b"[1, 2, 3]")
    write("json-wrong-format.json", json.dumps(dict(good, format="Something else")).encode())
    write("json-version-9.json", json.dumps(dict(good, version=9)).encode())
    for name, keys in {"string": "3 keys", "null": None, "number": 3, "object": {}, "bool": True}.items():
        write(f"json-keys-{name}.json", json.dumps(dict(good, keys=keys)).encode())
    huge = dict(good, header=dict(good["header"], **{"tunnel.colour.r": 1e39}))
    write("json-number-beyond-float.json", json.dumps(huge).encode())
    tiny = dict(good, header=dict(good["header"], **{"tunnel.colour.r": 1e-50}))
    write("json-number-underflows.json", json.dumps(tiny).encode())


def models():
    good = read("import3ds", "box.3ds")
    write("3ds-cut-in-header.3ds", good[:3])
    write("3ds-cut-in-half.3ds", good[: len(good) // 2])
    write("3ds-wrong-magic.3ds", b"\x00\x00" + good[2:])
    too_long = bytearray(good)
    too_long[2:6] = struct.pack("<I", 0x7FFFFFFF)
    write("3ds-length-past-end.3ds", bytes(too_long))
    # The first vertex list claims far more points than follow.
    at = good.find(b"\x10\x41")
    if at >= 0:
        many = bytearray(good)
        many[at + 6 : at + 8] = struct.pack("<H", 0xFFFF)
        write("3ds-vertex-count-past-end.3ds", bytes(many))


def textures():
    good = read("readTga", "rgb24.tga")  # 2 x 2, 24 bits
    write("tga-cut-in-header.tga", good[:10])
    write("tga-cut-in-pixels.tga", good[:20])
    write("tga-run-length-encoded.tga", good[:2] + b"\x0a" + good[3:])
    zero = bytearray(good)
    zero[12:14] = b"\x00\x00"
    write("tga-width-0.tga", bytes(zero))
    huge = bytearray(good)
    huge[12:16] = struct.pack("<HH", 16384, 16384)
    write("tga-16384-square-header-only.tga", bytes(huge))
    bits = bytearray(good)
    bits[16] = 7
    write("tga-7-bits.tga", bytes(bits))


def pictures():
    png = read("decodePicture", "tiny.png")
    write("png-cut-in-half.png", png[: len(png) // 2])
    write("png-wrong-magic.png", b"\x00" + png[1:])
    jpg = read("decodePicture", "tiny.jpg")
    write("jpg-cut-in-half.jpg", jpg[: len(jpg) // 2])
    # A PNG header that claims 100000 x 100000 pixels.
    big = bytearray(png)
    big[16:24] = struct.pack(">II", 100000, 100000)
    write("png-claims-100000-square.png", bytes(big))


def main():
    os.makedirs(OUT, exist_ok=True)
    for name in os.listdir(OUT):
        if name != "README.md":
            os.remove(os.path.join(OUT, name))
    sequences()
    json_sequences()
    models()
    textures()
    pictures()
    print(f"{len(os.listdir(OUT))} files in {OUT}")


if __name__ == "__main__":
    main()
