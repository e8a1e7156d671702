#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A chain of folders, each inside the one before, made under `base` and removed again, the
// deepest first.
class FolderTree {
  public:
    FolderTree(const std::wstring& base, const std::vector<std::wstring>& names) {
        std::wstring path = base;
        for (const auto& name : names) {
            path += L"\\" + name;
            if (CreateDirectoryW(path.c_str(), nullptr)) {
                made_.push_back(path);
            }
        }
        deepest_ = path;
        ReadEveryFolderOnThePath();
    }
    FolderTree(const FolderTree&) = delete;
    FolderTree& operator=(const FolderTree&) = delete;
    ~FolderTree() {
        for (auto folder = made_.rbegin(); folder != made_.rend(); ++folder) {
            RemoveDirectoryW(folder->c_str());
        }
    }

    const std::wstring& Deepest() const { return deepest_; }
    bool Complete() const {
        return GetFileAttributesW(deepest_.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

  private:
    // Wine's folder browser finds a folder again by comparing the records it made of it,
    // access time included. The first read of a folder after a change moves that time, and a
    // browser doing that read between two records would lose its way: read each folder from
    // the drive down once now, so that the browser's reads leave the times alone.
    void ReadEveryFolderOnThePath() const {
        for (std::size_t end = deepest_.find(L'\\'); end != std::wstring::npos;
             end = deepest_.find(L'\\', end + 1)) {
            ReadFolder(deepest_.substr(0, end + 1));
        }
        ReadFolder(deepest_ + L"\\");
    }
    static void ReadFolder(const std::wstring& folder) {
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            while (FindNextFileW(search, &found)) {
            }
            FindClose(search);
        }
    }

    std::vector<std::wstring> made_;
    std::wstring deepest_;
};

// Folder names whose path in code page 932 takes more bytes than MAX_PATH while its wide form
// stays well below it; plain letters on other code pages.
inline std::vector<std::wstring> DeepFolderNames() {
    const std::wstring name =
        GetACP() == 932
            ? L"深い階層のフォルダ深い階層のフォルダ深い階層のフォルダ深い階層のフォルダ"
            : std::wstring(36, L'd');
    return {name + L"1", name + L"2", name + L"3", name + L"4"};
}
