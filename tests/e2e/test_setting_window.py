"""The settings window as a user works it: what it shows, what Save writes, and what Quit, the
close box, Enter, Esc, the access keys and Browse do."""

import glob
import os
import shutil
import time

import controls
import harness
from checks import START_UP, KestroCase, save_png
from controls import (CHECK1, CHECK2, CHECK3, CHECK4, COMMAND1, COMMAND2, COMMAND3, COMMAND4,
                      COMMAND5, COMMAND6, COMMAND7, COMMAND8, COMMAND12, FRAME1, FRAME2, FRAMES,
                      LABEL1, LABEL3, LABEL4, LABEL5, LABEL6, LABEL7, LABEL8, LABEL9, LABEL10,
                      LABEL11, LABEL13, LIST1, MOMENTS, SIZE_CONTROLS, TEXT1, TEXT2, TEXT3, TEXT4,
                      TEXT5, TEXT6, TEXT8, TEXT9, TEXT10)

CAPTION = harness.SETTINGS_CAPTION
CAPTIONS = {
    CHECK2: "Kestroを有効にする(&R)",
    LABEL1: "終了時に再生・表示するファイル(&F)",
    COMMAND3: "...",
    LABEL5: "表示時間(静止画のみ)(&I)",
    LABEL6: "秒",
    FRAME1: "サイズの設定",
    COMMAND1: "保存",
    COMMAND2: "終了",
    CHECK1: "指定したサイズで表示する(&S)",
    LABEL3: "幅",
    LABEL4: "高さ",
    FRAME2: "場面ごとの設定",
    LABEL7: "サインイン時に再生・表示するファイル(&N)",
    COMMAND4: "...",
    LABEL8: "サインアウト時に再生・表示するファイル(&O)",
    COMMAND5: "...",
    LABEL9: "空欄なら終了時と同じ",
    CHECK3: "動画・サウンドも表示時間で打ち切る(&C)",
    LABEL10: "ロック時に再生するサウンド(&L)",
    COMMAND6: "...",
    LABEL11: "ロック解除時に再生・表示するファイル(&U)",
    COMMAND7: "...",
    LABEL13: "一緒に鳴らすサウンド(&W)",
    COMMAND8: "...",
    CHECK4: "画面全体を黒で覆う(&B)",
    COMMAND12: "テスト(&T)",
}


# What Save writes after the keys of the seed's controls.
SOUNDS_AND_BACKDROP = {"MediaSound": "", "LogonSound": "", "LogoffSound": "", "UnlockSound": "",
                       "Backdrop": "0"}


def ini_bytes(media_file, time, width, height, logon="", logoff="", lock="", unlock="",
              limit="0", **sounds_and_backdrop):
    return harness.ini_bytes("cp932", {"MediaFile": media_file, "Time": time, "Width": width,
                                       "Height": height, "LogonFile": logon,
                                       "LogoffFile": logoff, "LockFile": lock,
                                       "UnlockFile": unlock, "LimitMedia": limit,
                                       **SOUNDS_AND_BACKDROP, **sounds_and_backdrop})


