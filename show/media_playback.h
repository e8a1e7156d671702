#pragma once

#include <optional>
#include <string>

#include "platform/media_device.h"
#include "platform/platform.h"
#include "platform/process.h"
#include "platform/window_system.h"
#include "show/timed_wait.h"

namespace show {

// The one name under which the media file is opened; every later command addresses it.
inline constexpr wchar_t kMediaAlias[] = L"kestro";

// True for the endings played as video inside the window: ".avi", ".mpg", ".wmv", ".asf" in
// any case. Everything else plays as sound, without a window.
bool IsVideo(const std::wstring& path);

// The command that opens the file under the alias; for a video, as a child of `parent`.
std::wstring OpenCommand(const std::wstring& path, bool video, std::intptr_t parent);

// Opens the file under the alias (a video as a child of `parent`); false when the device does
// not take it. A path holding a double quote cannot name a file and is not opened.
bool OpenMedia(platform::MediaDevice& media, const std::wstring& path, bool video,
               std::intptr_t parent);

// Starts playback of the opened file, asking the device to report its end where it can;
// false when it does not start.
bool StartPlayback(platform::MediaDevice& media);

// Opens the file; for a video, sizes the picture box (to the video's own size, fitted to the
// screen, when `naturalSize`), gives the video's window and picture that box, and shows the
// window; then starts playback; returns while the media plays on. Each step that fails is
// skipped. A path holding a double quote cannot name a file and is not opened.
void PlayMedia(platform::MediaDevice& media, platform::ShowWindow& window, const std::wstring& path,
               bool naturalSize);

// The device's answer to a query, up to its first NUL.
std::wstring MciQuery(platform::MediaDevice& media, const std::wstring& command);

// True only while the device reports exactly "playing".
bool IsPlaying(platform::MediaDevice& media);

// A device that says "playing" is given up when its position has not moved for this long...
inline constexpr float kStallSeconds = 3.0F;
// ...or when it has played this much longer than the length it reports in milliseconds.
inline constexpr float kOverrunSeconds = 5.0F;

// One turn of the wait while the device plays. The device reports the end of playback as a
// window event, which wakes the wait at once; the turn only paces the questions the stall rule
// needs. Under Wine each question goes through the sound driver's thread: asked every 100 ms,
// they cost the show more of the processor than the playing itself.
inline constexpr unsigned kPlayingTurnMilliseconds = 1000;

// What else ends the wait while the device plays.
struct PlayingEnds {
    // Seconds from the start of the wait after which the media is cut; none: to its end.
    std::optional<float> after;
    CutShort cutShort;
};

// Waits while the device plays, until it reports the end or stops saying "playing", pumping
// events and waiting for the next one at most one turn, and gives up on a device that gets
// nowhere (see above); `ends` may end it sooner. A device whose mode cannot be read counts as
// stopped; one that answers neither the position nor the length is judged by its mode alone.
void WaitWhilePlaying(platform::MediaDevice& media, platform::Process& process,
                      const PlayingEnds& ends = {});

void CloseMedia(platform::MediaDevice& media);

// Plays a video or sound file through the media device until it stops, is cut short, or (with
// LimitMedia) has played Time seconds: a video in the show window at its own size (fitted to
// the screen when larger) or the fixed size.
void PlayMediaShow(platform::Platform& os, platform::ShowWindow& window, const std::wstring& file,
                   const CutShort& cutShort);

}  // namespace show
