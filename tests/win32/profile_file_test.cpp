#include "platform/win32/profile_file.h"

#include <gtest/gtest.h>

#include "platform/ansi.h"
#include "platform/error.h"
#include "temp_dir.h"

namespace {

TEST(ProfileFileTest, ReadsDefaultsAndWholeValues) {
    TempDir dir;
    const auto ini = dir.File(L"kestro.ini");
    win32::ProfileFile profile;
    EXPECT_EQ(profile.Read(ini, L"Kestro", L"Time", L"3"), L"3");  // no file
    EXPECT_EQ(profile.Read(ini, L"Kestro", L"Width", std::nullopt), L"");

    const std::string longPath = "C:\\" + std::string(296, 'a') + ".png";
    const std::string longerPath = "C:\\" + std::string(996, 'b') + ".png";
    dir.Write(L"kestro.ini",
              "[Kestro]\r\nMediaFile=" + longPath + "\r\nTime=\r\nOther=" + longerPath + "\r\n");
    EXPECT_EQ(platform::ToAnsi(profile.Read(ini, L"Kestro", L"MediaFile", std::nullopt)), longPath);
    EXPECT_EQ(platform::ToAnsi(profile.Read(ini, L"Kestro", L"Other", std::nullopt)), longerPath);
    EXPECT_EQ(profile.Read(ini, L"Kestro", L"Time", L"3"), L"");  // present but empty
    EXPECT_EQ(profile.Read(ini, L"Kestro", L"Width", L"3"), L"3");
    EXPECT_EQ(profile.Read(ini, L"Other", L"MediaFile", std::nullopt), L"");
}

TEST(ProfileFileTest, WritesInOrderAndRoundTripsJapanese) {
    if (GetACP() != 932) {
        GTEST_SKIP() << "needs the Japanese code page";
    }
    TempDir dir;
    const auto ini = dir.File(L"kestro.ini");
    win32::ProfileFile profile;
    const std::wstring media = L"C:\\写真\\夕焼け.png";
    for (const auto* key : {L"MediaFile", L"Time", L"Width", L"Height"}) {
        profile.Write(ini, L"Kestro", key, key == std::wstring(L"MediaFile") ? media : L"");
    }
    EXPECT_EQ(profile.Read(ini, L"Kestro", L"MediaFile", std::nullopt), media);
    HANDLE file =
        CreateFileW(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    char bytes[256] = {};
    DWORD read = 0;
    ReadFile(file, bytes, sizeof bytes - 1, &read, nullptr);
    CloseHandle(file);
    // The file is in code page 932, the keys in the order they were written.
    EXPECT_EQ(std::string(bytes, read),
              "[Kestro]\r\nMediaFile=C:\\\x8e\xca\x90\x5e\\\x97\x5b\x8f\xc4\x82\xaf.png\r\n"
              "Time=\r\nWidth=\r\nHeight=\r\n");
}

TEST(ProfileFileTest, WriteThatCannotHappenThrows) {
    TempDir dir;
    win32::ProfileFile profile;
    EXPECT_THROW(profile.Write(dir.File(L"missing\\kestro.ini"), L"Kestro", L"Time", L"3"),
                 platform::Error);
}

TEST(ProfileFileTest, TextTheCodePageCannotHoldIsNotWritten) {
    if (GetACP() != 932) {
        GTEST_SKIP() << "needs the Japanese code page";
    }
    TempDir dir;
    const auto ini = dir.File(L"kestro.ini");
    win32::ProfileFile profile;
    profile.Write(ini, L"Kestro", L"MediaFile", L"C:\\old.png");
    // Hangul has no place in code page 932, and U+00E9 only a look-alike "e".
    for (const auto* value : {L"C:\\\uD55C\uAE00.png", L"C:\\caf\u00E9.png"}) {
        try {
            profile.Write(ini, L"Kestro", L"MediaFile", value);
            ADD_FAILURE() << "written without a failure";
        } catch (const platform::Error& error) {
            EXPECT_FALSE(error.Description().empty());
        }
    }
    EXPECT_THROW(profile.Write(dir.File(L"\uD55C.ini"), L"Kestro", L"Time", L"3"), platform::Error);
    EXPECT_EQ(profile.Read(ini, L"Kestro", L"MediaFile", std::nullopt), L"C:\\old.png");
}

}  // namespace
