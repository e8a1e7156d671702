#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/common_dialogs.h"
#include "platform/files.h"
#include "platform/process.h"

namespace settings_ui {

// The file buffer of the open and save dialogs, in characters: the longest Filename too.
inline constexpr std::size_t kFileBufferLength = 256;

// The open-file, folder and save-file dialogs as one reusable component: set the properties,
// call one method, read its result, Filename and Cancel. The properties keep their values
// between calls on the same object.
class FileDlg {
  public:
    FileDlg(platform::CommonDialogs& dialogs, const platform::FileSystem& files,
            const platform::Process& process)
        : dialogs_(dialogs), files_(files), process_(process) {}

    // False when a dialog starts; true when the user cancelled it or the platform failed.
    bool Cancel = false;
    // False when a dialog starts; true, with Cancel, when the user chose a file whose path is
    // longer than kFileBufferLength - 1 characters.
    bool PathTooLong = false;
    // ShowOpen, ShowSave: the initial file name on entry, the chosen path on return; at most
    // kFileBufferLength characters.
    std::wstring Filename;
    // Extra OFN_ flags for ShowOpen and ShowSave.
    std::uint32_t Flags = 0;
    // Description and pattern pairs, each item followed by "|", used when the caller passes
    // no filter.
    std::wstring Filter;
    // Caption of the open and save dialogs; empty leaves the platform's own.
    std::wstring Title;

    // The chosen file, or an empty text with Cancel true. An empty strDefDir starts in the
    // process's current directory. Throws platform::Error for a Filename that is too long
    // (no dialog is shown).
    std::wstring ShowOpen(std::intptr_t lngHWnd, const std::wstring& strFilter,
                          const std::wstring& strDefDir);
    // The chosen folder ending in "\", or an empty text with Cancel true; "\" alone for a
    // folder outside the file system. An empty strDefDir leaves the browser at its default
    // place. Flag has no effect. Never fails.
    std::wstring ShowDir(std::intptr_t lngHWnd, const std::wstring& strDefDir, std::uint32_t Flag);
    // As ShowOpen, through the save dialog.
    std::wstring ShowSave(std::intptr_t lngHWnd, const std::wstring& strFilter,
                          const std::wstring& strDefDir);

  private:
    platform::OpenFileRecord FileRecord(std::intptr_t lngHWnd, const std::wstring& strFilter,
                                        const std::wstring& strDefDir);
    // The dialog's answer, with a path too long for the buffer counted as not chosen.
    bool Ask(bool save, platform::OpenFileRecord& record);
    std::wstring Chosen(bool chosen, const platform::OpenFileRecord& record);

    platform::CommonDialogs& dialogs_;
    const platform::FileSystem& files_;
    const platform::Process& process_;
};

}  // namespace settings_ui
