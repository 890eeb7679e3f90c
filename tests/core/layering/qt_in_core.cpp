// SPDX-License-Identifier: GPL-3.0-or-later
// Must not compile: the core has no Qt on its include path.
#include <QObject>
#include "protocol/frame_scanner.h"
