#pragma once

#include <map>
#include <string>

#include "platform/error.h"
#include "platform/sign_in.h"

namespace fake {

// The Task Scheduler's root folder as a map of name to definition, and a desktop that appears
// at a given look (the first is 1; 0: never).
class SignIn final : public platform::SignIn {
  public:
    platform::UserAccount user{L"S-1-5-21-7-8-9-1001", L"PC\\ゆうき"};
    std::map<std::wstring, std::wstring> tasks;
    bool userFails = false;
    bool schedulerFails = false;
    int readyAtLook = 1;
    mutable int looks = 0;

    platform::UserAccount CurrentUser() override {
        Fail(userFails);
        return user;
    }
    void RegisterTask(const std::wstring& name, const std::wstring& definition) override {
        Fail(schedulerFails);
        tasks[name] = definition;
    }
    void DeleteTask(const std::wstring& name) override {
        Fail(schedulerFails);
        tasks.erase(name);
    }
    bool DesktopReady() const override { return readyAtLook != 0 && ++looks >= readyAtLook; }

  private:
    static void Fail(bool fails) {
        if (fails) {
            throw platform::Error(L"アクセスが拒否されました。");
        }
    }
};

}  // namespace fake
