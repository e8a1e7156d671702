#include "platform/ansi.h"

#include <windows.h>

namespace platform {
namespace {

// The text in the ANSI code page with the conversion flags; `substituted`, when given, tells
// whether a character had to be replaced.
std::string Convert(const std::wstring& text, DWORD flags, BOOL* substituted) {
    if (text.empty()) {
        return {};
    }
    const int wideLength = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_ACP, flags, text.data(), wideLength, nullptr, 0,
                                           nullptr, substituted);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, flags, text.data(), wideLength, ansi.data(), length, nullptr,
                        nullptr);
    return ansi;
}

}  // namespace

std::string ToAnsi(const std::wstring& text) { return Convert(text, 0, nullptr); }

bool FitsAnsi(const std::wstring& text) {
    // A UTF-8 code page holds every character, and refuses the question.
    if (GetACP() == CP_UTF8) {
        return true;
    }
    BOOL substituted = FALSE;
    Convert(text, WC_NO_BEST_FIT_CHARS, &substituted);
    return substituted == FALSE;
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
