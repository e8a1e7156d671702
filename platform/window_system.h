#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/orientation.h"

namespace platform {

struct Size {
    int width = 0;
    int height = 0;

    friend bool operator==(Size, Size) = default;
};

// A picture file taken by a decoder, ready to be drawn. Its owner releases it by dropping it.
class Picture {
  public:
    virtual ~Picture() = default;

    // The first frame's size as stored, before any turn.
    virtual Size StoredSize() const = 0;
    // The orientation that the decoder read from the file's metadata, where it was asked for
    // it and tells it.
    virtual std::optional<Orientation> ReportedOrientation() const = 0;
};

// A borderless child box that measures in pixels. With persistent drawing on, whatever is
// drawn into it goes to an off-screen image of the box's size, which the box paints from.
class PictureBox {
  public:
    virtual ~PictureBox() = default;

    virtual void SetPersistentDrawing(bool on) = 0;
    // Moves and sizes the box; the window keeps its own size.
    virtual void Move(int left, int top, int width, int height) = 0;
    virtual Size InnerSize() const = 0;
    // The box's window handle, as media devices take it.
    virtual std::intptr_t Handle() const = 0;
    // Repaints the box from its persistent image now.
    virtual void Refresh() = 0;
    // Makes the current persistent image the box's displayed picture.
    virtual void ImageToPicture() = 0;
    // Draws the picture into the persistent image from its top-left corner: brought to `scaled`
    // as stored (each pixel the average of those it covers where it shrinks), then turned and
    // mirrored upright, transparent parts over the box's background.
    virtual void DrawPicture(const Picture& picture, Orientation orientation, Size scaled) = 0;
};

// Who asks the exit-show window to close, and why.
enum class CloseRequest {
    CloseCommand,  // the window's own close box or system-menu Close
    Unload,        // the program's own unload
    ShutDown,      // the session ends by a shut-down or a restart
    LogOff,        // the session ends by a log-off
    CloseApp,      // an installer needs the program closed; the session goes on
    Critical,      // the session ends by force and Windows will not wait
    OtherProgram,  // another program (task manager, taskkill)
};

// The session's screen was locked (a user switch locks it too) or unlocked.
enum class SessionChange { Lock, Unlock };

// What the exit-show window reports to the program.
class ByeWindowEvents {
  public:
    virtual ~ByeWindowEvents() = default;

    virtual void OnCloseRequest(CloseRequest request) = 0;
    // Only once the window listens for them.
    virtual void OnSessionChange(SessionChange change) = 0;
    // The user clicked the window (its picture box or a video's window in it included) or
    // pressed Esc, Enter or Space while it had the focus.
    virtual void OnCutShort() = 0;
};

// The exit-show window: borderless, not in the taskbar, holding one picture box.
class ShowWindow {
  public:
    virtual ~ShowWindow() = default;

