#include "show/still_picture.h"

#include <algorithm>
#include <cstddef>

#include "platform/text.h"
#include "show/byte_reader.h"

namespace show {
namespace {

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

}  // namespace

bool IsStillPicture(const std::wstring& path) {
    const auto lower = platform::LowerCase(path);
    return std::any_of(kStillPictureEndings.begin(), kStillPictureEndings.end(),
                       [&](std::wstring_view ending) { return lower.ends_with(ending); });
}

PictureContent SniffPicture(std::span<const std::uint8_t> bytes) {
    using std::string_view_literals::operator""sv;
    const ByteReader head(bytes);
    if (head.Holds(0, "\x89PNG\r\n\x1a\n"sv)) {
        return PictureContent::Png;
    }
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

}  // namespace show
