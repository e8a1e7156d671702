#pragma once

#include <windows.h>
// After windows.h, whose types they use.
#include <objidl.h>
#include <shlobj.h>

#include <string>

#include "platform/shell.h"
#include "platform/win32/base/com_ptr.h"

namespace win32 {

// The shell's CLSID_ShellLink object through its IShellLinkW and IPersistFile interfaces,
// both released with it.
class ShellLink final : public platform::ShellLink {
  public:
    // Throws platform::Error when the object cannot be created (COM must be initialised on
    // the calling thread).
    ShellLink();

    void SetPath(const std::wstring& path) override;
    void SetWorkingDirectory(const std::wstring& directory) override;
    void SetArguments(const std::wstring& arguments) override;
    void SetIconLocation(const std::wstring& path, int index) override;
    void SetHotkey(int hotkey) override;
    void SetShowCmd(int showCmd) override;
    void Resolve(std::intptr_t window, std::uint32_t flags) override;
    void Save(const std::wstring& fileName) override;

  private:
    ComPtr<IShellLinkW> link_;
    ComPtr<IPersistFile> file_;
};

}  // namespace win32
