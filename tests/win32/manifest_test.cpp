#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

// The manifest resource of the executable, as Windows reads it when the program starts.
std::string ManifestOf(const wchar_t* exe) {
    const HMODULE module =
        LoadLibraryExW(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr) {
        return {};
    }
    std::string text;
    if (const HRSRC found =
            FindResourceW(module, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST)) {
        if (const HGLOBAL loaded = LoadResource(module, found)) {
            text.assign(static_cast<const char*>(LockResource(loaded)),
                        SizeofResource(module, found));
        }
    }
    FreeLibrary(module);
    return text;
}

TEST(ManifestTest, KestroExeDeclaresWhatWindowsNeedsToKnow) {
    const wchar_t* exe = _wgetenv(L"KESTRO_EXE");
    if (exe == nullptr) {
        GTEST_SKIP() << "KESTRO_EXE names no kestro.exe";
    }
    const std::string manifest = ManifestOf(exe);
    ASSERT_FALSE(manifest.empty()) << "no manifest in kestro.exe";
    for (const char* declared : {
             // Per-monitor DPI, version 2, with what older systems understand.
             R"(<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">)"
             "PerMonitorV2, PerMonitor</dpiAwareness>",
             R"(<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">)"
             "true</dpiAware>",
             R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")",
             R"(<requestedExecutionLevel level="asInvoker")",
         }) {
        EXPECT_NE(manifest.find(declared), std::string::npos) << declared;
    }
}

}  // namespace
