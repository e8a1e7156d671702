#pragma once

#include <string>

#include "platform/message_dialog.h"

namespace win32 {

class MessageDialog final : public platform::MessageDialog {
  public:
    void ShowMessage(const std::wstring& text, const std::wstring& title, int style) override;
};

}  // namespace win32
