"""Test media made on the spot: sound with sox, video with ffmpeg, in formats Wine's media
devices play."""

import os
import subprocess

import pictures

VIDEO_SIZE = (352, 288)


def sound_streams():
    """How many sounds play now: the streams of the session's sound server."""
    result = subprocess.run(["pactl", "list", "short", "sink-inputs"], capture_output=True,
                            text=True, check=False)
    return len(result.stdout.splitlines())


def make_tone(path, seconds):
    """A mono 16-bit sine tone of the given length, as a WAV file."""
    subprocess.run(
        ["sox", "-n", "-r", "22050", "-c", "1", "-b", "16", path, "synth", str(seconds),
         "sine", "440"],
        check=True,
    )


def make_quadrant_video(path, seconds, codec, size=VIDEO_SIZE):
    """An AVI whose every frame is the quadrant picture of `pictures`, at `size`.

    codec "raw" is uncompressed, bottom-up RGB; "msvideo1" is Microsoft Video 1."""
    frame = os.path.splitext(path)[0] + "-frame.png"
    pictures.make_quadrants(frame, *size, "PNG")
    codec_options = {
        "raw": ["-c:v", "rawvideo", "-pix_fmt", "bgr24"],
        "msvideo1": ["-c:v", "msvideo1"],
    }[codec]
    subprocess.run(
        ["ffmpeg", "-loglevel", "error", "-y", "-loop", "1", "-framerate", "5", "-i", frame,
         "-t", str(seconds), *codec_options, path],
        check=True,
    )
    os.remove(frame)
