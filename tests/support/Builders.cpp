#include "support/Builders.h"

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

}  // namespace

Bytes buildBmp(const Picture& p, const BmpOptions& o) {
    const std::size_t paletteEntries = p.bpp == 8 ? p.palette.size() : 0;
    const std::size_t masks = (o.compression == 3 && o.infoSize == 40) ? 12 : 0;
    const std::size_t dataOffset = 14 + o.infoSize + masks + 4 * paletteEntries;
    Bytes pixels;
    for (int n = 0; n < p.height; ++n) {
        const int row = o.topDown ? n : p.height - 1 - n;  // bottom-up unless top-down
        Bytes r;
        for (int col = 0; col < p.width; ++col)
            appendPixel(r, p.at(row, col), p.bpp, true);
        if (o.compression == 1) {
            encodeRle8Row(r, pixels);
        } else {
            r.resize((r.size() + 3) / 4 * 4, 0);
            pixels.insert(pixels.end(), r.begin(), r.end());
        }
    }
    if (o.compression == 1)
        pixels.insert(pixels.end(), {0, 1});  // end of bitmap

    Bytes b{'B', 'M'};
    for (const auto v :
         {std::uint32_t(dataOffset + pixels.size()), 0u, std::uint32_t(dataOffset), o.infoSize,
          std::uint32_t(p.width), std::uint32_t(o.topDown ? -p.height : p.height),
          std::uint32_t(1 | p.bpp << 16), o.compression, std::uint32_t(pixels.size()), 2835u, 2835u,
          std::uint32_t(paletteEntries % 256), 0u})
        appendLe32(b, v);
    b.resize(14 + o.infoSize, 0);
    if (o.compression == 3) {  // masks: in the header when it is long enough, else after it
        b.resize(std::max<std::size_t>(b.size(), 54 + 12), 0);
        putLe32(b, 54, 0xFF0000);
        putLe32(b, 58, 0xFF00);
        putLe32(b, 62, 0xFF);
    }
    for (std::size_t i = 0; i < paletteEntries; ++i)
        b.insert(b.end(), {p.palette[i][2], p.palette[i][1], p.palette[i][0], 0});
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
    fmt.resize(o.fmtSize, 0);

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
