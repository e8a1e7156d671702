#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// The special folder whose shortcuts start with the user's session: the Startup folder.
inline constexpr int kStartupFolder = 7;
// Lets the shell's resolve update the link's fields; with no window it asks nothing.
inline constexpr std::uint32_t kResolveUpdatesLink = 4;

// The platform's shell-link object: the fields of one shortcut, written to a file. Each
// method throws platform::Error with the platform's description when the object refuses.
// Its owner releases it by dropping it.
class ShellLink {
  public:
    virtual ~ShellLink() = default;

    virtual void SetPath(const std::wstring& path) = 0;
    virtual void SetWorkingDirectory(const std::wstring& directory) = 0;
    virtual void SetArguments(const std::wstring& arguments) = 0;
    virtual void SetIconLocation(const std::wstring& path, int index) = 0;
    virtual void SetHotkey(int hotkey) = 0;
    virtual void SetShowCmd(int showCmd) = 0;
    // Lets the shell check the link's target; `window` 0 means no owner for any question
    // the shell would ask, `flags` are the shell's resolve flags (kResolveUpdatesLink).
    virtual void Resolve(std::intptr_t window, std::uint32_t flags) = 0;
    // Writes the shortcut file, replacing a file of that name; the object does not take the
    // name as its own.
    virtual void Save(const std::wstring& fileName) = 0;
};

class Shell {
  public:
    virtual ~Shell() = default;

    // The file-system path of the shell's special folder with that CSIDL number, whole
    // however long it is, as the shell gives it (with or without a trailing backslash).
    // Throws platform::Error with the platform's description when the shell gives no item
    // for the number, or an item that has no file-system path.
    virtual std::wstring SpecialFolderPath(int csidl) = 0;
    // A new, empty shell-link object; throws when it cannot be created.
    virtual std::unique_ptr<ShellLink> CreateShellLink() = 0;
};

}  // namespace platform
