#!/usr/bin/env python3
"""Pictures for the end-to-end tests, without an image library.

pixels.py gif WIDTH HEIGHT RRGGBB OUT   writes a GIF of one flat colour
pixels.py at XWD X Y                    prints the colour (RRGGBB) at X,Y of an xwd screenshot
"""
import struct
import sys


def write_gif(width, height, colour, out):
    rgb = bytes.fromhex(colour)
    # A 128-colour table makes every LZW code one byte wide, so the pixels can go out as
    # literal codes, with a clear code often enough that the decoder's table never widens them.
    palette = rgb + bytes(3 * 127)
    clear, end = 128, 129
    codes = bytearray()
    pixels = width * height
    while pixels:
        run = min(pixels, 100)
        codes += bytes([clear]) + bytes(run)
        pixels -= run
    codes += bytes([end])
    blocks = b"".join(bytes([len(codes[i:i + 255])]) + codes[i:i + 255] for i in range(0, len(codes), 255))
    with open(out, "wb") as f:
        f.write(b"GIF89a" + struct.pack("<HHBBB", width, height, 0xF6, 0, 0) + palette)
        f.write(b"," + struct.pack("<HHHHB", 0, 0, width, height, 0) + bytes([7]) + blocks + b"\x00;")


def pixel_at(path, x, y):
    with open(path, "rb") as f:
        data = f.read()
    fields = struct.unpack(">25I", data[:100])
    header_size, _, pixmap_format, _, width, height = fields[:6]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    red_mask, green_mask, blue_mask = fields[14:17]
    colours = fields[19]
    if pixmap_format != 2 or bits_per_pixel != 32 or not (0 <= x < width and 0 <= y < height):
        sys.exit(f"unexpected screenshot: format {pixmap_format}, {bits_per_pixel} bits, {width}x{height}")
    start = header_size + 12 * colours + y * bytes_per_line + 4 * x
    value = int.from_bytes(data[start:start + 4], "little" if byte_order == 0 else "big")

    def channel(mask):
        shift = (mask & -mask).bit_length() - 1
        return (value & mask) >> shift

    return f"{channel(red_mask):02X}{channel(green_mask):02X}{channel(blue_mask):02X}"


if __name__ == "__main__":
    if sys.argv[1] == "gif":
        write_gif(int(sys.argv[2]), int(sys.argv[3]), sys.argv[4], sys.argv[5])
    elif sys.argv[1] == "at":
        print(pixel_at(sys.argv[2], int(sys.argv[3]), int(sys.argv[4])))
    else:
        sys.exit(__doc__)
