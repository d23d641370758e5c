#pragma once

namespace tessera::messages {

// What the conversions say when they refuse a picture or a sound, side by side.
inline constexpr const char* kOnlyDepths = "Only 8 and 24 bits pictures can be converted :(";
inline constexpr const char* kCantConvert = "Can't convert this picture :(";
inline constexpr const char* kEmptyPicture = "Its width and height must be more than 0.";
inline constexpr const char* kTooBig =
    "It is too big: more than 67108864 pixels once its columns are padded.";
inline constexpr const char* kCompression =
    "Its pixels are packed in a way this tool does not read (only plain pixels, 8 bits RLE and "
    "24 bits with the usual colour masks are read).";
inline constexpr const char* kHeaderKind =
    "Its information header is of a kind this tool does not read.";
inline constexpr const char* kCutHeaders = "The file ends inside its headers.";
inline constexpr const char* kDataOffset =
    "Its pixels would start inside its headers or past its end.";
inline constexpr const char* kColourCount = "Its colour table claims more than 256 colours.";

inline constexpr const char* kOnly8And16Bits = "Only 8 and 16 bits sounds can be converted :(";
inline constexpr const char* kNoSample = "This sound has no sample to convert :(";

}  // namespace tessera::messages
