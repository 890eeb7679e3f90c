// SPDX-License-Identifier: GPL-3.0-or-later
// Must not compile: the app's headers are not on the core's include path.
// The core header above it is found, so the build stops at the app's.
#include "protocol/frame_scanner.h"
#include "shell/main_window.h"
