#!/usr/bin/env python3
"""Writes the fuzzer's seed corpus: one input per operation with sensible
inputs, and the unknown numbers. An input is one byte (the function number),
then the parameter block, ResultValue and ResultText; trailing zeros are left
off, since the fuzz target fills what an input does not reach with zeros.

    fuzz/make-corpus.py [folder]     (default: fuzz/corpus beside this script)
"""
import os
import struct
import sys

BLOCK_SIZE = 1184
STRING_SLOT = (160, 672)


def block(ints=None, doubles=None, strings=None):
    data = bytearray(BLOCK_SIZE)
    for slot, value in (ints or {}).items():
        struct.pack_into("<i", data, 8 * slot, value)
    for slot, value in (doubles or {}).items():
        struct.pack_into("<d", data, 8 * slot, value)
    for k, text in (strings or {}).items():
        units = text.encode("utf-16-le") + b"\0\0"
        data[STRING_SLOT[k]:STRING_SLOT[k] + len(units)] = units
    return bytes(data)


SEEDS = {
    "00-unknown": (0, block({0: 1})),
    "01-start-timer": (1, block()),
    "02-read-elapsed-time": (2, block({0: 123456, 1: 0, 2: 45})),
    "03-arc-sine": (3, block(doubles={0: 0.5})),
    "04-arc-cosine": (4, block(doubles={0: -1.0})),
    "05-arc-tangent": (5, block(doubles={0: 1.0})),
    "06-play-sound-file": (6, block({0: 1}, strings={0: "tone.wav"})),
    "06-play-missing-file": (6, block({0: 0}, strings={0: "missing.wav"})),
    "07-stop-sound": (7, block()),
    "08-get-array-size": (8, block({0: 1})),
    "09-sum-array": (9, block({0: 2, 1: 0})),
    "10-average-array": (10, block({0: 1, 1: 5})),
    "11-write-integer-bytes": (11, block({0: 0x12345678, 1: 1, 2: 2, 3: 4, 4: 1})),
    "12-read-integer-bytes": (12, block({0: 1, 1: 0, 2: 4, 3: 0})),
    "13-get-system-error-text": (13, block({0: 2})),
    "14-find-string": (14, block({0: 2}, strings={0: "abcabc", 1: "bc"})),
    "15-find-string-no-case": (15, block({0: 0}, strings={0: "Hello", 1: "LL"})),
    "16-get-string-field": (16, block({0: 3}, strings={0: "a,b,,c", 1: ","})),
    "17-integer-bits-to-float": (17, block({0: 0x3F800000, 1: 0})),
    "18-float-to-integer-bits": (18, block({1: 1}, doubles={0: 0.1})),
    "19-unknown": (19, block()),
}


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "corpus")
    os.makedirs(folder, exist_ok=True)
    for name, (fn, data) in SEEDS.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write((bytes([fn]) + data).rstrip(b"\0") or b"\0")


if __name__ == "__main__":
    main()
