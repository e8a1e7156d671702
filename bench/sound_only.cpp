// The least a program can do to play a sound, in one of two ways: "mci" opens it and plays it
// with one blocking "play ... wait", as kestro.exe's media layer does; "wasapi" hands the
// samples to the system's mixer itself, a second's worth at a time, waking four times a second,
// the fewest wake-ups any player can have. The benchmark sets kestro.exe's processor share
// beside both: together they are the floor of the sound system underneath.
//
//   sound_only mci|wasapi SOUND
#include <windows.h>
// After windows.h, whose types they use.
#include <audioclient.h>
#include <mmdeviceapi.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/base/com_ptr.h"

namespace {

constexpr REFERENCE_TIME kBufferLength = 10'000'000;  // one second, in 100 ns units
constexpr DWORD kRefillMilliseconds = 250;

bool PlayThroughMci(const std::wstring& path) {
    const std::wstring open = L"open \"" + path + L"\" alias bench";
    if (mciSendStringW(open.c_str(), nullptr, 0, nullptr) != 0) {
        return false;
    }
    const MCIERROR played = mciSendStringW(L"play bench wait", nullptr, 0, nullptr);
    mciSendStringW(L"close bench", nullptr, 0, nullptr);
    return played == 0;
}

struct Pcm {
    WAVEFORMATEX format{};
    std::vector<BYTE> samples;
};

std::uint32_t Le32(const std::vector<BYTE>& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

// The "fmt " and "data" chunks of a plain PCM WAV file, such as the benchmark writes.
std::optional<Pcm> ReadWav(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    const std::vector<BYTE> bytes((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        return std::nullopt;
    }
    Pcm pcm;
    bool hasFormat = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::size_t size = std::min<std::size_t>(Le32(bytes, at + 4), bytes.size() - at - 8);
        const BYTE* body = bytes.data() + at + 8;
        if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0 && size >= 16) {
            std::memcpy(&pcm.format, body, 16);
            hasFormat = true;
        } else if (std::memcmp(bytes.data() + at, "data", 4) == 0) {
            pcm.samples.assign(body, body + size);
        }
        at += 8 + size + (size & 1);
    }
    if (!hasFormat || pcm.format.wFormatTag != WAVE_FORMAT_PCM || pcm.format.nBlockAlign == 0) {
        return std::nullopt;
    }
    return pcm;
}

bool PlayThroughMixer(const Pcm& pcm) {
    using win32::ComPtr;
    ComPtr<IMMDeviceEnumerator> devices;
    ComPtr<IMMDevice> device;
    ComPtr<IAudioClient> client;
    ComPtr<IAudioRenderClient> render;
    UINT32 capacity = 0;
    if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                __uuidof(IMMDeviceEnumerator), devices.PutVoid())) ||
        FAILED(devices->GetDefaultAudioEndpoint(eRender, eConsole, device.Put())) ||
        FAILED(device->Activate(__uuidof(IAudioClient), CLSCTX_ALL, nullptr, client.PutVoid())) ||
        FAILED(client->Initialize(AUDCLNT_SHAREMODE_SHARED, 0, kBufferLength, 0, &pcm.format,
                                  nullptr)) ||
        FAILED(client->GetBufferSize(&capacity)) ||
        FAILED(client->GetService(__uuidof(IAudioRenderClient), render.PutVoid()))) {
        return false;
    }
    const std::size_t frameBytes = pcm.format.nBlockAlign;
    const std::size_t frames = pcm.samples.size() / frameBytes;
    bool started = false;
    for (std::size_t done = 0;;) {
        UINT32 queued = 0;
        if (FAILED(client->GetCurrentPadding(&queued))) {
            return false;
        }
        if (done == frames && queued == 0) {
            return true;
        }
        const auto count =
            static_cast<UINT32>(std::min<std::size_t>(capacity - queued, frames - done));
        BYTE* into = nullptr;
        if (count > 0 && SUCCEEDED(render->GetBuffer(count, &into))) {
            std::memcpy(into, pcm.samples.data() + done * frameBytes, count * frameBytes);
            render->ReleaseBuffer(count, 0);
            done += count;
        }
        if (!started && FAILED(client->Start())) {
            return false;
        }
        started = true;
        Sleep(kRefillMilliseconds);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring way = argc == 3 ? argv[1] : L"";
    if (way != L"mci" && way != L"wasapi") {
        std::fputs("usage: sound_only mci|wasapi SOUND\n", stderr);
        return 2;
    }
    if (way == L"mci") {
        return PlayThroughMci(argv[2]) ? 0 : 1;
    }
    const std::optional<Pcm> pcm = ReadWav(argv[2]);
    if (!pcm || FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {
        std::fputs("sound_only: not a PCM WAV file, or no COM\n", stderr);
        return 1;
    }
    const bool played = PlayThroughMixer(*pcm);
    CoUninitialize();
    return played ? 0 : 1;
}
