#pragma once
// A panel that lives in memory: a serial device whose far end answers every
// request at once from two memory banks, as a panel does. A write followed
// by a read through it shows what a real panel holding the same bytes would
// read back: the alternate number cut to the 15 digits a read fetches, the
// keep-alive period gone when the connection check is off, a suffix that a
// read cannot tell from a letter. Comparing settings with a panel goes
// through it, so only differences a panel can really show are reported.

#include <memory>

#include "link/serial_device.h"

namespace tevral {

// A fresh panel (every byte erased) of the current software, identified and
// new enough that no update notice is shown.
std::unique_ptr<link::SerialDevice> MakeModelPanelDevice();

}  // namespace tevral
