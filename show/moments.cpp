#include "show/moments.h"

#include <algorithm>
#include <array>

#include "platform/text.h"

namespace show {
namespace {

using config::SettingsValues;

const std::array<MomentRow, 5> kMoments = {{
    {Moment::Exit, &SettingsValues::MediaFile, nullptr, L"/kestro-command-show", Starter::Command,
     false},
    {Moment::SignIn, &SettingsValues::LogonFile, nullptr, L"/kestro-sign-in-show", Starter::Waiting,
     true},
    {Moment::SignOut, &SettingsValues::LogoffFile, &SettingsValues::MediaFile,
     L"/kestro-sign-out-show", Starter::Command, false},
    {Moment::Lock, &SettingsValues::LockFile, nullptr, L"/kestro-lock-show", Starter::Waiting,
     true},
    {Moment::Unlock, &SettingsValues::UnlockFile, nullptr, L"/kestro-unlock-show", Starter::Waiting,
     true},
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

}  // namespace show
