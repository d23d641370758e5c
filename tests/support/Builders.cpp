// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Builders.h"

#include <algorithm>
#include <bit>

namespace tessera::test {

Picture Picture::pattern(int width, int height, int bpp) {
    Picture p{width, height, bpp, {}, {}};
    std::uint32_t seed = 12345u + static_cast<std::uint32_t>(width * 31 + height * 7 + bpp);
    for (int i = 0; i < width * height; ++i) {
        seed = seed * 1103515245u + 12345u;
        p.pixels.push_back(bpp == 8 ? (seed >> 16) & 0xFF : (seed >> 8) & 0xFFFFFF);
    }
    for (int i = 0; bpp == 8 && i < 256; ++i)
        p.palette.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                             static_cast<std::uint8_t>(i * 7)});
    return p;
}

namespace {

// One pixel's bytes: an index, or r, g, b (RAW) or b, g, r (bitmap).
void appendPixel(Bytes& out, std::uint32_t v, int bpp, bool bgr) {
    for (int i = 0; i < bpp / 8; ++i)  // shifts 0, 8, 16 for b, g, r
        out.push_back(static_cast<std::uint8_t>(v >> 8 * (bgr ? i : bpp / 8 - 1 - i)));
}

// A colour (0xRRGGBB) in bit fields: each channel's top bits at its mask, the rest set.
std::uint32_t packFields(std::uint32_t rgb, const std::array<std::uint32_t, 3>& masks) {
    std::uint32_t out = ~(masks[0] | masks[1] | masks[2]);
    for (int c = 0; c < 3; ++c) {
        const std::uint32_t value = rgb >> (16 - 8 * c) & 0xFF;
        const int width = std::popcount(masks[c]), shift = std::countr_zero(masks[c]);
        out |= (value >> (8 - width)) << shift & masks[c];
    }
    return out;
}

// RLE8: repeats as encoded runs, three or more distinct bytes as absolute runs.
void encodeRle8Row(const Bytes& row, Bytes& out) {
    auto repeats = [&](std::size_t k) { return k + 1 < row.size() && row[k] == row[k + 1]; };
    for (std::size_t i = 0, n = 1; i < row.size(); i += n, n = 1) {
        const bool run = repeats(i);
        while (i + n < row.size() && n < 255 && (run ? row[i + n] == row[i] : !repeats(i + n)))
            ++n;
        if (run || n < 3) {
            n = run ? n : 1;
            out.insert(out.end(), {static_cast<std::uint8_t>(n), row[i]});
            continue;
        }
        out.insert(out.end(), {0, static_cast<std::uint8_t>(n)});
        out.insert(out.end(), row.begin() + static_cast<long>(i),
                   row.begin() + static_cast<long>(i + n));
        if (n % 2)
            out.push_back(0);
    }
    out.insert(out.end(), {0, 0});  // end of line
}

// RLE4: absolute runs of up to 5 indices (odd, so their padding is exercised) between encoded
// runs of two indices in turn.
void encodeRle4Row(const Bytes& indices, Bytes& out) {
    auto nibbles = [&](std::size_t k, std::size_t end) {
        return static_cast<std::uint8_t>(indices[k] << 4 | (k + 1 < end ? indices[k + 1] : 0));
    };
    for (std::size_t i = 0; i < indices.size();) {
        const std::size_t n = std::min<std::size_t>(5, indices.size() - i);
        if (n >= 3) {
            out.insert(out.end(), {0, static_cast<std::uint8_t>(n)});
            for (std::size_t k = 0; k < n; k += 2)
                out.push_back(nibbles(i + k, i + n));
            if ((n + 1) / 2 % 2)
                out.push_back(0);
            i += n;
        }
        const std::size_t m = std::min<std::size_t>(2, indices.size() - i);
        if (m > 0)
            out.insert(out.end(), {static_cast<std::uint8_t>(m), nibbles(i, i + m)});
        i += m;
    }
    out.insert(out.end(), {0, 0});  // end of line
}

// Row `row` as the file stores it, before any padding or run-length coding.
Bytes storedRow(const Picture& p, int row, int bits, const BmpOptions& o) {
    Bytes r;
    for (int col = 0; col < p.width; ++col) {
        const std::uint32_t v = p.at(row, col);
        if (bits < 8 && o.compression != 2) {
            if (col * bits % 8 == 0)
                r.push_back(0);
            r.back() |= static_cast<std::uint8_t>(v << (8 - bits - col * bits % 8));
        } else if (bits == 16 || bits == 32) {
            appendPixel(r, packFields(v, o.masks), bits, true);
        } else {
            appendPixel(r, v, bits < 8 ? 8 : bits, true);
        }
    }
    return r;
}

Bytes bmpHeaders(const Picture& p, const BmpOptions& o, int bits, std::size_t dataOffset,
                 std::size_t dataSize, std::size_t paletteEntries) {
    Bytes b{'B', 'M'};
    for (const auto v : {std::uint32_t(dataOffset + dataSize), 0u, std::uint32_t(dataOffset)})
        appendLe32(b, v);
    if (o.infoSize == 12) {  // 16-bit width and height, planes, bits
        appendLe32(b, 12);
        for (const int v : {p.width, p.height, 1, bits})
            b.insert(b.end(), {std::uint8_t(v), std::uint8_t(v >> 8)});
        return b;
    }
    for (const auto v :
         {o.infoSize, std::uint32_t(p.width), std::uint32_t(o.topDown ? -p.height : p.height),
          std::uint32_t(1 | bits << 16), o.compression, std::uint32_t(dataSize), 2835u, 2835u,
          std::uint32_t(paletteEntries % 256), 0u})
        appendLe32(b, v);
    b.resize(14 + o.infoSize, 0);
    if (o.compression == 3) {  // masks: in the header when it is long enough, else after it
        b.resize(std::max<std::size_t>(b.size(), 54 + 12), 0);
        for (int c = 0; c < 3; ++c)
            putLe32(b, 54 + 4 * static_cast<std::size_t>(c), o.masks[static_cast<std::size_t>(c)]);
    }
    return b;
}

}  // namespace

