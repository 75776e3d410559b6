#pragma once

#include <QString>

// Damages a data directory whose program has ended the way a bad disk sector does: the first
// page of the payments becomes zeros. The data still open, but their check finds the damage.
void zeroAPageOf(const QString& dataDirectory);
