#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace show {

enum class ByteOrder { BigEndian, LittleEndian };

// Numbers and signatures in a file's bytes, as picture headers, EXIF blocks and JPEG segments
// store them. A read that would reach past the bytes answers nothing.
class ByteReader {
  public:
    explicit ByteReader(std::span<const std::uint8_t> bytes, ByteOrder order = ByteOrder::BigEndian)
        : bytes_(bytes), order_(order) {}

    std::size_t Size() const { return bytes_.size(); }
    void SetOrder(ByteOrder order) { order_ = order; }

    // The unsigned number of `count` (1-4) bytes at `at`.
    std::optional<std::uint32_t> Number(std::size_t at, std::size_t count) const;
    // The bytes at `at` are these characters.
    bool Holds(std::size_t at, std::string_view text) const;
    // The bytes from `begin` to `end`, cut to what is there.
    ByteReader Window(std::size_t begin, std::size_t end) const;

  private:
    std::span<const std::uint8_t> bytes_;
    ByteOrder order_;
};

}  // namespace show
