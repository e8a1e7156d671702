#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/platform.h"

namespace fake {

// Thrown by EndProgram: no handler of the program catches it, so a test sees where the
// program ended.
struct ProgramEnded {};

// Everything the logic asked of the stand-in, in order, as readable lines.
using Log = std::vector<std::string>;

class Process final : public platform::Process {
  public:
    explicit Process(Log& log) : log_(log) {}

    std::wstring commandLine;
    bool previousInstance = false;
    std::wstring appPath = L"C:\\Program Files\\Kestro";
    // Japanese (Japan).
    std::uint16_t userLanguage = 0x411;
    // The clock: Sleep advances it; it wraps at local midnight.
    double timeOfDay = 36000.0;
    int pumps = 0;
    // Runs once, at the next pump: a window event that comes in the middle of a wait.
    std::function<void()> onPump;

    std::wstring CommandLine() const override { return commandLine; }
    bool PreviousInstance() const override { return previousInstance; }
    std::wstring AppPath() const override { return appPath; }
    std::wstring ExeName() const override { return L"kestro"; }
    std::wstring Title() const override { return L"Kestro"; }
    int VersionMajor() const override { return 2; }
    int VersionMinor() const override { return 1; }
    std::uint16_t UserLanguage() const override { return userLanguage; }
    std::intptr_t InstanceHandle() const override { return 0x400000; }
    float TimeOfDay() const override { return static_cast<float>(timeOfDay); }
    void PumpEvents() override;
    void Sleep(unsigned milliseconds) override;
    [[noreturn]] void EndProgram() override;

  private:
    Log& log_;
};

class FileSystem final : public platform::FileSystem {
  public:
    std::map<std::wstring, std::vector<std::uint8_t>> files;
    std::wstring currentDirectory = L"C:\\Users\\user\\Documents";
    // Operations that fail, by name ("CopyOver", "RemoveFile", "CreateTempFile").
    std::set<std::string> failing;
    int tempFiles = 0;
    // Bytes handed out by ReadBytes, all reads together.
    mutable std::size_t bytesRead = 0;

    bool FileExists(const std::wstring& path) const override { return files.count(path) != 0; }
    std::vector<std::uint8_t> ReadBytes(const std::wstring& path, std::uint64_t offset,
                                        std::size_t count) const override;
    std::wstring CurrentDirectory() const override { return currentDirectory; }
    void CopyOver(const std::wstring& from, const std::wstring& to) override;
    void RemoveFile(const std::wstring& path) override;
    std::wstring CreateTempFile() override;

  private:
    void FailIfAsked(const std::string& name) const;
};

class ProfileFile final : public platform::ProfileFile {
  public:
    // file -> section -> key -> value
    std::map<std::wstring, std::map<std::wstring, std::map<std::wstring, std::wstring>>> files;
    std::vector<std::tuple<std::wstring, std::wstring, std::wstring, std::wstring>> writes;
    bool failWrites = false;
    // When set, each write is logged as "WriteIni <file> <section> <key>=<value>", and each
    // replacement as "ReplaceIni <file>".
    Log* log = nullptr;
    // A file's bytes, where a test gives them or the program replaced them; the profile
    // functions above see the values in `files` only.
    std::map<std::wstring, std::vector<std::uint8_t>> bytes;

    std::wstring Read(const std::wstring& file, const std::wstring& section,
                      const std::wstring& key,
                      const std::optional<std::wstring>& defaultValue) override;
    void Write(const std::wstring& file, const std::wstring& section, const std::wstring& key,
               const std::wstring& value) override;
    std::vector<std::uint8_t> Contents(const std::wstring& file) override;
    void Replace(const std::wstring& file, const std::vector<std::uint8_t>& contents) override;
    // The stand-in's code page holds ASCII and Japanese, as code page 932 does: no Hangul,
    // no emoji, no accented letters.
    bool FitsCodePage(const std::wstring& text) const override;
    // One character a byte.
    std::wstring FromCodePage(const std::vector<std::uint8_t>& contents) const override;
};

class WindowSystem;

class PictureBox final : public platform::PictureBox {
  public:
    PictureBox(Log& log, WindowSystem& windows) : log_(log), windows_(windows) {}

    platform::Size size{121, 89};

    void SetPersistentDrawing(bool on) override;
    void Move(int left, int top, int width, int height) override;
    platform::Size InnerSize() const override { return size; }
    std::intptr_t Handle() const override { return 4242; }
    void Refresh() override;
    void ImageToPicture() override;
    void DrawPicture(const platform::Picture& picture, platform::Orientation orientation,
                     platform::Size scaled) override;

  private:
    Log& log_;
    WindowSystem& windows_;
};

class ShowWindow final : public platform::ShowWindow {
  public:
    ShowWindow(Log& log, WindowSystem& windows, platform::ByeWindowEvents& events);

    PictureBox box;
    platform::Size size{357, 271};
    platform::Size screen{1280, 1024};

