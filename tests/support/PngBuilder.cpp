// SPDX-License-Identifier: GPL-3.0-or-later
#include <png.h>
#include <zlib.h>

#include "support/Builders.h"

namespace tessera::test {

namespace {

// PNG numbers are big-endian.
void appendBe32(Bytes& b, std::uint32_t v) {
    for (int k = 0; k < 4; ++k)
        b.push_back(static_cast<std::uint8_t>(v >> (24 - 8 * k)));
}

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

// One row of samples as the PNG stores it: sub-byte samples packed from the high bits, 16-bit
// samples big-endian.
Bytes pngRow(const Picture& p, int row, const PngOptions& o) {
    Bytes r;
    const int depth = o.bitDepth;
    for (int col = 0; col < p.width; ++col) {
        const std::uint32_t v = p.at(row, col);
        std::vector<std::uint32_t> samples;
        if (o.colourType == 0 || o.colourType == 3)
            samples = {depth == 16 ? v >> 16 & 0xFF : v};
        else
            samples = {v >> 16 & 0xFF, v >> 8 & 0xFF, v & 0xFF};  // not the alpha byte
        if (o.colourType & 4 && o.alphaInPixels)
            samples.push_back(255 - (v >> 24));
        else if (o.colourType & 4)  // an alpha that changes from pixel to pixel
            samples.push_back(static_cast<std::uint32_t>(col * 37 + row) & 0xFF);
        for (const std::uint32_t s : samples) {
            if (depth < 8) {
                if (col * depth % 8 == 0)
                    r.push_back(0);
                r.back() |= static_cast<std::uint8_t>(s << (8 - depth - col * depth % 8));
            } else {
                r.insert(r.end(), std::uint8_t(s));
                if (depth == 16)
                    r.insert(r.end(), std::uint8_t(s));
            }
        }
    }
    return r;
}

}  // namespace

Bytes buildPng(const Picture& p, const PngOptions& o) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, appendBytes, nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(p.width), static_cast<png_uint_32>(p.height),
                 o.bitDepth, o.colourType, o.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (const auto& c : p.palette)
        palette.push_back({c[0], c[1], c[2]});
    if (o.colourType == 3)
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    std::vector<Bytes> rows;
    std::vector<png_bytep> pointers;
    for (int row = 0; row < p.height; ++row)
        rows.push_back(pngRow(p, row, o));
    for (auto& r : rows)
        pointers.push_back(r.data());
    png_write_info(png, info);
    png_write_image(png, pointers.data());  // every interlace pass from the whole picture
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

Bytes pngChunk(const std::string& tag, const Bytes& data, bool badCrc) {
    Bytes c;
    appendBe32(c, static_cast<std::uint32_t>(data.size()));
    for (const char t : tag)
        c.push_back(static_cast<std::uint8_t>(t));
    c.insert(c.end(), data.begin(), data.end());
    const auto crc =
        static_cast<std::uint32_t>(::crc32(0, c.data() + 4, static_cast<uInt>(4 + data.size()))) ^
        (badCrc ? 1u : 0u);
    appendBe32(c, crc);
    return c;
}

Bytes pngHead(std::uint32_t width, std::uint32_t height, int colours) {
    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes ihdr;  // the size, 8 bits of palette indices, no interlacing
    appendBe32(ihdr, width);
    appendBe32(ihdr, height);
    ihdr.insert(ihdr.end(), {8, 3, 0, 0, 0});
    Bytes plte;
    for (int c = 0; c < colours; ++c)
        plte.insert(plte.end(), 3, std::uint8_t(c));
    for (const Bytes& chunk : {pngChunk("IHDR", ihdr), pngChunk("PLTE", plte)})
        png.insert(png.end(), chunk.begin(), chunk.end());
    return png;
}

Bytes zlibOf(const Bytes& data, int moreMiB) {
    z_stream z{};
    deflateInit(&z, 9);
    Bytes out(deflateBound(&z, data.size()) + 64), zeros(1 << 20), segment(1 << 16);
    const auto run = [&z](const Bytes& in, Bytes& to, int flush) {
        z.next_in = const_cast<std::uint8_t*>(in.data());
        z.avail_in = static_cast<uInt>(in.size());
        z.next_out = to.data();
        z.avail_out = static_cast<uInt>(to.size());
        deflate(&z, flush);
        to.resize(to.size() - z.avail_out);
    };
    run(data, out, moreMiB > 0 ? Z_FULL_FLUSH : Z_FINISH);
    if (moreMiB > 0) {  // after a full flush the same bytes stand for each MiB of zeros
        run(zeros, segment, Z_FULL_FLUSH);
        for (int k = 0; k < moreMiB; ++k)
            out.insert(out.end(), segment.begin(), segment.end());
    }
    deflateEnd(&z);
    return out;
}

Bytes claimPngSize(Bytes png, std::uint32_t width, std::uint32_t height) {
    constexpr std::size_t kIhdrType = 12, kIhdrData = 16, kIhdrCrc = 29;
    const auto putBe32 = [&png](std::size_t at, std::uint32_t v) {
        for (std::size_t k = 0; k < 4; ++k)
            png[at + k] = static_cast<std::uint8_t>(v >> (24 - 8 * k));
    };
    putBe32(kIhdrData, width);
    putBe32(kIhdrData + 4, height);
    putBe32(kIhdrCrc, static_cast<std::uint32_t>(::crc32(0, png.data() + kIhdrType, 17)));
    return png;
}

}  // namespace tessera::test
