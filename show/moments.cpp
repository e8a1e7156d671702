#include "show/moments.h"

#include <algorithm>
#include <array>

#include "platform/text.h"

namespace show {
namespace {

using config::SettingsValues;

const std::array<MomentRow, 5> kMoments = {{
    {Moment::Exit, &SettingsValues::MediaFile, nullptr, &SettingsValues::MediaSound,
     L"/kestro-command-show", Starter::Command, false},
    {Moment::SignIn, &SettingsValues::LogonFile, nullptr, &SettingsValues::LogonSound,
     L"/kestro-sign-in-show", Starter::Waiting, true},
    {Moment::SignOut, &SettingsValues::LogoffFile, &SettingsValues::MediaFile,
     &SettingsValues::LogoffSound, L"/kestro-sign-out-show", Starter::Command, false},
    // Its file is a sound: the lock screen covers every picture.
    {Moment::Lock, &SettingsValues::LockFile, nullptr, nullptr, L"/kestro-lock-show",
     Starter::Waiting, true},
    {Moment::Unlock, &SettingsValues::UnlockFile, nullptr, &SettingsValues::UnlockSound,
     L"/kestro-unlock-show", Starter::Waiting, true},
}};

}  // namespace

const MomentRow& RowOf(Moment moment) {
    return *std::find_if(kMoments.begin(), kMoments.end(),
                         [moment](const MomentRow& row) { return row.moment == moment; });
}

const MomentRow* RowOfShowArgument(const std::wstring& commandLine) {
    const std::wstring argument = platform::LowerCase(commandLine);
    const auto row = std::find_if(kMoments.begin(), kMoments.end(),
                                  [&](const MomentRow& r) { return argument == r.showArgument; });
    return row == kMoments.end() ? nullptr : &*row;
}

Moment MomentOfEnd(platform::SessionEnd how) {
    return how == platform::SessionEnd::LogOff ? Moment::SignOut : Moment::Exit;
}

const std::wstring& FileFor(const SettingsValues& settings, Moment moment) {
    const auto& row = RowOf(moment);
    const auto& file = settings.*row.file;
    return file.empty() && row.otherwise != nullptr ? settings.*row.otherwise : file;
}

const std::wstring& SoundFor(const SettingsValues& settings, Moment moment) {
    static const std::wstring kNone;
    const auto& row = RowOf(moment);
    if (row.sound == nullptr) {
        return kNone;
    }
    const auto& sound = settings.*row.sound;
    if (!sound.empty() || row.otherwise == nullptr || !(settings.*row.file).empty()) {
        return sound;
    }
    // The picture came from the moment whose file this one fell back to: so does the sound.
    const auto owner = std::find_if(kMoments.begin(), kMoments.end(),
                                    [&](const MomentRow& r) { return r.file == row.otherwise; });
    return owner == kMoments.end() ? sound : SoundFor(settings, owner->moment);
}

}  // namespace show
