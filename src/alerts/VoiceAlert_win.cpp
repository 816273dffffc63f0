#include "alerts/VoiceAlert.h"

// mmsystem.h needs the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on

namespace brevaro::alerts {
namespace {

// The request itself may take a moment before SND_ASYNC hands the sound over
// (stopping a chime still playing, waking the device): that happens on the
// alert's own thread, never on the worker. The result is not examined.
void playFromMemory(std::span<const std::uint8_t> wav) {
    PlaySoundW(reinterpret_cast<LPCWSTR>(wav.data()), nullptr,
               SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
}

}  // namespace

void playVoiceAlert() {
    playAlertSound(playFromMemory);
}

}  // namespace brevaro::alerts
