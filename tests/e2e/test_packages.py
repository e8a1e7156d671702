"""The packages of a release, used as a user uses them: the per-user installer (install,
install over a waiting Kestro, uninstall) and the portable zip. Each case leaves the Wine
prefix as it found it."""

import os
import re
import shutil
import subprocess
import time
import types
import zipfile

import controls
import harness
import media
from checks import START_UP, KestroCase

UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestro"
SOURCE_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
SIZE = (200, 120)
# Installing and uninstalling under a loaded Wine take a few seconds each.
PACKAGE_TIMEOUT = 120
# Longer than any case: only the uninstaller can end such a show in time.
LONG_SHOW = 60

# The Start-menu shortcuts: Japanese and English name, the file they open (the guide in the
# names' language), arguments. The shut-down one's name is the desktop shortcut's too.
SHORTCUTS = (
    ("Kestro でシャットダウン", "Shut down with Kestro", "kestro.exe", "/shutdown"),
    ("Kestro の設定", "Kestro Settings", "kestro.exe", ""),
    ("Kestro のテスト表示", "Kestro Test Show", "kestro.exe", "/test"),
    ("Kestro で再起動", "Restart with Kestro", "kestro.exe", "/restart"),
    ("Kestro でサインアウト", "Sign out with Kestro", "kestro.exe", "/logoff"),
    ("Kestro の説明書", "Kestro Guide", "readme{}.txt", ""),
)
# Wine takes the display language from the locale's name, as Windows from the user's choice.
LOCALES = {"ja": "ja_JP.UTF-8", "en": "en_US.UTF-8"}
SETUP_CAPTION = "Kestro 2.1 セットアップ"


def program_arguments():
    """The arguments kestro.exe knows, from the table it reads its command line by."""
    with open(os.path.join(SOURCE_DIR, "app", "main.cpp"), encoding="utf-8") as source:
        return re.findall(r'\{L"(/\w+)", RunMode::', source.read())


def user_dir():
    users = os.path.join(os.environ["WINEPREFIX"], "drive_c", "users")
    return os.path.join(users, next(name for name in sorted(os.listdir(users))
                                    if name != "Public"))


def install_dir():
    return os.path.join(user_dir(), "AppData", "Local", "Programs", "Kestro")


def desktop_dir():
    return os.path.join(user_dir(), "Desktop")


def desktop_shortcut(language="ja"):
    return os.path.join(desktop_dir(), SHORTCUTS[0][language == "en"] + ".lnk")


def start_menu_dir():
    return os.path.join(os.path.dirname(controls.startup_folder()), "Kestro")


def drive_c_path(unix_path):
    drive_c = os.path.join(os.environ["WINEPREFIX"], "drive_c")
    return "C:\\" + os.path.relpath(unix_path, drive_c).replace("/", "\\")


def registry_values():
    """The uninstall key's values by name, as `reg query` prints them; None without the key."""
    result = subprocess.run(["wine", "reg", "query", UNINSTALL_KEY], capture_output=True,
                            timeout=60, check=False)
    if result.returncode != 0:
        return None
    text = result.stdout.decode("cp932", errors="replace")
    return {m[1]: m[3] for m in re.finditer(r"^\s+(\S+)\s+(REG_\w+)\s*(.*?)\r?$", text, re.M)}


def read_shortcut(path):
    """(target, working directory, arguments, icon) of a .lnk file."""
    result = subprocess.run(["wine", os.environ["KESTRO_PROBE"], "readlink",
                             drive_c_path(path)], capture_output=True, timeout=60, check=True)
    return tuple(result.stdout.decode("utf-8").splitlines()[:4])


def leftovers():
    paths = (install_dir(), start_menu_dir(), controls.shortcut_path(),
             *map(desktop_shortcut, LOCALES))
    left = [path for path in paths if os.path.exists(path)] + controls.logon_tasks()
    return left + ([UNINSTALL_KEY] if registry_values() is not None else [])


