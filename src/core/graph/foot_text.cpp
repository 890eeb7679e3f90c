// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/foot_text.h"

#include "session/analyser_core.h"

namespace veltrasko {

namespace {

// ", no avg. filter" for a filter of one stroke, else ", avg. filter: N strokes".
std::string AveragingText(std::uint8_t averageFilter) {
  if (averageFilter == 1) return ", no avg. filter";
  return ", avg. filter: " + std::to_string(averageFilter) + " strokes";
}

}  // namespace

std::string InformationLine(const PersonalData& data, std::uint8_t averageFilter) {
  std::string line;
  if (!data.PersonName().empty()) line.append(data.PersonName()).append(", ");
  line.append(data.WeightText()).append(" Kg");
  if (!data.FanResistance().empty()) line.append(", Fan: ").append(data.FanResistance());
  line += AveragingText(averageFilter);
  line.append(", ").append(data.SessionDate());
  return line;
}

std::optional<FootLines> SessionFootLines(const AnalyserCore& core) {
  const bool online = core.OnlineShown();
  const PersonalData& data = online ? core.Session().OnlinePersonalData : core.File().FilePersonalData;
  if (data.WeightText().empty()) return std::nullopt;
  const FileNameField& path = online ? core.Session().OnlineHeader.RecordFileName : core.File().FileHeader.FileName;
  return FootLines{std::string(path.View()), InformationLine(data, core.Settings().FilterLength())};
}

}  // namespace veltrasko
