#pragma once
// The program's own alerts: the embedded sound and the companion program.

#include "alerts/AlertSink.h"

namespace brevaro::alerts {

class SystemAlertSink final : public AlertSink {
public:
    void playVoiceAlert() override;
    void ensureCompanionProgram() override;
    void launchPopupAlert(const AlertRequest& alert) override;
};

}  // namespace brevaro::alerts
