#include "config/ini_form.h"

#include <algorithm>
#include <array>

#include "platform/text.h"
#include "platform/unicode.h"

namespace config {
namespace {

constexpr std::array<std::uint8_t, 2> kUtf16LeMark = {0xFF, 0xFE};
constexpr std::array<std::uint8_t, 2> kUtf16BeMark = {0xFE, 0xFF};
constexpr std::array<std::uint8_t, 3> kUtf8Mark = {0xEF, 0xBB, 0xBF};

template <std::size_t N>
bool StartsWith(std::span<const std::uint8_t> bytes, const std::array<std::uint8_t, N>& mark) {
    return bytes.size() >= N && std::equal(mark.begin(), mark.end(), bytes.begin());
}

std::wstring Trim(const std::wstring& text) {
    const auto first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

bool SameName(const std::wstring& a, const std::wstring& b) {
    return platform::LowerCase(Trim(a)) == platform::LowerCase(b);
}

std::wstring Unquoted(std::wstring value) {
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

IniForm FormOf(std::span<const std::uint8_t> bytes) {
    if (StartsWith(bytes, kUtf16LeMark) || StartsWith(bytes, kUtf16BeMark)) {
        return IniForm::Utf16;
    }
    return StartsWith(bytes, kUtf8Mark) ? IniForm::Utf8 : IniForm::CodePage;
}

IniForm SaveForm(IniForm current, bool everyValueFits) {
    return current == IniForm::CodePage && everyValueFits ? IniForm::CodePage : IniForm::Utf16;
}

std::wstring Utf8FileText(std::span<const std::uint8_t> bytes) {
    return platform::FromUtf8(StartsWith(bytes, kUtf8Mark) ? bytes.subspan(kUtf8Mark.size())
                                                           : bytes);
}

std::vector<std::uint8_t> Utf16LeFile(const std::wstring& text) {
    std::vector<std::uint8_t> bytes(kUtf16LeMark.begin(), kUtf16LeMark.end());
    const auto body = platform::ToUtf16Le(text);
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

std::optional<std::wstring> FindIniValue(const std::wstring& text, const std::wstring& section,
                                         const std::wstring& key) {
    bool inSection = false;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos) {
            end = text.size();
        }
        const std::wstring line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (!line.empty() && line.front() == L'[') {
            inSection = SameName(line.substr(1, line.find(L']') - 1), section);
            continue;
        }
        const auto equals = line.find(L'=');
        if (inSection && equals != std::wstring::npos && SameName(line.substr(0, equals), key)) {
            return Unquoted(Trim(line.substr(equals + 1)));
        }
    }
    return std::nullopt;
}

}  // namespace config
