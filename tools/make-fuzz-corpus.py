#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz harnesses (tests/fuzz/corpus/NAME/).

Every seed is made here, by hand, from what the program itself writes and
from damage it must survive; nothing comes from another program. Run it
again after changing a seed: `tools/make-fuzz-corpus.py`; it replaces the
files it writes and leaves others alone.

Harnesses take their choices with libFuzzer's FuzzedDataProvider: whole
numbers from the end of the input (the first taken is the last byte), byte
strings from the front. Choices below lays out an input that way, so a
seed can walk the harness down a chosen path.
"""

import os
import struct
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "fuzz", "corpus")


class Choices:
    """An input for FuzzedDataProvider, built in the order the harness reads it."""

    def __init__(self):
        self.front = bytearray()
        self.back = bytearray()  # in the order taken: the input ends with it reversed

    def number(self, value, low, high, bits=64):
        span = high - low
        value -= low
        assert 0 <= value <= span
        taken = []
        offset = 0
        while offset < bits and (span >> offset) > 0:
            taken.append(offset)
            offset += 8
        # The first byte taken ends up in the highest place of the number.
        for i, _ in enumerate(taken):
            shift = 8 * (len(taken) - 1 - i)
            self.back.append((value >> shift) & 0xFF)
        return self

    def byte(self, value):
        return self.number(value, 0, 255, 8)

    def u16(self, value):
        return self.number(value, 0, 0xFFFF, 16)

    def flag(self, on):
        return self.byte(1 if on else 0)

    def data(self, blob):
        self.front += blob
        return self

    def bytes(self):
        return bytes(self.front) + bytes(reversed(self.back))


def write(name, file, content):
    folder = os.path.join(ROOT, name)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, file), "wb") as out:
        out.write(content)


def utf16(text, big_endian=False):
    return (b"\xfe\xff" + text.encode("utf-16-be")) if big_endian else (b"\xff\xfe" + text.encode("utf-16-le"))


# ---- INI engine: a file, then nine bytes of choices --------------------------

def ini_trailer(shape, section, key, pick, existing, existing_key, value):
    c = Choices()
    c.byte(shape)
    c.number(section, 0, 5, 64).number(key, 0, 5, 64).u16(pick)
    c.flag(existing).flag(existing_key).number(value, 0, 15, 64)
    tail = c.bytes()
    return b"\0" * (9 - len(tail)) + tail


STR_INI = (
    "[Setting-EN]\nItem1=Left Click\nItem2=Right Click\nItem13=Forward\n\n"
    "[Skins]\nRColor=255\nGColor=128\nBColor=0\nPath=Crimson\n"
)
WINDOWS_STR_INI = STR_INI.replace("\n", "\r\n")


def ini_seeds():
    write("ini", "plain-lf", STR_INI.encode() + ini_trailer(0, 0, 0, 3, True, True, 1))
    write("ini", "crlf-bom", b"\xef\xbb\xbf" + WINDOWS_STR_INI.encode() + ini_trailer(0, 2, 1, 1, True, False, 3))
    write("ini", "utf16le", utf16(WINDOWS_STR_INI + "[Setting-CHS]\r\nItem1=\u5de6\u952e\r\n") +
          ini_trailer(0, 1, 3, 0, False, False, 11))
    write("ini", "utf16be", utf16("[A]\nk = \"v\"\n", True) + ini_trailer(0, 0, 0, 0, True, True, 4))
    write("ini", "widened-by-harness", b"[s]\r\nk=v\n; note\n" + ini_trailer(2, 4, 4, 0, True, True, 6))
    write("ini", "damaged", b"garbage\0line\n[no close\n[ s ]\n=empty name\n k \t= x\r\r\n[S]\nK=dup\nlast" +
          ini_trailer(1, 0, 5, 2, True, True, 7))
    write("ini", "odd-utf16-lone-surrogate", b"\xff\xfe[\0a\0]\0\n\0k\0=\0\x00\xd8\n\0x" +
          ini_trailer(2, 0, 0, 0, True, True, 13))
    write("ini", "megabyte-line", b"long=line\n[t]\nx=1\n" + ini_trailer(0xFC, 0, 0, 1, True, True, 2))


# ---- config.bin -------------------------------------------------------------

def config_image(first_run=1):
    buttons = bytearray()
    for mode in range(2):
        arrays = [bytearray(12) for _ in range(16)]
        arrays[0][:] = bytes([0, 1, 2, 3, 4, 6, 15, 15, 15, 15, 15, 15])
        arrays[0][6] = 12 if mode else 11      # a single key, or a combo
        arrays[0][7] = 13                      # a macro key
        arrays[0][8] = 9 if mode else 10       # multimedia or fire key
        arrays[10][6] = 0x04                   # single key A
        arrays[11][6], arrays[12][6], arrays[13][6] = 0x01, 0x06, 0x19  # Ctrl + C + V
        arrays[14][7], arrays[15][7] = 2, 1    # macro 3, repeat mode 2
        arrays[1][8], arrays[2][8] = 3, 0xE2   # media row and usage
        arrays[6][8], arrays[7][8], arrays[8][8], arrays[9][8] = 1, 0x04, 5, 3
        for a in arrays:
            buttons += a
    macros = bytearray()
    for n in range(12):
        block = bytearray(128)
        block[0:2] = struct.pack(">H", n)
        events = bytes([0x05, 0x04, 0x85, 0x04]) if n % 2 else bytes([71, 0x04, 12, 0x03, 0x80, 0x04])
        block[2:2 + len(events)] = events
        macros += block
    tail = bytearray(2021 - len(buttons) - len(macros))
    # offsets in the record minus 1920
    def put(offset, values):
        tail[offset - 1920:offset - 1920 + len(values)] = bytes(values)
    put(1925, [1])                      # 1000 Hz
    put(1927, [2, 5, 8, 11])            # DPI levels
    put(1931, [1, 1, 1, 0])
    put(1947, [1, 9, 2, 7, 0, 0, 0])    # standard lighting, parameters
    put(1955, [1, 0, 6, 3, 6, 0])       # pointer settings, mode A
    put(1961 + 5, [3])
    put(1985, [1, 1, 0, 1, 0, 0, 0, 0])
    put(1993, [255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255])
    put(2017, [0x37, 0x05, 0, 0])
    record = bytes(buttons + macros + tail)
    assert len(record) == 2021
    return bytes([first_run]) + record


def config_seeds():
    write("config_bin", "saved", config_image(1))
    write("config_bin", "never-saved", config_image(0))
    write("config_bin", "zeros", bytes(2022))
    write("config_bin", "all-ff", b"\xff" * 2022)
    write("config_bin", "one-byte-short", config_image(1)[:-1])
    write("config_bin", "one-byte-long", config_image(1) + b"\0")
    write("config_bin", "empty", b"")


# ---- HID report descriptors -------------------------------------------------

def item(prefix, *values):
    return bytes([prefix]) + bytes(values)


# Usage page (2 bytes), usage, collection, ..., end collection.
VENDOR_COMMAND = (
    item(0x06, 0x00, 0xFF) + item(0x09, 0x00) + item(0xA1, 0x01) +
    item(0x15, 0x00) + item(0x26, 0xFF, 0x00) + item(0x75, 0x08) +
    item(0x95, 0x0F) + item(0x09, 0x01) + item(0xB1, 0x02) +      # feature: 15 bytes
    item(0x95, 0x20) + item(0x09, 0x02) + item(0x81, 0x02) +      # input: 32 bytes
    item(0x95, 0x20) + item(0x09, 0x03) + item(0x91, 0x02) +      # output: 32 bytes
    item(0xC0)
)
VENDOR_EVENTS = (
    item(0x06, 0x01, 0xFF) + item(0x09, 0x01) + item(0xA1, 0x01) + item(0x85, 0x06) +
    item(0x75, 0x08) + item(0x95, 0x07) + item(0x09, 0x01) + item(0x81, 0x02) + item(0xC0)
)
BOOT_MOUSE = (
    item(0x05, 0x01) + item(0x09, 0x02) + item(0xA1, 0x01) + item(0x09, 0x01) + item(0xA1, 0x00) +
    item(0x05, 0x09) + item(0x19, 0x01) + item(0x29, 0x03) + item(0x15, 0x00) + item(0x25, 0x01) +
    item(0x95, 0x03) + item(0x75, 0x01) + item(0x81, 0x02) + item(0x95, 0x01) + item(0x75, 0x05) +
    item(0x81, 0x01) + item(0x05, 0x01) + item(0x09, 0x30) + item(0x09, 0x31) + item(0x15, 0x81) +
    item(0x25, 0x7F) + item(0x75, 0x08) + item(0x95, 0x02) + item(0x81, 0x06) + item(0xC0) + item(0xC0)
)


def descriptor_seeds():
    write("report_descriptor", "command-collection", VENDOR_COMMAND)
    write("report_descriptor", "command-and-events", VENDOR_COMMAND + VENDOR_EVENTS)
    write("report_descriptor", "boot-mouse", BOOT_MOUSE)
    # Push and pop, a four-byte usage with its page, and a long item.
    write("report_descriptor", "push-pop-long-item",
          item(0x05, 0x01) + item(0xA4) + item(0x0B, 0x01, 0x00, 0x00, 0xFF) + item(0xA1, 0x01) +
          item(0x75, 0x10) + item(0x97, 0x00, 0x01, 0x00, 0x00) + item(0x81, 0x02) + item(0xB4) +
          bytes([0xFE, 0x02, 0x10, 0xAA, 0xBB]) + item(0xC0))
    write("report_descriptor", "cut-short", VENDOR_COMMAND[:-3])
    write("report_descriptor", "hid-id", b"0003:000004D9:0000A09F")


# ---- record.ini -------------------------------------------------------------

def section(name, lines):
    text = "[%s]\nItemCount=%d\n" % (name, len(lines))
    for i, line in enumerate(lines):
        text += "Item%d=%s\n" % (i, line)
    return text


def many(name, n, pause):
    lines = []
    for i in range(n):
        lines += ["A   Up" if i % 2 else "A   Dn", pause]
    return section(name, lines)


def macro_seeds():
    write("macro_blocks", "tap-and-combo",
          (section("tap", ["A   Dn", "50 ms", "A   Up"]) +
           section("combo", ["L-Ctrl   Dn", "20 ms", "C   Dn", "1550 ms", "C   Up", "10 ms", "L-Ctrl   Up"])).encode())
    write("macro_blocks", "cut", (many("short", 64, "50 ms") + many("long", 32, "2000 ms")).encode())
    write("macro_blocks", "thirteen-sections",
          "".join(section("m%d" % i, ["B   Dn", "%d ms" % (i * 100)]) for i in range(13)).encode())
    write("macro_blocks", "damaged",
          b"[sparse]\nItemCount=7\nItem0=A   Dn\nItem1=50 ms\nItem4=A   Up\nItem6=B   Dn\n"
          b"[huge count]\nItemCount=2000000000\nItem0=X   Dn\n"
          b"[negative]\nItemCount=-3\nItem0=A   Dn\n[empty]\nItemCount=0\nItem0=A   Dn\n"
          b"[ Quoted ]\nitemcount = \"2\"\nITEM0='Space   Up'\nitem1=  99999999999 ms  \n\x00\xff")
    write("macro_blocks", "windows-utf16", utf16(section("\u5b8f", ["F1   Dn", "30 ms", "F1   Up"]).replace("\n", "\r\n")))


# ---- str.ini ----------------------------------------------------------------

def str_seeds():
    write("str_ini", "english-labels", STR_INI.encode())
    write("str_ini", "windows-three-languages", utf16(
        WINDOWS_STR_INI + "[Setting-CHS]\r\nItem1=\u5de6\u952e\r\nItem93=x\r\n[Setting-CHT]\r\nItem12=\u53f3\r\n"))
    write("str_ini", "hostile-path", b"[Skins]\nPath=../../etc\nRColor=-1\nGColor=99999999999\nBColor= 12abc\n")
    write("str_ini", "quotes-blanks-long",
          b"[Setting-EN]\nItem1=\"  spaced  \"\nItem2='q'\nItem3=" + b"\xc3\xa9" * 1100 + b"\nItem4=a\rb\n"
          b"[skins]\npath=\"Crimson\"\n[Other]\nkeep=me\n")


# ---- the device link --------------------------------------------------------

def link_input(events=(), first_run=1, refuse_plain=True, accept=True, open_fails=False, steps=()):
    c = Choices()
    for b in b"\x11\x22\x33\x44\x55\x66":  # the scramble key
        c.byte(b)
    c.number(len(events), 0, 24)
    for report in events:
        c.number(len(report), 0, 48)
        c.data(report)
    c.flag(first_run)
    # Two interfaces of the mouse: the command collection, then the events.
    c.number(2, 0, 5)
    for usage, lengths in ((0, (5, 9, 10)), (1, (0, 10, 0))):  # indexes into the harness's length table
        c.number(usage, 0, 3).byte(0).number(usage, 0, 3)
        for length in lengths:
            c.flag(True).number(length, 0, 13)
    c.byte(1 if open_fails else 0)   # the command collection opens (or not)
    if not open_fails:
        c.byte(0)                    # the event collection opens
        c.byte(0).number(0 if refuse_plain else 1, 0, 3)  # plain probe: no answer, or echoed
        if refuse_plain:
            c.byte(0).number(1 if accept else 0, 0, 3)    # scrambled probe echoed
        if accept:
            # The status exchange of the first read: the status (sensor type 2), written back.
            c.byte(0).number(2, 0, 3)
            for i, value in enumerate([0x83, 2, 1, 0, 0, 0]):
                c.flag(i == 1).byte(value) if i == 1 else c.flag(False)
            c.byte(0)
    for step in steps:
        c.number(step, 0, 5)
        if step == 2:
            c.number(0, 0, 8)  # no edit: then the apply with a mouse that has gone quiet
    return c.bytes()


def link_seeds():
    events = [bytes([0, 6, 7, 0, 2]), bytes([0, 6, 5, 0, 1]), bytes([1]), bytes([0, 6, 9, 0, 200]),
              bytes([0, 5, 7, 0, 3]), bytes([2])]
    write("device_link", "accepted-then-apply", link_input(events=events, steps=(2,)))
    write("device_link", "first-run-then-unplug", link_input(first_run=0, steps=(4, 3, 1)))
    write("device_link", "plain-dialect-refused", link_input(refuse_plain=False, accept=False, steps=(0,)))
    write("device_link", "silent-mouse", link_input(accept=False, steps=(2, 5)))
    write("device_link", "cannot-open", link_input(open_fails=True, steps=(0,)))


def main():
    ini_seeds()
    config_seeds()
    descriptor_seeds()
    macro_seeds()
    str_seeds()
    link_seeds()
    return 0


if __name__ == "__main__":
    sys.exit(main())
