#include "platform/win32/base/gdi.h"

#include "platform/win32/base/handle.h"

namespace win32 {

void FillSolid(HDC dc, const RECT& area, COLORREF colour) {
    const Brush brush(CreateSolidBrush(colour));
    FillRect(dc, &area, brush.Get());
}

}  // namespace win32
