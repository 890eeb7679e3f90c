// SPDX-License-Identifier: GPL-3.0-or-later
// Must not compile: Qt is not on the core's include path. The core header
// above it is found, so the build stops at the Qt include.
#include <QObject>

#include "protocol/frame_scanner.h"