    virtual PictureBox& Picture1() = 0;
    // The window's handle, as the session's block reason takes it.
    virtual std::intptr_t Handle() const = 0;
    // Outer size in pixels; without a border that is the client area too.
    virtual void SetOuterSize(int width, int height) = 0;
    // Centres the window on the primary screen for its current size.
    virtual void CenterOnScreen() = 0;
    // The primary screen's full size in pixels: the most the show can be seen of.
    virtual Size ScreenSize() const = 0;
    // Shows the window and makes it the active window where Windows allows: the show is what
    // the user looks at, and its keys must reach it.
    virtual void Show() = 0;
    // Places the window above all windows that are not top-most, without moving or sizing it.
    virtual void MakeTopMost() = 0;
    // Covers the whole desktop, every monitor, with black right below the window, top-most
    // with it, for as long as the window lives. A click on it cuts the show short.
    virtual void ShowBackdrop() = 0;
    // The show begins: from here on a fault anywhere in the process ends it quietly, and the
    // window says that it shows (a sound's show is hidden, as a waiting Kestro is).
    virtual void BeginShow() = 0;
    // Asks the window to close as the program's own request (close reason 1).
    virtual void Unload() = 0;
    // From now on the window reports the locks and unlocks of its own session, as long as it
    // lives. Early after sign-in Windows may not take the request yet: it is asked again for a
    // while.
    virtual void ListenForSessionChanges() = 0;
};

// The settings window's controls, numbered as they were added; the window's own design gives
// their tab order.
enum class SettingControl {
    Check2,     // start with the Windows session
    Label1,     // caption of Text1
    Text1,      // media file
    Command3,   // "...": browse for the media file
    Label5,     // caption of Text4
    Text4,      // display time
    Label6,     // "seconds"
    Frame1,     // frame around the size controls
    Command1,   // save
    Command2,   // quit
    Picture1,   // borderless group of the size controls
    Text2,      // fixed width
    Text3,      // fixed height
    Check1,     // fixed size on or off
    Label3,     // caption of Text2
    Label4,     // caption of Text3
    Frame2,     // frame "ほかの場面" around the files of the other moments
    Label7,     // caption of Text5
    Text5,      // sign-in file
    Command4,   // "...": browse for the sign-in file
    Label8,     // caption of Text6
    Text6,      // sign-out file
    Command5,   // "...": browse for the sign-out file
    Label9,     // note under Text6
    Check3,     // cut videos and sounds at the display time too
    Label10,    // caption of Text7
    Text7,      // lock sound
    Command6,   // "...": browse for the lock sound
    Label11,    // caption of Text8
    Text8,      // unlock file
    Command7,   // "...": browse for the unlock file
    List1,      // the moments; the selected one's page shows below the seed's controls
    Label12,    // on the shut-down page: its file is Text1
    Label13,    // caption of Text9
    Text9,      // shut-down sound
    Command8,   // "...": browse for the shut-down sound
    Label14,    // caption of Text10
    Text10,     // sign-in sound
    Command9,   // "...": browse for the sign-in sound
    Label15,    // caption of Text11
    Text11,     // sign-out sound
    Command10,  // "...": browse for the sign-out sound
    Label16,    // caption of Text12
    Text12,     // unlock sound
    Command11,  // "...": browse for the unlock sound
    Check4,     // black backdrop over the whole screen
    Command12,  // test the selected moment's show
};

// What the settings window reports to the program.
class SettingEvents {
  public:
    virtual ~SettingEvents() = default;

    // The user clicked a button, changed a check box (mouse, Space, access key; Enter
    // presses Command1 and Esc Command2) or chose another item of a list.
    virtual void OnClick(SettingControl control) = 0;
    // The user closed the window by its close box; it is gone.
    virtual void OnUnload() = 0;
};

// The settings window, created hidden. Text, check and enabled states are those of its
// controls; reading a control that has none gives an empty text or false.
class SettingView {
  public:
    virtual ~SettingView() = default;

    virtual void SetCaption(const std::wstring& caption) = 0;
    virtual std::wstring Text(SettingControl control) const = 0;
    virtual void SetText(SettingControl control, const std::wstring& text) = 0;
    virtual bool Checked(SettingControl control) const = 0;
    virtual void SetChecked(SettingControl control, bool checked) = 0;
    virtual void SetEnabled(SettingControl control, bool enabled) = 0;
    virtual void SetVisible(SettingControl control, bool visible) = 0;
    // A list's items, the first selected; the index of its selected item (-1 for none).
    virtual void SetItems(SettingControl control, const std::vector<std::wstring>& items) = 0;
    virtual int Selected(SettingControl control) const = 0;
    // The window's handle, as the common dialogs take their owner.
    virtual std::intptr_t Handle() const = 0;
    // Shows the window; the first time, the focus goes to the first control in tab order.
    virtual void Show() = 0;
};

class WindowSystem {
  public:
    virtual ~WindowSystem() = default;

    // Windows are created hidden; they receive system events (the end of the session
    // among them) although invisible.
    virtual std::unique_ptr<ShowWindow> LoadByeWindow(ByeWindowEvents& events,
                                                      const std::wstring& caption) = 0;
    virtual std::unique_ptr<SettingView> LoadSettingWindow(SettingEvents& events) = 0;
    // Hands a picture file's bytes, as the show read them, to the system's imaging component;
    // throws when no decoder takes them or the picture is too large. The decoder is asked for the
    // orientation only with `askOrientation`: reading its metadata takes time (under Wine, about 40
    // ms for a 1920 x 1080 PNG).
    virtual std::unique_ptr<Picture> OpenPicture(std::vector<std::uint8_t> bytes,
                                                 bool askOrientation) = 0;
};

}  // namespace platform
