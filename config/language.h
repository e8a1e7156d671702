#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "platform/texts.h"

namespace config {

// The language the settings file's Language key names ("ja" or "en", in any case); any other
// value, or none, leaves the choice to the user's display language.
platform::Language LanguageFor(const std::wstring& key, std::uint16_t userLanguage);

// Reads the key from the settings file and makes its language the one in use. Never fails.
void ChooseLanguage(platform::Platform& os);

}  // namespace config