class SettingWindow(KestroCase):
    def setUp(self):
        super().setUp()
        controls.remove_shortcuts()
        self.addCleanup(controls.remove_shortcuts)
        controls.logon_tasks(remove=True)
        self.addCleanup(controls.logon_tasks, remove=True)

    def open(self, folder, dpi=96):
        controls.set_dpi(dpi)
        self.addCleanup(controls.set_dpi, 96)
        run = self.start(folder)
        # Active, and (a moment later on a loaded machine) with the focus on a control.
        window = controls.wait_look(CAPTION, START_UP, until=lambda w: w.active and any(
            c.focused for c in w.controls.values()))
        self.assertIsNotNone(window, "the settings window never appeared")
        return run, window

    def assert_ends(self, run):
        code, _ = run.wait_end(10)
        self.assertIsNotNone(code, "the program did not end")

    def assert_stays(self, run):
        self.assertIsNone(run.wait_end(1.5)[0], "the program ended")

    def texts(self, window):
        return [window.controls[c].text for c in (TEXT1, TEXT4, TEXT2, TEXT3)]

    def assert_layout(self, window, name):
        """Everything seen lies in the client area, the controls of each frame in their frame,
        and nothing seen overlaps; only one moment's page is seen. (That each caption has room
        in its font is judged inside the process by the Win32 tests, where the font can be
        measured.)"""
        save_png(harness.screenshot(), name)
        placed = [c for c in window.controls.values() if c.visible]
        for control in placed:
            with self.subTest(name, control=control.id):
                self.assertTrue(0 <= control.left < control.right <= window.width)
                self.assertTrue(0 <= control.top < control.bottom <= window.height)
        self.assertEqual(len([box for box, sound in MOMENTS
                              if window.controls[sound or box].visible]), 1, name)
        for i, a in enumerate(placed):
            for frame_id, inside in FRAMES.items():
                frame = window.controls[frame_id]
                if a.id in inside:
                    self.assertTrue(frame.left < a.left and a.right < frame.right
                                    and frame.top < a.top and a.bottom < frame.bottom, a.text)
            for b in placed[i + 1:]:
                if any({a.id, b.id} <= {frame_id, *inside} and frame_id in (a.id, b.id)
                       for frame_id, inside in FRAMES.items()):
                    continue
                overlap = (a.left < b.right and b.left < a.right
                           and a.top < b.bottom and b.top < a.bottom)
                self.assertFalse(overlap, f"{a.id} {a.text!r} overlaps {b.id} {b.text!r}")

    def test_opens_readable_and_whole_at_each_resolution(self):
        for dpi in (96, 120, 144, 192):
            with self.subTest(dpi=dpi):
                run, window = self.open(self.folder(), dpi)
                self.addCleanup(run.kill)
                self.assertEqual(window.dpi, dpi)
                self.assertEqual((window.width, window.height),
                                 (round(389 * dpi / 96), round(380 * dpi / 96)))
                # Save and Close above the moments, the test below them, at the right.
                for button in (COMMAND1, COMMAND2):
                    self.assertLess(window.controls[button].bottom, window.controls[FRAME2].top)
                self.assertGreater(window.controls[COMMAND12].top, window.controls[FRAME2].bottom)
                self.assertEqual(window.controls[COMMAND2].right, window.controls[FRAME2].right)
                self.assertEqual({c: window.controls[c].text for c in CAPTIONS}, CAPTIONS)
                self.assertEqual(self.texts(window), ["", "3", "0", "0"])
                self.assertFalse(window.controls[CHECK1].checked)
                self.assertFalse(window.controls[CHECK2].checked)
                self.assertTrue(window.controls[CHECK2].focused)
                for control in window.controls.values():
                    self.assertEqual(control.enabled, control.id not in SIZE_CONTROLS,
                                     control.text)
                self.assert_layout(window, f"settings-window-{dpi}dpi")
            # Only one settings window may be on screen for the next look.
            run.kill()

    def test_save_writes_what_was_typed_and_reopens_with_it(self):
        controls.start_task_scheduler(self)
        folder = self.folder()
        media = harness.windows_path(folder.file("さようなら の 写真.png"))
        run, _ = self.open(folder)
        controls.click_control(CAPTION, CHECK1)
        window = controls.wait_look(CAPTION, until=lambda w: w.controls[TEXT2].enabled)
        for control in SIZE_CONTROLS:
            self.assertTrue(window.controls[control].enabled)
        controls.click_control(CAPTION, CHECK2)
        controls.set_text(CAPTION, TEXT1, media)
        controls.set_text(CAPTION, TEXT4, "2.5")
        controls.set_text(CAPTION, TEXT2, "640")
        controls.set_text(CAPTION, TEXT3, "480")
        controls.click_control(CAPTION, COMMAND1)
        self.assert_ends(run)
        with open(folder.file("kestro.ini"), "rb") as ini:
            self.assertEqual(ini.read(), ini_bytes(media, "2.5", "640", "480"))
        with open(controls.shortcut_path(), "rb") as link:
            shortcut = link.read()
        # The link's target and arguments, as the shell stores them.
        exe = harness.windows_path(folder.file("kestro.exe"))
        self.assertTrue(exe.encode("cp932") in shortcut or exe.encode("utf-16-le") in shortcut)
        self.assertTrue(b"/start" in shortcut or "/start".encode("utf-16-le") in shortcut)
        # The logon task of this user, and of no other.
        self.assertRegex(" ".join(controls.logon_tasks()), r"^Kestro sign-in S-1-5-21(-\d+)+$")

        run, window = self.open(folder)
        self.assertEqual(self.texts(window), [media, "2.5", "640", "480"])
        self.assertTrue(window.controls[CHECK1].checked)
        self.assertTrue(window.controls[CHECK2].checked)
        for control in SIZE_CONTROLS:
            self.assertTrue(window.controls[control].enabled)

        # Without the fixed size and the start with Windows, the sizes are written empty and
        # the shortcut goes.
        controls.click_control(CAPTION, CHECK1)
        controls.click_control(CAPTION, CHECK2)
        window = controls.wait_look(CAPTION, until=lambda w: not w.controls[TEXT2].enabled)
        self.assertEqual(self.texts(window), [media, "2.5", "640", "480"])
        controls.set_text(CAPTION, TEXT4, "abc")
        controls.click_control(CAPTION, COMMAND1)
        self.assert_ends(run)
        with open(folder.file("kestro.ini"), "rb") as ini:
            self.assertEqual(ini.read(), ini_bytes(media, "abc", "", ""))
        self.assertFalse(os.path.exists(controls.shortcut_path()))
        self.assertEqual(controls.logon_tasks(), [])

    def test_quit_the_close_box_and_esc_leave_the_files_alone(self):
        folder = self.folder()
        folder.write_ini(MediaFile="C:\\bye.png", Time=4, Width=0, Height=0)
        with open(folder.file("kestro.ini"), "rb") as ini:
            before = ini.read()
        # Any file there counts as the shortcut; unchecking the box must not delete it.
        shortcut = b"a shortcut written earlier"
        with open(controls.shortcut_path(), "wb") as link:
            link.write(shortcut)
        for name, leave in (
            ("quit", lambda: controls.click_control(CAPTION, COMMAND2)),
            ("close box", lambda: controls.click_close_box(CAPTION)),
            ("esc", lambda: controls.key("Escape")),
        ):
            with self.subTest(name):
                run, window = self.open(folder)
                self.assertEqual(self.texts(window), ["C:\\bye.png", "4", "0", "0"])
                self.assertTrue(window.controls[CHECK2].checked)
                controls.set_text(CAPTION, TEXT4, "9")
                controls.click_control(CAPTION, CHECK2)
                leave()
                self.assert_ends(run)
                with open(folder.file("kestro.ini"), "rb") as ini:
                    self.assertEqual(ini.read(), before)
                with open(controls.shortcut_path(), "rb") as link:
                    self.assertEqual(link.read(), shortcut)

    def test_close_box_at_start_leaves_the_waiting_instance(self):
        # With no media file, "/start" opens the window too; closing it leaves the hidden
        # window waiting for the end of the session, which then ends the program.
        folder = self.folder()
        controls.set_dpi(96)
        run = self.start(folder, "/start")
        self.assertIsNotNone(controls.wait_look(CAPTION, START_UP, until=lambda w: w.active))
        controls.click_close_box(CAPTION)
        self.assertTrue(controls.wait_gone(CAPTION, 5), "the settings window is still there")
        self.assert_stays(run)
        harness.end_session().wait(60)
        self.assert_ends(run)
        self.assertFalse(os.path.exists(folder.file("kestro.ini")))

    def test_keyboard_moves_toggles_and_saves(self):
        folder = self.folder()
        run, _ = self.open(folder)
        steps = (
            ("alt+f", lambda w: w.controls[TEXT1].focused),
            ("alt+i", lambda w: w.controls[TEXT4].focused),
            ("alt+s", lambda w: w.controls[CHECK1].checked and w.controls[TEXT2].enabled),
            ("alt+r", lambda w: w.controls[CHECK2].checked),
            ("alt+r", lambda w: not w.controls[CHECK2].checked),
            # The shut-down's sound on the page seen first; the list before it; the sign-in's
            # page once the list moves down to it.
            ("alt+w", lambda w: w.controls[TEXT9].focused),
            ("shift+Tab", lambda w: w.controls[LIST1].focused),
            ("Down", lambda w: w.controls[TEXT5].visible and not w.controls[TEXT9].visible),
            ("alt+n", lambda w: w.controls[TEXT5].focused),
            ("Tab", lambda w: w.controls[COMMAND4].focused),
            ("Tab", lambda w: w.controls[TEXT10].focused),
            ("alt+c", lambda w: w.controls[CHECK3].checked),
            ("alt+b", lambda w: w.controls[CHECK4].checked),
            ("Tab", lambda w: w.controls[COMMAND12].focused),
            ("Tab", lambda w: w.controls[CHECK2].focused),
            ("shift+Tab", lambda w: w.controls[COMMAND12].focused),
        )
        for keys, seen in steps:
            controls.key(keys)
            window = controls.wait_look(CAPTION, 5, until=seen)
            self.assertTrue(seen(window), f"after {keys}")
        controls.click_control(CAPTION, TEXT2)
        controls.key("ctrl+a", "BackSpace", "3", "2", "0")
        # An access key selects the box's text, so typing replaces it.
        controls.key("alt+i", "7")
        controls.key("Return")
        self.assert_ends(run)
        with open(folder.file("kestro.ini"), "rb") as ini:
            self.assertEqual(ini.read(), ini_bytes("", "7", "320", "0", limit="1", Backdrop="1"))

    def test_browse_fills_the_media_file(self):
        folder = self.folder()
        os.makedirs(folder.file("写真"))
        picture = folder.file("写真", "bye.png")
        shutil.copy(os.path.join(os.path.dirname(__file__), "..", "..", "samples", "sample.jpg"),
                    picture)
        run, _ = self.open(folder)
        controls.set_text(CAPTION, TEXT1, "typed.png")
        # Cancel, choose, and cancel again: the dialog then starts in the chosen file's folder.
        for answer, expected, look_in in ((controls.CANCEL, "typed.png", None),
                                          (controls.OK, harness.windows_path(picture), None),
                                          (controls.CANCEL, harness.windows_path(picture), "写真")):
            controls.click_control(CAPTION, COMMAND3)
            dialog = controls.wait_look(controls.OPEN_DIALOG_CAPTION)
            self.assertIsNotNone(dialog, "the open dialog never appeared")
            if look_in is not None:
                self.assertEqual(dialog.controls[controls.LOOK_IN].text, look_in)
            if answer == controls.OK:
                # Into the folder first, then the file, as a user goes.
                controls.set_text(controls.OPEN_DIALOG_CAPTION, controls.NAME_BOX, "写真")
                controls.press(controls.OPEN_DIALOG_CAPTION, controls.OK)
                self.assertIsNotNone(controls.wait_look(
                    controls.OPEN_DIALOG_CAPTION, 10,
                    until=lambda d: d.controls[controls.LOOK_IN].text == "写真"))
                controls.set_text(controls.OPEN_DIALOG_CAPTION, controls.NAME_BOX, "bye.png")
            controls.press(controls.OPEN_DIALOG_CAPTION, answer)
            self.assertTrue(controls.wait_gone(controls.OPEN_DIALOG_CAPTION, 10))
            self.assertEqual(controls.look(CAPTION).controls[TEXT1].text, expected)
        run.kill()

    def test_browse_to_a_path_too_long_for_the_dialog_says_so(self):
        folder = self.folder()
        # 258 characters with the folder: more than the dialog takes, within Windows' limit.
        name = "p" * (258 - len(harness.windows_path(folder.path)) - 1 - 4) + ".png"
        open(folder.file(name), "wb").close()
        run, _ = self.open(folder)
        controls.set_text(CAPTION, TEXT1, "typed.png")
        controls.click_control(CAPTION, COMMAND3)
        self.assertIsNotNone(controls.wait_look(controls.OPEN_DIALOG_CAPTION))
        controls.set_text(controls.OPEN_DIALOG_CAPTION, controls.NAME_BOX, name)
        controls.press(controls.OPEN_DIALOG_CAPTION, controls.OK)
        message = controls.wait_look(controls.MESSAGE_CAPTION)
        self.assertIsNotNone(message, "no message about the long path")
        text = "".join(c.text for c in message.controls.values() if c.kind == "Static")
        self.assertIn("パスが長すぎます", text)
        save_png(harness.screenshot(), "settings-path-too-long")
        controls.press(controls.MESSAGE_CAPTION, controls.OK)
        self.assertTrue(controls.wait_gone(controls.MESSAGE_CAPTION, 10))
        self.assertEqual(controls.look(CAPTION).controls[TEXT1].text, "typed.png")
        run.kill()

    def test_a_settings_file_that_cannot_be_written_keeps_the_window(self):
        folder = self.folder()
        # A folder where the file should be: no program can write the settings there.
        os.makedirs(folder.file("kestro.ini"))
        run, _ = self.open(folder)
        controls.set_text(CAPTION, TEXT1, "C:\\bye.png")
        controls.set_text(CAPTION, TEXT2, "640")
        controls.click_control(CAPTION, COMMAND1)
        message = controls.wait_look(controls.MESSAGE_CAPTION)
        self.assertIsNotNone(message, "no message about the settings file")
        text = [c.text for c in message.controls.values() if c.kind == "Static" and c.text]
        self.assertTrue(text, "the message box says nothing")
        save_png(harness.screenshot(), "settings-write-failed")
        controls.press(controls.MESSAGE_CAPTION, controls.OK)
        self.assert_stays(run)
        window = controls.look(CAPTION)
        self.assertIsNotNone(window)
        self.assertEqual(self.texts(window), ["C:\\bye.png", "3", "640", "0"])

        os.rmdir(folder.file("kestro.ini"))
        controls.click_control(CAPTION, COMMAND1)
        self.assert_ends(run)
        with open(folder.file("kestro.ini"), "rb") as ini:
            self.assertEqual(ini.read(), ini_bytes("C:\\bye.png", "3", "", ""))

    def test_the_settings_file_keeps_its_form(self):
        # An existing file in code page 932, saved again with values that fit, stays byte for
        # byte. Hangul has no place in code page 932: instead of a "?", the file becomes
        # UTF-16LE, and Unicode it then stays. Each file box counts alike.
        folder = self.folder()
        fits = {"MediaFile": "C:\\写真\\夕焼け.png", "Time": "2.5", "Width": "640",
                "Height": "480", "LogonFile": "C:\\音\\朝.wav", "LogoffFile": "",
                "LockFile": "C:\\音\\鍵.wav", "UnlockFile": "", "LimitMedia": "0",
                **SOUNDS_AND_BACKDROP}
        folder.write_ini(**fits)
        for box, key, typed, form in (
            (None, None, None, "cp932"),
            (TEXT6, "LogoffFile", "C:\\한글.png", "utf-16-le"),
            (TEXT6, "LogoffFile", "", "utf-16-le"),
            (TEXT5, "LogonFile", "C:\\소리.wav", "utf-16-le"),
            (TEXT8, "UnlockFile", "C:\\열림.png", "utf-16-le"),
        ):
            with self.subTest(typed, box=box):
                run, window = self.open(folder)
                self.assertEqual(self.texts(window)[1:], ["2.5", "640", "480"])
                if box:
                    self.assertEqual(window.controls[box].text, fits[key])
                    controls.set_text(CAPTION, box, typed)
                    fits[key] = typed
                controls.click_control(CAPTION, COMMAND1)
                self.assert_ends(run)
                with open(folder.file("kestro.ini"), "rb") as ini:
                    self.assertEqual(ini.read(), harness.ini_bytes(form, fits))

    def test_save_writes_every_moment_through_box_and_dialog(self):
        folder = self.folder()
        picture = folder.file("また明日.png")
        shutil.copy(os.path.join(os.path.dirname(__file__), "..", "..", "samples", "sample.jpg"),
                    picture)
        run, _ = self.open(folder)
        controls.set_text(CAPTION, TEXT5, "C:\\おはよう.wav")
        sounds = {"MediaSound": "C:\\鐘.wav", "LogonSound": "C:\\朝.wav",
                  "LogoffSound": "C:\\夜.wav", "UnlockSound": "C:\\扉.wav"}
        for box, sound in zip((sound for _, sound in MOMENTS if sound), sounds.values()):
            controls.set_text(CAPTION, box, sound)
        # The sign-out's page, and its file through the dialog.
        controls.select(CAPTION, LIST1, 2)
        window = controls.wait_look(CAPTION, 5, until=lambda w: w.controls[COMMAND5].visible)
        self.assert_layout(window, "settings-window-sign-out")
        controls.click_control(CAPTION, COMMAND5)
        self.assertIsNotNone(controls.wait_look(controls.OPEN_DIALOG_CAPTION),
                             "the open dialog never appeared")
        controls.set_text(controls.OPEN_DIALOG_CAPTION, controls.NAME_BOX,
                          harness.windows_path(picture))
        controls.press(controls.OPEN_DIALOG_CAPTION, controls.OK)
        self.assertTrue(controls.wait_gone(controls.OPEN_DIALOG_CAPTION, 10))
        window = controls.look(CAPTION)
        self.assertEqual(window.controls[TEXT6].text, harness.windows_path(picture))
        self.assertEqual(window.controls[TEXT1].text, "")
        controls.click_control(CAPTION, CHECK4)
        controls.click_control(CAPTION, COMMAND1)
        self.assert_ends(run)
        with open(folder.file("kestro.ini"), "rb") as ini:
            self.assertEqual(ini.read(), ini_bytes("", "3", "", "", "C:\\おはよう.wav",
                                                   harness.windows_path(picture), **sounds,
                                                   Backdrop="1"))

    def test_test_shows_the_moment_as_typed_and_writes_nothing(self):
        folder = self.folder()
        picture = self.picture(folder, "朝.png", "PNG")
        folder.write_ini(MediaFile="C:\\old.png", Time=9, Width=0, Height=0)
        with open(folder.file("kestro.ini"), "rb") as ini:
            before = ini.read()
        temp = os.path.join(os.environ["WINEPREFIX"], "drive_c", "users", "*", "**", "kes*.tmp")
        earlier = glob.glob(temp, recursive=True)
        run, _ = self.open(folder)
        controls.set_text(CAPTION, TEXT5, harness.windows_path(picture))
        controls.set_text(CAPTION, TEXT4, "2")
        controls.select(CAPTION, LIST1, 1)
        controls.click_control(CAPTION, COMMAND12)
        window, _ = harness.wait_window(START_UP)
        self.assertIsNotNone(window, "the test show never appeared")
        self.assert_window_shows_picture(window, 200, 120, "settings-test-show")
        # The show ends by itself after the typed time; the settings window stays as it was.
        deadline = time.monotonic() + 2 + START_UP
        while harness.find_windows(visible_only=False) and time.monotonic() < deadline:
            time.sleep(0.1)
        self.assertEqual(harness.find_windows(visible_only=False), [], "the show did not end")
        with open(folder.file("kestro.ini"), "rb") as ini:
            self.assertEqual(ini.read(), before)
        self.assertEqual(glob.glob(temp, recursive=True), earlier)
        self.assertEqual(sorted(os.listdir(folder.path)),
                         sorted(["kestro.exe", "kestro.ini", "朝.png", "wine.log"]))
        run.kill()
