#include "alerts/SystemAlerts.h"

#include "alerts/Companion.h"
#include "alerts/VoiceAlert.h"

namespace brevaro::alerts {

// Qualified: the members of the same names would hide the free functions.
void SystemAlertSink::playVoiceAlert() { alerts::playVoiceAlert(); }

void SystemAlertSink::ensureCompanionProgram() { alerts::ensureCompanionProgram(); }

void SystemAlertSink::launchPopupAlert(const AlertRequest& alert) { alerts::launchPopupAlert(alert); }

}  // namespace brevaro::alerts
