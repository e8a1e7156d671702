#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/window_system.h"

namespace platform {

// The languages the program speaks. Japanese is what it has always shown; English is for
// everyone else.
enum class Language { Japanese, English };

// The primary language of a Windows language identifier (its low ten bits) that is Japanese.
inline constexpr std::uint16_t kJapanesePrimaryLanguage = 0x11;

// The language for a user whose display language is the given Windows language identifier.
Language LanguageOfUser(std::uint16_t languageId);

struct ControlCaption {
    SettingControl control;
    const wchar_t* caption;
};

// Every text the program shows, in one language.
struct Texts {
    // After the title and version: "Kestro 2.1" + this.
    const wchar_t* settingsCaptionSuffix;
    // The captions of the settings window's controls; a control not listed has none.
    std::span<const ControlCaption> captions;
    const wchar_t* browseFileTitle;
    // Shown when the chosen file's path is longer than the file dialog takes.
    const wchar_t* pathTooLong;
    // The file dialog's entries, each before its list of patterns.
    const wchar_t* supportedFiles;
    const wchar_t* pictureFiles;
    const wchar_t* videoFiles;
    const wchar_t* soundFiles;
    const wchar_t* allFiles;
    // The folder browser's prompt.
    const wchar_t* browseFolder;
    const wchar_t* showWindowCaption;
    // What Windows lists beside Kestro while the show holds up the end of the session.
    const wchar_t* blockReason;
    // What the Task Scheduler's window says of the sign-in task.
    const wchar_t* logonTaskDescription;
    // The settings window's moments: shut-down, sign-in, sign-out, lock, unlock.
    std::array<const wchar_t*, 5> momentNames;
    // Said when the moment to test has no file.
    const wchar_t* nothingToTest;
};

const Texts& TextsOf(Language language);

// The language of the process's texts: Japanese until the program chooses.
void UseLanguage(Language language);
Language LanguageInUse();
const Texts& CurrentTexts();

// The control's caption in the language in use; empty for a control without one.
std::wstring_view CaptionOf(SettingControl control);

}  // namespace platform
