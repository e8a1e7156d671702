#include "show/byte_reader.h"

#include <algorithm>

namespace show {

std::optional<std::uint32_t> ByteReader::Number(std::size_t at, std::size_t count) const {
    if (at > bytes_.size() || count > bytes_.size() - at) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t index = order_ == ByteOrder::LittleEndian ? count - 1 - i : i;
        value = (value << 8U) | bytes_[at + index];
    }
    return value;
}

bool ByteReader::Holds(std::size_t at, std::string_view text) const {
    return at <= bytes_.size() && text.size() <= bytes_.size() - at &&
           std::equal(
               text.begin(), text.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(at),
               [](char want, std::uint8_t got) { return static_cast<std::uint8_t>(want) == got; });
}

ByteReader ByteReader::Window(std::size_t begin, std::size_t end) const {
    const auto first = std::min(begin, bytes_.size());
    const auto last = std::clamp(end, first, bytes_.size());
    return ByteReader(bytes_.subspan(first, last - first), order_);
}

}  // namespace show
