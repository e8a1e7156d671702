#include "show/png_size.h"

#include <algorithm>
#include <array>

#include "platform/error.h"

namespace show {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {137, 80, 78, 71, 13, 10, 26, 10};
// The header chunk's big-endian 32-bit width and height.
constexpr std::size_t kWidthOffset = 16;
constexpr std::size_t kHeightOffset = 20;
constexpr std::size_t kHeaderEnd = 24;

std::int16_t ToInt16(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | bytes[offset + i];
    }
    if (value > 32767) {
        throw platform::Error(L"Overflow");
    }
    return static_cast<std::int16_t>(value);
}

}  // namespace

void GetPngSize(const platform::FileSystem& files, const std::wstring& path, std::int16_t& width,
                std::int16_t& height) {
    if (!files.FileExists(path)) {
        return;
    }
    const auto bytes = files.ReadBytes(path, 0, kHeaderEnd);
    if (bytes.size() < kSignature.size() ||
        !std::equal(kSignature.begin(), kSignature.end(), bytes.begin())) {
        return;
    }
    if (bytes.size() < kHeaderEnd) {
        return;
    }
    width = ToInt16(bytes, kWidthOffset);
    height = ToInt16(bytes, kHeightOffset);
}

}  // namespace show
