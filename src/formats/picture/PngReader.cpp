// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/picture/PngReader.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <string>
#include <vector>

#include "formats/FormatMessages.h"
#include "platform/Errors.h"

namespace tessera {

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// No side may exceed what the element cap could ever let through; the cap itself is checked from
// these sizes before a row is decoded.
constexpr std::uint32_t kMaxSide = static_cast<std::uint32_t>(kMaxElements);
constexpr png_alloc_size_t kMaxChunkBytes = 8 * 1024 * 1024;  // text, ICC profiles and the like
constexpr png_uint_32 kMaxAncillaryChunks = 1000;
// The file is read through a buffer of this size: the library asks for a few bytes at a time
// (a chunk's length, its tag, its checksum), and a million small chunks must not cost a system
// call each.
constexpr std::size_t kReadBuffer = 1 << 16;
// Once the last row is decoded, what is left of the compressed stream is its end code and checksum,
// a few bytes: the library is given this much more, so compressed data going on after the last row
// (which could inflate to gigabytes) is refused at once instead of inflated to its end.
constexpr std::int64_t kAfterLastRow = 1 << 16;

// One libpng reading session over an InputFile. libpng reports errors by a long jump: every call
// into it goes through `guarded`, whose frame holds nothing to destroy, and the message is kept
// for the refusal.
class Session {
  public:
    explicit Session(const InputFile& in) : in_(in) {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, onError, onWarning);
        if (png_ != nullptr)
            info_ = png_create_info_struct(png_);
        if (info_ == nullptr) {
            png_destroy_read_struct(&png_, nullptr, nullptr);
            throw std::bad_alloc();
        }
        png_set_read_fn(png_, this, onRead);
        png_set_user_limits(png_, kMaxSide, kMaxSide);
        png_set_chunk_malloc_max(png_, kMaxChunkBytes);
        png_set_chunk_cache_max(png_, kMaxAncillaryChunks);
        // A damaged PNG is refused whatever chunk the damage is in: an ancillary chunk's bad
        // CRC is an error too, not a chunk quietly dropped.
        png_set_crc_action(png_, PNG_CRC_DEFAULT, PNG_CRC_ERROR_QUIT);
        // An index beyond the palette is refused by the placement, with where it is.
        png_set_check_for_invalid_index(png_, -1);
    }
    ~Session() { png_destroy_read_struct(&png_, &info_, nullptr); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    template <typename F>
    void guarded(F&& call) {
        if (setjmp(png_jmpbuf(png_)) != 0) {
            throw TesseraError(Reason::PngDamaged,
                               failureText(messages::kCantConvert, messages::pngDamaged(error_)),
                               FileRole::Input);
        }
        call(png_, info_);
    }

    // From now on the library may read only kAfterLastRow more bytes.
    void lastRowDecoded() { budget_ = pos_ + kAfterLastRow; }

    // Counts the rows the library decodes, to learn the moment the last one is done: before the
    // library goes on to the end of the compressed stream within the same call.
    void countRows(std::int64_t rows) {
        rowsLeft_ = rows;
        png_set_read_user_transform_fn(png_, onRowDecoded);
    }
    bool rowsDone() const { return rowsLeft_ == 0; }
    // Past the image data: the chunks up to IEND, each checked, none inflated.
    void readEnd() {
        budget_ = -1;
        guarded([](png_structp png, png_infop) { png_read_end(png, nullptr); });
    }

  private:
    static void onError(png_structp png, png_const_charp message) {
        auto* self = static_cast<Session*>(png_get_error_ptr(png));
        std::strncpy(self->error_, message, sizeof self->error_ - 1);
        png_longjmp(png, 1);
    }
    static void onWarning(png_structp, png_const_charp) {}
    static void onRowDecoded(png_structp png, png_row_infop, png_bytep) {
        auto* self = static_cast<Session*>(png_get_io_ptr(png));
        if (--self->rowsLeft_ == 0)
            self->lastRowDecoded();
    }
    static void onRead(png_structp png, png_bytep out, png_size_t length) {
        auto* self = static_cast<Session*>(png_get_io_ptr(png));
        const auto n = static_cast<std::int64_t>(length);
        if (self->pos_ + n > self->in_.length())
            png_error(png, "the file ends early");
        if (self->budget_ >= 0 && self->pos_ + n > self->budget_)
            png_error(png, "compressed data goes on after the last row");
        std::int64_t& from = self->bufferStart_;
        const auto held = static_cast<std::int64_t>(self->buffer_.size());
        if (self->pos_ < from || self->pos_ + n > from + held) {
            if (length > kReadBuffer) {  // large: straight into place
                self->in_.read(self->pos_, std::span<std::uint8_t>(out, length));
                self->pos_ += n;
                return;
            }
            from = self->pos_;
            self->buffer_.resize(static_cast<std::size_t>(
                std::min<std::int64_t>(kReadBuffer, self->in_.length() - from)));
            self->in_.read(from, self->buffer_);
        }
        std::memcpy(out, self->buffer_.data() + (self->pos_ - from), length);
        self->pos_ += n;
    }

    const InputFile& in_;
    std::int64_t pos_ = 0;
    std::int64_t budget_ = -1;  // where reading must stop, -1 while the rows are decoded
    std::int64_t rowsLeft_ = -1;
    std::vector<std::uint8_t> buffer_;
    std::int64_t bufferStart_ = 0;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    char error_[200] = {};
};

// Palette pictures and grey levels of up to 8 bits keep one index a byte; all others become
// red, green, blue bytes, and alpha when it is asked for (opaque where the PNG has none).
void setTransforms(png_structp png, png_infop info, bool alpha) {
    const png_byte type = png_get_color_type(png, info);
    const png_byte depth = png_get_bit_depth(png, info);
    if (depth < 8)
        png_set_packing(png);  // one value a byte, not scaled
    if (depth == 16)
        png_set_strip_16(png);  // the high byte
    if (alpha && png_get_valid(png, info, PNG_INFO_tRNS) != 0)
        png_set_tRNS_to_alpha(png);
    else if (alpha && (type & PNG_COLOR_MASK_ALPHA) == 0)
        png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    else if (!alpha && (type & PNG_COLOR_MASK_ALPHA) != 0)
        png_set_strip_alpha(png);
    if ((type == PNG_COLOR_TYPE_GRAY && depth == 16) || type == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
}

// The seven passes of an interlaced picture: where each starts and how far apart its pixels lie.
struct Pass {
    std::int64_t columns = 0;
    std::int64_t rows = 0;
    std::int64_t firstRow = 0, rowStep = 1, firstColumn = 0, columnStep = 1;
};

Pass passOf(int pass, png_uint_32 width, png_uint_32 height) {
    Pass p;
    p.columns = PNG_PASS_COLS(width, pass);
    p.rows = p.columns == 0 ? 0 : PNG_PASS_ROWS(height, pass);  // a pass without columns is skipped
    p.firstRow = PNG_PASS_START_ROW(pass);
    p.rowStep = PNG_PASS_ROW_OFFSET(pass);
    p.firstColumn = PNG_PASS_START_COL(pass);
    p.columnStep = PNG_PASS_COL_OFFSET(pass);
    return p;
}

// The alpha of each index of a palette picture, or the grey level marked transparent.
void readTransparency(png_structp png, png_infop pngInfo, PictureInfo& info) {
    png_bytep alphas = nullptr;
    int count = 0;
    png_color_16p colour = nullptr;
    if (png_get_tRNS(png, pngInfo, &alphas, &count, &colour) == 0)
        return;
    if (info.pngColourType == PNG_COLOR_TYPE_PALETTE && alphas != nullptr) {
        info.alphas.assign(alphas, alphas + std::max(count, 0));
    } else if (info.pngColourType == PNG_COLOR_TYPE_GRAY && info.pngBitDepth <= 8 &&
               colour != nullptr && colour->gray < (1 << info.pngBitDepth)) {
        info.alphas.assign(static_cast<std::size_t>(colour->gray) + 1, 0xFF);
        info.alphas.back() = 0;
    }
}

}  // namespace

std::optional<PictureInfo> readPngInfo(const InputFile& in) {
    std::uint8_t signature[8];
    in.read(0, signature);
    if (!std::equal(std::begin(signature), std::end(signature), std::begin(kSignature)))
        return std::nullopt;
    PictureInfo info;
    info.kind = PictureKind::Png;
    info.file = in.stamp();
    Session session(in);
    session.guarded([&info](png_structp png, png_infop pngInfo) {
        png_read_info(png, pngInfo);
        info.width = static_cast<std::int32_t>(png_get_image_width(png, pngInfo));
        info.height = static_cast<std::int32_t>(png_get_image_height(png, pngInfo));
        info.pngColourType = png_get_color_type(png, pngInfo);
        info.pngBitDepth = png_get_bit_depth(png, pngInfo);
        info.bitsPerPixel =
            static_cast<std::int16_t>(png_get_channels(png, pngInfo) * info.pngBitDepth);
        png_colorp palette = nullptr;
        int count = 0;
        if (info.pngColourType == PNG_COLOR_TYPE_PALETTE &&
            png_get_PLTE(png, pngInfo, &palette, &count) != 0) {
            for (int e = 0; e < count; ++e)
                info.colours.push_back({palette[e].red, palette[e].green, palette[e].blue});
        }
        readTransparency(png, pngInfo, info);
    });
    if (info.pngColourType == PNG_COLOR_TYPE_GRAY && info.pngBitDepth <= 8) {
        const int levels = 1 << info.pngBitDepth;  // a ramp from black to white
        for (int level = 0; level < levels; ++level) {
            const auto grey = static_cast<std::uint8_t>(level * 255 / (levels - 1));
            info.colours.push_back({grey, grey, grey});
        }
    }
    info.paletteCount = static_cast<std::int32_t>(info.colours.size());
    return info;
}

struct PngRows::Decoder {
    explicit Decoder(const InputFile& in) : session(in) {}
    Session session;
    bool interlaced = false;
    png_uint_32 width = 0, height = 0;
    int pass = 0;  // the pass being read, and the next of its rows
    std::int64_t passRow = 0;