Bytes buildBmp(const Picture& p, const BmpOptions& o) {
    const int bits = o.bits != 0 ? o.bits : p.bpp;
    const std::size_t paletteEntries = bits <= 8 ? p.palette.size() : 0;
    const std::size_t entrySize = o.infoSize == 12 ? 3 : 4;
    const std::size_t masks = (o.compression == 3 && o.infoSize == 40) ? 12 : 0;
    const std::size_t dataOffset = 14 + o.infoSize + masks + entrySize * paletteEntries;
    Bytes pixels;
    for (int n = 0; n < p.height; ++n) {
        Bytes r = storedRow(p, o.topDown ? n : p.height - 1 - n, bits, o);  // bottom-up unless
        if (o.compression == 1) {
            encodeRle8Row(r, pixels);
        } else if (o.compression == 2) {
            encodeRle4Row(r, pixels);
        } else {
            r.resize((r.size() + 3) / 4 * 4, 0);
            pixels.insert(pixels.end(), r.begin(), r.end());
        }
    }
    if (o.compression == 1 || o.compression == 2)
        pixels.insert(pixels.end(), {0, 1});  // end of bitmap

    Bytes b = bmpHeaders(p, o, bits, dataOffset, pixels.size(), paletteEntries);
    for (std::size_t i = 0; i < paletteEntries; ++i) {
        b.insert(b.end(), {p.palette[i][2], p.palette[i][1], p.palette[i][0]});
        if (entrySize == 4)
            b.push_back(0);
    }
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

Bytes buildRaw(const Picture& p) {
    Bytes out;
    for (const auto v : p.pixels)
        appendPixel(out, v, p.bpp, false);
    return out;
}

Bytes buildWav(const Bytes& data, const WavOptions& o) {
    auto chunk = [](Bytes& b, const std::array<char, 4>& id, const Bytes& body, bool pad = true) {
        b.insert(b.end(), id.begin(), id.end());
        appendLe32(b, static_cast<std::uint32_t>(body.size()));
        b.insert(b.end(), body.begin(), body.end());
        if (pad && body.size() % 2)
            b.push_back(0);
    };
    const auto align = static_cast<std::uint16_t>(o.channels * ((o.bits + 7) / 8));
    Bytes fmt;
    for (const std::uint32_t v : {o.format | std::uint32_t(o.channels) << 16, o.rate,
                                  o.rate * align, align | std::uint32_t(o.bits) << 16})
        appendLe32(fmt, v);
    if (o.format == 0xFFFE) {  // size of the extension, valid bits, channel mask, coding GUID
        for (const std::uint32_t v :
             {22u | std::uint32_t(o.bits) << 16, 0u, std::uint32_t{o.subFormat}, 0x00100000u,
              0xAA000080u, 0x719B3800u})
            appendLe32(fmt, v);
    }
    fmt.resize(std::max<std::size_t>(o.fmtSize, fmt.size()), 0);

    Bytes body{'W', 'A', 'V', 'E'};
    for (const auto& [id, c] : o.chunksBeforeFmt)
        chunk(body, id, c);
    chunk(body, {'f', 'm', 't', ' '}, fmt);
    for (const auto& [id, c] : o.chunksBeforeData)
        chunk(body, id, c);
    chunk(body, {'d', 'a', 't', 'a'}, data, false);
    Bytes b;
    chunk(b, {'R', 'I', 'F', 'F'}, body, false);
    return b;
}

}  // namespace tessera::test
