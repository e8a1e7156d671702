"""Drives the real kestro.exe under Wine and looks at the X display, as a user would."""

import os
import re
import shutil
import subprocess
import tempfile
import time

CAPTION = "Windows の終了"
SETTINGS_CAPTION = "Kestro 2.1の設定"
# The Wine session's screen (tools/wine-session.sh).
SCREEN_WIDTH, SCREEN_HEIGHT = (
    int(side) for side in os.environ.get("WINE_SESSION_SCREEN", "1280x1024").split("x"))
POLL_SECONDS = 0.02


def windows_path(unix_path):
    """The path as the program sees it: Wine maps the Unix root to drive Z:."""
    return "Z:" + os.path.abspath(unix_path).replace("/", "\\")


def ini_bytes(form, keys):
    """A kestro.ini of these keys in one of the forms the program reads: "cp932" (the ANSI
    code page of the users' machines), "utf-16-le" or "utf-8", each Unicode form with its
    byte-order mark."""
    lines = ["[Kestro]"] + [f"{name}={value}" for name, value in keys.items()]
    text = "\r\n".join(lines) + "\r\n"
    mark = {"cp932": b"", "utf-16-le": b"\xff\xfe", "utf-8": b"\xef\xbb\xbf"}[form]
    return mark + text.encode(form)


class RunFolder:
    """A fresh folder holding a copy of kestro.exe and its kestro.ini, as a user installs it;
    `name` gives the folder a name of its own inside the fresh one."""

    def __init__(self, exe, name=None):
        self.root = tempfile.mkdtemp(prefix="kestro-e2e-")
        self.path = os.path.join(self.root, name) if name else self.root
        os.makedirs(self.path, exist_ok=True)
        shutil.copy(exe, os.path.join(self.path, "kestro.exe"))
        self.log_path = os.path.join(self.path, "wine.log")

    def file(self, *parts):
        return os.path.join(self.path, *parts)

    def write_ini(self, form="cp932", **keys):
        with open(self.file("kestro.ini"), "wb") as ini:
            ini.write(ini_bytes(form, keys))

    def start(self, *args):
        return Kestro(self, args)

    def remove(self):
        shutil.rmtree(self.root, ignore_errors=True)


class Kestro:
    """One `wine kestro.exe ARGS` process, started at once."""

    def __init__(self, folder, args):
        self.folder = folder
        with open(folder.log_path, "ab") as log:
            self.process = subprocess.Popen(
                ["wine", "kestro.exe", *args],
                cwd=folder.path,
                stdin=subprocess.DEVNULL,
                stdout=log,
                stderr=log,
            )
        self.started = time.monotonic()

    def running(self):
        return self.process.poll() is None

    def wait_end(self, timeout):
        """Waits for the process to end; returns (exit code, monotonic time it was seen to end)."""
        try:
            self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None, None
        return self.process.returncode, time.monotonic()

    def kill(self):
        if self.running():
            self.process.kill()
            self.process.wait()


def find_windows(visible_only, caption=CAPTION):
    """Ids of the X windows with this caption (by default, the exit show's window)."""
    command = ["xdotool", "search"]
    if visible_only:
        command.append("--onlyvisible")
    command += ["--name", f"^{caption}$"]
    result = subprocess.run(command, capture_output=True, text=True, check=False)
    return [int(line) for line in result.stdout.split()]


def show_process_ids(folder=None):
    """The Linux ids of the show processes that Kestro started: a session command's or the
    sign-in show; with `folder`, only its own Kestro's, since other Wine sessions may show too."""
    mine = os.path.basename(folder.root) + ".*" if folder else ""
    result = subprocess.run(["pgrep", "-f", mine + "kestro-.*-show"], capture_output=True,
                            text=True, check=False)
    return [int(pid) for pid in result.stdout.split()]


def wait_window(timeout, visible_only=True, while_running=None, caption=CAPTION):
    """Polls until such a window exists; returns (id, monotonic time seen) or (None, None).

    Stops early once `while_running` (a Kestro) has ended, since then none can appear."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        ids = find_windows(visible_only, caption)
        if ids:
            return ids[0], time.monotonic()
        if while_running is not None and not while_running.running():
            return None, None
        time.sleep(POLL_SECONDS)
    return None, None


def geometry(window):
    """(x, y, width, height, viewable) of a window, as xwininfo reports it."""
    text = subprocess.run(
        ["xwininfo", "-id", str(window)], capture_output=True, text=True, check=True
    ).stdout

    def number(label):
        return int(re.search(rf"{label}:\s*(-?\d+)", text).group(1))

    return (
        number("Absolute upper-left X"),
        number("Absolute upper-left Y"),
        number("Width"),
        number("Height"),
        "IsViewable" in text,
    )


class Screen:
    """A screenshot of the whole X display."""

    def __init__(self, ppm):
        # import writes a binary PPM: P6, width, height, maximum value, then RGB bytes.
        fields = ppm.split(maxsplit=4)
        if fields[0] != b"P6" or int(fields[3]) != 255:
            raise ValueError("unexpected screenshot format")
        self.width = int(fields[1])
        self.height = int(fields[2])
        self.data = fields[4]
        self.ppm = ppm

    def pixel(self, x, y):
        offset = 3 * (y * self.width + x)
        return tuple(self.data[offset : offset + 3])

    def save(self, path):
        with open(path, "wb") as out:
            out.write(self.ppm)


def screenshot():
    result = subprocess.run(
        ["import", "-window", "root", "-depth", "8", "ppm:-"], capture_output=True, check=True
    )
    return Screen(result.stdout)


def cut_short(window, how):
    """A click ("click") or a key with the pointer on the window: without a window manager to
    focus it, keys go where the pointer is; Wine hands them to the active window."""
    x, y, width, height, _ = geometry(window)
    action = ["click", "1"] if how == "click" else ["key", how]
    subprocess.run(["xdotool", "mousemove", str(x + width // 2), str(y + height // 2), "sleep",
                    "0.3", *action], check=True)


def close_colour(actual, expected, tolerance):
    return all(abs(a - e) <= tolerance for a, e in zip(actual, expected))


def end_session():
    """What Windows does when the user shuts down or logs off: returns the running wineboot."""
    return subprocess.Popen(
        ["wineboot", "--end-session"],
        stdin=subprocess.DEVNULL,
        stdout=subprocess.DEVNULL,
        stderr=subprocess.DEVNULL,
    )


def taskkill_by_name():
    """A close request from outside, as a task manager sends it: WM_CLOSE, not /F."""
    return subprocess.run(
        ["wine", "taskkill", "/IM", "kestro.exe"], capture_output=True, timeout=60, check=False
    )
