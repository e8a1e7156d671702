#include "show/png_size.h"

#include <cstddef>
#include <optional>
#include <string_view>

#include "platform/error.h"
#include "show/byte_reader.h"

namespace show {
namespace {

constexpr std::string_view kSignature = "\x89PNG\r\n\x1a\n";
// The header chunk's big-endian 32-bit width and height.
constexpr std::size_t kWidthOffset = 16;
constexpr std::size_t kHeightOffset = 20;
constexpr std::uint32_t kLargest = 32767;

std::int16_t ToInt16(std::uint32_t value) {
    if (value > kLargest) {
        throw platform::Error(L"Overflow");
    }
    return static_cast<std::int16_t>(value);
}

}  // namespace

void GetPngSize(std::span<const std::uint8_t> head, std::int16_t& width, std::int16_t& height) {
    const ByteReader reader(head);
    const auto storedWidth = reader.Number(kWidthOffset, 4);
    const auto storedHeight = reader.Number(kHeightOffset, 4);
    if (!reader.Holds(0, kSignature) || !storedWidth || !storedHeight) {
        return;
    }
    width = ToInt16(*storedWidth);
    height = ToInt16(*storedHeight);
}

}  // namespace show
