#pragma once

#include <string>

#include "platform/platform.h"
#include "show/timed_wait.h"

namespace show {

// A moment's sound plays with its still picture when it names a file that the media device
// plays as a sound: a still picture or a video would need a window of its own.
bool PlaysWithPicture(const std::wstring& sound);

// Shows the still picture for Time seconds with its sound, both begun at once: the sound is
// opened before the picture goes on screen (opening takes a while) and started right after.
// Returns once both have ended: at Time or at the sound's end, whichever is later; with
// LimitMedia the sound is cut at Time. A cut short ends both. A sound that cannot be opened or
// started leaves the picture for its Time.
void ShowPictureWithSound(platform::Platform& os, platform::ShowWindow& window,
                          const std::wstring& picture, const std::wstring& sound,
                          const CutShort& cutShort);

}  // namespace show
