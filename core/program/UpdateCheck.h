#pragma once

// The update check at start: the program asks a web server for the newest version text and
// compares it with its own. The fetch blocks the caller (a local event loop) for at most the
// time-out; every kind of failure counts as "no update".

#include <QString>
#include <QUrl>

#include <optional>

namespace tv {

// The running program's version, Major "." Minor "." Revision ("1.1.2").
QString localVersionText();

// The decision on the remote reply. A reply longer than 6 characters never signals an update
// (a version with a line end, an error page); an empty reply or one equal to the local text
// (exact, case-sensitive) is no update; any other text is, an older version included.
bool isUpdateAvailable(const QString& reply, const QString& localVersion);

// The address of the update list. User name and password travel in the address.
QUrl updateListUrl();

// GETs `url` and returns its body (bytes taken one character each). Empty when the fetch
// failed: a network error, an HTTP status other than 2xx, or no complete answer within
// `timeoutMs`. Blocks the caller; user input is held back while it waits.
std::optional<QString> fetchText(const QUrl& url, int timeoutMs);

// Fetches the update list and decides. A failed fetch is no update.
bool checkForUpdate();

// How long the fetch at start may take before it counts as failed.
inline constexpr int kUpdateTimeoutMs = 5000;

// Test hooks: the host (and port) of the update list, and the time-out of checkForUpdate().
// An empty host / a time-out of 0 restore the program's own values.
void setUpdateHostForTesting(const QString& host, int port);
void setUpdateTimeoutForTesting(int timeoutMs);

} // namespace tv
