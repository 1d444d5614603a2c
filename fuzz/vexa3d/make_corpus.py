#!/usr/bin/env python3
"""Writes the seed corpus: well-formed and broken packet streams for the sensor library fuzzer.

Each seed is 7 configuration bytes (see fuzz_vexa3d.cpp) followed by the bytes a sensor sends.
"""
import os
import struct
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def frame(kind, payload, status=b"000"):
    header = b"DRAL" + kind + b"\0" + status + b"\0" + struct.pack("<HH", 24, 24 + len(payload)) + b"\0" * 8
    return header + payload


def reply(command, rest=b""):
    return frame(command[:3], command + rest)


def measurement(kind=b"_ri", spots=74, echoes=1, offset=0, header_length=24, line=0, rng=1500):
    h = bytearray(header_length)
    struct.pack_into("<HIIhhBBHH", h, 0, header_length, 1000 + line, 0, -8000, 8000, 3, 1, line, offset)
    if header_length >= 22:
        h[20], h[21] = 0, 1
    if header_length >= 36:
        struct.pack_into("<HBBHII", h, 22, 0xC123, 1, 2, 0x4005, 10, 20)
    index = struct.pack("<HH", 0, spots) + b"".join(struct.pack("<H", i * echoes) for i in range(spots + 1))
    if spots % 2 == 0:
        index += b"\0\0"
    data = b""
    for s in range(spots * echoes):
        data += struct.pack("<H", rng + s)
        if kind != b"_ro":
            data += struct.pack("<H", 100 + s)
    return frame(kind, bytes(h) + index + data)


def auxiliary(bits=0xFFC00000, samples=3):
    per = bin(bits >> 22).count("1")
    body = struct.pack("<HIIBB", 12, 5000, bits, samples, 10)
    body += b"".join(struct.pack("<i", v - 50) for v in range(samples * per))
    return frame(b"_ax", body)


def config(spots=74, echoes=4, regions=2, lsb=0, swdr=0, rem=10, chunk=0, commands=0, shift=8, dispatch=0):
    flags = regions | (lsb << 2) | (swdr << 3) | ((rem - 1) << 4)
    return struct.pack("<HBBBBB", spots, echoes, flags, chunk, commands | (dispatch << 1), shift)


def init_stream(protocol=b"2.3", spots=74):
    s = frame(b"VER", b"vend:T\nprod:P\nseri:1\nfirm:1\nprot:" + protocol + b"\n")
    if protocol == b"2.3":
        values = [(b"motorInterlaceCount", 20), (b"remInterlaceCount", 4), (b"firstLineNumber", 0),
                  (b"lastLineNumber", 35), (b"spotCount", spots), (b"echoCount", 2), (b"regionCount", 2),
                  (b"isLsbResult", 1), (b"accelScale", 4), (b"gyroScale", 500)]
        for name, value in values:
            s += reply(b"GET:spec." + name + b"\n", b"%d\n" % value)
        s += reply(b"GET:swdr\n", b"0\n")
    s += reply(b"GET:_itl\n", b"0,01")
    table = b",".join(b"%04X" % (i * 97 % 65536) for i in range(min(spots, 256)))
    if spots <= 256:
        s += reply(b"GET:tblh\n", table)
    else:
        for c in range((spots >> 8) + 1):
            s += reply(b"GET:tblh[%02d]\n" % c, table)
    s += reply(b"GET:_itv\n", b"0,2")
    for field in range(2):
        if spots <= 256:
            s += reply(b"GET:tv%02d\n" % field, table)
        else:
            for c in range((spots >> 8) + 1):
                s += reply(b"GET:tv%02d[%02d]\n" % (field, c), table)
    s += reply(b"GET:stat\n", b"_ro=099\n_ri=099\n_ax=099\n") + reply(b"GET:stat\n", b"_ro=000\n_ri=000\n_ax=000\n")
    return s


def main():
    os.makedirs(OUT, exist_ok=True)
    seeds = {
        "line_ri": config() + measurement(),
        "line_ro": config() + measurement(kind=b"_ro", echoes=2),
        "line_ra_regions": config(lsb=1) + measurement(kind=b"_ra", header_length=36, echoes=3),
        "line_header20": config() + measurement(header_length=20),
        "line_two_packets": config(chunk=7, dispatch=1) + measurement(spots=37) + measurement(spots=37, offset=37, line=0),
        "aux_all": config() + auxiliary(),
        "aux_gyro_temp": config(chunk=5) + auxiliary(bits=0xE0400000, samples=2),
        "mixed_stream_chunked": config(chunk=13, dispatch=1) + b"junkDRA" + measurement(line=1) + auxiliary()
        + frame(b"ERR", b"oops", b"123") + measurement(line=2, kind=b"_ro") + frame(b"_er", b""),
        "mixed_stream": config(shift=200) + b"junkDRA" + measurement(line=1) + auxiliary()
        + frame(b"ERR", b"oops", b"123") + measurement(line=2, kind=b"_ro") + frame(b"_er", b""),
        "reply_oversized": config() + frame(b"GET", b"x" * 16390) + reply(b"GET:_itl\n", b"0,01"),
        "init_23": config(commands=1) + init_stream() + measurement(spots=74, echoes=2),
        "init_22": config(commands=1, chunk=3) + init_stream(protocol=b"2.2") + measurement(echoes=4),
        "init_300_spots": config(commands=1) + init_stream(spots=300) + measurement(spots=300, echoes=2),
        "spots_300": config(spots=300, echoes=2, rem=4, shift=1) + measurement(spots=150, echoes=2)
        + measurement(spots=150, offset=150, echoes=2),
    }
    for name, data in seeds.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)
    print("wrote %d seeds to %s" % (len(seeds), OUT))


if __name__ == "__main__":
    sys.exit(main())
