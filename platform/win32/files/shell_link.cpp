#include "platform/win32/files/shell_link.h"

#include "platform/win32/base/com_apartment.h"
#include "platform/win32/base/win32_error.h"

namespace win32 {

static_assert(platform::kResolveUpdatesLink == SLR_UPDATE);

ShellLink::ShellLink() {
    EnterApartment();
    Check(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                           link_.PutVoid()));
    Check(link_->QueryInterface(IID_IPersistFile, file_.PutVoid()));
}

void ShellLink::SetPath(const std::wstring& path) { Check(link_->SetPath(path.c_str())); }

void ShellLink::SetWorkingDirectory(const std::wstring& directory) {
    Check(link_->SetWorkingDirectory(directory.c_str()));
}

void ShellLink::SetArguments(const std::wstring& arguments) {
    Check(link_->SetArguments(arguments.c_str()));
}

void ShellLink::SetIconLocation(const std::wstring& path, int index) {
    Check(link_->SetIconLocation(path.c_str(), index));
}

void ShellLink::SetHotkey(int hotkey) { Check(link_->SetHotkey(static_cast<WORD>(hotkey))); }

void ShellLink::SetShowCmd(int showCmd) { Check(link_->SetShowCmd(showCmd)); }

void ShellLink::Resolve(std::intptr_t window, std::uint32_t flags) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the window comes as a number from the logic.
    Check(link_->Resolve(reinterpret_cast<HWND>(window), flags));
}

void ShellLink::Save(const std::wstring& fileName) { Check(file_->Save(fileName.c_str(), FALSE)); }

}  // namespace win32
