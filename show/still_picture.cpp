#include "show/still_picture.h"

#include <algorithm>

#include "platform/text.h"

namespace show {
bool IsStillPicture(const std::wstring& path) {
    const auto lower = platform::LowerCase(path);
    return std::any_of(kStillPictureEndings.begin(), kStillPictureEndings.end(),
                       [&](std::wstring_view ending) { return lower.ends_with(ending); });
}

}  // namespace show
