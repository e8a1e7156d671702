#include "fake_platform.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/error.h"

namespace fake {
namespace {

std::string SizeText(platform::Size size) {
    return std::to_string(size.width) + " " + std::to_string(size.height);
}

}  // namespace

std::string Narrow(const std::wstring& text) {
    // UTF-8, so that logged Japanese text can be compared with plain UTF-8 literals in the tests.
    std::string narrow;
    for (const wchar_t ch : text) {
        const auto code = static_cast<std::uint32_t>(ch);
        if (code < 0x80) {
            narrow += static_cast<char>(code);
        } else if (code < 0x800) {
            narrow += static_cast<char>(0xC0 | (code >> 6));
            narrow += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            narrow += static_cast<char>(0xE0 | (code >> 12));
            narrow += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            narrow += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return narrow;
}

void Process::PumpEvents() {
    ++pumps;
    if (onPump) {
        const auto event = std::exchange(onPump, nullptr);
        event();
    }
}

void Process::Sleep(unsigned milliseconds) {
    timeOfDay = std::fmod(timeOfDay + milliseconds / 1000.0, 86400.0);
}

void Process::EndProgram() {
    log_.emplace_back("EndProgram");
    throw ProgramEnded{};
}

std::vector<std::uint8_t> FileSystem::ReadBytes(const std::wstring& path, std::uint64_t offset,
                                                std::size_t count) const {
    const auto file = files.find(path);
    if (file == files.end()) {
        throw platform::Error(L"File not found");
    }
    const auto& bytes = file->second;
    if (offset >= bytes.size()) {
        return {};
    }
    const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(offset);
    const auto available = static_cast<std::size_t>(bytes.end() - begin);
    bytesRead += std::min(count, available);
    return {begin, begin + static_cast<std::ptrdiff_t>(std::min(count, available))};
}

void FileSystem::FailIfAsked(const std::string& name) const {
    if (failing.count(name) != 0) {
        throw platform::Error(L"failed: " + std::wstring(name.begin(), name.end()));
    }
}

void FileSystem::CopyOver(const std::wstring& from, const std::wstring& to) {
    FailIfAsked("CopyOver");
    const auto source = files.find(from);
    if (source == files.end()) {
        throw platform::Error(L"File not found");
    }
    files[to] = source->second;
}

void FileSystem::RemoveFile(const std::wstring& path) {
    FailIfAsked("RemoveFile");
    if (files.erase(path) == 0) {
        throw platform::Error(L"File not found");
    }
}

std::wstring FileSystem::CreateTempFile() {
    FailIfAsked("CreateTempFile");
    std::wstring path =
        L"C:\\Users\\user\\AppData\\Local\\Temp\\kes" + std::to_wstring(++tempFiles) + L".tmp";
    files[path] = {};
    return path;
}

std::wstring ProfileFile::Read(const std::wstring& file, const std::wstring& section,
                               const std::wstring& key,
                               const std::optional<std::wstring>& defaultValue) {
    const auto fallback = defaultValue.value_or(L"");
    const auto f = files.find(file);
    if (f == files.end()) {
        return fallback;
    }
    const auto s = f->second.find(section);
    if (s == f->second.end()) {
        return fallback;
    }
    const auto k = s->second.find(key);
    return k == s->second.end() ? fallback : k->second;
}

void ProfileFile::Write(const std::wstring& file, const std::wstring& section,
                        const std::wstring& key, const std::wstring& value) {
    if (failWrites) {
        throw platform::Error(L"Access is denied.");
    }
    if (log != nullptr) {
        log->push_back("WriteIni " + Narrow(file) + " " + Narrow(section) + " " + Narrow(key) +
                       "=" + Narrow(value));
    }
    writes.emplace_back(file, section, key, value);
    files[file][section][key] = value;
}

std::vector<std::uint8_t> ProfileFile::Contents(const std::wstring& file) {
    const auto found = bytes.find(file);
    return found == bytes.end() ? std::vector<std::uint8_t>{} : found->second;
}

void ProfileFile::Replace(const std::wstring& file, const std::vector<std::uint8_t>& contents) {
    if (failWrites) {
        throw platform::Error(L"Access is denied.");
    }
    if (log != nullptr) {
        log->push_back("ReplaceIni " + Narrow(file));
    }
    bytes[file] = contents;
}

bool ProfileFile::FitsCodePage(const std::wstring& text) const {
    return std::all_of(text.begin(), text.end(), [](wchar_t ch) {
        return ch < 0x80 || (ch >= 0x3000 && ch <= 0x30FF) || (ch >= 0x4E00 && ch <= 0x9FFF) ||
               (ch >= 0xFF00 && ch <= 0xFFEF);
    });
}

std::wstring ProfileFile::FromCodePage(const std::vector<std::uint8_t>& contents) const {
    return {contents.begin(), contents.end()};
}

void PictureBox::SetPersistentDrawing(bool on) {
    windows_.Call("Picture1.SetPersistentDrawing", on ? "on" : "off");
}

void PictureBox::Move(int left, int top, int width, int height) {
    windows_.Call("Picture1.Move", std::to_string(left) + " " + std::to_string(top) + " " +
                                       std::to_string(width) + " " + std::to_string(height));
    size = {width, height};
}

void PictureBox::Refresh() { windows_.Call("Picture1.Refresh"); }

void PictureBox::ImageToPicture() { windows_.Call("Picture1.ImageToPicture"); }

void PictureBox::DrawPicture(const platform::Picture& picture, platform::Orientation orientation,
                             platform::Size scaled) {
    windows_.Call("Picture1.DrawPicture", SizeText(picture.StoredSize()) + " -> " +
                                              SizeText(scaled) + " turned " +
                                              std::to_string(orientation.Exif()));
}

ShowWindow::ShowWindow(Log& log, WindowSystem& windows, platform::ByeWindowEvents& events)
    : box(log, windows), log_(log), events_(events) {}

void ShowWindow::SetOuterSize(int width, int height) {
    size = {width, height};
    log_.push_back("Window.SetOuterSize " + SizeText(size));
}

void ShowWindow::CenterOnScreen() { log_.push_back("Window.CenterOnScreen " + SizeText(size)); }

void ShowWindow::Show() { log_.emplace_back("Window.Show"); }

void ShowWindow::MakeTopMost() { log_.emplace_back("Window.MakeTopMost"); }

void ShowWindow::Unload() {
    log_.emplace_back("Window.Unload");
    events_.OnCloseRequest(platform::CloseRequest::Unload);
}

void SettingView::SetCaption(const std::wstring& text) {
    caption = text;
    log_.push_back("Setting.Caption " + Narrow(text));
}

std::wstring SettingView::Text(platform::SettingControl control) const {
    const auto text = texts.find(control);
    return text == texts.end() ? std::wstring() : text->second;
}

void SettingView::SetText(platform::SettingControl control, const std::wstring& text) {
    texts[control] = text;
}

bool SettingView::Checked(platform::SettingControl control) const {
    const auto state = checked.find(control);
    return state != checked.end() && state->second;
}

void SettingView::SetChecked(platform::SettingControl control, bool on) { checked[control] = on; }

void SettingView::SetEnabled(platform::SettingControl control, bool enabled) {
    if (enabled) {
        disabled.erase(control);
    } else {
        disabled.insert(control);
    }
}

void SettingView::SetVisible(platform::SettingControl control, bool visible) {
    if (visible) {
        hidden.erase(control);
    } else {
        hidden.insert(control);
    }
}

void SettingView::SetItems(platform::SettingControl control,
                           const std::vector<std::wstring>& list) {
    items[control] = list;
    selected[control] = list.empty() ? -1 : 0;
}

int SettingView::Selected(platform::SettingControl control) const {
    const auto index = selected.find(control);
    return index == selected.end() ? -1 : index->second;
}

void SettingView::Show() { log_.emplace_back("Setting.Show"); }

std::unique_ptr<platform::ShowWindow> WindowSystem::LoadByeWindow(platform::ByeWindowEvents& events,
                                                                  const std::wstring& /*caption*/) {
    Call("LoadByeWindow");
    auto window = std::make_unique<ShowWindow>(log_, *this, events);
    byeWindow = window.get();
    return window;
}

std::unique_ptr<platform::SettingView> WindowSystem::LoadSettingWindow(
    platform::SettingEvents& events) {
    Call("LoadSettingWindow");
    settingEvents = &events;
    ++settingLoads;
    auto view = std::make_unique<SettingView>(log_);
    settingView = view.get();
    return view;
}

std::unique_ptr<platform::Picture> WindowSystem::OpenPicture(std::vector<std::uint8_t> bytes,
                                                             bool askOrientation) {
    Call("OpenPicture", askOrientation ? "asking" : "quiet");
    const auto picture = pictures.find(bytes);
    if (picture == pictures.end()) {
        throw platform::Error(L"No decoder takes the file.");
    }
    const auto orientation = orientations.find(bytes);
    if (!askOrientation || orientation == orientations.end()) {
        return std::make_unique<Picture>(picture->second, std::nullopt);
    }
    return std::make_unique<Picture>(picture->second,
                                     platform::Orientation::FromExif(orientation->second));
}

void WindowSystem::Call(const std::string& name, const std::string& arguments) {
    log_.push_back(arguments.empty() ? name : name + " " + arguments);
    if (failing.count(name) != 0) {
        throw platform::Error(L"failed: " + std::wstring(name.begin(), name.end()));
    }
}

void MediaDevice::Call(const std::wstring& command) {
    const std::string narrow = Narrow(command);
    log_.push_back("MCI " + narrow);
    if (failing.count(narrow.substr(0, narrow.find(' '))) != 0) {
        throw platform::Error(L"failed: " + command);
    }
}

void MediaDevice::SendCommand(const std::wstring& command) { Call(command); }

void MediaDevice::SendQuery(const std::wstring& command, std::wstring& reply,
                            unsigned replyLength) {
    Call(command);
    lastReplyLength = replyLength;
    auto& answers = replies[Narrow(command)];
    if (answers.empty()) {
        return;
    }
    const std::string answer = answers.front();
    answers.erase(answers.begin());
    for (std::size_t i = 0; i < answer.size() && i < replyLength && i < reply.size(); ++i) {
        reply[i] = static_cast<unsigned char>(answer[i]);
    }
}

std::string Played(const Log& log) {
    const std::string open = "MCI open \"";
    std::string played;
    for (const auto& line : log) {
        if (line.rfind(open, 0) == 0) {
            played += (played.empty() ? "" : " ") +
                      line.substr(open.size(), line.find('"', open.size()) - open.size());
        }
    }
    return played;
}

}  // namespace fake
