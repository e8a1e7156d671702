#include "settings_ui/setting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <set>
#include <string>

#include "app/main.h"
#include "config/ini_form.h"
#include "config/settings.h"
#include "fake_os.h"
#include "platform/texts.h"
#include "show/moments.h"

namespace {

using platform::SettingControl;
using namespace std::string_literals;

const std::wstring kShortcut = std::wstring(fake::kStartupFolder) + L"\\Kestro.lnk";
// The filter as the open dialog's record holds it: every "|" a NUL.
constexpr wchar_t kRecordFilter[] =
    L"利用できるファイル\0*.bmp;*.gif;*.jpg;*.jpeg;*.jpe;*.jfif;*.png;*.tif;*.tiff;*.webp;*.heic;"
    L"*.heif;*.ico;*.mpg;*.avi;*.wmv;*.asf;*.wav;*.mp3;*.mid\0"
    L"画像ファイル\0*.bmp;*.gif;*.jpg;*.jpeg;*.jpe;*.jfif;*.png;*.tif;*.tiff;*.webp;*.heic;*.heif;"
    L"*.ico\0"
    L"動画ファイル\0*.mpg;*.avi;*.wmv;*.asf\0"
    L"音声ファイル\0*.wav;*.mp3;*.mid\0"
    L"すべてのファイル\0*.*\0";
constexpr SettingControl kSizeControls[] = {SettingControl::Text2, SettingControl::Text3,
                                            SettingControl::Label3, SettingControl::Label4};

// The four size controls enabled (on) or disabled, and nothing else disabled.
bool SizeControlsAre(const fake::SettingView& view, bool on) {
    const std::set<SettingControl> disabled =
        on ? std::set<SettingControl>{}
           : std::set<SettingControl>(std::begin(kSizeControls), std::end(kSizeControls));
    return view.disabled == disabled;
}

// A settings run of the program: the settings file as given, then Main without arguments.
class SettingTest : public ::testing::Test {
  protected:
    fake::SettingView& Open() {
        app::Main(os.platform);
        return *os.windows.settingView;
    }
    void Click(SettingControl control) { os.windows.settingEvents->OnClick(control); }
    // Save as the user presses it; true when the program ended.
    bool Save() {
        os.log.clear();
        try {
            Click(SettingControl::Command1);
        } catch (const fake::ProgramEnded&) {
            return true;
        }
        return false;
    }
    std::vector<std::string> Writes() const {
        std::vector<std::string> writes;
        std::copy_if(os.log.begin(), os.log.end(), std::back_inserter(writes),
                     [](const std::string& line) { return line.rfind("WriteIni ", 0) == 0; });
        return writes;
    }

