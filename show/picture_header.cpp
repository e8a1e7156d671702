#include "show/picture_header.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "platform/error.h"
#include "show/jpeg_segments.h"

namespace show {
namespace {

using Bytes = std::span<const std::uint8_t>;

bool StartsWith(Bytes bytes, std::string_view prefix) {
    return bytes.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), bytes.begin(),
                      [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

std::uint32_t LittleEndian(Bytes bytes, std::size_t at, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = count; i > 0; --i) {
        value = (value << 8) | bytes[at + i - 1];
    }
    return value;
}

std::uint32_t BigEndian(Bytes bytes, std::size_t at, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        value = (value << 8) | bytes[at + i];
    }
    return value;
}

// --- BMP: file header, then a core header (16-bit sizes) or an info header of any later
// version (signed 32-bit sizes, a negative height for a top-down picture).

constexpr std::size_t kBmpInfoAt = 14;
constexpr std::uint32_t kBmpCoreHeader = 12;
constexpr std::uint32_t kBmpShortestInfo = 16;
constexpr std::uint32_t kBmpLongestInfo = 124;

std::optional<PictureHeader> ReadBmp(Bytes bytes) {
    if (bytes.size() < kBmpInfoAt + 4) {
        return std::nullopt;
    }
    const auto headerSize = LittleEndian(bytes, kBmpInfoAt, 4);
    if (headerSize == kBmpCoreHeader) {
        if (bytes.size() < kBmpInfoAt + kBmpCoreHeader) {
            return std::nullopt;
        }
        return PictureHeader{PictureFormat::Bmp, LittleEndian(bytes, kBmpInfoAt + 4, 2),
                             LittleEndian(bytes, kBmpInfoAt + 6, 2)};
    }
    if (headerSize < kBmpShortestInfo || headerSize > kBmpLongestInfo ||
        bytes.size() < kBmpInfoAt + 12) {
        return std::nullopt;
    }
    const auto width = static_cast<std::int32_t>(LittleEndian(bytes, kBmpInfoAt + 4, 4));
    const auto height = static_cast<std::int32_t>(LittleEndian(bytes, kBmpInfoAt + 8, 4));
    // A negative width means nothing, and the lowest height has no positive counterpart.
    if (width < 0 || height == INT32_MIN) {
        return std::nullopt;
    }
    return PictureHeader{PictureFormat::Bmp, static_cast<std::uint32_t>(width),
                         static_cast<std::uint32_t>(height < 0 ? -height : height)};
}

// --- PNG: the signature, then the image header chunk.

std::optional<PictureHeader> ReadPng(Bytes bytes) {
    constexpr std::size_t kHeaderEnd = 24;
    if (bytes.size() < kHeaderEnd || !StartsWith(bytes.subspan(12), "IHDR")) {
        return std::nullopt;
    }
    return PictureHeader{PictureFormat::Png, BigEndian(bytes, 16, 4), BigEndian(bytes, 20, 4)};
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
    if (!frame || frame->end < frame->body + 5 || frame->body + 5 > bytes.size()) {
        return std::nullopt;
    }
    return PictureHeader{PictureFormat::Jpeg, BigEndian(bytes, frame->body + 3, 2),
                         BigEndian(bytes, frame->body + 1, 2)};
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
    return PictureHeader{PictureFormat::Gif, LittleEndian(bytes, 6, 2), LittleEndian(bytes, 8, 2)};
}

// Each image's size, in order, as far as the bytes go or up to a block no decoder knows.
std::vector<PictureHeader> GifFrames(Bytes bytes) {
    constexpr std::uint8_t kImage = 0x2C;
    constexpr std::uint8_t kExtension = 0x21;
    constexpr std::size_t kDescriptorBytes = 10;
    std::vector<PictureHeader> frames;
    std::optional<std::size_t> at = kGifScreenEnd + ColourTableBytes(bytes[10]);
    while (at && *at < bytes.size()) {
        if (bytes[*at] == kExtension) {
            at = SkipSubBlocks(bytes, *at + 2);
        } else if (bytes[*at] == kImage && *at + kDescriptorBytes <= bytes.size()) {
            frames.push_back({PictureFormat::Gif, LittleEndian(bytes, *at + 5, 2),
                              LittleEndian(bytes, *at + 7, 2)});
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
    if (StartsWith(bytes, "BM")) {
        return ReadBmp(bytes);
    }
    if (StartsWith(bytes, "\x89PNG\r\n\x1a\n")) {
        return ReadPng(bytes);
    }
    if (StartsWith(bytes, "\xFF\xD8")) {
        return ReadJpeg(bytes);
    }
    if (StartsWith(bytes, "GIF87a") || StartsWith(bytes, "GIF89a")) {
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

void CheckPictureFile(const platform::FileSystem& files, const std::wstring& path) {
    auto bytes = files.ReadBytes(path, 0, kPictureHeaderFirstRead);
    // A GIF's every frame is checked; a header not found may lie further on. Otherwise the
    // header found decides alone, as it would in more bytes.
    const auto header = ReadPictureHeader(bytes);
    if (bytes.size() == kPictureHeaderFirstRead &&
        (!header || header->format == PictureFormat::Gif)) {
        bytes = files.ReadBytes(path, 0, kPictureHeaderBytes);
    }
    if (const auto refusal = PictureRefusal(bytes)) {
        throw platform::Error(*refusal);
    }
}

}  // namespace show
