#include "platform/win32/base/win32_error.h"

#include <string>

namespace win32 {

platform::Error ErrorFromCode(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring description =
        length != 0 ? std::wstring(text, length) : L"Error " + std::to_wstring(code);
    LocalFree(text);
    while (!description.empty() && (description.back() == L'\n' || description.back() == L'\r')) {
        description.pop_back();
    }
    return platform::Error(description);
}

platform::Error LastError() {
    const DWORD code = GetLastError();
    return ErrorFromCode(code != 0 ? code : static_cast<DWORD>(E_FAIL));
}

void Succeeded(BOOL result) {
    if (!result) {
        throw LastError();
    }
}

void Check(HRESULT result) {
    if (FAILED(result)) {
        throw ErrorFromCode(static_cast<DWORD>(result));
    }
}

}  // namespace win32
