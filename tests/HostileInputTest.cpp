// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <sndfile.h>
#include "support/Builders.h"

#include "support/Child.h"
#include "support/SoundBuilder.h"
#include "support/Window.h"

namespace tessera::test {
namespace {

namespace fs = std::filesystem;

// A hostile input. It converts (no reason), or it is refused for its reason with the whole
// contract: one message, nothing created, an added-to file byte-identical, no temporary file,
// little CPU time and memory. Every case runs with the memory the README promises (about 128 MB,
// plus what the test program itself maps); AddressSanitizer reserves terabytes of address space,
// so its builds run without.
struct HostileCase {
    std::string name;
    Bytes bytes;
    Reason reason = Reason::None;                         // None: it converts
    std::string output = "out.h";                         // .gpg or .sef asks for the binary writer
    ScriptedUi::RawAnswer raw = {};                       // with a width, the input is a RAW file
    std::function<void(const std::string&)> make = {};    // makes the input instead of `bytes`
    std::function<void(const std::string&)> during = {};  // done to the input mid-conversion
    std::function<void(Form1&)> setup = {};               // the window's options
    std::string says = {};  // words the refusal must hold, where its wording is the point
};

using R = Reason;

// Runs each case in a child, as a new output and (text outputs) added to an old one.
void checkHostileCases(const std::vector<HostileCase>& cases, const std::string& extension) {
    const std::string kOld = "/* kept */\r\n";
    for (const auto& c : cases) {
        for (const bool add : {false, true}) {
            if (add && !c.output.ends_with(".h"))
                continue;  // binary outputs refuse adding before anything else
            SCOPED_TRACE(c.name + (add ? " (add)" : " (new)"));
            TempDir dir;
            const std::string input = dir.path(c.raw.width ? "input.raw" : "input" + extension);
            const std::string output = dir.path(c.output);
            if (c.make)
                c.make(input);
            else
                writeFile(input, c.bytes);
            if (add)
                writeText(output, kOld);
            const auto before = folderEntries(dir.dir());
            const ChildResult run = runInChild([&] {
                limitAddressSpace();
                std::function<void()> during;
                if (c.during)
                    during = [&] { c.during(input); };
                const InWindow result = convertInWindow(input, output, add, c.raw, c.setup, during);
                if (result.shown.size() != 1)
                    return "messages: " + std::to_string(result.shown.size());
                return childText(result.outcome);
            });
            ASSERT_EQ(run.status, 0) << run.text;
            // Time grows with the input and no faster: a thirtieth of a second per MB of input
            // beside a quarter of a second for any file (ten times that under the sanitizers),
            // so a few bytes that inflate to gigabytes, or a system call per chunk, show.
            std::error_code none;
            const double inputBytes =
                fs::is_regular_file(input) ? static_cast<double>(fs::file_size(input, none)) : 0;
            const double budget = (kUnderSanitizer ? 10 : 1) * (0.25 + 0.03 * inputBytes / 1e6);
            EXPECT_LT(run.cpuSeconds, budget) << inputBytes << " bytes";
            ASSERT_FALSE(run.text.starts_with("messages: ")) << run.text;
            EXPECT_EQ(childReason(run.text), c.reason) << run.text;
            if (c.reason == Reason::None)
                continue;
            if (!c.says.empty()) {
                EXPECT_NE(run.text.find(c.says), std::string::npos) << run.text;
            }
            EXPECT_EQ(folderEntries(dir.dir()), before);
            EXPECT_TRUE(!add || readText(output) == kOld);
            EXPECT_LT(run.maxRssKiB, kUnderSanitizer ? 1L << 40 : 32 * 1024);
        }
    }
}

// What another program does to an input while it is converted: cut it (a download restarted) or
// rewrite its second half with zeros (a copy in progress), the size kept.
void cut(const std::string& path) {
    fs::resize_file(path, fs::file_size(path) / 2);
}
void rewrite(const std::string& path) {
    Bytes b = readFile(path);
    std::fill(b.begin() + static_cast<long>(b.size() / 2), b.end(), 0);
    writeFile(path, b);
    fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(1));
}

Bytes set(Bytes b, std::size_t pos, std::uint32_t v) {
    putLe32(b, pos, v);
    return b;
}

// A 4 x 4 RLE8 (or RLE4) picture with 256 colours whose pixel stream is `stream`, as given.
Bytes rle8(const Bytes& stream, int bits = 8) {
    Bytes b = buildBmp(Picture::pattern(4, 4, 8));
    b.resize(14 + 40 + 256 * 4);
    b.insert(b.end(), stream.begin(), stream.end());
    putLe16(b, 28, static_cast<std::uint16_t>(bits));
    putLe32(b, 30, bits == 8 ? 1 : 2);
    return b;
}

Bytes join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

Bytes retag(Bytes b, std::size_t pos, const char* tag) {
    std::copy_n(tag, 4, b.begin() + static_cast<long>(pos));
    return b;
}

// Bitmaps and PNG files (told apart by their first bytes); PNG files are checked by the PNG
// library, and its refusals come with what it found. The RAW dialog's sizes are checked before
// anything is allocated. Only regular files are read. Then sounds.
TEST(HostileInput, EveryMalformedPictureOrSoundIsRefusedOrConvertedSafely) {
    const Bytes b8 = buildBmp(Picture::pattern(4, 4, 8));
    const Bytes b24 = buildBmp(Picture::pattern(3, 2, 24));
    const Bytes b16 = buildBmp(Picture::pattern(3, 2, 24),
                               {.compression = 3, .bits = 16, .masks = {0x7C00, 0x3E0, 0x1F}});
    const Bytes png = buildPng(Picture::pattern(5, 3, 24), {.interlaced = true});
    // Large enough to be decoded while the bands before are placed.
    const Bytes bands = buildPng(Picture::pattern(301, 258, 24));
    const std::string damaged = "Its PNG data is damaged";
    const Bytes raw = buildRaw(Picture::pattern(4, 4, 8));
    const Bytes core = buildBmp(Picture::pattern(4, 4, 8), {.infoSize = 12});
    // A 1 x 1 PNG of two colours, made chunk by chunk: its pixel (index 1), its end.
    const Bytes head = pngHead(1, 1, 2), pixel = pngChunk("IDAT", zlibOf({0, 1}));
    const Bytes iend = pngChunk("IEND", {});
    Bytes badAdler = zlibOf({0, 1});
    badAdler.back() ^= 1;
    const auto millionChunks = [&](const std::string& path) {  // made here: no copy in every child
        Bytes b = head;
        const Bytes unknown = pngChunk("abCd", {'x'});
        for (int k = 0; k < 1000000; ++k)
            b.insert(b.end(), unknown.begin(), unknown.end());
        writeFile(path, join({b, pixel, iend}));
    };
    const auto paletteAlone = [](Form1& form) { form.chkOnlyPal.click(); };
    const auto ontoBlackAndWhite = [](Form1& form) {
        form.colourOptions.target = {0x0001, 0xFFFF};
        form.colourOptionsChanged();
    };
    // clang-format off
    checkHostileCases({
        {.name = "empty file", .reason = R::ImageKindUnknown},
        {.name = "53 bytes", .bytes = Bytes(b24.begin(), b24.begin() + 53),
         .reason = R::BmpHeadersCut},
        {.name = "the file header alone", .bytes = Bytes(b24.begin(), b24.begin() + 14),
         .reason = R::BmpHeadersCut},
        {.name = "width -4", .bytes = set(b8, 18, -4u), .reason = R::PictureEmpty},
        {.name = "colours -1", .bytes = set(b8, 46, -1u), .reason = R::BmpColourCount},
        {.name = "height -2^31", .bytes = set(b8, 22, 0x80000000u), .reason = R::PictureTooBig},
        {.name = "8193x8192", .bytes = set(set(b8, 18, 8193), 22, 8192),
         .reason = R::PictureTooBig},
        {.name = "16777216 x 1 claimed", .bytes = set(set(b8, 18, 16777216), 22, 1),
         .output = "big.gpg"},
        {.name = "cut while converted", .bytes = b8, .reason = R::ChangedSinceLoad, .during = cut},
        {.name = "rewritten while converted", .bytes = b8, .reason = R::ChangedSinceLoad,
         .output = "o.gpg", .during = rewrite},
        {.name = "depth -1", .bytes = set(b8, 28, 0xFFFF), .reason = R::BmpDepth},
        {.name = "core header, depth -1", .bytes = set(core, 24, 0xFFFF), .reason = R::BmpDepth},
        {.name = "JPEG inside", .bytes = set(b24, 30, 4), .reason = R::BmpPacking,
         .says = "packed as JPEG data"},
        {.name = "split mask", .bytes = set(b16, 54, 0x7C01), .reason = R::BmpMasksSplit},
        {.name = "RLE4 literal past the row", .bytes = rle8({0, 200, 1, 2, 3, 4, 5, 6, 0, 1}, 4)},
        {.name = "a GIF", .bytes = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0},
         .reason = R::ImageKindUnknown, .says = "It is a GIF picture"},
        {.name = "a sound", .bytes = buildWav({1, 2}), .reason = R::ImageKindUnknown,
         .says = "It is a WAV sound"},
        {.name = "header of 20 bytes", .bytes = set(b8, 14, 20), .reason = R::ImageKindUnknown,
         .says = "information header of"},
        {.name = "RLE8 delta out", .bytes = rle8({0, 2, 200, 200, 5, 1, 0, 2, 0, 255, 3, 3, 0, 1})},
        {.name = "RLE8 lines past the end", .bytes = rle8(Bytes(400, 0))},
        {.name = "2 bits", .bytes = set(b8, 28, 2), .reason = R::BmpDepth,
         .says = "Can't convert this picture :(\r\nIt has 2 bits per pixel; bitmaps of 1, 4, 8, "
                 "16, 24 and 32 bits are read (`convert IN.bmp BMP3:OUT.bmp` writes a plain "
                 "24-bit copy)."},
        {.name = "RLE4 at 8 bits", .bytes = set(b8, 30, 2), .reason = R::BmpPacking,
         .says = "Its 8 bits pixels are packed in a way this tool does not read (compression "
                 "2); plain pixels, RLE at 4 and 8 bits and bit fields at 16 and 32 bits are "
                 "read (`convert IN.bmp BMP3:OUT.bmp` writes a plain 24-bit copy)."},
        {.name = "width 0", .bytes = set(b8, 18, 0), .reason = R::PictureEmpty},
        {.name = "257 colours", .bytes = set(b8, 46, 257), .reason = R::BmpColourCount},
        {.name = "300 colours", .bytes = set(b8, 46, 300), .reason = R::BmpColourCount,
         .says = "claims more than 256 colours"},
        {.name = "300 colours, .gpg", .bytes = set(b8, 46, 300), .reason = R::BmpColourCount,
         .output = "o.gpg"},
        {.name = "data offset 20", .bytes = set(b8, 10, 20), .reason = R::BmpDataOffset},
        {.name = "data offset past the end", .bytes = set(b8, 10, 1u << 30),
         .reason = R::BmpDataOffset},
        {.name = "PNG cut", .bytes = Bytes(png.begin(), png.end() - 30), .reason = R::PngDamaged},
        {.name = "PNG cut halfway", .bytes = Bytes(bands.begin(), bands.begin() + bands.size() / 2),
         .reason = R::PngDamaged},
        {.name = "PNG, CRC of tEXt", .bytes = join({head, pngChunk("tEXt", {'a', 0}, true), pixel,
         iend}), .reason = R::PngDamaged, .says = "tEXt: CRC error"},
        {.name = "PNG, CRC of IEND", .bytes = join({head, pixel, pngChunk("IEND", {}, true)}),
         .reason = R::PngDamaged, .output = "o.gpg", .says = "IEND: CRC error"},
        {.name = "PNG without IEND", .bytes = join({head, pixel}), .reason = R::PngDamaged,
         .says = "the file ends early"},
        {.name = "PNG, Adler-32", .bytes = join({head, pngChunk("IDAT", badAdler), iend}),
         .reason = R::PngDamaged, .setup = paletteAlone, .says = "incorrect data check"},
        {.name = "PNG, 2 GiB after its pixel", .bytes = join({head, pngChunk("IDAT", zlibOf({0, 1},
         2048)), iend}), .reason = R::PngDamaged,
         .says = "compressed data goes on after the last row"},
        {.name = "PNG of 1,000,000 chunks", .make = millionChunks},
        {.name = "PNG, index 2 of 2", .bytes = join({head, pngChunk("IDAT", zlibOf({0, 2})), iend}),
         .reason = R::IndexBeyondPalette, .output = "o.gpg",
         .says = "is colour 2, beyond its colour table of 2 colours"},
        {.name = "PNG, bytes after its data", .bytes = join({head, pngChunk("IDAT",
         join({zlibOf({0, 1}), {7}})), iend}), .reason = R::PngDamaged,
         .says = "Extra compressed data"},
        {.name = "BMP, indices beyond 2", .bytes = set(b8, 46, 2), .reason = R::IndexBeyondPalette,
         .setup = paletteAlone, .says = "beyond its colour table of 2 colours"},
        {.name = "BMP, indices beyond 2, mapped onto a palette", .bytes = set(b8, 46, 2),
         .reason = R::IndexBeyondPalette, .setup = ontoBlackAndWhite,
         .says = "beyond its colour table of 2 colours"},
        {.name = "PNG 262145 pixels wide", .bytes = claimPngSize(png, 262145, 1),
         .reason = R::PngTooWide, .says = "262144"},
        {.name = "RAW 0x4", .bytes = raw, .reason = R::PictureEmpty, .raw = {"0", "4"}},
        {.name = "RAW 4294967296x1", .bytes = raw, .reason = R::PictureSizeBad,
         .raw = {"4294967296", "1"},
         .says = "Can't use this picture size :(\r\nThe width \"4294967296\" is out of range."},
        {.name = "RAW 65536x65536x24", .bytes = raw, .reason = R::PictureTooBig,
         .raw = {"65536", "65536", true}, .says = "67108864"},
        {.name = "RAW 8x8, too short", .bytes = raw, .raw = {"8", "8"}},
        {.name = "a folder", .reason = R::InputNotRegular,
         .make = [](auto p) { fs::create_directory(p); }},
        {.name = "a FIFO with no writer", .reason = R::InputNotRegular,
         .make = [](auto p) { ::mkfifo(p.c_str(), 0600); }},
        {.name = "/dev/zero", .reason = R::InputNotRegular,
         .make = [](auto p) { fs::create_symlink("/dev/zero", p); }},
    }, ".bmp");
    // clang-format on
    const Bytes s{1, 2, 3, 4, 5, 6, 7, 8}, good = buildWav(s);  // fmt at 12, data at 36
    const auto wav = [&](WavOptions o) { return buildWav(s, o); };
    const Bytes odd = wav({.chunksBeforeData = {{{'L', 'I', 'S', 'T'}, {1, 2, 3}}}});  // padded
    const auto padded = [&](const std::string& path) {  // made here: no copy in every child
        Bytes b = good;  // two million empty chunks (zero tag, zero size) before the data
        b.insert(b.begin() + 36, 16000000, 0);
        writeFile(path, b);
    };
    const Bytes longer = buildWav(Bytes(4096, 0x80));  // long enough for the progress bar to move
    // Sounds of other kinds under a .wav name: read by their content, or refused saying what
    // they are.
    const auto tagged = [](std::string_view tag) {
        Bytes b(tag.begin(), tag.end());
        b.resize(600, 0x5A);
        return b;
    };
    const Tone tone = sineTone(440, 8000, 0.5, 1);
    const Bytes flac = buildSound(tone, SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    Tone three = tone;
    three.channels = 3;
    three.samples.resize(three.samples.size() / 3 * 3);
    // clang-format off
    checkHostileCases({
        {.name = "RF64", .bytes = retag(good, 0, "RF64"), .reason = R::WavRf64, .says = "RF64"},
        {.name = "not WAVE", .bytes = retag(good, 8, "AVI "), .reason = R::NotASound, .says = "It is no sound this tool "
         "knows; WAV, FLAC, Ogg Vorbis, Opus, MP3, AIFF, AIFF-C and Wave64 sounds are read "
         "(`ffmpeg -i IN OUT.wav` writes a WAV copy)."},
        {.name = "no fmt chunk", .bytes = retag(good, 12, "junk"), .reason = R::WavNotRead, .says = "\"fmt \" chunk"},
        {.name = "no data chunk", .bytes = retag(good, 36, "junk"), .reason = R::WavNotRead, .says = "no \"data\" chunk"},
        {.name = "empty", .reason = R::NotASound, .says = "Can't open this kind of WAV file...\r\nIt is an empty file;"},
        {.name = "a PNG", .bytes = buildPng(Picture::pattern(2, 2, 8)), .reason = R::NotASound,
         .says = "It is a PNG picture, not a sound: \"Load Image File...\" reads it."},
        {.name = "FLAC tag, then noise", .bytes = tagged("fLaC"),
         .reason = R::SoundUnreadable, .says = "It is a FLAC sound that could not be read ("},
        {.name = "Ogg tag, then noise", .bytes = tagged("OggS"),
         .reason = R::SoundUnreadable, .says = "It is an Ogg sound that"},
        {.name = "AIFF tag, then noise", .bytes = tagged({"FORM\0\0\2PAIFF", 12}),
         .reason = R::SoundUnreadable, .says = "It is an AIFF sound that"},
        {.name = "MP3 tag, then noise", .bytes = tagged("ID3\3"),
         .reason = R::SoundUnreadable, .says = "It is an MP3 sound"},
        {.name = "FLAC cut in half", .bytes = Bytes(flac.begin(), flac.begin() + flac.size() / 2),
         .output = "out.sef"},
        {.name = "FLAC of 3 channels", .bytes = buildSound(three, SF_FORMAT_FLAC | SF_FORMAT_PCM_16),
         .reason = R::SoundChannels, .says = "mono and stereo"},
        {.name = "fmt cut by the end", .bytes = Bytes(good.begin(), good.begin() + 30),
         .reason = R::WavNotRead},
        {.name = "ADPCM", .bytes = wav({.format = 2}), .reason = R::WavCoding,
         .says = "Can't open this kind of WAV file...\r\nIts samples are coded as Microsoft "
                 "ADPCM; integer PCM and IEEE float samples are read (`sox IN.wav -e "
                 "signed-integer -b 16 OUT.wav` writes a 16-bit PCM copy)."},
        {.name = "A-law", .bytes = wav({.format = 0xFFFE, .subFormat = 6}), .reason = R::WavCoding,
         .says = "A-law"},
        {.name = "4 channels", .bytes = wav({.channels = 4}), .reason = R::SoundChannels},
        {.name = "32768 channels", .bytes = wav({.channels = 32768}), .reason = R::SoundChannels,
         .says = "It has 32768 ch"},
        {.name = "65535 bits", .bytes = wav({.bits = 65535}), .reason = R::SoundDepth,
         .says = "It has 65535 bits"},
        {.name = "float16", .bytes = wav({.format = 3, .bits = 16}), .reason = R::SoundDepth},
        {.name = "0 channels", .bytes = wav({.channels = 0}), .reason = R::SoundChannels,
         .says = "It has 0 channels"},
        {.name = "an odd chunk, padded, before the data", .bytes = odd},
        {.name = "chunk size near 2^32", .bytes = set(odd, 40, 0xFFFFFFFFu),
         .reason = R::WavNotRead},
        {.name = "2,000,000 empty chunks", .make = padded},
        {.name = "cut while converted", .bytes = longer, .reason = R::ChangedSinceLoad,
         .during = cut},
    }, ".wav");
    // clang-format on
}

}  // namespace
}  // namespace tessera::test
