#pragma once
// The voice alert: the program's own chime (AlertSound.h), played once from
// memory on the default sound device.
//
// Each alert gets a short-lived thread of its own that hands the sound to the
// player and ends; the caller (a board's worker) never waits for it. Failures
// (no thread to spare, no sound device) are silent: that alert is not heard.

#include <cstdint>
#include <functional>
#include <span>

namespace brevaro::alerts {

// Plays a complete WAV file held in memory. The block stays valid until the
// process ends, so a player may return before the sound is over.
using SoundPlayer = std::function<void(std::span<const std::uint8_t> wav)>;

// Starts `play` with the alert sound on a new thread and returns at once.
void playAlertSound(SoundPlayer play);

// Windows: playAlertSound with PlaySound (SND_MEMORY | SND_ASYNC |
// SND_NODEFAULT). A chime requested while another plays cuts that one off and
// starts again.
void playVoiceAlert();

}  // namespace brevaro::alerts
