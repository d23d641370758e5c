// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "formats/picture/PictureInfo.h"

namespace tessera {

inline constexpr std::int64_t kBmpFileHeaderSize = 14;
inline constexpr std::uint32_t kCoreHeaderSize = 12;  // the oldest bitmaps' 16-bit sizes

// The fields of a Windows bitmap's file header (14 bytes) and information header, named where
// they are read; empty when the file does not start with "BM".
std::optional<PictureInfo> readBmpInfo(const InputFile& in);

// Header sizes whose fields this tool knows where to find: the core header and the Windows
// versions, which all keep the fields read here at the same places.
bool knownInfoSize(std::uint32_t size);

// What a file starting with "BM" is to this tool: a bitmap whose information header it reads,
// one cut short before its header's size (a bitmap still, refused when converted), or one whose
// information header is of another kind (no picture this tool reads).
enum class BmpHeader { Known, Cut, OtherKind };
BmpHeader bmpHeader(const PictureInfo& info);

// A headerless RAW picture of the given size and depth, rows top first, red first.
PictureInfo rawInfo(const InputFile& in, std::int32_t width, std::int32_t height,
                    std::int16_t bitsPerPixel);

}  // namespace tessera
