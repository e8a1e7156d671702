#include "show/moments.h"

#include <array>

#include "platform/text.h"

namespace show {
namespace {

using config::SettingsValues;

// Lock and unlock, when they come, are rows started by the waiting instance, as the sign-in.
const std::array<MomentRow, 3> kMoments = {{
    {Moment::Exit, &SettingsValues::MediaFile, nullptr, L"/kestro-command-show", Starter::Command,
     false},
    {Moment::SignIn, &SettingsValues::LogonFile, nullptr, L"/kestro-sign-in-show", Starter::Waiting,
     true},
    {Moment::SignOut, &SettingsValues::LogoffFile, &SettingsValues::MediaFile,
     L"/kestro-sign-out-show", Starter::Command, false},
}};

}  // namespace

const MomentRow& RowOf(Moment moment) {
    for (const auto& row : kMoments) {
        if (row.moment == moment) {
            return row;
        }
    }
    return kMoments.front();
}

const MomentRow* RowOfShowArgument(const std::wstring& commandLine) {
    const std::wstring argument = platform::LowerCase(commandLine);
    for (const auto& row : kMoments) {
        if (argument == row.showArgument) {
            return &row;
        }
    }
    return nullptr;
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