    void decodeRow(std::span<std::uint8_t> row) {
        session.guarded(
            [&row](png_structp png, png_infop) { png_read_row(png, row.data(), nullptr); });
        if (session.rowsDone())
            session.readEnd();
    }
};

PngRows::PngRows(const InputFile& in, const PictureLayout& layout)
    : decoder_(std::make_unique<Decoder>(in)) {
    Decoder& d = *decoder_;
    const auto expected = static_cast<std::size_t>(layout.order.width * layout.bytesPerPixel);
    std::size_t rowBytes = 0;
    const bool alpha = layout.bytesPerPixel == 4;
    d.session.guarded([&d, &rowBytes, alpha](png_structp png, png_infop info) {
        png_read_info(png, info);
        setTransforms(png, info, alpha);
        // No interlace handling: the passes are read as they are stored.
        d.interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
        png_read_update_info(png, info);
        rowBytes = png_get_rowbytes(png, info);
        // What the library finds wrong from here on (a bad Adler-32, data to spare after the
        // last row, a damaged chunk after the pixels) is an error, not a warning.
        png_set_benign_errors(png, 0);
        d.width = png_get_image_width(png, info);
        d.height = png_get_image_height(png, info);
    });
    d.session.countRows(d.interlaced ? passRowCount() : d.height);
    if (rowBytes != expected)  // the file changed kind since its load
        throw TesseraError(Reason::PngDamaged,
                           failureText(messages::kCantConvert, messages::pngDamaged("")),
                           FileRole::Input);
}

PngRows::~PngRows() = default;

void PngRows::read(std::span<std::uint8_t> row) {
    decoder_->decodeRow(row);
}

bool PngRows::interlaced() const {
    return decoder_->interlaced;
}

std::int64_t PngRows::passRowCount() const {
    std::int64_t count = 0;
    for (int pass = 0; pass < 7; ++pass)
        count += passOf(pass, decoder_->width, decoder_->height).rows;
    return count;
}

bool PngRows::readPassRow(PassRow& where, std::span<std::uint8_t> row) {
    Decoder& d = *decoder_;
    while (d.pass < 7) {
        const Pass p = passOf(d.pass, d.width, d.height);
        if (d.passRow < p.rows) {
            where = {.row = p.firstRow + d.passRow * p.rowStep,
                     .firstColumn = p.firstColumn,
                     .columnStep = p.columnStep,
                     .count = p.columns};
            ++d.passRow;
            d.decodeRow(row);
            return true;
        }
        ++d.pass;  // this pass is done, or has no pixels
        d.passRow = 0;
    }
    return false;
}

}  // namespace tessera
