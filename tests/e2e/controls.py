"""Reads and works the controls of kestro.exe's windows through tests/e2e/probe, as Windows
sees them, and presses keys and mouse buttons on the X display as a user would."""

import glob
import os
import subprocess
import time
from dataclasses import dataclass

import harness

# The settings window's controls by their command ids.
CHECK2, LABEL1, TEXT1, COMMAND3, LABEL5, TEXT4, LABEL6, FRAME1 = range(100, 108)
COMMAND1, COMMAND2 = 1, 2
TEXT2, TEXT3, CHECK1, LABEL3, LABEL4 = range(111, 116)
FRAME2, LABEL7, TEXT5, COMMAND4, LABEL8, TEXT6, COMMAND5, LABEL9 = range(116, 124)
CHECK3, LABEL10, TEXT7, COMMAND6, LABEL11, TEXT8, COMMAND7 = range(124, 131)
LIST1, LABEL12, LABEL13, TEXT9, COMMAND8, LABEL14, TEXT10, COMMAND9 = range(131, 139)
LABEL15, TEXT11, COMMAND10, LABEL16, TEXT12, COMMAND11, CHECK4, COMMAND12 = range(139, 147)
SIZE_CONTROLS = (TEXT2, TEXT3, LABEL3, LABEL4)
# Each frame and the controls inside it.
FRAMES = {
    FRAME1: (TEXT2, TEXT3, CHECK1, LABEL3, LABEL4),
    FRAME2: (LABEL7, TEXT5, COMMAND4, LABEL8, TEXT6, COMMAND5, LABEL9, LABEL10, TEXT7, COMMAND6,
             LABEL11, TEXT8, COMMAND7, *range(LIST1, CHECK4)),
}
# The moments of the list in its order, each with its file box and its sound box.
MOMENTS = ((TEXT1, TEXT9), (TEXT5, TEXT10), (TEXT6, TEXT11), (TEXT7, None), (TEXT8, TEXT12))

OPEN_DIALOG_CAPTION = "ファイルの参照"
MESSAGE_CAPTION = "Kestro"
# Ids in the open dialog: the file name box, the folder it shows, and the OK and Cancel
# buttons.
NAME_BOX = 1148
LOOK_IN = 1137
OK, CANCEL = 1, 2


@dataclass
class Control:
    id: int
    kind: str
    enabled: bool
    visible: bool
    checked: bool
    focused: bool
    left: int
    top: int
    right: int
    bottom: int
    # The width its text takes in its font, a check box's box included.
    needed: int
    text: str


@dataclass
class Window:
    # The client area's top-left corner on the screen, and its size.
    x: int
    y: int
    width: int
    height: int
    dpi: int
    active: bool
    controls: dict

    def centre_of(self, control_id):
        c = self.controls[control_id]
        return self.x + (c.left + c.right) // 2, self.y + (c.top + c.bottom) // 2


def probe(*args):
    return subprocess.run(
        ["wine", os.environ["KESTRO_PROBE"], *args],
        capture_output=True, timeout=60, check=False,
    )


def look(caption):
    """The window with that caption and its controls, or None when there is none."""
    result = probe("list", caption)
    if result.returncode != 0:
        return None
    window = None
    controls = {}
    for line in result.stdout.decode("utf-8").splitlines():
        fields = line.split("\t")
        if fields[0] == "window":
            x, y, width, height, dpi, active = (int(f) for f in fields[1:7])
            window = Window(x, y, width, height, dpi, active == 1, controls)
        elif fields[0] == "control":
            numbers = [int(f) for f in fields[1:2] + fields[3:12]]
            controls[numbers[0]] = Control(
                numbers[0], fields[2], numbers[1] == 1, numbers[2] == 1, numbers[3] == 1,
                numbers[4] == 1, *numbers[5:10], "\t".join(fields[12:]))
    return window


def wait_look(caption, timeout=20, until=None):
    """Polls until the window is there (and `until(window)` holds); the last look or None."""
    deadline = time.monotonic() + timeout
    window = None
    while time.monotonic() < deadline:
        window = look(caption)
        if window is not None and (until is None or until(window)):
            return window
        time.sleep(0.1)
    return window


