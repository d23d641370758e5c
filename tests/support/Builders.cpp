#include "support/Builders.h"

#include <cstring>

namespace tessera::test {

Picture Picture::pattern(int width, int height, int bpp) {
    Picture p;
    p.width = width;
    p.height = height;
    p.bpp = bpp;
    std::uint32_t seed = 12345u + static_cast<std::uint32_t>(width * 31 + height * 7 + bpp);
    for (int i = 0; i < width * height; ++i) {
        seed = seed * 1103515245u + 12345u;
        p.pixels.push_back(bpp == 8 ? (seed >> 16) & 0xFF : (seed >> 8) & 0xFFFFFF);
    }
    if (bpp == 8) {
        for (int i = 0; i < 256; ++i) {
            p.palette.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                 static_cast<std::uint8_t>(i * 7)});
        }
    }
    return p;
}

namespace {

Bytes rowBytes(const Picture& p, int row) {
    Bytes out;
    for (int col = 0; col < p.width; ++col) {
        const std::uint32_t v = p.at(row, col);
        if (p.bpp == 8) {
            out.push_back(static_cast<std::uint8_t>(v));
        } else {  // stored blue, green, red
            out.push_back(static_cast<std::uint8_t>(v));
            out.push_back(static_cast<std::uint8_t>(v >> 8));
            out.push_back(static_cast<std::uint8_t>(v >> 16));
        }
    }
    return out;
}

// RLE8: encoded runs for repeats, absolute runs for three or more distinct bytes.
void encodeRle8Row(const Bytes& row, Bytes& out) {
    std::size_t i = 0;
    while (i < row.size()) {
        std::size_t run = 1;
        while (i + run < row.size() && row[i + run] == row[i] && run < 255)
            ++run;
        if (run >= 2) {
            out.push_back(static_cast<std::uint8_t>(run));
            out.push_back(row[i]);
            i += run;
            continue;
        }
        std::size_t lit = 1;
        while (i + lit < row.size() && lit < 255 &&
               !(i + lit + 1 < row.size() && row[i + lit] == row[i + lit + 1])) {
            ++lit;
        }
        if (lit < 3) {
            for (std::size_t k = 0; k < lit; ++k) {
                out.push_back(1);
                out.push_back(row[i + k]);
            }
        } else {
            out.push_back(0);
            out.push_back(static_cast<std::uint8_t>(lit));
            out.insert(out.end(), row.begin() + static_cast<long>(i),
                       row.begin() + static_cast<long>(i + lit));
            if (lit % 2)
                out.push_back(0);
        }
        i += lit;
    }
    out.push_back(0);
    out.push_back(0);  // end of line
}

}  // namespace

Bytes buildBmp(const Picture& p, const BmpOptions& o) {
    const std::size_t paletteEntries = p.bpp == 8 ? p.palette.size() : 0;
    const std::size_t masks = (o.compression == 3 && o.infoSize == 40) ? 12 : 0;
    const std::size_t dataOffset = 14 + o.infoSize + masks + 4 * paletteEntries;

    Bytes pixels;
    for (int n = 0; n < p.height; ++n) {
        const int row = o.topDown ? n : p.height - 1 - n;  // bottom-up unless top-down
        Bytes r = rowBytes(p, row);
        if (o.compression == 1) {
            encodeRle8Row(r, pixels);
        } else {
            r.resize((r.size() + 3) / 4 * 4, 0);
            pixels.insert(pixels.end(), r.begin(), r.end());
        }
    }
    if (o.compression == 1) {
        pixels.push_back(0);
        pixels.push_back(1);  // end of bitmap
    }

    Bytes b{'B', 'M'};
    appendLe32(b, static_cast<std::uint32_t>(dataOffset + pixels.size()));
    appendLe32(b, 0);
    appendLe32(b, static_cast<std::uint32_t>(dataOffset));
    appendLe32(b, o.infoSize);
    appendLe32(b, static_cast<std::uint32_t>(p.width));
    appendLe32(b, static_cast<std::uint32_t>(o.topDown ? -p.height : p.height));
    appendLe16(b, 1);
    appendLe16(b, static_cast<std::uint16_t>(p.bpp));
    appendLe32(b, o.compression);
    appendLe32(b, static_cast<std::uint32_t>(pixels.size()));
    appendLe32(b, 2835);
    appendLe32(b, 2835);
    const std::int32_t used =
        o.colorsUsed >= 0 ? o.colorsUsed : static_cast<std::int32_t>(paletteEntries % 256);
    appendLe32(b, static_cast<std::uint32_t>(used));
    appendLe32(b, 0);
    b.resize(14 + o.infoSize, 0);
    if (o.compression == 3) {  // masks: in the header when it is long enough, else after it
        const std::size_t at = 54;
        b.resize(std::max(b.size(), at + 12), 0);
        putLe32(b, at, 0xFF0000);
        putLe32(b, at + 4, 0xFF00);
        putLe32(b, at + 8, 0xFF);
    }
    for (std::size_t i = 0; i < paletteEntries; ++i) {
        const auto& c = p.palette[i];
        b.insert(b.end(), {c[2], c[1], c[0], 0});
    }
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

Bytes buildRaw(const Picture& p) {
    Bytes out;
    for (int row = 0; row < p.height; ++row) {
        for (int col = 0; col < p.width; ++col) {
            const std::uint32_t v = p.at(row, col);
            if (p.bpp == 8) {
                out.push_back(static_cast<std::uint8_t>(v));
            } else {
                out.push_back(static_cast<std::uint8_t>(v >> 16));
                out.push_back(static_cast<std::uint8_t>(v >> 8));
                out.push_back(static_cast<std::uint8_t>(v));
            }
        }
    }
    return out;
}

Bytes buildWav(const Bytes& data, const WavOptions& o) {
    auto chunk = [](Bytes& b, const std::array<char, 4>& id, const Bytes& body) {
        b.insert(b.end(), id.begin(), id.end());
        appendLe32(b, static_cast<std::uint32_t>(body.size()));
        b.insert(b.end(), body.begin(), body.end());
        if (body.size() % 2)
            b.push_back(0);
    };
    Bytes fmt;
    appendLe16(fmt, o.format);
    appendLe16(fmt, o.channels);
    appendLe32(fmt, o.rate);
    const std::uint16_t align = static_cast<std::uint16_t>(o.channels * ((o.bits + 7) / 8));
    appendLe32(fmt, o.rate * align);
    appendLe16(fmt, align);
    appendLe16(fmt, o.bits);
    fmt.resize(o.fmtSize, 0);

    Bytes body{'W', 'A', 'V', 'E'};
    for (const auto& [id, c] : o.chunksBeforeFmt)
        chunk(body, id, c);
    chunk(body, {'f', 'm', 't', ' '}, fmt);
    for (const auto& [id, c] : o.chunksBeforeData)
        chunk(body, id, c);
    body.insert(body.end(), {'d', 'a', 't', 'a'});
    appendLe32(body, static_cast<std::uint32_t>(data.size()));
    body.insert(body.end(), data.begin(), data.end());

    Bytes b{'R', 'I', 'F', 'F'};
    appendLe32(b, static_cast<std::uint32_t>(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

}  // namespace tessera::test
