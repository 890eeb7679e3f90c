// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in for the system's QCustomPlot on the core's include path, where the
// compiler would otherwise find it: only the app draws graphs.
#pragma once
#error "qcustomplot.h belongs to the app; the core must not include it"
