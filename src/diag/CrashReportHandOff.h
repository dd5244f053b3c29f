#pragma once

namespace tarnwick {

// Hands the error being handled to the crash-report engine. The silent form (false) records
// it without dialog or e-mail; the dialog form lets the engine behave as configured.
// Returns true only for the dialog form with the engine's first dialog option set. Called
// with no error being handled it reports nothing and returns false.
bool ReportCurrentException(bool withDialog);

// Set while a silent hand-off is under way; the application-wide handler stays quiet then.
bool Reporting();

} // namespace tarnwick
