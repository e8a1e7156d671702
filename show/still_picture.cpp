#include "show/still_picture.h"

#include <algorithm>
#include <cstddef>

#include "platform/text.h"

namespace show {
namespace {

bool StartsWith(const std::vector<std::uint8_t>& bytes, std::size_t offset,
                std::string_view expected) {
    return bytes.size() >= offset + expected.size() &&
           std::equal(
               expected.begin(), expected.end(),
               bytes.begin() + static_cast<std::ptrdiff_t>(offset),
               [](char want, std::uint8_t got) { return static_cast<std::uint8_t>(want) == got; });
}

// An ISO media file whose major brand is one of HEIF's (HEVC stills, image sequences and the
// AV1 kind that Windows' codecs decode too).
bool IsHeif(const std::vector<std::uint8_t>& head) {
    if (!StartsWith(head, 4, "ftyp") || head.size() < 12) {
        return false;
    }
    constexpr std::array<std::string_view, 9> kBrands = {"heic", "heix", "hevc", "hevx", "heim",
                                                         "heis", "mif1", "msf1", "avif"};
    return std::any_of(kBrands.begin(), kBrands.end(),
                       [&](std::string_view brand) { return StartsWith(head, 8, brand); });
}

}  // namespace

bool IsStillPicture(const std::wstring& path) {
    const auto lower = platform::LowerCase(path);
    return std::any_of(kStillPictureEndings.begin(), kStillPictureEndings.end(),
                       [&](std::wstring_view ending) { return lower.ends_with(ending); });
}

PictureContent SniffPicture(const std::vector<std::uint8_t>& head) {
    using std::string_view_literals::operator""sv;
    if (StartsWith(head, 0, "\x89PNG\r\n\x1a\n"sv)) {
        return PictureContent::Png;
    }
    if (StartsWith(head, 0, "\xFF\xD8\xFF"sv)) {
        return PictureContent::Jpeg;
    }
    if (StartsWith(head, 0, "GIF87a"sv) || StartsWith(head, 0, "GIF89a"sv)) {
        return PictureContent::Gif;
    }
    if (StartsWith(head, 0, "BM"sv)) {
        return PictureContent::Bmp;
    }
    if (StartsWith(head, 0, "II*\0"sv) || StartsWith(head, 0, "MM\0*"sv)) {
        return PictureContent::Tiff;
    }
    if (StartsWith(head, 0, "RIFF"sv) && StartsWith(head, 8, "WEBP"sv)) {
        return PictureContent::WebP;
    }
    if (IsHeif(head)) {
        return PictureContent::Heif;
    }
    // Reserved 0, type 1 (icon), and at least one image.
    if (StartsWith(head, 0, "\0\0\1\0"sv) && head.size() >= 6 && (head[4] != 0 || head[5] != 0)) {
        return PictureContent::Icon;
    }
    return PictureContent::Unknown;
}

PictureRoad ChooseRoad(PictureContent content, const std::wstring& path) {
    switch (content) {
        case PictureContent::Png:
            return PictureRoad::Png;
        case PictureContent::Bmp:
        case PictureContent::Gif:
            return PictureRoad::OlePicture;
        case PictureContent::Unknown:
            break;
        default:
            return PictureRoad::Decoder;
    }
    // A missing or damaged file fails on the road its name promises, as it always has.
    const auto lower = platform::LowerCase(path);
    if (lower.ends_with(L".png")) {
        return PictureRoad::Png;
    }
    for (const auto* ending : {L".bmp", L".gif", L".jpg"}) {
        if (lower.ends_with(ending)) {
            return PictureRoad::OlePicture;
        }
    }
    return PictureRoad::Decoder;
}

std::vector<std::uint8_t> ReadPictureHead(const platform::FileSystem& files,
                                          const std::wstring& path) {
    if (!files.FileExists(path)) {
        return {};
    }
    return files.ReadBytes(path, 0, kPictureHeadBytes);
}

}  // namespace show
