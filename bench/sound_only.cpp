// The least a program can do to play a sound through MCI: open it, one blocking "play ... wait",
// close it. The benchmark sets the processor share of kestro.exe's sound beside this one's,
// which is the floor of the media layer itself.
//
//   sound_only SOUND
#include <windows.h>
// After windows.h, whose types it uses.
#include <mmsystem.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: sound_only SOUND\n", stderr);
        return 2;
    }
    const std::wstring open = L"open \"" + std::wstring(argv[1]) + L"\" alias bench";
    if (mciSendStringW(open.c_str(), nullptr, 0, nullptr) != 0) {
        std::fputs("sound_only: the sound did not open\n", stderr);
        return 1;
    }
    const MCIERROR played = mciSendStringW(L"play bench wait", nullptr, 0, nullptr);
    mciSendStringW(L"close bench", nullptr, 0, nullptr);
    return played == 0 ? 0 : 1;
}
