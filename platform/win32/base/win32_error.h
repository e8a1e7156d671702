#pragma once

#include <windows.h>

#include "platform/error.h"

namespace win32 {

// The platform's own description of an error code.
platform::Error ErrorFromCode(DWORD code);
// The error of the call that just failed.
platform::Error LastError();
// Throws the error of a Windows call that returned FALSE (or a null handle or pointer).
void Succeeded(BOOL result);
// Throws for a failed COM result.
void Check(HRESULT result);

}  // namespace win32
