// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/series_catalogue.h"

namespace veltrasko {

const std::array<SeriesEntry, SeriesCount> SeriesCatalogue{{
    // Chart1 against distance: Series1 .. Series8.
    {1, 0x000000, false, ""},
    {2, 0x0000FF, true, " [str/min]"},
    {3, 0xFF00FF, true, " [W]"},
    {4, 0x008000, true, " [pct]"},
    {5, 0x000080, false, " [M]"},
    {6, 0x800080, false, " [S]"},
    {7, 0x800000, true, " [str/min]"},
    {8, 0xFF0000, false, " [M]"},
    // Chart1 against time: Series9 .. Series16.
    {1, 0x000000, false, ""},
    {2, 0x0000FF, true, " [str/min]"},
    {3, 0xFF00FF, true, " [W]"},
    {4, 0x008000, true, " [pct]"},
    {5, 0x000080, false, " [M]"},
    {6, 0x800080, false, " [S]"},
    {7, 0x800000, true, " [str/min]"},
    {8, 0xFF0000, false, " [M]"},
    // Chart2 against distance: Series17 .. Series24.
    {9, 0x000000, true, " - Left [W]"},
    {9, 0xFF00FF, true, " - Right [W]"},
    {11, 0x0000FF, false, " - Left [M]"},
    {11, 0xFF0000, false, " - Right [M]"},
    {13, 0x800000, false, " - Left [M]"},
    {13, 0x000080, false, " - Right [M]"},
    {15, 0x808000, false, " - Left [S]"},
    {15, 0x800080, false, " - Right [S]"},
    // Chart2 against time: Series25 .. Series32.
    {9, 0x000000, true, " - Left [W]"},
    {9, 0xFF00FF, true, " - Right [W]"},
    {11, 0x0000FF, false, " - Left [M]"},
    {11, 0xFF0000, false, " - Right [M]"},
    {13, 0x800000, false, " - Left [M]"},
    {13, 0x000080, false, " - Right [M]"},
    {15, 0x808000, false, " - Left [S]"},
    {15, 0x800080, false, " - Right [S]"},
    // Work: Series33, Series34 against distance, Series35, Series36 against time.
    {17, 0x808080, true, " - Left [J]"},
    {17, 0x008000, true, " - Right [J]"},
    {17, 0x808080, true, " - Left [J]"},
    {17, 0x008000, true, " - Right [J]"},
}};

const std::array<CheckBoxEntry, ValueCheckBoxCount> CheckBoxCatalogue{{
    {"Speed", "[M/S] or [KM/H]", "Speed, ", 1, 9},
    {"Stroke rate", "[Strokes / minute]", "Stroke rate, ", 2, 10},
    {"Power", "[Watts]", "Power, ", 3, 11},
    {"Water pct.", "[Percent]", "Water pct, ", 4, 12},
    {"Water dist.", "[Meters]", "Water dist., ", 5, 13},
    {"Air time", "[Seconds]", "Air time, ", 6, 14},
    {"Heart rate", "[Strokes / minute]", "Heart rate, ", 7, 15},
    {"Stroke dist.", "[Meters]", "Stroke dist., ", 8, 16},
    {"Power", "[Watts]", "Power, ", 17, 25},
    {"", "", "", 18, 26},
    {"Stroke dist.", "[Meters]", "Stroke dist., ", 19, 27},
    {"", "", "", 20, 28},
    {"Water dist.", "[Meters]", "Water dist., ", 21, 29},
    {"", "", "", 22, 30},
    {"Air time", "[Seconds]", "Air time, ", 23, 31},
    {"", "", "", 24, 32},
    {"Work", "[Joule]", "Work, ", 33, 35},
    {"", "", "", 34, 36},
}};

}  // namespace veltrasko
