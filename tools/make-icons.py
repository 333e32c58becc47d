#!/usr/bin/env python3
"""Draws the five module icons: each .ico holds a 16 x 16 image with 16 colours
(4 bits per pixel) and one with 256 colours (8 bits per pixel). The pictures
are small pixel maps kept here; run this again after changing one."""
import os
import struct

VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]

# '.' is transparent; a hex digit is an index into the 16-colour palette.
PICTURES = {
    "email": [  # an envelope
        "................", "................", "................", "FFFFFFFFFFFFFFFF",
        "F7FFFFFFFFFFFF7F", "FF7FFFFFFFFFF7FF", "FFF7FFFFFFFF7FFF", "FFFF7FFFFFF7FFFF",
        "FFFFF7FFFF7FFFFF", "FFFF7F7FF7F7FFFF", "FFF7FFF77FFF7FFF", "FF7FFFFFFFFFF7FF",
        "F7FFFFFFFFFFFF7F", "FFFFFFFFFFFFFFFF", "................", "................"],
    "web": [  # a globe
        ".....444444.....", "...4CCEECCCC4...", "..4CEEECCCCCC4..", ".4CCEEEECCCCCC4.",
        ".4CCCEEECCCAAC4.", "4CCCCCECCCAAAAC4", "4CCCCCCCCAAAAAC4", "4CCCCCCCCCAAACC4",
        "4CCAACCCCCCACCC4", "4CAAAACCCCCCCCC4", "4CAAAAACCCCCCCC4", ".4CAAACCCCCCCC4.",
        ".4CCAACCCCCCCC4.", "..4CCCCCCCCCC4..", "...4CCCCCCCC4...", ".....444444....."],
    "print": [  # a printer with a page
        "....FFFFFFFF....", "....F000000F....", "....F0FFFF0F....", "....FFFFFFFF....",
        "8888888888888888", "8777777777777778", "877777777777AA78", "8777777777777778",
        "8777777777777778", "8888888888888888", "8888FFFFFFFF8888", "....F9999BBF....",
        "....FB999BBF....", "....F999BBBF....", "....FFFFFFFF....", "................"],
    "rotate": [  # a quarter-turn arrow
        "................", ".....222222.....", "...2222222222...", "..222......222..",
        ".222........222.", ".22..........22.", "222..........222", "22............22",
        "22............22", "22.........22222", "22..........222.", ".22..........2..",
        ".222............", "..222...........", "...2222.........", ".....22........."],
    "swiftpage": [  # a photo on a portrait page
        "...FFFFFFFFFF...", "...F77777777F...", "...F7CCCCCC7F...", "...F7CCCBCC7F...",
        "...F7CCCCCC7F...", "...F7CC2CCC7F...", "...F7C222CC7F...", "...F722222C7F...",
        "...F77777777F...", "...F77777777F...", "...F70000007F...", "...F77777777F...",
        "...F70000777F...", "...F77777777F...", "...FFFFFFFFFF...", "................"],
}


def palette_256():
    colours = list(VGA)
    for r in range(6):
        for g in range(6):
            for b in range(6):
                colours.append((r * 51, g * 51, b * 51))
    while len(colours) < 256:
        grey = (len(colours) - 232) * 10 + 8
        colours.append((grey, grey, grey))
    return colours[:256]


def image(rows, bits):
    colours = VGA if bits == 4 else palette_256()
    header = struct.pack("<IiiHHIIiiII", 40, 16, 32, 1, bits, 0, 0, 0, 0, len(colours), 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in colours)
    xor, mask = b"", b""
    for row in reversed(rows):  # bottom-up
        indices = [0 if c == "." else int(c, 16) for c in row]
        if bits == 4:
            xor += bytes((indices[i] << 4) | indices[i + 1] for i in range(0, 16, 2))
        else:
            xor += bytes(indices)
        bitsrow = 0
        for c in row:
            bitsrow = (bitsrow << 1) | (1 if c == "." else 0)
        mask += struct.pack(">H", bitsrow) + b"\0\0"  # rows padded to 32 bits
    return header + table + xor + mask


def icon_file(rows):
    images = [(4, image(rows, 4)), (8, image(rows, 8))]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for bits, data in images:
        colours = 16 if bits == 4 else 0
        out += struct.pack("<BBBBHHII", 16, 16, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


if __name__ == "__main__":
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
    for name, rows in PICTURES.items():
        assert len(rows) == 16 and all(len(r) == 16 for r in rows), name
        with open(os.path.join(root, name, name + ".ico"), "wb") as f:
            f.write(icon_file(rows))
