#include "platform/win32/files/profile_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "config/ini_mod.h"
#include "platform/ansi.h"
#include "platform/error.h"
#include "platform/win32/files/file_system.h"
#include "temp_dir.h"

namespace {

constexpr const wchar_t* kKeys[] = {L"MediaFile", L"Time", L"Width", L"Height"};

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

// The file after a Save of these values, in each form it may start in: Save goes through the
// program's own choice of form (IniMod) and the real profile functions.
TEST(ProfileFileTest, SaveKeepsOrChangesTheFormByteForByte) {
    if (GetACP() != 932) {
        GTEST_SKIP() << "needs the Japanese code page";
    }
    const auto encode = [](UINT codePage, const std::wstring& text) {
        std::string bytes(text.size() * 4, '\0');
        bytes.resize(static_cast<std::size_t>(
            WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr)));
        return bytes;
    };
    const auto cp932 = [&](const std::wstring& text) { return encode(932, text); };
    const auto utf8 = [&](const std::wstring& text) {
        return "\xEF\xBB\xBF" + encode(CP_UTF8, text);
    };
    const auto utf16 = [](const std::wstring& text) {
        return "\xFF\xFE" +
               std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    };
    const auto ini = [](const std::wstring& media, const std::wstring& other) {
        return L"[Kestro]\r\nMediaFile=" + media + L"\r\nTime=3\r\nWidth=\r\nHeight=\r\n" +
               (other.empty() ? L"" : L"[Other]\r\nName=" + other + L"\r\n");
    };
    const std::wstring fits = L"C:\\写真\\夕焼け.png";
    const std::wstring emoji = L"C:\\写真\\\U0001F305 夕焼け.png";
    const std::wstring hangul = L"C:\\소리\\안녕.wav";
    const struct {
        const char* name;
        std::optional<std::string> before;
        std::wstring other;  // the value of another section, kept through the Save
        std::wstring media;
        std::string after;
    } cases[] = {
        {"new, fits", std::nullopt, L"", fits, cp932(ini(fits, L""))},
        {"code page, fits", cp932(ini(L"C:\\old.png", L"設定")), L"設定", fits,
         cp932(ini(fits, L"設定"))},
        {"new, Hangul", std::nullopt, L"", hangul, utf16(ini(hangul, L""))},
        {"code page, emoji", cp932(ini(fits, L"設定")), L"設定", emoji, utf16(ini(emoji, L"設定"))},
        {"Unicode, fits", utf16(ini(hangul, L"키스트로")), L"키스트로", fits,
         utf16(ini(fits, L"키스트로"))},
        {"UTF-8, fits", utf8(ini(hangul, L"키스트로")), L"키스트로", fits,
         utf16(ini(fits, L"키스트로"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        IniMod::SetIniFile(dir.File(L"키스트로.ini"));
        win32::ProfileFile profile;
        if (c.before) {
            dir.Write(L"키스트로.ini", *c.before);
            EXPECT_EQ(IniMod::ReadIni(profile, L"Other", L"Name", std::nullopt), c.other);
        }
        const std::vector<std::wstring> values = {c.media, L"3", L"", L""};
        IniMod::ChooseIniForm(profile, values);
        for (std::size_t i = 0; i < values.size(); ++i) {
            IniMod::WriteIni(profile, L"Kestro", kKeys[i], values[i]);
        }
        const auto bytes = win32::ReadWholeFile(IniMod::IniFile(), 4096);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), c.after);
        EXPECT_EQ(IniMod::ReadIni(profile, L"Kestro", L"MediaFile", std::nullopt), c.media);
        EXPECT_EQ(IniMod::ReadIni(profile, L"Other", L"Name", std::nullopt), c.other);
        EXPECT_FALSE(win32::FileSystem().FileExists(IniMod::IniFile() + L".new"));
    }
    IniMod::SetIniFile(L"");
}

TEST(ProfileFileTest, FileThatCannotBeRewrittenStaysAsItWas) {
    TempDir dir;
    const std::string before = "[Kestro]\r\nMediaFile=C:\\old.png\r\n";
    dir.Write(L"kestro.ini", before);
    IniMod::SetIniFile(dir.File(L"kestro.ini"));
    // A folder where the new file would be written first.
    ASSERT_TRUE(CreateDirectoryW(dir.File(L"kestro.ini.new").c_str(), nullptr));
    win32::ProfileFile profile;
    EXPECT_THROW(IniMod::ChooseIniForm(profile, {L"C:\\\uD55C\uAE00.png"}), platform::Error);
    const auto bytes = win32::ReadWholeFile(IniMod::IniFile(), 4096);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), before);
    IniMod::SetIniFile(L"");
}

}  // namespace