    platform::PictureBox& Picture1() override { return box; }
    std::intptr_t Handle() const override { return kHandle; }
    void SetOuterSize(int width, int height) override;
    void CenterOnScreen() override;
    platform::Size ScreenSize() const override { return screen; }
    void Show() override;
    void MakeTopMost() override;
    void ShowBackdrop() override { log_.emplace_back("Window.ShowBackdrop"); }
    void BeginShow() override { showBegun = true; }
    void Unload() override;
    void ListenForSessionChanges() override { listening = true; }

    bool showBegun = false;
    bool listening = false;
    static constexpr std::intptr_t kHandle = 0xb7e;

  private:
    Log& log_;
    platform::ByeWindowEvents& events_;
};

// The settings window's controls as plain state, which a test reads and sets as the user
// would; only the caption and Show are logged.
class SettingView final : public platform::SettingView {
  public:
    explicit SettingView(Log& log) : log_(log) {}

    std::map<platform::SettingControl, std::wstring> texts;
    std::map<platform::SettingControl, bool> checked;
    // Controls are enabled until the program disables them.
    std::set<platform::SettingControl> disabled;
    std::set<platform::SettingControl> hidden;
    // A list's items and its selected index, which a test sets as the user selects.
    std::map<platform::SettingControl, std::vector<std::wstring>> items;
    std::map<platform::SettingControl, int> selected;
    std::wstring caption;

    void SetCaption(const std::wstring& text) override;
    std::wstring Text(platform::SettingControl control) const override;
    void SetText(platform::SettingControl control, const std::wstring& text) override;
    bool Checked(platform::SettingControl control) const override;
    void SetChecked(platform::SettingControl control, bool on) override;
    void SetEnabled(platform::SettingControl control, bool enabled) override;
    void SetVisible(platform::SettingControl control, bool visible) override;
    void SetItems(platform::SettingControl control, const std::vector<std::wstring>& list) override;
    int Selected(platform::SettingControl control) const override;
    std::intptr_t Handle() const override { return kHandle; }
    void Show() override;

    static constexpr std::intptr_t kHandle = 0x5e77;

  private:
    Log& log_;
};

class Picture final : public platform::Picture {
  public:
    Picture(platform::Size pictureSize, std::optional<platform::Orientation> reported)
        : size(pictureSize), orientation(reported) {}
    platform::Size size;
    std::optional<platform::Orientation> orientation;

    platform::Size StoredSize() const override { return size; }
    std::optional<platform::Orientation> ReportedOrientation() const override {
        return orientation;
    }
};

class WindowSystem final : public platform::WindowSystem {
  public:
    explicit WindowSystem(Log& log) : log_(log) {}

    // Decodable files, by their content, and their stored sizes; any other content fails.
    std::map<std::vector<std::uint8_t>, platform::Size> pictures;
    // The orientation (1-8) that the decoder reports for a content; none for the others.
    std::map<std::vector<std::uint8_t>, int> orientations;
    // Failing operations, by the name they have in the log ("Picture1.Move", ...).
    std::set<std::string> failing;
    platform::SettingEvents* settingEvents = nullptr;
    ShowWindow* byeWindow = nullptr;
    // The window loaded last; it lives as long as the program keeps it.
    SettingView* settingView = nullptr;
    int settingLoads = 0;

    std::unique_ptr<platform::ShowWindow> LoadByeWindow(platform::ByeWindowEvents& events,
                                                        const std::wstring& caption) override;
    std::unique_ptr<platform::SettingView> LoadSettingWindow(
        platform::SettingEvents& events) override;
    // Logs "OpenPicture asking|quiet": whether the orientation is asked for.
    std::unique_ptr<platform::Picture> OpenPicture(std::vector<std::uint8_t> bytes,
                                                   bool askOrientation) override;

    // Logs the call and throws platform::Error when the test made it fail.
    void Call(const std::string& name, const std::string& arguments = {});

  private:
    Log& log_;
};

// The media device: logs each command as "MCI <command>" and answers queries from a script.
class MediaDevice final : public platform::MediaDevice {
  public:
    explicit MediaDevice(Log& log) : log_(log) {}

    // Answers by query, used front first; a query with no answer left gets nothing.
    std::map<std::string, std::vector<std::string>> replies;
    // Commands (by their first word) for which the platform itself fails.
    std::set<std::string> failing;

    void SendCommand(const std::wstring& command) override;
    void SendNotifyingCommand(const std::wstring& command) override { Call(command); }
    // The device reports the end from the reportAtLook-th look on (the first is 1); 0: never.
    int reportAtLook = 0;
    bool EndReported() const override { return reportAtLook != 0 && ++looks_ >= reportAtLook; }
    void SendQuery(const std::wstring& command, std::wstring& reply, unsigned replyLength) override;
    // The device's form of a path, where a test gives one; any other path is its own.
    std::map<std::wstring, std::wstring> devicePaths;
    std::wstring DevicePath(const std::wstring& path) override {
        const auto found = devicePaths.find(path);
        return found == devicePaths.end() ? path : found->second;
    }
    // The reply length the last query allowed.
    unsigned lastReplyLength = 0;

  private:
    void Call(const std::wstring& command);

    Log& log_;
    mutable int looks_ = 0;
};

std::string Narrow(const std::wstring& text);

// The files that the media device opened in the log, in order, separated by spaces.
std::string Played(const Log& log);

}  // namespace fake
