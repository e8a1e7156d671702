#include "platform/win32/settings_ui/common_dialogs.h"

#include <gtest/gtest.h>

#include <string>

#include "folder_tree.h"
#include "platform/ansi.h"
#include "platform/win32/base/com_apartment.h"
#include "temp_dir.h"

namespace {

win32::FolderItem ItemOf(const std::wstring& path) {
    return win32::FolderItem(win32::ItemIdList(ILCreateFromPathW(path.c_str())));
}

TEST(PathFromItemTest, GivesTheWholePathOfEveryFileSystemFolder) {
    const win32::ComApartment apartment;
    TempDir dir;
    const std::wstring folder = dir.File(L"").substr(0, dir.File(L"").size() - 1);
    const FolderTree deep(folder, DeepFolderNames());
    ASSERT_TRUE(deep.Complete());
    if (GetACP() == 932) {
        // The narrow call's buffer of MAX_PATH bytes could not hold it.
        EXPECT_GT(platform::ToAnsi(deep.Deepest()).size(), static_cast<std::size_t>(MAX_PATH));
    }
    win32::CommonDialogs dialogs;
    for (const auto& path : {std::wstring(L"C:\\"), folder, deep.Deepest()}) {
        const win32::FolderItem item = ItemOf(path);
        ASSERT_NE(item.Get(), nullptr) << platform::ToAnsi(path);
        EXPECT_EQ(dialogs.PathFromItem(item), path) << platform::ToAnsi(path);
    }
}

TEST(PathFromItemTest, FolderOutsideTheFileSystemHasNoPath) {
    const win32::ComApartment apartment;
    PIDLIST_ABSOLUTE computer = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    const win32::FolderItem item{win32::ItemIdList(computer)};
    win32::CommonDialogs dialogs;
    EXPECT_EQ(dialogs.PathFromItem(item), L"");
}

// What a window received through SendBrowserMessage.
struct Received {
    UINT message = 0;
    WPARAM wParam = 0;
    std::wstring text;
};
Received received;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 102) {
        // NOLINTNEXTLINE(performance-no-int-to-ptr): the message's text comes as a number.
        received = {message, wParam, reinterpret_cast<const wchar_t*>(lParam)};
        return 77;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(SendBrowserMessageTest, PassesTheTextWhole) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &RecordingProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KestroRecordingWindow";
    RegisterClassW(&windowClass);
    const win32::Window window(CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0,
                                               HWND_MESSAGE, nullptr, windowClass.hInstance,
                                               nullptr));
    ASSERT_TRUE(window);
    win32::CommonDialogs dialogs;

    // Hangul and an emoji, which no ANSI code page of Japan holds.
    const std::wstring path = L"C:\\키스트로\\\U0001F305 写真";
    EXPECT_EQ(dialogs.SendBrowserMessage(reinterpret_cast<std::intptr_t>(window.Get()),
                                         WM_USER + 102, -1, path),
              77);
    EXPECT_EQ(received.message, static_cast<UINT>(WM_USER + 102));
    EXPECT_EQ(received.wParam, static_cast<WPARAM>(-1));
    EXPECT_EQ(received.text, path);
}

}  // namespace
