"""Peak memory of one /test show of an 8192 x 8192 picture on each decoder's road, under Wine.

Run inside a Wine session: bash tools/with-wine-session.sh python3 bench/peak_memory.py EXE
Prints, for each format, the show process's peak resident memory (VmHWM) and peak address
space (VmPeak), in MiB, read from /proc until it ends."""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
import harness  # noqa: E402

SIDE = 8192
# How each picture is made: ImageMagick's limits leave it no memory for a GIF this large.
GRADIENT = ["convert", "-size", f"{SIDE}x{SIDE}", "gradient:red-blue"]
FORMATS = (("BMP, 24 bits", "bmp", GRADIENT + ["-type", "TrueColor", "BMP3:{}"]),
           ("GIF", "gif", ["ffmpeg", "-loglevel", "error", "-f", "lavfi", "-i",
                           f"testsrc2=s={SIDE}x{SIDE}", "-frames:v", "1", "{}"]),
           ("JPEG", "jpg", GRADIENT + ["-quality", "90", "JPEG:{}"]),
           ("PNG, 8 bits a channel", "png", GRADIENT + ["-depth", "8", "PNG:{}"]),
           ("PNG, 16 bits a channel", "png", GRADIENT + ["PNG:{}"]))


def show_processes(folder):
    """The Wine processes that run kestro.exe in this folder: the launcher, then the program."""
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/comm") as comm:
                if comm.read().strip() == "kestro.exe" and \
                        os.readlink(f"/proc/{pid}/cwd") == folder:
                    yield pid
        except OSError:
            continue


def peaks(pid):
    fields = {}
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            name, _, value = line.partition(":")
            if name in ("VmHWM", "VmPeak"):
                fields[name] = int(value.split()[0]) // 1024
    return fields


def measure(exe, ending, make):
    folder = harness.RunFolder(exe)
    path = folder.file("big." + ending)
    subprocess.run([part.format(path) for part in make], check=True)
    folder.write_ini(MediaFile=harness.windows_path(path), Time=1)
    run = folder.start("/test")
    most = {}
    while run.running():
        for pid in show_processes(os.path.realpath(folder.path)):
            try:
                for name, value in peaks(pid).items():
                    most[name] = max(most.get(name, 0), value)
            except OSError:
                pass
        time.sleep(0.02)
    folder.remove()
    return most


def main():
    for name, ending, make in FORMATS:
        print(f"{name}: {measure(sys.argv[1], ending, make)}", flush=True)


if __name__ == "__main__":
    main()
