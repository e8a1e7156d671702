#include "show/picture_header.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/picture_limit.h"
#include "show/byte_reader.h"
#include "show/jpeg_segments.h"

namespace show {
namespace {

using Bytes = std::span<const std::uint8_t>;

// The size that a header declares, as it stores it.
struct Declared {
    std::uint32_t width;
    std::uint32_t height;
};

std::optional<Declared> Sized(std::optional<std::uint32_t> width,
                              std::optional<std::uint32_t> height) {
    if (!width || !height) {
        return std::nullopt;
    }
    return Declared{*width, *height};
}

// An ISO media file whose major brand is one of HEIF's (HEVC stills, image sequences and the
// AV1 kind that Windows' codecs decode too).
bool IsHeif(const ByteReader& head) {
    if (!head.Holds(4, "ftyp") || head.Size() < 12) {
        return false;
    }
    constexpr std::array<std::string_view, 9> kBrands = {"heic", "heix", "hevc", "hevx", "heim",
                                                         "heis", "mif1", "msf1", "avif"};
    return std::any_of(kBrands.begin(), kBrands.end(),
                       [&](std::string_view brand) { return head.Holds(8, brand); });
}

// One signature for each format.
PictureContent Sniff(const ByteReader& head) {
    using std::string_view_literals::operator""sv;
    if (head.Holds(0, "\x89PNG\r\n\x1a\n"sv)) {
        return PictureContent::Png;
    }
    // Start of image and the marker of the first segment: the common decoders ask no less.
    if (head.Holds(0, "\xFF\xD8\xFF"sv)) {
        return PictureContent::Jpeg;
    }
    if (head.Holds(0, "GIF87a"sv) || head.Holds(0, "GIF89a"sv)) {
        return PictureContent::Gif;
    }
    if (head.Holds(0, "BM"sv)) {
        return PictureContent::Bmp;
    }
    if (head.Holds(0, "II*\0"sv) || head.Holds(0, "MM\0*"sv)) {
        return PictureContent::Tiff;
    }
    if (head.Holds(0, "RIFF"sv) && head.Holds(8, "WEBP"sv)) {
        return PictureContent::WebP;
    }
    if (IsHeif(head)) {
        return PictureContent::Heif;
    }
    // Reserved 0, type 1 (icon), and at least one image.
    if (head.Holds(0, "\0\0\1\0"sv) && head.Number(4, 2).value_or(0) != 0) {
        return PictureContent::Icon;
    }
    return PictureContent::Unknown;
}

// --- BMP: file header, then a core header (16-bit sizes) or an info header of any later
// version (signed 32-bit sizes, a negative height for a top-down picture).

constexpr std::size_t kBmpInfoAt = 14;
constexpr std::uint32_t kBmpCoreHeader = 12;
constexpr std::uint32_t kBmpShortestInfo = 16;
constexpr std::uint32_t kBmpLongestInfo = 124;

std::optional<Declared> ReadBmp(Bytes bytes) {
    const ByteReader reader(bytes, ByteOrder::LittleEndian);
    const auto headerSize = reader.Number(kBmpInfoAt, 4);
    if (!headerSize) {
        return std::nullopt;
    }
    if (*headerSize == kBmpCoreHeader) {
        if (bytes.size() < kBmpInfoAt + kBmpCoreHeader) {
            return std::nullopt;
        }
        return Sized(reader.Number(kBmpInfoAt + 4, 2), reader.Number(kBmpInfoAt + 6, 2));
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
    return Declared{*width,
                    static_cast<std::uint32_t>(signedHeight < 0 ? -signedHeight : signedHeight)};
}

// --- PNG: the signature, then the image header chunk.

std::optional<Declared> ReadPng(Bytes bytes) {
    const ByteReader reader(bytes);
    if (!reader.Holds(12, "IHDR")) {
        return std::nullopt;
    }
    return Sized(reader.Number(16, 4), reader.Number(20, 4));
}

// --- JPEG: segments up to the first frame header, walked as the common decoders walk them.

bool IsFrameHeader(std::uint8_t marker) {
    // SOF0-SOF15 but DHT (C4), JPG (C8) and DAC (CC).
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

std::optional<Declared> ReadJpeg(Bytes bytes) {
    const auto frame = FindJpegSegment(
        bytes, [](const JpegSegment& segment) { return IsFrameHeader(segment.marker); });
    // Precision, height, width.
    if (!frame || frame->end < frame->body + 5) {
        return std::nullopt;
    }
    const ByteReader reader(bytes);
    return Sized(reader.Number(frame->body + 3, 2), reader.Number(frame->body + 1, 2));
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

std::optional<Declared> ReadGif(Bytes bytes) {
    if (bytes.size() < kGifScreenEnd) {
        return std::nullopt;
    }
    const ByteReader reader(bytes, ByteOrder::LittleEndian);
    return Sized(reader.Number(6, 2), reader.Number(8, 2));
}

// Each image's size, in order, as far as the bytes go or up to a block no decoder knows.
std::vector<Declared> GifFrames(Bytes bytes) {
    constexpr std::uint8_t kImage = 0x2C;
    constexpr std::uint8_t kExtension = 0x21;
    constexpr std::size_t kDescriptorBytes = 10;
    const ByteReader reader(bytes, ByteOrder::LittleEndian);
    std::vector<Declared> frames;
    std::optional<std::size_t> at = kGifScreenEnd + ColourTableBytes(bytes[10]);
    while (at && *at < bytes.size()) {
        const auto frame = Sized(reader.Number(*at + 5, 2), reader.Number(*at + 7, 2));
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

bool Fits(const Declared& size) {
    return size.width != 0 && size.height != 0 && !platform::TooManyPixels(size.width, size.height);
}

// Why no decoder may see a picture of a format whose header the check reads.
std::optional<std::wstring> Refusal(PictureContent content, Bytes bytes,
                                    const std::optional<Declared>& declared) {
    if (!declared) {
        return L"The file is no picture whose size can be read.";
    }
    if (!Fits(*declared)) {
        return L"The picture's size is zero or too large.";
    }
    if (content != PictureContent::Gif) {
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

}  // namespace

PictureContent PictureContentOf(Bytes bytes) { return Sniff(ByteReader(bytes)); }

PictureHeader ReadPictureHeader(Bytes bytes) {
    PictureHeader header;
    header.content = PictureContentOf(bytes);
    std::optional<Declared> declared;
    switch (header.content) {
        case PictureContent::Bmp:
            declared = ReadBmp(bytes);
            break;
        case PictureContent::Png:
            declared = ReadPng(bytes);
            break;
        case PictureContent::Jpeg:
            declared = ReadJpeg(bytes);
            break;
        case PictureContent::Gif:
            declared = ReadGif(bytes);
            break;
        case PictureContent::Unknown:
            break;
        default:
            // The decoder reads these sizes and refuses them before it decodes a pixel.
            return header;
    }
    header.refusal = Refusal(header.content, bytes, declared);
    if (!header.refusal) {
        header.size =
            platform::Size{static_cast<int>(declared->width), static_cast<int>(declared->height)};
    }
    return header;
}

}  // namespace show
