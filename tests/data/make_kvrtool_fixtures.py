#!/usr/bin/env python3
"""Writes the small program files that the kvrtool tests open.

The KVR-T steps are laid out exactly as the station writes them, so that
opening and saving them again gives the same bytes.
Usage: make_kvrtool_fixtures.py [folder]   (default: this script's folder)
"""
import os
import struct
import sys

T_MARK = bytes([0x54, 0x43, 0x4E, 0x03])
TW_MARK = bytes([0x57, 0x52, 0x4E, 0x01])
GC_MARK = bytes([0x55, 0x43, 0x4E, 0x02])
OLD1_MARK = bytes([0x50, 0x43, 0x4E, 0x01])


def short_string(text, field):
    b = text.encode("cp1252")
    return bytes([len(b)]) + b + bytes(field - 1 - len(b))


def rec_t(kind, cycle, value, lrev=0, prev=0, flags=0, speed=0, levels=0, feed=0):
    r = bytearray(68)
    r[0] = kind
    r[1] = cycle
    r[3] = flags
    r[4:8] = struct.pack("<i", value)
    r[8:11] = struct.pack("<i", lrev)[:3]
    r[12:16] = struct.pack("<i", prev)
    r[16:18] = struct.pack("<H", speed)
    r[18] = levels
    r[20:24] = struct.pack("<i", feed)
    return bytes(r)


def kvr_t():
    header = bytearray(68)
    header[5:8] = bytes([0x01, 0x23, 0x45])  # total correction 1234.5
    header[8] = 7                           # HlavParam1
    header[9] = 0x20                        # HlavParam2 = 3
    header[10] = 1                          # HlavParam3
    steps = [
        # windings: 123.45 turns 10..50 mm, 3000 rpm, run-up 2, run-down 3, feed 1.0 mm
        rec_t(1, 1, 12345, 1000, 5000, flags=0x40, speed=1023, levels=0x21, feed=131072),
        # jump to 25.00 mm, to the left
        rec_t(3, 1, 2500, flags=0x80),
        # pause 1.5 s, end of the program
        rec_t(4, 0, 150),
    ]
    trailer = bytearray(1198)
    trailer[0:21] = short_string("KVR - 22", 21)
    for i in range(21, 42):
        trailer[i] = 0xA0 + i - 21
    trailer[42:63] = short_string("PREVODD", 21)
    for i in range(390, 1198):
        trailer[i] = (i * 7) & 0xFF
    return bytes(header) + b"".join(steps) + bytes(trailer) + T_MARK


def kvr_t_windings():
    """Four windings steps and a pause that ends the program, for the run
    command's example session."""
    header = bytearray(68)
    steps = [
        # 100, 200, 150 and 80 turns 10..50 mm, 3000 rpm, run-up 2, run-down 3, feed 0.5 mm
        rec_t(1, 1, 10000, 1000, 5000, flags=0x40, speed=1023, levels=0x21, feed=262144),
        rec_t(1, 1, 20000, 1000, 5000, flags=0x40, speed=1023, levels=0x21, feed=262144),
        rec_t(1, 1, 15000, 1000, 5000, flags=0x40, speed=1023, levels=0x21, feed=262144),
        rec_t(1, 1, 8000, 1000, 5000, flags=0x40, speed=1023, levels=0x21, feed=262144),
        rec_t(4, 0, 150),
    ]
    trailer = bytearray(1198)
    trailer[0:21] = short_string("KVR - 22", 21)
    trailer[42:63] = short_string("PREVODD", 21)
    return bytes(header) + b"".join(steps) + bytes(trailer) + T_MARK


def real48(v):
    """A Pascal 6-byte real: exponent byte, then 39 bits of mantissa and the sign."""
    if v == 0:
        return bytes(6)
    sign = 1 if v < 0 else 0
    v = abs(v)
    e = 0
    while v >= 2:
        v /= 2
        e += 1
    while v < 1:
        v *= 2
        e -= 1
    m = round((v - 1) * (1 << 39))
    return bytes([e + 129]) + (m | sign << 39).to_bytes(5, "little")


