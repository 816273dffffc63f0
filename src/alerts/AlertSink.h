#pragma once
// Where a board's alerts go. The program's own sink plays the alert sound and
// starts the companion program; the developer tool and the tests put their
// own in its place. Called on the UI thread.

#include "alerts/AlertRequest.h"

namespace brevaro::alerts {

class AlertSink {
public:
    virtual ~AlertSink() = default;
    virtual void playVoiceAlert() = 0;
    virtual void ensureCompanionProgram() = 0;
    virtual void launchPopupAlert(const AlertRequest& alert) = 0;
};

}  // namespace brevaro::alerts
