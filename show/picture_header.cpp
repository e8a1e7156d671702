#include "show/picture_header.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "show/byte_reader.h"
#include "show/jpeg_segments.h"

namespace show {
namespace {

using Bytes = std::span<const std::uint8_t>;

std::optional<PictureHeader> Sized(PictureFormat format, std::optional<std::uint32_t> width,
                                   std::optional<std::uint32_t> height) {
    if (!width || !height) {
        return std::nullopt;
    }
    return PictureHeader{format, *width, *height};
}

// --- BMP: file header, then a core header (16-bit sizes) or an info header of any later
// version (signed 32-bit sizes, a negative height for a top-down picture).

constexpr std::size_t kBmpInfoAt = 14;
constexpr std::uint32_t kBmpCoreHeader = 12;
constexpr std::uint32_t kBmpShortestInfo = 16;
constexpr std::uint32_t kBmpLongestInfo = 124;

std::optional<PictureHeader> ReadBmp(Bytes bytes) {
    const ByteReader reader(bytes, ByteOrder::LittleEndian);
    const auto headerSize = reader.Number(kBmpInfoAt, 4);
    if (!headerSize) {
        return std::nullopt;
    }
    if (*headerSize == kBmpCoreHeader) {
        if (bytes.size() < kBmpInfoAt + kBmpCoreHeader) {
            return std::nullopt;
        }
        return Sized(PictureFormat::Bmp, reader.Number(kBmpInfoAt + 4, 2),
                     reader.Number(kBmpInfoAt + 6, 2));
    }
    const auto width = reader.Number(kBmpInfoAt + 4, 4);
    const auto height = reader.Number(kBmpInfoAt + 8, 4);
    if (*headerSize < kBmpShortestInfo || *headerSize > kBmpLongestInfo || !width || !height) {
        return std::nullopt;
    }
    const auto signedWidth = static_cast<std::int32_t>(*width);
    const auto signedHeight = static_cast<std::int32_t>(*height);
    // A negative width means nothing, and the lowest height has no positive counterpart.
    if (signedWidth < 0 || signedHeight == INT32_MIN) {
        return std::nullopt;
    }
    return PictureHeader{
        PictureFormat::Bmp, *width,
        static_cast<std::uint32_t>(signedHeight < 0 ? -signedHeight : signedHeight)};
}

// --- PNG: the signature, then the image header chunk.

std::optional<PictureHeader> ReadPng(Bytes bytes) {
    const ByteReader reader(bytes);
    if (!reader.Holds(12, "IHDR")) {
        return std::nullopt;
    }
    return Sized(PictureFormat::Png, reader.Number(16, 4), reader.Number(20, 4));
}

// --- JPEG: segments up to the first frame header, walked as the common decoders walk them.

bool IsFrameHeader(std::uint8_t marker) {
    // SOF0-SOF15 but DHT (C4), JPG (C8) and DAC (CC).
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

std::optional<PictureHeader> ReadJpeg(Bytes bytes) {
    const auto frame = FindJpegSegment(
        bytes, [](const JpegSegment& segment) { return IsFrameHeader(segment.marker); });
    // Precision, height, width.
    if (!frame || frame->end < frame->body + 5) {
        return std::nullopt;
    }
    const ByteReader reader(bytes);
    return Sized(PictureFormat::Jpeg, reader.Number(frame->body + 3, 2),
                 reader.Number(frame->body + 1, 2));
}

// --- GIF: the logical screen, then blocks: extensions, image descriptors (each followed by
// its data), and the trailer.

constexpr std::size_t kGifScreenEnd = 13;

std::size_t ColourTableBytes(std::uint8_t packed) {
    return (packed & 0x80U) != 0 ? 3U << ((packed & 0x07U) + 1) : 0;
}

// The end of a chain of data sub-blocks starting at `at`, or nothing when the bytes end first.
std::optional<std::size_t> SkipSubBlocks(Bytes bytes, std::size_t at) {
    while (at < bytes.size()) {
        const std::size_t length = bytes[at];
        at += 1 + length;
        if (length == 0) {
            return at;
        }
    }
    return std::nullopt;
}

std::optional<PictureHeader> ReadGif(Bytes bytes) {
    if (bytes.size() < kGifScreenEnd) {
        return std::nullopt;
    }
    const ByteReader reader(bytes, ByteOrder::LittleEndian);
    return Sized(PictureFormat::Gif, reader.Number(6, 2), reader.Number(8, 2));
}

// Each image's size, in order, as far as the bytes go or up to a block no decoder knows.
std::vector<PictureHeader> GifFrames(Bytes bytes) {
    constexpr std::uint8_t kImage = 0x2C;
    constexpr std::uint8_t kExtension = 0x21;
    constexpr std::size_t kDescriptorBytes = 10;
    const ByteReader reader(bytes, ByteOrder::LittleEndian);
    std::vector<PictureHeader> frames;
    std::optional<std::size_t> at = kGifScreenEnd + ColourTableBytes(bytes[10]);
    while (at && *at < bytes.size()) {
        const auto frame =
            Sized(PictureFormat::Gif, reader.Number(*at + 5, 2), reader.Number(*at + 7, 2));
        if (bytes[*at] == kExtension) {
            at = SkipSubBlocks(bytes, *at + 2);
        } else if (bytes[*at] == kImage && *at + kDescriptorBytes <= bytes.size() && frame) {
            frames.push_back(*frame);
            // Past the local colour table and the code size, the image data.
            at =
                SkipSubBlocks(bytes, *at + kDescriptorBytes + ColourTableBytes(bytes[*at + 9]) + 1);
        } else {
            break;
        }
    }
    return frames;
}

bool Fits(const PictureHeader& size) {
    return size.width != 0 && size.height != 0 &&
           static_cast<std::int64_t>(size.width) * size.height <= kMaxPicturePixels;
}

}  // namespace

std::optional<PictureHeader> ReadPictureHeader(Bytes bytes) {
    const ByteReader reader(bytes);
    if (reader.Holds(0, "BM")) {
        return ReadBmp(bytes);
    }
    if (reader.Holds(0, "\x89PNG\r\n\x1a\n")) {
        return ReadPng(bytes);
    }
    if (reader.Holds(0, "\xFF\xD8")) {
        return ReadJpeg(bytes);
    }
    if (reader.Holds(0, "GIF87a") || reader.Holds(0, "GIF89a")) {
        return ReadGif(bytes);
    }
    return std::nullopt;
}

std::optional<std::wstring> PictureRefusal(Bytes bytes) {
    const auto header = ReadPictureHeader(bytes);
    if (!header) {
        return L"The file is no picture whose size can be read.";
    }
    if (!Fits(*header)) {
        return L"The picture's size is zero or too large.";
    }
    if (header->format != PictureFormat::Gif) {
        return std::nullopt;
    }
    const auto frames = GifFrames(bytes);
    if (frames.empty()) {
        return L"The picture ends before its first image.";
    }
    if (!std::all_of(frames.begin(), frames.end(), Fits)) {
        return L"An image of the picture is empty or too large.";
    }
    return std::nullopt;
}

}  // namespace show
