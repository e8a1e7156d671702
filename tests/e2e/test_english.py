"""Kestro on a Windows whose display language is not Japanese: the settings window and the
show speak English, whole at each resolution, unless kestro.ini asks for Japanese."""

import os
import re
import time

import controls
import harness
from checks import START_UP, KestroCase
from controls import COMMAND1, COMMAND2
from test_setting_window import SettingWindow

CAPTION = "Kestro 2.1 Settings"
SHOW_CAPTION = "Shut Down Windows"
JAPANESE = re.compile("[\u3000-\u9fff\uff00-\uffef]")
SECONDS = 2


class English(KestroCase):
    def setUp(self):
        super().setUp()
        saved = {name: os.environ.get(name) for name in ("LANG", "LC_ALL")}
        os.environ["LANG"] = os.environ["LC_ALL"] = "en_US.UTF-8"
        self.addCleanup(os.environ.update, saved)

    def open(self, folder, caption, dpi=96):
        controls.set_dpi(dpi)
        self.addCleanup(controls.set_dpi, 96)
        run = self.start(folder)
        window = controls.wait_look(caption, START_UP, until=lambda w: w.active)
        self.assertIsNotNone(window, f"no window {caption!r}")
        return run, window

    def test_the_settings_window_speaks_the_language_of_windows_or_of_kestro_ini(self):
        # the Language key, the resolution, the caption and the buttons expected
        for key, dpi, caption, buttons in (
            (None, 96, CAPTION, ("Save", "Close")),
            (None, 192, CAPTION, ("Save", "Close")),
            ("ja", 96, harness.SETTINGS_CAPTION, ("保存", "終了")),
        ):
            with self.subTest(key=key, dpi=dpi):
                folder = self.folder()
                if key:
                    folder.write_ini(Language=key)
                run, window = self.open(folder, caption, dpi)
                try:
                    self.assert_window_speaks(window, buttons, key is None, f"english-{dpi}")
                finally:
                    # One settings window at a time: the probe finds a window by its caption.
                    run.kill()

    def assert_window_speaks(self, window, buttons, english, name):
        self.assertEqual((window.controls[COMMAND1].text, window.controls[COMMAND2].text),
                         buttons)
        SettingWindow.assert_layout(self, window, name)
        if not english:
            return
        for control in window.controls.values():
            self.assertIsNone(JAPANESE.search(control.text), control.text)
            if control.kind.lower() != "edit":
                self.assertLessEqual(control.needed, control.right - control.left,
                                     f"{control.text!r} is cut off")

    def show_folder(self):
        folder = self.folder()
        picture = self.picture(folder, "quadrants.png", "PNG")
        folder.write_ini(MediaFile=harness.windows_path(picture), Time=SECONDS)
        return folder

    def test_test_and_shutdown_show_as_before(self):
        folder = self.show_folder()
        run = self.start(folder, "/test")
        window, seen = harness.wait_window(START_UP, while_running=run, caption=SHOW_CAPTION)
        self.assertIsNotNone(window, "the /test show never appeared")
        self.assert_window_shows_picture(window, 200, 120, "english-test")
        self.assert_ends_after(run, seen, SECONDS)

        waiting = self.start(folder, "/start")
        self.assertIsNotNone(harness.wait_window(START_UP, visible_only=False,
                                                 while_running=waiting,
                                                 caption=SHOW_CAPTION)[0])
        command = self.start(folder, "/shutdown")
        window, _ = harness.wait_window(START_UP, while_running=command, caption=SHOW_CAPTION)
        self.assertIsNotNone(window, "the /shutdown show never appeared")
        # The session ends after the show: the waiting Kestro goes with it.
        deadline = time.monotonic() + SECONDS + START_UP
        while (command.running() or waiting.running()) and time.monotonic() < deadline:
            time.sleep(harness.POLL_SECONDS)
        self.assertFalse(command.running() or waiting.running(), "the session did not end")
