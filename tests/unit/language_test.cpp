#include <gtest/gtest.h>

#include <cwctype>
#include <optional>
#include <string>
#include <vector>

#include "app/main.h"
#include "fake_os.h"
#include "platform/texts.h"

namespace {

using platform::Language;

TEST(LanguageTest, TheSettingsFileOrElseTheUsersDisplayLanguageChooses) {
    const struct {
        const char* name;
        std::optional<std::wstring> key;
        std::uint16_t userLanguage;
        const wchar_t* caption;
    } cases[] = {
        {"Japanese Windows", std::nullopt, 0x411, L"Kestro 2.1の設定"},
        {"US English Windows", std::nullopt, 0x409, L"Kestro 2.1 Settings"},
        {"German Windows", std::nullopt, 0x407, L"Kestro 2.1 Settings"},
        {"Korean Windows", std::nullopt, 0x412, L"Kestro 2.1 Settings"},
        {"ja on English Windows", L"ja", 0x409, L"Kestro 2.1の設定"},
        {"EN on Japanese Windows", L"EN", 0x411, L"Kestro 2.1 Settings"},
        {"an unknown value keeps Japanese", L"fr", 0x411, L"Kestro 2.1の設定"},
        {"an unknown value keeps English", L"japanese", 0x409, L"Kestro 2.1 Settings"},
        {"empty", L"", 0x409, L"Kestro 2.1 Settings"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake::Os os;
        if (c.key) {
            os.SetIni(L"Language", *c.key);
        }
        os.process.userLanguage = c.userLanguage;
        app::Main(os.platform);
        EXPECT_EQ(os.windows.settingView->caption, c.caption);
    }
}

// The access key's letter of a caption, lower case; none without one.
wchar_t AccessKey(const std::wstring& caption) {
    const auto amp = caption.find(L'&');
    return amp == std::wstring::npos ? L'\0'
                                     : static_cast<wchar_t>(std::towlower(caption.at(amp + 1)));
}

bool HasJapanese(const std::wstring& text) {
    for (const wchar_t c : text) {
        if ((c >= 0x3000 && c <= 0x9FFF) || (c >= 0xFF00 && c <= 0xFFEF)) {
            return true;
        }
    }
    return false;
}

TEST(LanguageTest, EnglishHasEveryCaptionWithItsAccessKeyAndNoJapanese) {
    const auto& japanese = platform::TextsOf(Language::Japanese);
    const auto& english = platform::TextsOf(Language::English);
    ASSERT_EQ(japanese.captions.size(), english.captions.size());
    for (std::size_t i = 0; i < japanese.captions.size(); ++i) {
        const std::wstring caption = english.captions[i].caption;
        SCOPED_TRACE(testing::Message() << "caption " << i);
        EXPECT_EQ(english.captions[i].control, japanese.captions[i].control);
        EXPECT_EQ(AccessKey(caption), AccessKey(japanese.captions[i].caption));
        EXPECT_FALSE(HasJapanese(caption));
    }
    for (const wchar_t* text :
         {english.settingsCaptionSuffix, english.browseFileTitle, english.pathTooLong,
          english.supportedFiles, english.pictureFiles, english.videoFiles, english.soundFiles,
          english.allFiles, english.browseFolder, english.showWindowCaption, english.blockReason,
          english.logonTaskDescription, english.nothingToTest, english.momentNames[0],
          english.momentNames[1], english.momentNames[2], english.momentNames[3],
          english.momentNames[4]}) {
        EXPECT_FALSE(HasJapanese(text)) << testing::PrintToString(std::wstring(text));
    }
}

}  // namespace
