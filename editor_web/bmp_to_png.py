#!/usr/bin/python3
"""Writes the editor's button pictures (uncompressed 24- or 32-bit BMP files) as PNG files
for the page: bmp_to_png.py OUT_FOLDER FILE.bmp... -> OUT_FOLDER/FILE.png. The standard
library only (zlib); exits 1 with a message for a BMP it cannot read.
"""
import os
import struct
import sys
import zlib


def read_bmp(path):
    """(width, height, rows of RGB bytes, top row first) of an uncompressed BMP."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM" or len(data) < 54:
        raise ValueError("not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, planes, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits not in (24, 32) or compression not in (0, 3) or width <= 0 or height == 0:
        raise ValueError(f"{bits}-bit BMP with compression {compression} is not supported")
    step = bits // 8
    stride = (width * step + 3) // 4 * 4
    rows = []
    for r in range(abs(height)):
        start = offset + r * stride
        line = data[start:start + width * step]
        if len(line) < width * step:
            raise ValueError("the file ends inside the picture")
        rgb = bytearray()
        for x in range(width):
            b, g, red = line[x * step:x * step + 3]
            rgb += bytes((red, g, b))
        rows.append(bytes(rgb))
    if height > 0:  # stored bottom row first
        rows.reverse()
    return width, abs(height), rows


def png_bytes(width, height, rows):
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    raw = b"".join(b"\x00" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    if len(sys.argv) < 3:
        print("usage: bmp_to_png.py OUT_FOLDER FILE.bmp...", file=sys.stderr)
        return 2
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for path in sys.argv[2:]:
        try:
            width, height, rows = read_bmp(path)
        except (OSError, ValueError, struct.error) as e:
            print(f"bmp_to_png: {path}: {e}", file=sys.stderr)
            return 1
        name = os.path.splitext(os.path.basename(path))[0] + ".png"
        with open(os.path.join(out, name), "wb") as f:
            f.write(png_bytes(width, height, rows))
    return 0


if __name__ == "__main__":
    sys.exit(main())
