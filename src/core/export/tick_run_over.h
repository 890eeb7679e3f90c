// SPDX-License-Identifier: GPL-3.0-or-later
// The box counts its paddle and clock times in 32-bit ticks, which run over
// after about 2 h 23 min and start again at 0; a session's times are counted
// on past that, row by row.
#pragma once

namespace veltrasko {

class RunOverTime {
 public:
  // The time of the next row, counted on past every run-over so far.
  double operator()(float seconds);

 private:
  float previous_ = 0;
  double added_ = 0;
};

}  // namespace veltrasko
