// SPDX-License-Identifier: GPL-3.0-or-later
// What the window's tests share: private places in a temporary folder,
// record files made by vrcgen and a writer that keeps every report sent.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <span>
#include <vector>

#include "protocol/box_commands.h"
#include "app/shell/places_in_folder.h"
#include "shell/program_places.h"

namespace veltrasko::testing {

inline ProgramPlaces PlacesIn(const QTemporaryDir& folder) { return PlacesInFolder(folder.path()); }

// Writes a record file with vrcgen; the extra arguments go before the path.
inline QString MakeRecordFile(const QTemporaryDir& folder, const QString& name, QStringList arguments) {
  const QString path = folder.filePath(name);
  const QString vrcgen = qEnvironmentVariable("VRCGEN", VELTRASKO_VRCGEN);
  arguments << path;
  EXPECT_EQ(QProcess::execute(vrcgen, arguments), 0) << qPrintable(vrcgen);
  return path;
}

class RecordingWriter : public ReportWriter {
 public:
  void WriteReport(std::span<const std::uint8_t> report) override { reports.emplace_back(report.begin(), report.end()); }
  std::vector<std::vector<std::uint8_t>> reports;
};

}  // namespace veltrasko::testing
