#include "show/still_picture.h"

#include <gtest/gtest.h>

#include <string>

#include "fake_platform.h"
#include "settings_ui/setting.h"

namespace {

using show::PictureRoad;

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

TEST(StillPictureTest, ContentChoosesTheRoad) {
    using Bytes = std::vector<std::uint8_t>;
    const auto text = [](const char* s, std::size_t n) { return Bytes(s, s + n); };
    const struct {
        const char* name;
        Bytes head;
        const wchar_t* path;
        PictureRoad road;
    } cases[] = {
        {"PNG named .jpg", text("\x89PNG\r\n\x1a\n\0\0", 10), L"a.jpg", PictureRoad::Png},
        {"JPEG named .png", text("\xFF\xD8\xFF\xE0", 4), L"a.png", PictureRoad::Decoder},
        {"JPEG", text("\xFF\xD8\xFF\xE1", 4), L"a.jpeg", PictureRoad::Decoder},
        {"BMP named .jpg", text("BM6\0\0\0", 6), L"a.jpg", PictureRoad::OlePicture},
        {"GIF 89a", text("GIF89a\1\0", 8), L"a.png", PictureRoad::OlePicture},
        {"GIF 87a", text("GIF87a", 6), L"a.gif", PictureRoad::OlePicture},
        {"TIFF, Intel", text("II*\0\x08\0", 6), L"a.png", PictureRoad::Decoder},
        {"TIFF, Motorola", text("MM\0*\0\0", 6), L"a.tif", PictureRoad::Decoder},
        {"WebP", text("RIFF\0\0\0\0WEBPVP8 ", 16), L"a.webp", PictureRoad::Decoder},
        {"HEIC",
         text("\0\0\0\x18"
              "ftypheic\0\0\0\0",
              16),
         L"a.heic", PictureRoad::Decoder},
        {"HEIF, generic brand",
         text("\0\0\0\x18"
              "ftypmif1",
              12),
         L"a.bmp", PictureRoad::Decoder},
        {"icon", text("\0\0\1\0\1\0", 6), L"a.ico", PictureRoad::Decoder},
        // Not pictures of a known kind: the name's road, where they fail as they always did.
        {"wave named .png", text("RIFF\0\0\0\0WAVE", 12), L"a.PNG", PictureRoad::Png},
        {"MP4 named .jpg",
         text("\0\0\0\x18"
              "ftypisom",
              12),
         L"a.jpg", PictureRoad::OlePicture},
        {"icon without images", text("\0\0\1\0\0\0", 6), L"a.gif", PictureRoad::OlePicture},
        {"empty .bmp", {}, L"a.BMP", PictureRoad::OlePicture},
        {"text named .webp", text("hello", 5), L"a.webp", PictureRoad::Decoder},
        {"cut-short PNG signature", text("\x89PNG", 4), L"a.heic", PictureRoad::Decoder},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(show::ChooseRoad(show::SniffPicture(c.head), c.path), c.road) << c.name;
    }
}

TEST(StillPictureTest, TheBrowseFilterListsEveryStillPicture) {
    const std::wstring filter = settings_ui::kMediaFilter;
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
