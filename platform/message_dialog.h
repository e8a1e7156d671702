#pragma once

#include <string>

namespace platform {

// The style of a warning: an exclamation icon and an OK button.
inline constexpr int kWarningStyle = 48;
// The style of a notice: an information icon and an OK button.
inline constexpr int kInformationStyle = 64;

// The platform's modal message box: the program's windows take no input until the user has
// closed it.
class MessageDialog {
  public:
    virtual ~MessageDialog() = default;

    // Shows the text under the title and returns when the user has closed the box. `style`
    // is the platform's number for the icon and buttons (kWarningStyle).
    // Throws platform::Error when the box cannot be shown.
    virtual void ShowMessage(const std::wstring& text, const std::wstring& title, int style) = 0;
};

}  // namespace platform
