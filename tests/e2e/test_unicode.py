"""Any file name works: names no ANSI code page of Japan holds (an emoji, Hangul), from the
file dialog through kestro.ini (then UTF-16LE) to the show, and a kestro.exe in a folder with
such a name."""

import os
import subprocess
import tempfile
import time

import controls
import harness
import media
from checks import START_UP, KestroCase, save_png
from controls import CHECK2, COMMAND1, COMMAND3, TEXT1

CAPTION = harness.SETTINGS_CAPTION
SIZE = (200, 120)
SOUND_SECONDS = 3


class UnicodeNames(KestroCase):
    def setUp(self):
        super().setUp()
        controls.remove_shortcuts()
        self.addCleanup(controls.remove_shortcuts)
        controls.set_dpi(96)

    def open_settings(self, folder):
        run = self.start(folder)
        window = controls.wait_look(CAPTION, START_UP, until=lambda w: w.active)
        self.assertIsNotNone(window, "the settings window never appeared")
        return run, window

    def save(self, run):
        controls.click_control(CAPTION, COMMAND1)
        code, _ = run.wait_end(10)
        self.assertIsNotNone(code, "Save did not end the program")

    def browse(self, subfolder, name):
        """Chooses subfolder/name in the open dialog, as a user goes: the folder, then the file."""
        controls.click_control(CAPTION, COMMAND3)
        self.assertIsNotNone(controls.wait_look(controls.OPEN_DIALOG_CAPTION),
                             "the open dialog never appeared")
        for step, done in ((subfolder, lambda d: d.controls[controls.LOOK_IN].text == subfolder),
                           (name, None)):
            controls.set_text(controls.OPEN_DIALOG_CAPTION, controls.NAME_BOX, step)
            controls.press(controls.OPEN_DIALOG_CAPTION, controls.OK)
            if done:
                self.assertIsNotNone(
                    controls.wait_look(controls.OPEN_DIALOG_CAPTION, 10, until=done),
                    f"the dialog did not go into {subfolder}")
        self.assertTrue(controls.wait_gone(controls.OPEN_DIALOG_CAPTION, 10))

    def assert_shows_picture(self, run, name):
        window, seen = self.wait_shown(run)
        self.assert_window_shows_picture(window, *SIZE, name)
        self.assert_ends_after(run, seen, 3)

    def test_browse_save_and_show(self):
        for subfolder, name, is_picture in (("写真", "🌅 夕焼け.png", True),
                                            ("소리", "안녕.wav", False)):
            with self.subTest(name):
                folder = self.folder()
                path = folder.file(subfolder, name)
                os.makedirs(folder.file(subfolder))
                if is_picture:
                    self.picture(folder, name, "PNG", *SIZE, subfolder=subfolder)
                else:
                    media.make_tone(path, SOUND_SECONDS)
                run, _ = self.open_settings(folder)
                self.browse(subfolder, name)
                media_file = harness.windows_path(path)
                self.assertEqual(controls.look(CAPTION).controls[TEXT1].text, media_file)
                save_png(harness.screenshot(), f"unicode-browsed-{subfolder}")
                self.save(run)
                with open(folder.file("kestro.ini"), "rb") as ini:
                    self.assertEqual(ini.read(), harness.ini_bytes("utf-16-le", {
                        "MediaFile": media_file, "Time": "3", "Width": "", "Height": "",
                        "LogonFile": "", "LogoffFile": "", "LockFile": "", "UnlockFile": "",
                        "LimitMedia": "0", "MediaSound": "", "LogonSound": "", "LogoffSound": "",
                        "UnlockSound": "", "Backdrop": "0"}))

                run = self.start(folder, "/test")
                if is_picture:
                    self.assert_shows_picture(run, "unicode-browsed-picture")
                else:
                    # Played to its end: a sound that could not be opened ends at once.
                    code, ended = run.wait_end(SOUND_SECONDS + START_UP)
                    self.assertEqual(code, 0, "exit code")
                    self.assertGreaterEqual(ended - run.started, SOUND_SECONDS - 0.3)

    def test_exe_in_a_hangul_folder_reads_its_settings(self):
        # The settings in each form the program reads; in code page 932 the picture lies
        # where that code page can name it.
        for form, where in (("cp932", ("写真", "夕焼け.png")), ("utf-16-le", ("🌅.png",)),
                            ("utf-8", ("写真", "🌅 夕焼け.png"))):
            with self.subTest(form):
                folder = self.folder("키스트로")
                base = folder.root if form == "cp932" else folder.path
                path = os.path.join(base, *where)
                self.picture(folder, os.path.basename(path), "PNG", *SIZE,
                             subfolder=os.path.dirname(path))
                folder.write_ini(form, MediaFile=harness.windows_path(path), Time=3)
                self.assert_shows_picture(self.start(folder, "/test"), f"hangul-folder-{form}")

    def test_startup_from_a_hangul_folder_starts_the_right_target(self):
        folder = self.folder("키스트로")
        # The started program is none of this test's runs: a failure must not leave it waiting.
        self.addCleanup(harness.taskkill_by_name)
        picture = self.picture(folder, "🌅.png", "PNG", *SIZE)
        folder.write_ini("utf-16-le", MediaFile=harness.windows_path(picture), Time=3)
        run, _ = self.open_settings(folder)
        controls.click_control(CAPTION, CHECK2)
        self.assertTrue(controls.wait_look(CAPTION, 5, until=lambda w: w.controls[CHECK2].checked))
        self.save(run)

        # The start at the next log-on; into a file, not a pipe: the started program holds the probe's output open.
        with tempfile.TemporaryFile() as output:
            started = subprocess.run(
                ["wine", os.environ["KESTRO_PROBE"], "startlink",
                 harness.windows_path(controls.shortcut_path())],
                stdout=output, stderr=subprocess.DEVNULL, timeout=60, check=False)
            output.seek(0)
            lines = output.read().decode("utf-8").splitlines()
        self.assertEqual(started.returncode, 0, lines)
        target, directory, arguments = lines[:3]
        self.assertEqual(target, harness.windows_path(folder.file("kestro.exe")))
        self.assertEqual(directory.rstrip("\\"), harness.windows_path(folder.path))
        self.assertEqual(arguments, "/start")
        hidden, _ = harness.wait_window(START_UP, visible_only=False)
        self.assertIsNotNone(hidden, "the started program does not wait")
        time.sleep(1)
        self.assertEqual(harness.find_windows(visible_only=True), [], "shown before the end")
        wineboot = harness.end_session()
        try:
            window, seen = harness.wait_window(START_UP)
            self.assertIsNotNone(window, "no show at the end of the session")
            self.assert_window_shows_picture(window, *SIZE, "hangul-startup")
        finally:
            wineboot.wait(START_UP)
        deadline = time.monotonic() + 3 + START_UP
        while harness.find_windows(visible_only=False) and time.monotonic() < deadline:
            time.sleep(0.2)
        self.assertEqual(harness.find_windows(visible_only=False), [], "the program did not end")
