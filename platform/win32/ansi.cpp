#include "platform/ansi.h"

#include <windows.h>

#include "platform/win32/win32_error.h"

namespace platform {

std::string ToAnsi(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int wideLength = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, ansi.data(), length, nullptr, nullptr);
    return ansi;
}

std::string ToAnsiExactly(const std::wstring& text) {
    // A UTF-8 code page holds every character, and refuses the question.
    if (text.empty() || GetACP() == CP_UTF8) {
        return ToAnsi(text);
    }
    const int wideLength = static_cast<int>(text.size());
    BOOL substituted = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), wideLength,
                                           nullptr, 0, nullptr, &substituted);
    if (length == 0) {
        throw win32::LastError();
    }
    if (substituted) {
        throw win32::ErrorFromCode(ERROR_NO_UNICODE_TRANSLATION);
    }
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), wideLength, ansi.data(), length,
                        nullptr, nullptr);
    return ansi;
}

std::wstring FromAnsi(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int ansiLength = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), ansiLength, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), ansiLength, wide.data(), length);
    return wide;
}

}  // namespace platform