def bobbin_two_chambers():
    """A 502-byte bobbin file: chamber 1 from 0 to 40 mm, chamber 2 from 50 to
    90 mm, offset 10 mm from the machine's zero."""
    name = "Zwei Kammern".encode("cp1252")
    rec = (bytes([len(name)]) + name).ljust(256, b"\0")
    rec += real48(0) + real48(40) + real48(50) + real48(90) + bytes(12 * 18)
    rec += real48(10)
    assert len(rec) == 502
    return rec


def kvr_t_chambers():
    """Two windings steps in each chamber of the two-chamber bobbin (machine
    coordinates: chamber 1 is 10..50 mm, chamber 2 60..100 mm) and a pause
    that ends the program. Its trailer carries that bobbin, as the station
    saves a program wound on it."""
    header = bytearray(68)
    steps = [
        # 100 and 250 turns in chamber 1, 120 and 180 turns in chamber 2;
        # 3000 rpm, run-up 2, run-down 3, feed 0.5 mm
        rec_t(1, 1, 10000, 1000, 5000, flags=0x40, speed=1023, levels=0x21, feed=262144),
        rec_t(1, 1, 25000, 1000, 5000, flags=0x40, speed=1023, levels=0x21, feed=262144),
        rec_t(1, 1, 12000, 6000, 10000, flags=0x40, speed=1023, levels=0x21, feed=262144),
        rec_t(1, 1, 18000, 6000, 10000, flags=0x40, speed=1023, levels=0x21, feed=262144),
        rec_t(4, 0, 150),
    ]
    trailer = bytearray(1198)
    trailer[0:21] = short_string("KVR - 22", 21)
    trailer[42:63] = short_string("PREVODD", 21)
    trailer[63:144] = short_string("D:\\CONST_BOBBIN\\Korper\\bobbin_two_chambers.kor", 81)
    trailer[144:390] = bobbin_two_chambers()[256:502]
    return bytes(header) + b"".join(steps) + bytes(trailer) + T_MARK


def kvr_gc(name, size=None):
    """A KVR-G/C file of two empty steps whose header names the coil with the
    given Windows-1252 bytes; cut or padded in front of its marker to size."""
    header = bytearray(64)
    header[20:20 + len(name)] = name[:30]
    trailer = bytearray(1198)
    trailer[0:21] = short_string("KVR - 22", 21)
    trailer[42:63] = short_string("PREVODD", 21)
    body = bytes(header) + bytes(64 * 2) + bytes(trailer)
    if size is not None:
        body = (body + bytes(size))[:size - 4]
    return body + GC_MARK


def ini_text():
    return ("[WARNINGS]\r\nSTEP_1=Drahtspannung pr\u00fcfen\r\nSTEP_3=K\u00f6rper wechseln\r\n"
            .encode("cp1252"))


def old1():
    wind = bytes([0x10, 0x00, 0x12, 0x34, 0x01, 0x00, 0x05, 0x00, 0x00, 0x10, 0x1E])
    jump = bytes([0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x50, 0x00, 0x00, 0x00])
    return wind + jump + OLD1_MARK


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    files = {
        "kvrtool_t.kvr": kvr_t(),
        "kvrtool_tw.kvr": kvr_t() + ini_text() + TW_MARK,
        "kvrtool_run.kvr": kvr_t_windings(),
        "kvrtool_chambers.kvr": kvr_t_chambers(),
        "bobbin_two_chambers.kor": bobbin_two_chambers(),
        "kvrtool_old1.kvr": old1(),
        "kvrtool_3bytes.kvr": T_MARK[:3],
        "kvrtool_unknown.kvr": b"no program\x00\x01\x02\x03",
        # rename: dropped characters, Windows-1252, blanks, the shortest
        # refused size, the name another fixture takes
        "kvrtool_gc_slash.kvr": kvr_gc(b"Cievka/12:A?"),
        "kvrtool_gc_koerper.kvr": kvr_gc(b"K\xf6rper 5"),
        "kvrtool_gc_blanks.kvr": kvr_gc(b"   "),
        "kvrtool_gc_1205.kvr": kvr_gc(b"Short", 1205),
        "kvrtool_gc_same.kvr": kvr_gc(b"Cievka12A"),
    }
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
