#include "platform/win32/session/sign_in.h"

#include <windows.h>
// After windows.h, whose types they use.
#include <oleauto.h>
#include <sddl.h>
#include <taskschd.h>

#include <vector>

#include "platform/win32/base/com_apartment.h"
#include "platform/win32/base/com_ptr.h"
#include "platform/win32/base/handle.h"
#include "platform/win32/base/win32_error.h"

namespace win32 {
namespace {

// A BSTR of its own, freed on every path out: the Task Scheduler takes its texts as BSTRs.
class Bstr {
  public:
    explicit Bstr(const std::wstring& text)
        : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
        if (text_ == nullptr) {
            throw ErrorFromCode(static_cast<DWORD>(E_OUTOFMEMORY));
        }
    }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(text_); }

    BSTR Get() const { return text_; }

  private:
    BSTR text_;
};

using ServiceHandle = Owned<SC_HANDLE, &CloseServiceHandle>;

// Asked while its service is stopped, the Task Scheduler's interface tries to start it and
// waits for it: 保存 would hang where the service cannot start. A service whose state cannot
// be read counts as running.
bool SchedulerStopped() {
    const ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    const ServiceHandle service(
        manager ? OpenServiceW(manager.Get(), L"Schedule", SERVICE_QUERY_STATUS) : nullptr);
    SERVICE_STATUS status{};
    return service && QueryServiceStatus(service.Get(), &status) &&
           status.dwCurrentState != SERVICE_RUNNING;
}

// The local Task Scheduler's root folder, where a user without administrator rights may
// register tasks of their own.
ComPtr<ITaskFolder> RootFolder() {
    if (SchedulerStopped()) {
        throw ErrorFromCode(ERROR_SERVICE_NOT_ACTIVE);
    }
    EnterApartment();
    ComPtr<ITaskService> service;
    Check(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                           service.PutVoid()));
    // Empty: this machine, as the user this process runs as.
    const VARIANT none{};
    Check(service->Connect(none, none, none, none));
    ComPtr<ITaskFolder> root;
    const Bstr path(L"\\");
    Check(service->GetFolder(path.Get(), root.Put()));
    return root;
}

using LocalText = Owned<wchar_t*, &LocalFree>;

std::wstring SidText(PSID sid) {
    wchar_t* raw = nullptr;
    Succeeded(ConvertSidToStringSidW(sid, &raw));
    const LocalText text(raw);
    return text.Get();
}

std::wstring AccountName(PSID sid) {
    DWORD nameLength = 0;
    DWORD domainLength = 0;
    SID_NAME_USE use{};
    LookupAccountSidW(nullptr, sid, nullptr, &nameLength, nullptr, &domainLength, &use);
    std::wstring name(nameLength, L'\0');
    std::wstring domain(domainLength, L'\0');
    Succeeded(LookupAccountSidW(nullptr, sid, name.data(), &nameLength, domain.data(),
                                &domainLength, &use));
    // The lengths now count the characters without the terminating null.
    name.resize(nameLength);
    domain.resize(domainLength);
    return domain.empty() ? name : domain + L"\\" + name;
}

}  // namespace

platform::UserAccount SignIn::CurrentUser() {
    HANDLE raw = nullptr;
    Succeeded(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw));
    const Handle token(raw);
    DWORD size = 0;
    GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
    if (size == 0) {
        throw LastError();
    }
    std::vector<unsigned char> buffer(size);
    Succeeded(GetTokenInformation(token.Get(), TokenUser, buffer.data(), size, &size));
    const PSID sid = reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid;
    return {SidText(sid), AccountName(sid)};
}

void SignIn::RegisterTask(const std::wstring& name, const std::wstring& definition) {
    const ComPtr<ITaskFolder> root = RootFolder();
    const Bstr path(name);
    const Bstr xml(definition);
    // The user is the one the definition names; with the interactive token no password.
    const VARIANT none{};
    ComPtr<IRegisteredTask> task;
    Check(root->RegisterTask(path.Get(), xml.Get(), TASK_CREATE_OR_UPDATE, none, none,
                             TASK_LOGON_INTERACTIVE_TOKEN, none, task.Put()));
}

void SignIn::DeleteTask(const std::wstring& name) {
    const ComPtr<ITaskFolder> root = RootFolder();
    const Bstr path(name);
    const HRESULT result = root->DeleteTask(path.Get(), 0);
    if (result != HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)) {
        Check(result);
    }
}

bool SignIn::DesktopReady() const { return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr; }

}  // namespace win32
