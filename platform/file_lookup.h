#pragma once

#include <string>

namespace platform {

// A directory lookup for normal files, the way the shortcut check of the settings window
// sees a folder.
class FileLookup {
  public:
    virtual ~FileLookup() = default;

    // A file lies at the path that carries neither the hidden nor the system attribute; a
    // folder does not count.
    virtual bool NormalFileExists(const std::wstring& path) const = 0;
};

}  // namespace platform
