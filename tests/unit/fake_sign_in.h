#pragma once

#include <map>
#include <string>

#include "platform/error.h"
#include "platform/sign_in.h"

namespace fake {

// The Task Scheduler's root folder as a map, and a desktop that appears at a given look.
class SignIn final : public platform::SignIn {
  public:
    platform::UserAccount user{L"S-1-5-21-7-8-9-1001", L"PC\\ゆうき"};
    // Name -> definition.
    std::map<std::wstring, std::wstring> tasks;
    bool userFails = false;
    bool schedulerFails = false;
    // The desktop is there from this look on (the first is 1); 0: never.
    int readyAtLook = 1;
    mutable int looks = 0;

    platform::UserAccount CurrentUser() override {
        FailIf(userFails);
        return user;
    }
    void RegisterTask(const std::wstring& name, const std::wstring& definition) override {
        FailIf(schedulerFails);
        tasks[name] = definition;
    }
    void DeleteTask(const std::wstring& name) override {
        FailIf(schedulerFails);
        tasks.erase(name);
    }
    bool DesktopReady() const override { return readyAtLook != 0 && ++looks >= readyAtLook; }

  private:
    static void FailIf(bool fails) {
        if (fails) {
            throw platform::Error(L"アクセスが拒否されました。");
        }
    }
};

}  // namespace fake
