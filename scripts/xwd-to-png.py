#!/usr/bin/env python3
"""xwd-to-png.py XWD OUT: writes a 32-bit xwd screenshot (as xwd takes of a window) as a PNG,
without an image library."""
import struct
import sys
import zlib


def channel(value, mask):
    return (value & mask) >> ((mask & -mask).bit_length() - 1)


def convert(path, out):
    with open(path, "rb") as f:
        data = f.read()
    fields = struct.unpack(">25I", data[:100])
    header_size, _, pixmap_format, _, width, height = fields[:6]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    masks, colours = fields[14:17], fields[19]
    if pixmap_format != 2 or bits_per_pixel != 32:
        sys.exit(f"unexpected screenshot: format {pixmap_format}, {bits_per_pixel} bits")
    order = "little" if byte_order == 0 else "big"
    rows = bytearray()
    for y in range(height):
        start = header_size + 12 * colours + y * bytes_per_line
        rows.append(0)
        for x in range(width):
            value = int.from_bytes(data[start + 4 * x:start + 4 * x + 4], order)
            rows += bytes(channel(value, mask) for mask in masks)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    with open(out, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    convert(sys.argv[1], sys.argv[2])
