#include "fake_shell.h"

#include "platform/error.h"

namespace fake {

ShellLink::ShellLink(Shell& shell, Log& log, FileSystem& store)
    : shell_(shell), log_(log), store_(store) {
    ++shell_.liveLinks;
}

ShellLink::~ShellLink() {
    --shell_.liveLinks;
    log_.emplace_back("Link.Release");
}

void ShellLink::Call(const std::string& name, const std::string& arguments) {
    log_.push_back("Link." + name + " " + arguments);
    shell_.FailIfAsked(name);
}

void ShellLink::SetPath(const std::wstring& path) {
    Call("SetPath", Narrow(path));
    fields_["path"] = Narrow(path);
}

void ShellLink::SetWorkingDirectory(const std::wstring& directory) {
    Call("SetWorkingDirectory", Narrow(directory));
    fields_["directory"] = Narrow(directory);
}

void ShellLink::SetArguments(const std::wstring& arguments) {
    Call("SetArguments", Narrow(arguments));
    fields_["arguments"] = Narrow(arguments);
}

void ShellLink::SetIconLocation(const std::wstring& path, int index) {
    Call("SetIconLocation", Narrow(path) + " " + std::to_string(index));
    fields_["icon"] = Narrow(path) + "," + std::to_string(index);
}

void ShellLink::SetHotkey(int hotkey) {
    Call("SetHotkey", std::to_string(hotkey));
    fields_["hotkey"] = std::to_string(hotkey);
}

void ShellLink::SetShowCmd(int showCmd) {
    Call("SetShowCmd", std::to_string(showCmd));
    fields_["show"] = std::to_string(showCmd);
}

void ShellLink::Resolve(std::intptr_t window, std::uint32_t flags) {
    Call("Resolve", std::to_string(window) + " " + std::to_string(flags));
}

void ShellLink::Save(const std::wstring& fileName) {
    Call("Save", Narrow(fileName));
    std::string text;
    for (const auto& [name, value] : fields_) {
        text.append(name).append("=").append(value).append("\n");
    }
    store_.files[fileName] = {text.begin(), text.end()};
}

void Shell::FailIfAsked(const std::string& name) const {
    if (failing.count(name) != 0) {
        throw platform::Error(L"failed: " + std::wstring(name.begin(), name.end()));
    }
}

std::wstring Shell::SpecialFolderPath(int csidl) {
    log_.push_back("SpecialFolderPath " + std::to_string(csidl));
    const auto folder = folders.find(csidl);
    if (folder == folders.end()) {
        throw platform::Error(L"The system cannot find the path specified.");
    }
    return folder->second;
}

std::unique_ptr<platform::ShellLink> Shell::CreateShellLink() {
    log_.emplace_back("CreateShellLink");
    FailIfAsked("CreateShellLink");
    return std::make_unique<ShellLink>(*this, log_, store_);
}

void LoggedFiles::CopyOver(const std::wstring& from, const std::wstring& to) {
    log_.push_back("CopyOver " + Narrow(from) + " -> " + Narrow(to));
    store_.CopyOver(from, to);
}

void LoggedFiles::RemoveFile(const std::wstring& path) {
    log_.push_back("RemoveFile " + Narrow(path));
    store_.RemoveFile(path);
}

std::wstring LoggedFiles::CreateTempFile() {
    log_.emplace_back("CreateTempFile");
    return store_.CreateTempFile();
}

void MessageDialog::ShowMessage(const std::wstring& text, const std::wstring& title, int style) {
    log_.push_back("ShowMessage " + Narrow(text));
    if (fail) {
        throw platform::Error(L"no message box");
    }
    shown.push_back({text, title, style});
}

std::vector<std::wstring> ShortcutOs::TempFiles() const {
    const std::wstring temp = L"C:\\Users\\user\\AppData\\Local\\Temp\\";
    std::vector<std::wstring> left;
    for (const auto& [path, bytes] : store.files) {
        if (path.rfind(temp, 0) == 0) {
            left.push_back(path);
        }
    }
    return left;
}

std::string ShortcutOs::Contents(const std::wstring& path) const {
    const auto& bytes = store.files.at(path);
    return {bytes.begin(), bytes.end()};
}

}  // namespace fake
