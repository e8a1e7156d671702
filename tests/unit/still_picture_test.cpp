#include "show/still_picture.h"

#include <gtest/gtest.h>

#include <string>

#include "fake_platform.h"
#include "settings_ui/setting.h"

namespace {

TEST(StillPictureTest, EndingsInAnyCase) {
    for (const auto* ending : {L".bmp", L".gif", L".png", L".jpg", L".jpeg", L".jpe", L".jfif",
                               L".tif", L".tiff", L".webp", L".heic", L".heif", L".ico"}) {
        std::wstring upper = ending;
        for (auto& c : upper) {
            c = static_cast<wchar_t>(std::towupper(c));
        }
        for (const auto& path : {L"C:\\写真\\a" + std::wstring(ending), L"C:\\a" + upper}) {
            EXPECT_TRUE(show::IsStillPicture(path)) << fake::Narrow(path);
        }
    }
    for (const auto* path : {L"a.avi", L"a.wav", L"a.mp3", L"a.jp2", L"a.jfi", L"a.tga", L"png",
                             L"a.png ", L"C:\\pictures.png\\clip", L"a.heics", L""}) {
        EXPECT_FALSE(show::IsStillPicture(path)) << fake::Narrow(path);
    }
}

TEST(StillPictureTest, TheBrowseFilterListsEveryStillPicture) {
    const std::wstring filter = settings_ui::MediaFilter();
    const auto entry = [&](const std::wstring& name) {
        const auto start = filter.find(name + L"|") + name.size() + 1;
        return L";" + filter.substr(start, filter.find(L'|', start) - start) + L";";
    };
    for (const auto* name : {L"利用できるファイル", L"画像ファイル"}) {
        for (const auto ending : show::kStillPictureEndings) {
            EXPECT_NE(entry(name).find(L";*" + std::wstring(ending) + L";"), std::wstring::npos)
                << fake::Narrow(name) << fake::Narrow(std::wstring(ending));
        }
    }
    EXPECT_NE(entry(L"利用できるファイル").find(L";*.wav;"), std::wstring::npos);
}

}  // namespace