class Packages(KestroCase):
    def setUp(self):
        super().setUp()
        self.setup_exe = os.environ["KESTRO_SETUP"]
        # A fresh prefix's desktop is the Linux user's home: the installer's shortcut goes into
        # a desktop of the prefix's own instead.
        if os.path.islink(desktop_dir()):
            os.remove(desktop_dir())
        os.makedirs(desktop_dir(), exist_ok=True)
        self.addCleanup(self.remove_installation)

    def remove_installation(self):
        """Whatever a failed case left: a Kestro, the installation, the key, the shortcuts."""
        harness.taskkill_by_name()
        uninstaller = os.path.join(install_dir(), "uninstall.exe")
        if os.path.exists(uninstaller):
            self.run_wine(uninstaller, "/S")
            # The uninstaller goes on in a copy of itself after this one ends; its last step
            # removes the key.
            self.watch_until(lambda: not leftovers(), "the uninstall")
        shutil.rmtree(install_dir(), ignore_errors=True)
        shutil.rmtree(start_menu_dir(), ignore_errors=True)
        controls.remove_shortcuts()
        controls.logon_tasks(remove=True)
        for language in LOCALES:
            if os.path.exists(desktop_shortcut(language)):
                os.remove(desktop_shortcut(language))
        subprocess.run(["wine", "reg", "delete", UNINSTALL_KEY, "/f"], capture_output=True,
                       timeout=60, check=False)

    @staticmethod
    def run_wine(*command, language="ja"):
        # Into nothing, not a pipe: a Kestro the installer starts would hold a pipe open.
        env = dict(os.environ, LANG=LOCALES[language], LC_ALL=LOCALES[language])
        return subprocess.Popen(["wine", *command], stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)

    def watch_until(self, done, what, showing=False):
        """Polls until done() holds or the time is up; a visible show meanwhile fails, unless
        one was `showing` before."""
        deadline = time.monotonic() + PACKAGE_TIMEOUT
        while not done() and time.monotonic() < deadline:
            if not showing:
                self.assertEqual(harness.find_windows(visible_only=True), [],
                                 f"a show appeared during {what}")
            time.sleep(0.1)

    def install(self, language="ja"):
        setup = self.run_wine(self.setup_exe, "/S", language=language)
        self.watch_until(lambda: setup.poll() is not None, "the install")
        self.assertEqual(setup.poll(), 0, "the installer's exit code")

    def uninstall(self):
        self.run_wine(os.path.join(install_dir(), "uninstall.exe"), "/S").wait(PACKAGE_TIMEOUT)
        self.watch_until(lambda: not leftovers(), "the uninstall")
        self.assertEqual(leftovers(), [])

    def assert_shortcuts(self, language):
        """Just the shortcuts named in that language, and the shut-down one on the desktop."""
        program = drive_c_path(install_dir())
        english = language == "en"
        shortcuts = [(row[english], row[2].format("-en" * english), row[3]) for row in SHORTCUTS]
        self.assertEqual(sorted(os.listdir(start_menu_dir())),
                         sorted(name + ".lnk" for name, _, _ in shortcuts))
        for name, target, arguments in shortcuts:
            with self.subTest(name):
                read = read_shortcut(os.path.join(start_menu_dir(), name + ".lnk"))
                expected = (f"{program}\\{target}", program, arguments,
                            f"{program}\\kestro.exe,0")
                self.assertEqual(tuple(part.lower() for part in read),
                                 tuple(part.lower() for part in expected))
        self.assertEqual(read_shortcut(desktop_shortcut(language)), read_shortcut(
            os.path.join(start_menu_dir(), os.path.basename(desktop_shortcut(language)))))

    def start_installed(self, seconds, *args, sound=False, sign_in=False):
        """The installed Kestro with a kestro.ini of a picture to show for `seconds`, or of a
        sound that plays as long; with `sign_in`, shown at sign-in too."""
        folder = self.folder()
        if sound:
            shown = os.path.join(folder.path, "tone.wav")
            media.make_tone(shown, seconds)
        else:
            shown = self.picture(folder, "quadrants.png", "PNG", *SIZE)
        keys = {"MediaFile": harness.windows_path(shown), "Time": seconds}
        if sign_in:
            keys["LogonFile"] = keys["MediaFile"]
        with open(os.path.join(install_dir(), "kestro.ini"), "wb") as ini:
            ini.write(harness.ini_bytes("cp932", keys))
        # Its log goes elsewhere, so that the uninstaller finds only its own files there.
        installed = types.SimpleNamespace(path=install_dir(), log_path=folder.log_path)
        run = harness.Kestro(installed, args)
        self.runs.append(run)
        return run

    def waiting_kestro(self, sign_in=False):
        run = self.start_installed(3, "/start", sign_in=sign_in)
        window, _ = harness.wait_window(START_UP, visible_only=False, while_running=run)
        self.assertIsNotNone(window, "the installed Kestro does not wait")
        return run

    def test_install_puts_files_shortcuts_and_uninstall_entry_in_place(self):
        self.install()
        folder = install_dir()
        self.assertEqual(sorted(os.listdir(folder)),
                         ["kestro.exe", "readme-en.txt", "readme.txt", "uninstall.exe"])
        with zipfile.ZipFile(os.environ["KESTRO_ZIP"]) as package:
            for name in ("kestro.exe", "readme.txt", "readme-en.txt"):
                with open(os.path.join(folder, name), "rb") as installed:
                    self.assertEqual(installed.read(), package.read(name), f"zip's {name}")
        self.assert_shortcuts("ja")

        program = drive_c_path(folder)
        size = sum(os.path.getsize(os.path.join(folder, name)) for name in os.listdir(folder))
        uninstaller = f'"{program}\\uninstall.exe"'
        self.assertEqual(registry_values(), {
            "DisplayName": "Kestro 2.1",
            "DisplayVersion": "2.1.0.10",
            "DisplayIcon": f"{program}\\kestro.exe",
            "UninstallString": uninstaller,
            "QuietUninstallString": uninstaller + " /S",
            "InstallLocation": program,
            "EstimatedSize": hex(size // 1024),
            "NoModify": "0x1",
            "NoRepair": "0x1",
            "DesktopShortcut": "0x1",
            "ShortcutLanguage": "0x411",
        })

        run = self.start_installed(1, "/test")
        window, seen = self.wait_shown(run)
        self.assert_window_shows_picture(window, *SIZE, "installed-test")
        self.assert_ends_after(run, seen, 1)

    def test_install_over_a_waiting_kestro_keeps_settings_and_waiting(self):
        self.install()
        waiting = self.waiting_kestro(sign_in=True)
        with open(os.path.join(install_dir(), "kestro.ini"), "rb") as ini:
            settings = ini.read()
        self.wait_shown(waiting)
        self.watch_until(lambda: not harness.show_process_ids(), "the sign-in show", showing=True)

        self.install()
        self.watch_until(lambda: not waiting.running(), "the end of the waiting Kestro")
        self.assertEqual(waiting.wait_end(0)[0], 0, "the waiting Kestro did not end well")
        with open(os.path.join(install_dir(), "kestro.ini"), "rb") as ini:
            self.assertEqual(ini.read(), settings, "kestro.ini changed")
        again, _ = harness.wait_window(START_UP, visible_only=False)
        self.assertIsNotNone(again, "no Kestro waits after the install")
        # Waiting again is no sign-in: no show process, no window, no sound.
        time.sleep(2)
        self.assertEqual(harness.find_windows(visible_only=True), [], "the new Kestro shows")
        self.assertEqual(harness.show_process_ids() + [media.sound_streams()], [0], "a show")

    def test_upgrade_keeps_the_choice_of_the_desktop_shortcut_and_uninstall_removes_all(self):
        controls.start_task_scheduler(self)
        self.install()
        # The user turned the desktop shortcut off in the last install.
        subprocess.run(["wine", "reg", "add", UNINSTALL_KEY, "/v", "DesktopShortcut", "/t",
                        "REG_DWORD", "/d", "0", "/f"], capture_output=True, timeout=60,
                       check=True)
        self.install()
        self.assertFalse(os.path.exists(desktop_shortcut()), "the desktop shortcut came back")
        self.assertEqual(registry_values()["DesktopShortcut"], "0x0")

        # The installed settings window registers the logon task.
        run = self.start_installed(1)
        self.assertIsNotNone(controls.wait_look(harness.SETTINGS_CAPTION, START_UP),
                             "no settings window")
        controls.click_control(harness.SETTINGS_CAPTION, controls.CHECK2)
        controls.click_control(harness.SETTINGS_CAPTION, controls.COMMAND1)
        self.assertIsNotNone(run.wait_end(10)[0], "the settings window stays")
        self.assertEqual(len(controls.logon_tasks()), 1, "no logon task")

        self.uninstall()

    def test_shortcut_names_keep_the_language_of_the_first_install(self):
        # An install of a version that spoke only Japanese stored no language.
        self.install()
        subprocess.run(["wine", "reg", "delete", UNINSTALL_KEY, "/v", "ShortcutLanguage", "/f"],
                       capture_output=True, timeout=60, check=True)
        self.install("en")
        self.assert_shortcuts("ja")
        self.uninstall()
        self.install("en")
        self.assert_shortcuts("en")
        self.install("ja")
        self.assert_shortcuts("en")
        self.assertIsNone(harness.wait_window(2, False, caption=harness.SETTINGS_CAPTION)[0],
                          "a silent install opened the settings")
        self.assertEqual(registry_values()["ShortcutLanguage"], "0x409")
        self.uninstall()

    def test_finish_page_opens_the_settings(self):
        setup = self.run_wine(self.setup_exe)
        self.addCleanup(setup.kill)
        # Pages by a control: the welcome's title, the list, the folder, the finish page's box.
        for caption, page in ((SETUP_CAPTION, 1201), (SETUP_CAPTION + " ", 1032),
                              (SETUP_CAPTION + " ", 1019), (SETUP_CAPTION + " ", 1203)):
            window = controls.wait_look(caption, START_UP, lambda w, page=page: (
                page in w.controls and w.controls[1].enabled))
            self.assertIn(page, window.controls if window else {}, "the page does not come")
            controls.press(caption, 1)
        box = window.controls[1203]
        self.assertEqual((box.text, box.checked), ("Kestro の設定を開く", True))
        self.assertIsNotNone(controls.wait_look(harness.SETTINGS_CAPTION, START_UP),
                             "no settings window")
        self.assertEqual(setup.wait(PACKAGE_TIMEOUT), 0, "the installer's exit code")

    def test_install_over_a_playing_sound_leaves_no_kestro_waiting(self):
        self.install()
        playing = self.start_installed(LONG_SHOW, "/test", sound=True)
        window, _ = harness.wait_window(START_UP, visible_only=False, while_running=playing)
        self.assertIsNotNone(window, "the sound's show does not run")

        self.install()
        self.watch_until(lambda: not playing.running(), "the end of the sound's show")
        self.assertFalse(playing.running(), "the sound plays on")
        time.sleep(1)
        self.assertEqual(harness.find_windows(visible_only=False), [],
                         "a Kestro waits that did not wait before the install")

    def test_uninstall_removes_everything_and_ends_every_kestro(self):
        # A Kestro of another folder, which would show if the session ended.
        other = self.folder()
        picture = self.picture(other, "quadrants.png", "PNG", *SIZE)
        other.write_ini(MediaFile=harness.windows_path(picture), Time=1)
        witness = self.start(other, "/start")
        self.assertIsNotNone(harness.wait_window(START_UP, visible_only=False)[0], "no witness")
        # name, arguments, the window that shows it runs, whether that window is visible
        for name, args, caption, visible in (
            ("waiting", ("/start",), harness.CAPTION, False),
            ("settings", (), harness.SETTINGS_CAPTION, True),
            ("test-show", ("/test",), harness.CAPTION, True),
            ("session-command", ("/shutdown",), harness.CAPTION, True),
        ):
            with self.subTest(name):
                self.install()
                shutil.copy(os.path.join(start_menu_dir(), "Kestro の設定.lnk"),
                            controls.shortcut_path())
                run = self.start_installed(LONG_SHOW, *args)
                # A hidden window beside the witness's, or a visible one.
                deadline = time.monotonic() + START_UP
                while (len(harness.find_windows(visible, caption)) < 1 + (not visible)
                       and run.running() and time.monotonic() < deadline):
                    time.sleep(harness.POLL_SECONDS)
                self.assertEqual(len(harness.find_windows(visible, caption)), 1 + (not visible),
                                 "the installed Kestro does not run")

                self.run_wine(os.path.join(install_dir(), "uninstall.exe"), "/S").wait(
                    PACKAGE_TIMEOUT)
                self.watch_until(lambda: not run.running() and not leftovers(), "the uninstall",
                                 showing=visible)
                self.assertFalse(run.running(), "the Kestro still runs")
                folder = install_dir()
                self.assertEqual(leftovers(), [], os.path.isdir(folder) and os.listdir(folder))
                time.sleep(1)
                self.assertEqual(harness.find_windows(visible_only=True), [], "a show is left")
                self.assertTrue(witness.running(), "the session ended")

    def test_zip_holds_the_program_and_its_guides(self):
        with zipfile.ZipFile(os.environ["KESTRO_ZIP"]) as package:
            self.assertEqual(sorted(package.namelist()),
                             ["kestro.exe", "readme-en.txt", "readme.txt"])
            with open(os.environ["KESTRO_EXE"], "rb") as built:
                self.assertEqual(package.read("kestro.exe"), built.read())
            guides = {name: package.read(name) for name in ("readme.txt", "readme-en.txt")}
        arguments = program_arguments()
        self.assertGreaterEqual(len(arguments), 5, "the argument table of app/main.cpp moved")
        for name, guide in guides.items():
            with self.subTest(name):
                self.assertTrue(guide.startswith(b"\xef\xbb\xbf"), "no byte-order mark")
                text = guide.decode("utf-8")
                self.assertNotRegex(text, r"(?<!\r)\n", "a line not ended by CRLF")
                # Each form of the command line, the bare one included, on a line of its own.
                lines = {line.strip() for line in text.splitlines()}
                for form in ["kestro.exe"] + [f"kestro.exe {arg}" for arg in arguments]:
                    self.assertIn(form, lines, "the guide does not name it")