    fake::Os os;
};

TEST(SettingLoadTest, ShowsTheSettingsOfTheFile) {
    const struct {
        const char* name;
        std::vector<std::pair<std::wstring, std::wstring>> ini;
        std::wstring text1, text4, text2, text3;
        bool check1;
        bool shortcut;
    } cases[] = {
        // clang-format off
        {"no settings file", {}, L"", L"3", L"0", L"0", false, false},
        {"fixed size",
         {{L"MediaFile", L"C:\\bye.png"}, {L"Width", L"640"}, {L"Height", L"480"}},
         L"C:\\bye.png", L"3", L"640", L"480", true, true},
        {"height alone", {{L"Width", L"0"}, {L"Height", L"480"}},
         L"", L"3", L"0", L"480", false, false},
        {"any width but 0", {{L"Width", L"-1"}}, L"", L"3", L"-1", L"0", true, false},
        {"fraction of a second", {{L"Time", L"2.5"}}, L"", L"2.5", L"0", L"0", false, true},
        {"seven digits", {{L"Time", L"0.1"}}, L"", L"0.1", L"0", L"0", false, false},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake::Os fresh;
        for (const auto& [key, value] : c.ini) {
            fresh.SetIni(key, value);
        }
        if (c.shortcut) {
            fresh.files.files[kShortcut] = {};
        }
        app::Main(fresh.platform);
        const auto& view = *fresh.windows.settingView;
        EXPECT_EQ(view.caption, L"Kestro 2.1の設定");
        EXPECT_EQ(view.Text(SettingControl::Text1), c.text1);
        EXPECT_EQ(view.Text(SettingControl::Text4), c.text4);
        EXPECT_EQ(view.Text(SettingControl::Text2), c.text2);
        EXPECT_EQ(view.Text(SettingControl::Text3), c.text3);
        EXPECT_EQ(view.Checked(SettingControl::Check1), c.check1);
        EXPECT_EQ(view.Checked(SettingControl::Check2), c.shortcut);
        EXPECT_TRUE(SizeControlsAre(view, c.check1));
    }
}

TEST_F(SettingTest, FixedSizeRuleOnlyEnablesTheSizeControls) {
    os.SetIni(L"Width", L"640");
    os.SetIni(L"Height", L"480");
    auto& view = Open();
    for (const bool on : {false, true, false}) {
        view.SetChecked(SettingControl::Check1, on);
        Click(SettingControl::Check1);
        EXPECT_TRUE(SizeControlsAre(view, on));
        EXPECT_EQ(view.Text(SettingControl::Text2), L"640");
        EXPECT_EQ(view.Text(SettingControl::Text3), L"480");
    }
}

TEST(SettingSaveTest, WritesTheTextsAsTypedAndEnds) {
    const struct {
        const char* name;
        std::wstring text4, text2, text3;
        std::string time, width, height;  // as written
        bool check1, check3;
    } cases[] = {
        {"fixed size", L"2.5", L"640", L"480", "2.5", "640", "480", true, true},
        {"natural size empties the sizes", L"3", L"0", L"480", "3", "", "", false, false},
        {"letters and fractions as typed", L" abc ", L"1.5", L"", " abc ", "1.5", "", true, false},
        {"a zero width with the box checked", L"3", L"0", L"480", "3", "0", "480", true, false},
    };
    using C = SettingControl;
    // Every file and sound box with what is typed into it, the sign-out's sound left empty.
    // clang-format off
    const std::pair<C, std::wstring> typed[] = {
        {C::Text1, L"C:\\my media\\さようなら.png"}, {C::Text5, L"C:\\my media\\おはよう.wav"},
        {C::Text6, L"C:\\my media\\また明日.png"}, {C::Text7, L"C:\\鍵.wav"},
        {C::Text8, L"C:\\おかえり.png"}, {C::Text9, L"C:\\鐘.wav"}, {C::Text10, L"C:\\朝.wav"},
        {C::Text11, L""}, {C::Text12, L"C:\\扉.mp3"}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake::Os fresh;
        app::Main(fresh.platform);
        auto& view = *fresh.windows.settingView;
        for (const auto& [box, text] : typed) {
            view.SetText(box, text);
        }
        view.SetText(C::Text4, c.text4);
        view.SetText(C::Text2, c.text2);
        view.SetText(C::Text3, c.text3);
        view.SetChecked(C::Check1, c.check1);
        view.SetChecked(C::Check3, c.check3);
        // The backdrop the other way round from LimitMedia: no two boxes mixed up.
        view.SetChecked(C::Check4, !c.check3);
        fresh.log.clear();
        EXPECT_THROW(fresh.windows.settingEvents->OnClick(C::Command1), fake::ProgramEnded);
        const std::string ini = "WriteIni C:\\Program Files\\Kestro\\kestro.ini Kestro ";
        // clang-format off
        const std::vector<std::string> writes = {
            "MediaFile=C:\\my media\\さようなら.png", "Time=" + c.time, "Width=" + c.width,
            "Height=" + c.height, "LogonFile=C:\\my media\\おはよう.wav",
            "LogoffFile=C:\\my media\\また明日.png", "LockFile=C:\\鍵.wav",
            "UnlockFile=C:\\おかえり.png", c.check3 ? "LimitMedia=1" : "LimitMedia=0",
            "MediaSound=C:\\鐘.wav", "LogonSound=C:\\朝.wav", "LogoffSound=",
            "UnlockSound=C:\\扉.mp3", c.check3 ? "Backdrop=0" : "Backdrop=1"};
        // clang-format on
        std::vector<std::string> expected(writes.size());
        std::transform(writes.begin(), writes.end(), expected.begin(),
                       [&](const std::string& write) { return ini + write; });
        expected.emplace_back("EndProgram");
        ASSERT_GE(fresh.log.size(), expected.size());
        EXPECT_EQ(
            std::vector<std::string>(fresh.log.end() - static_cast<std::ptrdiff_t>(expected.size()),
                                     fresh.log.end()),
            expected);
        EXPECT_TRUE(fresh.messages.shown.empty());
        // The next run reads what was written.
        fake::Os next;
        next.profile.files = fresh.profile.files;
        app::Main(next.platform);
        const auto& reopened = *next.windows.settingView;
        EXPECT_EQ(reopened.Checked(C::Check1), c.check1 && c.text2 != L"0");
        for (const auto& [box, text] : typed) {
            EXPECT_EQ(reopened.Text(box), text);
        }
        EXPECT_EQ(reopened.Checked(C::Check3), c.check3);
        EXPECT_EQ(reopened.Checked(C::Check4), !c.check3);
    }
}

TEST(SettingSaveTest, RegistersOrUnregistersShortcutAndTaskBeforeWriting) {
    const struct {
        const char* name;
        bool check2;
        bool present;
        const char* step;
    } cases[] = {
        {"register", true, false, "Link.Save"},
        {"register again", true, true, "Link.Save"},
        {"unregister", false, true, "RemoveFile"},
        {"nothing to unregister", false, false, "RemoveFile"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake::Os fresh;
        if (c.present) {
            fresh.files.files[kShortcut] = {};
            fresh.signIn.tasks[L"Kestro sign-in S-1-5-21-7-8-9-1001"] = L"old";
        }
        app::Main(fresh.platform);
        fresh.windows.settingView->SetChecked(SettingControl::Check2, c.check2);
        EXPECT_THROW(fresh.windows.settingEvents->OnClick(SettingControl::Command1),
                     fake::ProgramEnded);
        const auto step = std::find_if(fresh.log.begin(), fresh.log.end(), [&](const auto& line) {
            return line.rfind(c.step, 0) == 0;
        });
        const auto firstWrite =
            std::find_if(fresh.log.begin(), fresh.log.end(),
                         [](const auto& line) { return line.rfind("WriteIni", 0) == 0; });
        EXPECT_LT(step, firstWrite);
        EXPECT_EQ(fresh.files.FileExists(kShortcut), c.check2);
        // The logon task goes with the shortcut.
        EXPECT_EQ(fresh.signIn.tasks.size(), c.check2 ? 1U : 0U);
        EXPECT_TRUE(fresh.messages.shown.empty());
        EXPECT_EQ(fresh.profile.writes.size(), 14U);
    }
}

TEST_F(SettingTest, SaveGoesOnWhenTheShortcutFails) {
    os.shell.failing.insert("Save");
    auto& view = Open();
    view.SetChecked(SettingControl::Check2, true);
    EXPECT_TRUE(Save());
    ASSERT_EQ(os.messages.shown.size(), 1U);
    EXPECT_EQ(Writes().size(), 14U);
    EXPECT_FALSE(os.files.FileExists(kShortcut));
}

TEST_F(SettingTest, SaveThatCannotWriteKeepsTheWindowOpenAsTyped) {
    auto& view = Open();
    view.SetText(SettingControl::Text1, L"C:\\bye.png");
    view.SetText(SettingControl::Text2, L"640");
    view.SetText(SettingControl::Text3, L"480");
    os.profile.failWrites = true;
    EXPECT_FALSE(Save());
    ASSERT_EQ(os.messages.shown.size(), 1U);
    EXPECT_EQ(os.messages.shown[0].text, L"Access is denied.");
    EXPECT_EQ(os.messages.shown[0].title, L"Kestro");
    EXPECT_EQ(os.messages.shown[0].style, 48);
    EXPECT_EQ(view.Text(SettingControl::Text1), L"C:\\bye.png");
    EXPECT_EQ(view.Text(SettingControl::Text2), L"640");
    EXPECT_EQ(view.Text(SettingControl::Text3), L"480");
    EXPECT_EQ(std::count(os.log.begin(), os.log.end(), "EndProgram"), 0);

    // Once the cause is gone, the same window saves.
    os.profile.failWrites = false;
    EXPECT_TRUE(Save());
    EXPECT_EQ(Writes().back(), "WriteIni C:\\Program Files\\Kestro\\kestro.ini Kestro Backdrop=0");
}

TEST_F(SettingTest, BrowseFillsTheMediaFileOnlyWhenAFileIsChosen) {
    auto& view = Open();
    view.SetText(SettingControl::Text1, L"typed.png");
    Click(SettingControl::Command3);
    EXPECT_EQ(view.Text(SettingControl::Text1), L"typed.png");

    os.dialogs.chosenFile = L"C:\\Users\\user\\Pictures\\さようなら.jpg";
    Click(SettingControl::Command3);
    EXPECT_EQ(view.Text(SettingControl::Text1), L"C:\\Users\\user\\Pictures\\さようなら.jpg");

    ASSERT_EQ(os.dialogs.opens.size(), 2U);
    for (const auto& record : os.dialogs.opens) {
        // Each click has a new dialog object: no file name is carried over.
        EXPECT_EQ(record.lpstrFile->substr(0, 1), std::wstring(1, L'\0'));
        EXPECT_EQ(record.hwndOwner, fake::SettingView::kHandle);
        EXPECT_EQ(record.lpstrTitle, L"ファイルの参照");
        EXPECT_EQ(record.lpstrInitialDir, os.files.currentDirectory);
        EXPECT_EQ(record.nFilterIndex, 1U);
        EXPECT_EQ(*record.lpstrFilter, std::wstring(kRecordFilter, std::size(kRecordFilter) - 1));
    }
}

TEST_F(SettingTest, BrowseToAPathTooLongSaysSoAndKeepsTheBox) {
    auto& view = Open();
    view.SetText(SettingControl::Text1, L"typed.png");
    os.dialogs.chosenFile = L"C:\\" + std::wstring(260, L'p') + L".png";
    Click(SettingControl::Command3);
    EXPECT_EQ(view.Text(SettingControl::Text1), L"typed.png");
    ASSERT_EQ(os.messages.shown.size(), 1U);
    EXPECT_EQ(os.messages.shown[0].text, platform::CurrentTexts().pathTooLong);
    EXPECT_EQ(os.messages.shown[0].style, platform::kWarningStyle);
}

TEST_F(SettingTest, QuitAndOtherControlsWriteNothing) {
    os.files.files[kShortcut] = {};
    auto& view = Open();
    view.SetText(SettingControl::Text4, L"9");
    view.SetChecked(SettingControl::Check2, false);
    os.log.clear();
    for (const auto control : {SettingControl::Check2, SettingControl::Text1,
                               SettingControl::Label1, SettingControl::Frame1}) {
        Click(control);
    }
    EXPECT_TRUE(os.log.empty());
    EXPECT_THROW(Click(SettingControl::Command2), fake::ProgramEnded);
    EXPECT_EQ(os.log, (fake::Log{"EndProgram"}));
    EXPECT_TRUE(os.files.FileExists(kShortcut));
    EXPECT_TRUE(os.profile.writes.empty());
}

TEST(SettingSaveFormTest, ChoosesTheFileFormFromTheValuesAndTheFile) {
    const std::string oldText = "[Kestro]\r\nMediaFile=C:\\old.png\r\n[Other]\r\nKeep=1\r\n";
    const auto utf16 = [](const std::wstring& text) {
        const auto bytes = config::Utf16LeFile(text);
        return std::string(bytes.begin(), bytes.end());
    };
    const std::string utf16Mark = utf16(L"");
    const std::wstring oldWide(oldText.begin(), oldText.end());
    const struct {
        const char* name;
        std::optional<std::string> before;  // the file's bytes; none for no file
        std::wstring media;
        std::optional<std::string> replaced;         // what the file became before the writes
        SettingControl box = SettingControl::Text1;  // where `media` is typed
    } cases[] = {
        {"every value fits a new file", std::nullopt, L"C:\\写真\\夕焼け.png", std::nullopt},
        {"every value fits the file", oldText, L"C:\\写真\\夕焼け.png", std::nullopt},
        {"Hangul in a new file", std::nullopt, L"C:\\소리\\안녕.wav", utf16Mark},
        {"an emoji in the file", oldText, L"C:\\写真\\\U0001F305 夕焼け.png", utf16(oldWide)},
        {"an accented letter", oldText, L"C:\\café.png", utf16(oldWide)},
        {"the file is Unicode", utf16(oldWide), L"C:\\소리\\안녕.wav", std::nullopt},
        {"the file is big-endian Unicode", "\xFE\xFF", L"C:\\소리\\안녕.wav", std::nullopt},
        {"the file is UTF-8", "\xEF\xBB\xBF[Kestro]\r\nMediaFile=\xEA\xB0\x80\r\n", L"C:\\bye.png",
         utf16(L"[Kestro]\r\nMediaFile=\uAC00\r\n")},
        {"a sign-in file fits", oldText, L"C:\\音\\朝.wav", std::nullopt, SettingControl::Text5},
        {"Hangul in the sign-in file", oldText, L"C:\\소리\\안녕.wav", utf16(oldWide),
         SettingControl::Text5},
        {"an emoji in the sign-out file", std::nullopt, L"C:\\\U0001F305.png", utf16Mark,
         SettingControl::Text6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake::Os os;
        const std::wstring ini = os.IniPath();
        if (c.before) {
            os.profile.bytes[ini].assign(c.before->begin(), c.before->end());
        }
        app::Main(os.platform);
        auto& view = *os.windows.settingView;
        view.SetText(c.box, c.media);
        os.log.clear();
        EXPECT_THROW(os.windows.settingEvents->OnClick(SettingControl::Command1),
                     fake::ProgramEnded);
        // The texts reach the platform as typed, after the file has its form.
        const std::string write = "WriteIni " + fake::Narrow(ini) + " Kestro ";
        const auto typed = [&](SettingControl box) {
            return box == c.box ? fake::Narrow(c.media) : std::string();
        };
        std::vector<std::string> expected;
        for (const auto& value : {"MediaFile=" + typed(SettingControl::Text1), "Time=3"s, "Width="s,
                                  "Height="s, "LogonFile=" + typed(SettingControl::Text5),
                                  "LogoffFile=" + typed(SettingControl::Text6), "LockFile="s,
                                  "UnlockFile="s, "LimitMedia=0"s, "MediaSound="s, "LogonSound="s,
                                  "LogoffSound="s, "UnlockSound="s, "Backdrop=0"s}) {
            expected.push_back(write + value);
        }
        expected.emplace_back("EndProgram");
        if (c.replaced) {
            expected.insert(expected.begin(), "ReplaceIni " + fake::Narrow(ini));
        }
        EXPECT_EQ(std::vector<std::string>(
                      os.log.end() - static_cast<std::ptrdiff_t>(expected.size()), os.log.end()),
                  expected);
        // Read back as the next run reads it.
        config::ReadSettings(os.platform);
        const auto moment = c.box == SettingControl::Text5   ? show::Moment::SignIn
                            : c.box == SettingControl::Text6 ? show::Moment::SignOut
                                                             : show::Moment::Exit;
        EXPECT_EQ(show::FileFor(config::Settings(), moment), c.media);
        const auto bytes = os.profile.Contents(ini);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
                  c.replaced.value_or(c.before.value_or("")));
    }
}

TEST_F(SettingTest, EachMomentOfTheListShowsItsOwnBoxesOnly) {
    using C = SettingControl;
    auto& view = Open();
    EXPECT_EQ(view.items[C::List1].at(2), L"サインアウト時");
    // The boxes seen with each moment; the shut-down's file box is seen with all.
    const std::set<C> seen[] = {
        {C::Label12, C::Text9}, {C::Text5, C::Text10}, {C::Text6, C::Label9, C::Text11}, {C::Text7},
        {C::Text8, C::Text12},
    };
    // The first moment is selected when the window opens.
    for (const int moment : {-1, 3, 2, 1, 4, 0}) {
        SCOPED_TRACE(moment);
        if (moment >= 0) {
            view.selected[C::List1] = moment;
            Click(C::List1);
        }
        for (const auto& page : seen) {
            for (const auto control : page) {
                EXPECT_EQ(view.hidden.count(control) == 0, &page == &seen[std::max(moment, 0)]);
            }
        }
        EXPECT_EQ(view.hidden.count(C::Text1), 0U);
    }
}

TEST(SettingTestShowTest, ShowsTheSelectedMomentAsTypedWithoutSaving) {
    using C = SettingControl;
    const struct {
        const char* name;
        int moment;
        std::wstring file, sound;  // what the test show shows; no file: nothing to show
    } cases[] = {
        {"shut-down", 0, L"C:\\bye.png", L"C:\\鐘.wav"},
        {"sign-in", 1, L"C:\\朝.png", L"C:\\朝.wav"},
        {"sign-out without a file shows the shut-down's", 2, L"C:\\bye.png", L"C:\\夜.wav"},
        {"lock: its file is the sound", 3, L"C:\\鍵.wav", L""},
        {"unlock without a file", 4, L"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake::Os os;
        os.SetIni(L"MediaFile", L"C:\\saved.png");
        const auto saved = os.profile.files;
        app::Main(os.platform);
        auto& view = *os.windows.settingView;
        const std::pair<C, const wchar_t*> typed[] = {
            {C::Text1, L"C:\\bye.png"}, {C::Text9, L"C:\\鐘.wav"}, {C::Text5, L"C:\\朝.png"},
            {C::Text10, L"C:\\朝.wav"}, {C::Text6, L""},           {C::Text11, L"C:\\夜.wav"},
            {C::Text7, L"C:\\鍵.wav"},  {C::Text8, L""},           {C::Text12, L"C:\\扉.wav"},
            {C::Text4, L"2.5"},         {C::Text2, L"640"}};
        for (const auto& [box, text] : typed) {
            view.SetText(box, text);
        }
        view.SetChecked(C::Check3, true);
        view.SetChecked(C::Check4, true);
        view.selected[C::List1] = c.moment;
        os.windows.settingEvents->OnClick(C::List1);
        os.windows.settingEvents->OnClick(C::Command12);
        EXPECT_EQ(os.profile.files.at(os.IniPath()), saved.at(os.IniPath()));
        EXPECT_EQ(std::count(os.log.begin(), os.log.end(), "EndProgram"), 0);
        if (c.file.empty()) {
            EXPECT_TRUE(os.showProcess.argument.empty());
            ASSERT_EQ(os.messages.shown.size(), 1U);
            EXPECT_EQ(os.messages.shown[0].text, platform::CurrentTexts().nothingToTest);
            continue;
        }
        // The show process's settings file: the moment's file and sound, the shared values
        // as typed, the size empty with the fixed size off.
        const std::wstring trial = L"C:\\Users\\user\\AppData\\Local\\Temp\\kes1.tmp";
        EXPECT_EQ(os.showProcess.argument, L"/kestro-try-show \"" + trial + L"\"");
        const std::map<std::wstring, std::wstring> trialValues = {
            {L"MediaFile", c.file}, {L"MediaSound", c.sound}, {L"Time", L"2.5"},  {L"Width", L""},
            {L"Height", L""},       {L"LimitMedia", L"1"},    {L"Backdrop", L"1"}};
        EXPECT_EQ(os.profile.files[trial][L"Kestro"], trialValues);

        // The show process reads that file, not kestro.ini, and leaves nothing behind.
        fake::Os show;
        show.profile.files = os.profile.files;
        show.files.files = os.files.files;
        show.process.commandLine = os.showProcess.argument;
        EXPECT_THROW(app::Main(show.platform), fake::ProgramEnded);
        EXPECT_EQ(config::Settings().MediaFile, c.file);
        EXPECT_TRUE(config::Settings().Backdrop);
        EXPECT_FALSE(show.files.FileExists(trial));
    }
}

TEST_F(SettingTest, ASecondTestEndsTheFirstAndAFailedStartSaysSo) {
    auto& view = Open();
    view.SetText(SettingControl::Text1, L"C:\\bye.png");
    Click(SettingControl::Command12);
    const std::wstring first = os.showProcess.argument;
    Click(SettingControl::Command12);
    // The first show ended, and its file, which it never read, is gone.
    EXPECT_EQ(std::count(os.log.begin(), os.log.end(), "EndShow"), 1);
    EXPECT_NE(os.showProcess.argument, first);
    EXPECT_EQ(os.files.files.size(), 1U);

    os.showProcess.startFails = true;
    Click(SettingControl::Command12);
    EXPECT_EQ(std::count(os.log.begin(), os.log.end(), "EndShow"), 2);
    ASSERT_EQ(os.messages.shown.size(), 1U);
    EXPECT_EQ(os.messages.shown[0].style, platform::kWarningStyle);
    EXPECT_TRUE(os.files.files.empty());
}

}  // namespace
