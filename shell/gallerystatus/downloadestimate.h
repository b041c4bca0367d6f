#pragma once
// The download-time estimate of a gallery's thumbnails shown in its status
// bar. Pure functions; numbers always use "." whatever the user's locale.

#include <QString>
#include <span>

struct ConnectionSpeed {
    const char *listText; // shown in the drop-down list
    const char *estimateText; // shown after "@" in the estimate
    double secondsPerBit;
};

// The seven speeds, slowest first; the list index is what the settings store.
std::span<const ConnectionSpeed> ConnectionSpeeds();
// The speed of `index`, or the slowest one for an index outside the list.
const ConnectionSpeed &ConnectionSpeedAt(int index);

// "1023 octets", "1.50 ko", "254 ko" ... up to "To".
QString DownloadSizeText(double bytes);
// "0 s" for no time at all, else "38s", "1m2s", "60m", "2h5m"; seconds are
// left out from one hour on.
QString DownloadTimeText(double seconds);
// "Aucun fichier", or "25 fichier(s) - Vignettes = 254 ko soit 38s @ 56 kb/s".
QString DownloadEstimateText(int fileCount, double totalBytes, int speedIndex);
