#pragma once

#include "platform/files.h"

namespace win32 {

class FileSystem final : public platform::FileSystem {
  public:
    bool FileExists(const std::wstring& path) const override;
    std::vector<std::uint8_t> ReadBytes(const std::wstring& path, std::uint64_t offset,
                                        std::size_t count) const override;
};

}  // namespace win32
