// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in for the system's hidapi on the core's include path, where the
// compiler would otherwise find it: only the app talks to the box.
#pragma once
#error "hidapi/hidapi.h belongs to the app; the core must not include it"
