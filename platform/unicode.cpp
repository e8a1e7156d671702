#include "platform/unicode.h"

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void Append(std::wstring& text, char32_t character) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (character > 0xFFFF) {
            character -= 0x10000;
            text += static_cast<wchar_t>(0xD800 + (character >> 10));
            text += static_cast<wchar_t>(0xDC00 + (character & 0x3FF));
            return;
        }
    }
    text += static_cast<wchar_t>(character);
}

// The length of the sequence a UTF-8 lead byte starts, or 0 for a byte that starts none.
std::size_t SequenceLength(std::uint8_t lead) {
    if (lead < 0x80) {
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        return 3;
    }
    return (lead & 0xF8) == 0xF0 ? 4 : 0;
}

}  // namespace

std::wstring FromUtf8(std::span<const std::uint8_t> bytes) {
    // The smallest character each length may carry: a longer form of a smaller one is invalid.
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    std::wstring text;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t length = SequenceLength(bytes[at]);
        bool valid = length != 0 && at + length <= bytes.size();
        char32_t character = length == 1 ? bytes[at] : bytes[at] & (0x7F >> length);
        for (std::size_t i = 1; valid && i < length; ++i) {
            valid = (bytes[at + i] & 0xC0) == 0x80;
            character = (character << 6) | (bytes[at + i] & 0x3F);
        }
        valid = valid && character >= kSmallest[length] && character <= 0x10FFFF &&
                (character < 0xD800 || character > 0xDFFF);
        Append(text, valid ? character : kReplacement);
        at += valid ? length : 1;
    }
    return text;
}

std::vector<std::uint8_t> ToUtf16Le(const std::wstring& text) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() * 2);
    const auto unit = [&bytes](char32_t value) {
        bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
    };
    for (const wchar_t ch : text) {
        auto character = static_cast<char32_t>(ch);
        if (character > 0xFFFF) {
            character -= 0x10000;
            unit(0xD800 + (character >> 10));
            unit(0xDC00 + (character & 0x3FF));
        } else {
            unit(character);
        }
    }
    return bytes;
}

}  // namespace platform
