#pragma once

#include <windows.h>
// After windows.h, whose types it uses.
#include <shlobj.h>

#include "platform/win32/base/handle.h"

namespace win32 {

// An item identifier list the shell allocated for the caller.
using ItemIdList = Owned<PIDLIST_ABSOLUTE, &CoTaskMemFree>;

}  // namespace win32
