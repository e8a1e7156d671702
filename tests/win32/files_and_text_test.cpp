#include <gtest/gtest.h>

#include "platform/ansi.h"
#include "platform/error.h"
#include "platform/win32/files/file_system.h"
#include "platform/win32/window_system.h"
#include "temp_dir.h"

namespace {

TEST(FileSystemTest, ExistenceCountsHiddenFilesButNotFolders) {
    TempDir dir;
    dir.Write(L"plain.png", "x");
    dir.Write(L"hidden.png", "x");
    SetFileAttributesW(dir.File(L"hidden.png").c_str(), FILE_ATTRIBUTE_HIDDEN);
    CreateDirectoryW(dir.File(L"folder.png").c_str(), nullptr);
    win32::FileSystem files;
    EXPECT_TRUE(files.FileExists(dir.File(L"plain.png")));
    EXPECT_TRUE(files.FileExists(dir.File(L"hidden.png")));
    EXPECT_FALSE(files.FileExists(dir.File(L"folder.png")));
    EXPECT_FALSE(files.FileExists(dir.File(L"missing.png")));
}

TEST(FileSystemTest, ReadsAtAnOffsetAndStopsAtTheEnd) {
    TempDir dir;
    dir.Write(L"short.bin", "0123456789");
    win32::FileSystem files;
    EXPECT_EQ(files.ReadBytes(dir.File(L"short.bin"), 2, 3),
              (std::vector<std::uint8_t>{'2', '3', '4'}));
    EXPECT_EQ(files.ReadBytes(dir.File(L"short.bin"), 8, 24).size(), 2U);
    EXPECT_TRUE(files.ReadBytes(dir.File(L"short.bin"), 40, 4).empty());
    // A count far past the end costs no buffer of that size.
    EXPECT_EQ(files.ReadBytes(dir.File(L"short.bin"), 0, std::size_t{1} << 40U).size(), 10U);
    EXPECT_THROW(files.ReadBytes(dir.File(L"missing.bin"), 0, 4), platform::Error);
}

TEST(FileSystemTest, CopiesOverRemovesAndMakesUniqueTempFiles) {
    TempDir dir;
    dir.Write(L"from.lnk", "new");
    dir.Write(L"to.lnk", "old contents");
    win32::FileSystem files;
    files.CopyOver(dir.File(L"from.lnk"), dir.File(L"to.lnk"));
    EXPECT_EQ(files.ReadBytes(dir.File(L"to.lnk"), 0, 100),
              (std::vector<std::uint8_t>{'n', 'e', 'w'}));
    EXPECT_THROW(files.CopyOver(dir.File(L"missing.lnk"), dir.File(L"to.lnk")), platform::Error);

    files.RemoveFile(dir.File(L"to.lnk"));
    EXPECT_FALSE(files.FileExists(dir.File(L"to.lnk")));
    EXPECT_THROW(files.RemoveFile(dir.File(L"to.lnk")), platform::Error);

    const std::wstring first = files.CreateTempFile();
    const std::wstring second = files.CreateTempFile();
    EXPECT_NE(first, second);
    EXPECT_TRUE(files.FileExists(first));
    EXPECT_TRUE(files.FileExists(second));
    files.RemoveFile(first);
    files.RemoveFile(second);
}

TEST(FileSystemTest, CurrentDirectoryFollowsTheProcess) {
    TempDir dir;
    win32::FileSystem files;
    const std::wstring before = files.CurrentDirectory();
    SetCurrentDirectoryW(dir.File(L"").c_str());
    EXPECT_EQ(files.CurrentDirectory() + L"\\", dir.File(L""));
    SetCurrentDirectoryW(before.c_str());
}

TEST(AnsiTest, JapaneseRoundTripsThroughCodePage932) {
    if (GetACP() != 932) {
        GTEST_SKIP() << "needs the Japanese code page";
    }
    const std::wstring text = L"終了時に再生・表示するファイル";
    EXPECT_EQ(platform::ToAnsi(L"写真").size(), 4U);
    EXPECT_EQ(platform::FromAnsi(platform::ToAnsi(text)), text);
    EXPECT_EQ(platform::FromAnsi(platform::ToAnsi(L"")), L"");
}

TEST(OpenPictureTest, DamagedFilesFailInsteadOfCrashing) {
    win32::WindowSystem windows;
    for (const std::string& bytes :
         {std::string("this is not a picture"), std::string(),
          std::string("\xff\xd8\xff\xe0\x00\x10JFIF\x00", 11), std::string("BM\0\0", 4)}) {
        EXPECT_THROW(
            windows.OpenPicture(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), true),
            platform::Error);
    }
}

}  // namespace
