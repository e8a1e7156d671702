#include "platform/text.h"

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
    for (auto& ch : text) {
        if (ch >= L'A' && ch <= L'Z') {
            ch = static_cast<wchar_t>(ch - L'A' + L'a');
        }
    }
    return text;
}

std::wstring LastChars(const std::wstring& text, std::size_t count) {
    return text.size() <= count ? text : text.substr(text.size() - count);
}

}  // namespace platform
