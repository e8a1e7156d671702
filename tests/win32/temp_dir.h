#pragma once

#include <windows.h>

#include <string>

// A fresh folder under the user's temporary folder, removed with what it holds.
class TempDir {
  public:
    TempDir() {
        wchar_t base[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, base);
        path_ = std::wstring(base) + L"kestro-test-" + std::to_wstring(GetCurrentProcessId()) +
                L"-" + std::to_wstring(counter_++);
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir() {
        std::wstring pattern = path_ + L"\\*";
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW(pattern.c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name != L"." && name != L"..") {
                    const std::wstring full = path_ + L"\\" + name;
                    SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                    if (!DeleteFileW(full.c_str())) {
                        RemoveDirectoryW(full.c_str());
                    }
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(path_.c_str());
    }

    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

    void Write(const std::wstring& name, const std::string& bytes) const {
        HANDLE file = CreateFileW(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }

  private:
    std::wstring path_;
    static inline int counter_ = 0;
};
