#include "platform/text.h"

#include <algorithm>

namespace platform {

std::wstring TrimNull(const std::wstring& text) {
    const auto end = text.find(L'\0');
    return end == std::wstring::npos ? text : text.substr(0, end);
}

std::wstring AddBackslash(const std::wstring& text) {
    if (!text.empty() && text.back() == L'\\') {
        return text;
    }
    return text + L'\\';
}

std::wstring LowerCase(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t ch) {
        return ch >= L'A' && ch <= L'Z' ? static_cast<wchar_t>(ch - L'A' + L'a') : ch;
    });
    return text;
}

std::wstring LastChars(const std::wstring& text, std::size_t count) {
    return text.size() <= count ? text : text.substr(text.size() - count);
}

}  // namespace platform
