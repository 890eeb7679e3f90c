// SPDX-License-Identifier: GPL-3.0-or-later
// Must not compile: hidapi is on the system's include path, but the core's
// puts a stand-in that stops the build in front of it.
#include <hidapi/hidapi.h>

#include "protocol/frame_scanner.h"
