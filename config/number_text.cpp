#include "config/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace config {
namespace {

bool IsDigit(wchar_t ch) { return ch >= L'0' && ch <= L'9'; }
bool IsBlank(wchar_t ch) { return ch == L' ' || ch == L'\t'; }

// A Japanese input method types numbers in full width: digits, signs, the full stop, the
// exponent letter and the ideographic space read as their ASCII forms.
wchar_t AsciiForm(wchar_t ch) {
    constexpr wchar_t kFullWidthOffset = 0xFEE0;  // U+FF01..U+FF5E mirror U+0021..U+007E
    constexpr wchar_t kIdeographicSpace = 0x3000;
    switch (ch) {
        case L'\uFF0B':
        case L'\uFF0D':
        case L'\uFF0E':
        case L'\uFF25':
        case L'\uFF45':
            return static_cast<wchar_t>(ch - kFullWidthOffset);
        case kIdeographicSpace:
            return L' ';
        default:
            break;
    }
    if (ch >= L'\uFF10' && ch <= L'\uFF19') {
        return static_cast<wchar_t>(ch - kFullWidthOffset);
    }
    return ch;
}

// The decimal text without its surrounding blanks, in ASCII, when it is a plain decimal
// number; empty otherwise. strtod alone would also take hexadecimal, "inf" and "nan".
std::string DecimalOnly(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(), AsciiForm);
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    std::size_t i = begin;
    if (i < end && (text[i] == L'+' || text[i] == L'-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < end && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < end && text[i] == L'.') {
        ++i;
        while (i < end && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return {};
    }
    if (i < end && (text[i] == L'e' || text[i] == L'E')) {
        ++i;
        if (i < end && (text[i] == L'+' || text[i] == L'-')) {
            ++i;
        }
        std::size_t exponentDigits = 0;
        while (i < end && IsDigit(text[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return {};
        }
    }
    if (i != end) {
        return {};
    }
    return std::string(text.begin() + static_cast<std::ptrdiff_t>(begin),
                       text.begin() + static_cast<std::ptrdiff_t>(end));
}

std::optional<double> ParseDouble(const std::wstring& text) {
    const std::string decimal = DecimalOnly(text);
    if (decimal.empty()) {
        return std::nullopt;
    }
    // The text is plain ASCII decimal here; "C" number syntax is what the file holds on
    // every machine, whatever the user's locale.
    const double value = std::strtod(decimal.c_str(), nullptr);
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

double RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5) {
        return floor + 1.0;
    }
    if (fraction < 0.5) {
        return floor;
    }
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

std::optional<float> ParseSingle(const std::wstring& text) {
    const auto value = ParseDouble(text);
    if (!value || std::fabs(*value) > static_cast<double>(std::numeric_limits<float>::max())) {
        return std::nullopt;
    }
    return static_cast<float>(*value);
}

std::optional<std::int16_t> ParseInt16(const std::wstring& text) {
    const auto value = ParseDouble(text);
    if (!value) {
        return std::nullopt;
    }
    const double rounded = RoundHalfEven(*value);
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

std::wstring SingleText(float value) {
    constexpr int kDigits = 7;
    constexpr int kFirstExponentForm = 7;
    constexpr int kLastPlainExponent = -4;
    if (value == 0.0F) {
        return L"0";
    }
    // "d.dddddde+XX", the same on every machine whatever the locale.
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, kDigits - 1);
    const std::string scientific(buffer.data(), result.ptr);
    const std::size_t e = scientific.find('e');
    const bool negative = scientific.front() == '-';
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i) {
        if (scientific[i] != '.') {
            digits += scientific[i];
        }
    }
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    const int exponent = std::stoi(scientific.substr(e + 1));

    std::string text(negative ? "-" : "");
    if (exponent >= kFirstExponentForm || exponent < kLastPlainExponent) {
        text.append(digits, 0, 1);
        if (digits.size() > 1) {
            text.append(1, '.').append(digits, 1);
        }
        const int magnitude = std::abs(exponent);
        text.append(exponent < 0 ? "E-" : "E+");
        if (magnitude < 10) {
            text.append(1, '0');
        }
        text.append(std::to_string(magnitude));
    } else if (exponent < 0) {
        text.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
    } else {
        const auto whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            text.append(digits).append(whole - digits.size(), '0');
        } else {
            text.append(digits, 0, whole).append(1, '.').append(digits, whole);
        }
    }
    return {text.begin(), text.end()};
}

}  // namespace config