def wait_gone(caption, timeout):
    """Polls until no window has that caption; whether that came in time."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if look(caption) is None:
            return True
        time.sleep(0.1)
    return False


def set_text(caption, control_id, text):
    result = probe("settext", caption, str(control_id), text)
    if result.returncode != 0:
        raise AssertionError(f"could not put {text!r} into control {control_id} of {caption}")


def press(caption, control_id):
    probe("press", caption, str(control_id))


def select(caption, control_id, index):
    """Selects the list box's item as a user does: the window hears of the new choice."""
    probe("select", caption, str(control_id), str(index))


def click(x, y):
    subprocess.run(["xdotool", "mousemove", str(x), str(y)], check=True)
    time.sleep(0.1)
    subprocess.run(["xdotool", "mousedown", "1"], check=True)
    time.sleep(0.1)
    subprocess.run(["xdotool", "mouseup", "1"], check=True)


def click_control(caption, control_id):
    window = look(caption)
    click(*window.centre_of(control_id))


def click_close_box(caption):
    # The close box sits at the right end of the title bar, just above the client area.
    window = look(caption)
    click(window.x + window.width - 10, window.y - 11)


def key(*names):
    subprocess.run(["xdotool", "key", "--delay", "100", *names], check=True)
    time.sleep(0.3)


def startup_folder():
    """The user's Startup folder in the Wine prefix, which Wine names "StartUp"."""
    users = os.path.join(os.environ["WINEPREFIX"], "drive_c", "users")
    user = next(name for name in sorted(os.listdir(users)) if name != "Public")
    programs = os.path.join(users, user, "AppData", "Roaming", "Microsoft", "Windows",
                            "Start Menu", "Programs")
    # Windows finds files whatever their case; Linux does not.
    names = [n for n in os.listdir(programs) if n.lower() == "startup"] if os.path.isdir(
        programs) else []
    path = os.path.join(programs, names[0] if names else "StartUp")
    os.makedirs(path, exist_ok=True)
    return path


def shortcut_path():
    return os.path.join(startup_folder(), "Kestro.lnk")


def remove_shortcuts():
    for path in glob.glob(os.path.join(startup_folder(), "*")):
        os.remove(path)


def task_scheduler(command):
    # Into nothing, not a pipe: the Wine server and the services it starts would hold it.
    subprocess.run(["wine", "net", command, "schedule"], stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120, check=False)


def start_task_scheduler(case):
    """Wine starts no service by itself; Kestro registers its task only with a running Task
    Scheduler, as on Windows. It runs for the case alone: the others see Wine as it was."""
    task_scheduler("start")
    case.addCleanup(task_scheduler, "stop")
    query = subprocess.run(["wine", "sc", "query", "schedule"], capture_output=True, timeout=60,
                           check=False)
    if b"RUNNING" not in query.stdout:
        raise AssertionError("Wine's Task Scheduler does not start")


def logon_tasks(remove=False):
    """Kestro's logon tasks by name (Wine reads back no more of them); or removes them."""
    folder = os.path.join(os.environ["WINEPREFIX"], "drive_c", "windows", "system32", "tasks")
    names = [n for n in os.listdir(folder) if n.startswith("Kestro sign-in ")] if os.path.isdir(
        folder) else []
    for name in names if remove else []:
        os.remove(os.path.join(folder, name))
    return [] if remove else sorted(names)


def set_dpi(dpi):
    """Screen resolution for programs started from now on."""
    # Now and then, right after a program of the session has ended, reg fails once; a second
    # try goes through.
    for _ in range(3):
        done = subprocess.run(
            ["wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t",
             "REG_DWORD", "/d", str(dpi), "/f"],
            capture_output=True, timeout=60, check=False,
        )
        if done.returncode == 0:
            return
        time.sleep(1)
    raise AssertionError(f"reg add failed: {done.returncode} {done.stdout!r} {done.stderr!r}")
