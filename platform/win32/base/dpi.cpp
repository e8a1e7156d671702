#include "platform/win32/base/dpi.h"

// After windows.h, whose types it uses.
#include <shellscalingapi.h>

#include "platform/win32/base/gdi.h"
#include "platform/win32/base/win32_error.h"

namespace win32 {
namespace {

constexpr int kTwipsPerInch = 1440;

// A function of a system DLL that older versions of Windows lack, or null. It is named by its
// type only, so that the executable does not import it and still starts without it. user32
// is always loaded; shcore is loaded once, from the system folder, and kept for the process.
template <typename Function>
Function* Lookup(const wchar_t* module, const char* name) {
    HMODULE handle = GetModuleHandleW(module);
    if (handle == nullptr) {
        handle = LoadLibraryExW(module, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    const FARPROC address = handle != nullptr ? GetProcAddress(handle, name) : nullptr;
    // Through the one function type that converts to every other.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(address));
}

int FromSystemDpi(int value, int dpi) { return MulDiv(value, dpi, SystemDpi()); }

}  // namespace

int WindowDpi(HWND window) {
    static const auto getDpiForWindow =
        Lookup<decltype(GetDpiForWindow)>(L"user32.dll", "GetDpiForWindow");
    const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
    return dpi != 0 ? static_cast<int>(dpi) : SystemDpi();
}

int MonitorDpi(HMONITOR monitor) {
    static const auto getDpiForMonitor =
        Lookup<decltype(GetDpiForMonitor)>(L"shcore.dll", "GetDpiForMonitor");
    UINT x = 0;
    UINT y = 0;
    if (getDpiForMonitor == nullptr ||
        FAILED(getDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &x, &y)) || x == 0) {
        return SystemDpi();
    }
    return static_cast<int>(x);
}

int SystemDpi() {
    const ScreenDc screen;
    return GetDeviceCaps(screen.Get(), LOGPIXELSX);
}

int PixelsFromTwips(int twips, int dpi) { return MulDiv(twips, dpi, kTwipsPerInch); }

int SystemMetric(int index, int dpi) {
    static const auto getSystemMetricsForDpi =
        Lookup<decltype(GetSystemMetricsForDpi)>(L"user32.dll", "GetSystemMetricsForDpi");
    if (getSystemMetricsForDpi != nullptr) {
        return getSystemMetricsForDpi(index, static_cast<UINT>(dpi));
    }
    return FromSystemDpi(GetSystemMetrics(index), dpi);
}

SIZE OuterSize(SIZE client, DWORD style, int dpi) {
    static const auto adjustWindowRectExForDpi =
        Lookup<decltype(AdjustWindowRectExForDpi)>(L"user32.dll", "AdjustWindowRectExForDpi");
    RECT bounds = {0, 0, client.cx, client.cy};
    if (adjustWindowRectExForDpi != nullptr) {
        adjustWindowRectExForDpi(&bounds, style, FALSE, 0, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&bounds, style, FALSE, 0);
    }
    return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

LOGFONTW MessageFont(int dpi) {
    static const auto systemParametersInfoForDpi =
        Lookup<decltype(SystemParametersInfoForDpi)>(L"user32.dll", "SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (systemParametersInfoForDpi != nullptr) {
        Succeeded(systemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                             static_cast<UINT>(dpi)));
        return metrics.lfMessageFont;
    }
    Succeeded(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    metrics.lfMessageFont.lfHeight = FromSystemDpi(metrics.lfMessageFont.lfHeight, dpi);
    return metrics.lfMessageFont;
}

}  // namespace win32
