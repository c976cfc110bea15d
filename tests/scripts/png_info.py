#!/usr/bin/env python3
"""Reads an 8-bit RGBA PNG file strictly (every chunk's CRC, the zlib stream's
checksum, the row filters) and prints its width, height and the opacity of a
corner and of the centre: "W H CORNER_ALPHA CENTRE_ALPHA". Exits 1 with a
reason on anything a picture viewer would reject."""
import struct
import sys
import zlib


def fail(reason):
    print(f"{sys.argv[1]}: {reason}")
    sys.exit(1)


def main():
    data = open(sys.argv[1], "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        fail("no PNG signature")
    pos, chunks = 8, []
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        (crc,) = struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])
        if zlib.crc32(kind + body) != crc:
            fail(f"bad CRC in {kind!r}")
        chunks.append((kind, body))
        pos += 12 + length
    if chunks[0][0] != b"IHDR" or chunks[-1][0] != b"IEND":
        fail("IHDR or IEND missing")
    width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", chunks[0][1])
    if (depth, colour, interlace) != (8, 6, 0):
        fail("not 8-bit RGBA without interlace")
    raw = zlib.decompress(b"".join(b for k, b in chunks if k == b"IDAT"))  # checks Adler-32
    stride = 1 + 4 * width
    if len(raw) != stride * height:
        fail("image data of the wrong size")
    if any(raw[y * stride] != 0 for y in range(height)):
        fail("a row with a filter this reader does not undo")

    def alpha(x, y):
        return raw[y * stride + 1 + 4 * x + 3]

    print(width, height, alpha(0, 0), alpha(width // 2, height // 2))


main()
