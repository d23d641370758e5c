// SPDX-License-Identifier: GPL-3.0-or-later
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <exception>
#include <string>

#include "formats/back/BackPicture.h"
#include "formats/back/ConvertedFile.h"
#include "platform/Errors.h"
#include "platform/OutputFile.h"

namespace tessera {

namespace {

constexpr int kGreyLevels = 256;

void putLe16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8 & 0xFF);
}
void putLe32(std::string& out, std::uint32_t value) {
    putLe16(out, value & 0xFFFF);
    putLe16(out, value >> 16);
}

// One libpng writing session into an OutputFile. libpng reports errors by a long jump: every
// call into it goes through `guarded`, whose frame holds nothing to destroy; a failure of the
// output itself is kept and thrown again once out of libpng.
class PngSession {
  public:
    explicit PngSession(OutputFile& out) : out_(out) {
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, onError, nullptr);
        if (png_ != nullptr)
            info_ = png_create_info_struct(png_);
        if (info_ == nullptr) {
            png_destroy_write_struct(&png_, nullptr);
            throw std::bad_alloc();
        }
        png_set_write_fn(png_, this, onWrite, nullptr);
    }
    ~PngSession() { png_destroy_write_struct(&png_, &info_); }
    PngSession(const PngSession&) = delete;
    PngSession& operator=(const PngSession&) = delete;

    template <typename F>
    void guarded(F&& call) {
        if (setjmp(png_jmpbuf(png_)) != 0) {
            if (failure_)
                std::rethrow_exception(failure_);
            throw TesseraError(Reason::OutputUnwritable, "PNG: " + error_, FileRole::Output);
        }
        call(png_, info_);
    }

  private:
    static void onError(png_structp png, png_const_charp message) {
        static_cast<PngSession*>(png_get_error_ptr(png))->error_ = message;
        png_longjmp(png, 1);
    }
    static void onWrite(png_structp png, png_bytep data, png_size_t length) {
        auto* self = static_cast<PngSession*>(png_get_io_ptr(png));
        try {
            self->out_.write(std::string_view(reinterpret_cast<const char*>(data), length));
        } catch (...) {
            self->failure_ = std::current_exception();
            png_error(png, "the output failed");
        }
    }

    OutputFile& out_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    std::string error_;
    std::exception_ptr failure_;
};

}  // namespace

void writePng(OutputFile& out, const BackPicture& picture) {
    const bool grey = picture.indexed && picture.palette.empty();
    const int type = !picture.indexed ? PNG_COLOR_TYPE_RGB
                     : grey           ? PNG_COLOR_TYPE_GRAY
                                      : PNG_COLOR_TYPE_PALETTE;
    std::vector<png_color> colours;
    for (const gp32::Rgb& c : picture.palette)
        colours.push_back({c.red, c.green, c.blue});
    const std::size_t rowBytes =
        static_cast<std::size_t>(picture.width) * (picture.indexed ? 1 : 3);
    PngSession session(out);
    session.guarded([&](png_structp png, png_infop info) {
        png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
                     static_cast<png_uint_32>(picture.height), 8, type, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        if (type == PNG_COLOR_TYPE_PALETTE)
            png_set_PLTE(png, info, colours.data(), static_cast<int>(colours.size()));
        png_write_info(png, info);
        for (std::int64_t y = 0; y < picture.height; ++y)
            png_write_row(png, picture.pixels.data() + static_cast<std::size_t>(y) * rowBytes);
        png_write_end(png, nullptr);
    });
}

void writeBmp(OutputFile& out, const BackPicture& picture) {
    const int bytesPerPixel = picture.indexed ? 1 : 3;
    const auto rowBytes = static_cast<std::uint32_t>(picture.width * bytesPerPixel);
    const std::uint32_t stride = (rowBytes + 3) / 4 * 4;  // rows end on a 4-byte boundary
    const std::uint32_t colourCount = !picture.indexed ? 0
                                      : picture.palette.empty()
                                          ? kGreyLevels
                                          : static_cast<std::uint32_t>(picture.palette.size());
    const std::uint32_t dataOffset = 14 + 40 + 4 * colourCount;
    const std::uint32_t dataSize = stride * static_cast<std::uint32_t>(picture.height);
    std::string head = "BM";
    putLe32(head, dataOffset + dataSize);
    putLe32(head, 0);
    putLe32(head, dataOffset);
    putLe32(head, 40);  // BITMAPINFOHEADER
    putLe32(head, static_cast<std::uint32_t>(picture.width));
    putLe32(head, static_cast<std::uint32_t>(picture.height));  // rows bottom first
    putLe16(head, 1);
    putLe16(head, static_cast<std::uint32_t>(8 * bytesPerPixel));
    putLe32(head, 0);  // plain pixels
    putLe32(head, dataSize);
    putLe32(head, 2835);  // 72 dots per inch
    putLe32(head, 2835);
    putLe32(head, colourCount);
    putLe32(head, 0);
    for (std::uint32_t i = 0; i < colourCount; ++i) {
        const gp32::Rgb c = picture.palette.empty()
                                ? gp32::Rgb{std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)}
                                : picture.palette[i];
        head +=
            {static_cast<char>(c.blue), static_cast<char>(c.green), static_cast<char>(c.red), '\0'};
    }
    out.write(head);
    std::string row(stride, '\0');
    for (std::int64_t y = picture.height; y-- > 0;) {
        const std::uint8_t* pixels = picture.pixels.data() + static_cast<std::size_t>(y) * rowBytes;
        if (picture.indexed) {
            std::copy_n(pixels, rowBytes, row.begin());
        } else {
            for (std::uint32_t k = 0; k < rowBytes; k += 3) {
                row[k] = static_cast<char>(pixels[k + 2]);
                row[k + 1] = static_cast<char>(pixels[k + 1]);
                row[k + 2] = static_cast<char>(pixels[k]);
            }
        }
        out.write(row);
    }
}

void writeWav(OutputFile& out, const ConvertedBlock& sound) {
    const int bytesPerSample = sound.bits / 8;
    const auto length = static_cast<std::uint32_t>(sound.dataLength);
    std::string head = "RIFF";
    putLe32(head, 4 + 8 + 16 + 8 + length + (length & 1));
    head += "WAVEfmt ";
    putLe32(head, 16);
    putLe16(head, 1);  // integer PCM
    putLe16(head, static_cast<std::uint32_t>(sound.channels));
    putLe32(head, static_cast<std::uint32_t>(sound.rate));
    putLe32(head, static_cast<std::uint32_t>(sound.rate * sound.channels * bytesPerSample));
    putLe16(head, static_cast<std::uint32_t>(sound.channels * bytesPerSample));
    putLe16(head, static_cast<std::uint32_t>(sound.bits));
    head += "data";
    putLe32(head, length);
    out.write(head);
    std::string data;
    data.reserve(length + 1);
    if (bytesPerSample == 1) {
        data.assign(sound.narrow.begin(), sound.narrow.end());
    } else {
        for (const std::uint16_t sample : sound.wide)
            putLe16(data, sample ^ 0x8000u);  // the GP32's unsigned samples signed again
    }
    data.resize(length + (length & 1), '\0');
    out.write(data);
}

}  // namespace tessera
