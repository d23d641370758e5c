#!/usr/bin/env python3
"""Makes the benchmark's inputs with the standard library only: two 4096 x 4096 pictures (24-bit
and 8-bit with a palette) and their PNG twins (RGBA, and indexed with the same colour table), a
ten-minute 44.1 kHz 16-bit stereo sound and 1,000 tiles of 32 x 32; for the palette rows a
4096 x 4096 RGBA PNG of about 30,000 colours and three 512 x 512 pictures of thousands of colours
(a gradient, a plasma, a noisy photograph-like shading) as PNG and as PPM.
The content is reproducible noise, so every colour value and literal length occurs. Files that
already exist with the right size are kept: the inputs are made once per checkout."""
import os
import random
import struct
import sys
import zlib

SIDE = 4096
TILES = 1000
TILE_SIDE = 32
SOUND_SECONDS = 600
RATE = 44100


def bmp_bytes_header(width, height, bpp, palette_entries):
    row = (width * bpp // 8 + 3) & ~3
    offset = 14 + 40 + 4 * palette_entries
    size = offset + row * height
    file_header = b"BM" + struct.pack("<IHHI", size, 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0, row * height, 2835, 2835,
                       palette_entries if bpp == 8 else 0, 0)
    return file_header + info, row, size


def write_bmp(path, width, height, bpp, rng, noise):
    palette = 256 if bpp == 8 else 0
    header, row, size = bmp_bytes_header(width, height, bpp, palette)
    if os.path.exists(path) and os.path.getsize(path) == size:
        return
    with open(path + ".tmp", "wb") as f:
        f.write(header)
        if palette:
            f.write(bytes(b for i in range(256) for b in (rng.randrange(256), rng.randrange(256),
                                                         rng.randrange(256), 0)))
        # Each row is a different window of the noise block: fast, and no two rows alike.
        for y in range(height):
            start = (y * 7919) % (len(noise) - row)
            f.write(noise[start:start + row])
    os.replace(path + ".tmp", path)


def png_chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def write_png_twin(bmp_path, path):
    """The bitmap's very picture as a PNG: RGBA (opaque) for a 24-bit one, indexed with the same
    colour table for an 8-bit one; rows top first, each with filter byte 0."""
    if os.path.exists(path) and os.path.getmtime(path) >= os.path.getmtime(bmp_path):
        return
    with open(bmp_path, "rb") as f:
        bmp = f.read()
    offset, width, height, bpp = (struct.unpack_from("<I", bmp, 10)[0],
                                  *struct.unpack_from("<iiHH", bmp, 18)[:2],
                                  struct.unpack_from("<H", bmp, 28)[0])
    row = (width * bpp // 8 + 3) & ~3
    squeeze = zlib.compressobj(6)
    parts = []
    for y in range(height):
        stored = bmp[offset + (height - 1 - y) * row:][:width * bpp // 8]
        if bpp == 24:
            rgba = bytearray(b"\xff" * (4 * width))
            rgba[0::4], rgba[1::4], rgba[2::4] = stored[2::3], stored[1::3], stored[0::3]
            stored = bytes(rgba)
        parts.append(squeeze.compress(b"\x00" + stored))
    parts.append(squeeze.flush())
    header = struct.pack(">IIBBBBB", width, height, 8, 6 if bpp == 24 else 3, 0, 0, 0)
    chunks = [png_chunk(b"IHDR", header)]
    if bpp == 8:
        table = bmp[54:54 + 1024]
        chunks.append(png_chunk(b"PLTE", bytes(b for e in range(256)
                                               for b in (table[4 * e + 2], table[4 * e + 1],
                                                         table[4 * e]))))
    chunks += [png_chunk(b"IDAT", b"".join(parts)), png_chunk(b"IEND", b"")]
    with open(path + ".tmp", "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + b"".join(chunks))
    os.replace(path + ".tmp", path)


def write_png(path, width, height, rows, colour_type):
    """A PNG of the given rows (bytes, filter 0 added here), RGB (2) or RGBA (6)."""
    squeeze = zlib.compressobj(6)
    parts = [squeeze.compress(b"\x00" + r) for r in rows]
    parts.append(squeeze.flush())
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    with open(path + ".tmp", "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) +
                png_chunk(b"IDAT", b"".join(parts)) + png_chunk(b"IEND", b""))
    os.replace(path + ".tmp", path)


def write_many_colours(path, rng, colours=30000):
    """4096 x 4096 RGBA, every pixel one of `colours` random opaque colours: each row a window
    (on a pixel boundary) of a block of 2^18 pixels drawn from them."""
    if os.path.exists(path):
        return
    table = [bytes((rng.randrange(256), rng.randrange(256), rng.randrange(256), 255))
             for _ in range(colours)]
    block = b"".join(table[i % colours] if i < colours else table[rng.randrange(colours)]
                     for i in range(1 << 18))
    rows = (block[4 * ((y * 7919) % ((1 << 18) - SIDE)):][:4 * SIDE] for y in range(SIDE))
    write_png(path, SIDE, SIDE, rows, 6)


QUALITY_SIDE = 512


def quality_pixel(kind, x, y, rng):
    """One pixel (r, g, b) of the quality pictures."""
    import math
    if kind == "gradient":
        return x // 2, y // 2, (x + y) // 4
    if kind == "plasma":
        v = (math.sin(x / 37.0) + math.sin(y / 23.0) + math.sin((x + y) / 61.0) +
             math.sin(math.hypot(x - 256, y - 200) / 19.0))
        return (int(127.5 + 31.8 * v), int(127.5 + 127 * math.sin(x / 29.0 - y / 41.0)),
                int(127.5 - 31.8 * v))
    # A lit sphere on a shaded wall, with the sensor noise of a photograph.
    d = math.hypot(x - 280, y - 240) / 170.0
    base = (90 + y // 8, 70 + x // 10, 60) if d > 1 else (
        int(230 * (1 - d * d) ** 0.5) + 20, int(120 * (1 - d * d) ** 0.5) + 30, 40 + x // 16)
    return tuple(min(255, max(0, c + int(rng.gauss(0, 6)))) for c in base)


def write_quality(out, kind, rng):
    png, ppm = os.path.join(out, "q-%s.png" % kind), os.path.join(out, "q-%s.ppm" % kind)
    if os.path.exists(png) and os.path.exists(ppm):
        return
    rows = [bytes(c for x in range(QUALITY_SIDE) for c in quality_pixel(kind, x, y, rng))
            for y in range(QUALITY_SIDE)]
    write_png(png, QUALITY_SIDE, QUALITY_SIDE, rows, 2)
    with open(ppm, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (QUALITY_SIDE, QUALITY_SIDE) + b"".join(rows))


def write_wav(path, seconds, rng):
    block_align = 4
    data_size = seconds * RATE * block_align
    size = 44 + data_size
    if os.path.exists(path) and os.path.getsize(path) == size:
        return
    second = rng.randbytes(RATE * block_align)
    with open(path + ".tmp", "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", size - 8) + b"WAVE")
        f.write(b"fmt " + struct.pack("<IHHIIHH", 16, 1, 2, RATE, RATE * block_align,
                                      block_align, 16))
        f.write(b"data" + struct.pack("<I", data_size))
        for s in range(seconds):
            # Rotate the second's noise so the file does not repeat every 176,400 bytes.
            k = (s * 4 * 977) % len(second)
            f.write(second[k:] + second[:k])
    os.replace(path + ".tmp", path)


def main():
    out = sys.argv[1]
    os.makedirs(os.path.join(out, "tiles"), exist_ok=True)
    rng = random.Random(20240601)
    noise = rng.randbytes(1 << 20)
    write_bmp(os.path.join(out, "pic24.bmp"), SIDE, SIDE, 24, rng, noise)
    write_bmp(os.path.join(out, "pic8.bmp"), SIDE, SIDE, 8, rng, noise)
    write_png_twin(os.path.join(out, "pic24.bmp"), os.path.join(out, "pic32.png"))
    write_png_twin(os.path.join(out, "pic8.bmp"), os.path.join(out, "pic8.png"))
    write_wav(os.path.join(out, "sound.wav"), SOUND_SECONDS, rng)
    write_many_colours(os.path.join(out, "many.png"), random.Random(30000))
    for kind in ("gradient", "plasma", "photo"):
        write_quality(out, kind, random.Random(kind))
    for i in range(TILES):
        bpp = 8 if i % 2 == 0 else 24  # tile sheets come both ways
        write_bmp(os.path.join(out, "tiles", "tile%04d.bmp" % i), TILE_SIDE, TILE_SIDE, bpp, rng,
                  noise)


if __name__ == "__main__":
    main()
