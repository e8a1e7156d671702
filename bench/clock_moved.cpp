// Tells every top-level window that the system clock was set, as Windows does when the time
// is synchronised or the user moves it. The benchmark sends it each time it has moved the
// clock of the programs it measures.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(HWND_BROADCAST, WM_TIMECHANGE, 0, 0, SMTO_ABORTIFHUNG, 5000,
                               &result) != 0
               ? 0
               : 1;
}
