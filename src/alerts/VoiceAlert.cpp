#include "alerts/VoiceAlert.h"

#include <exception>
#include <thread>
#include <utility>

#include "alerts/AlertSound.h"

namespace brevaro::alerts {

void playAlertSound(SoundPlayer play) {
    try {
        std::thread([play = std::move(play)] {
            try {
                // Built on the first alert's thread, not the worker's.
                play(alertSoundWav());
            } catch (const std::exception&) {
                // No memory for the sound, a player that failed: no sound.
            }
        }).detach();
    } catch (const std::exception&) {
        // No thread to spare: this alert stays silent, like a failed playback.
    }
}

}  // namespace brevaro::alerts
