// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <sstream>

#include "export/session_summary.h"
#include "tool_fixture.h"

namespace veltrasko::test {
namespace {

// The export columns the FIT file carries, as the CSV export wrote them.
struct CsvRow {
  double Distance, Speed, Power, StrokeRate, PaddleTime, ClockTime, HeartRate;
};

std::vector<CsvRow> StrokeLines(const std::string& csv) {
  std::vector<CsvRow> rows;
  std::istringstream lines(csv.substr(csv.find("Heartrate")));
  std::string line;
  std::getline(lines, line);  // the heading
  while (std::getline(lines, line)) {
    std::vector<double> v;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, ';');)
      if (cell.find_first_not_of(' ') != std::string::npos) v.push_back(std::stod(cell));
    rows.push_back({v[1], v[2], v[4], v[6], v[12], v[13], v[14]});
  }
  return rows;
}

// The box's 32-bit tick counters run over after 2^32 / 500000 s; times in
// the rows then start again from 0, and are counted on here.
struct RunOver {
  double Previous = 0, Added = 0;
  double operator()(double seconds) {
    if (Previous - seconds > 4000) Added += 4294967296.0 / 500000;
    Previous = seconds;
    return Added + seconds;
  }
};

// Equal within half a unit of the FIT field and half a unit of the CSV column
// (none for the summary's figures, which are not rounded).
#define EXPECT_WITHIN(fit, csv, fitUnit, csvUnit) EXPECT_NEAR((fit), (csv), ((fitUnit) + (csvUnit)) / 2.0 + 1e-9)

// A lap's or the session's figures against the session summary's (FIT
// field names are the same in both messages).
void ExpectFigures(const QJsonObject& m, const SessionSummary& e) {
  EXPECT_EQ(m["totalCycles"].toInt(), static_cast<int>(e.Strokes));
  EXPECT_WITHIN(m["totalDistance"].toDouble(), e.Distance, 0.01, 0);
  EXPECT_WITHIN(m["totalTimerTime"].toDouble(), e.PaddleTime, 0.001, 0);
  EXPECT_WITHIN(m["totalElapsedTime"].toDouble(), e.ClockTime, 0.001, 0);
  EXPECT_WITHIN(m["enhancedAvgSpeed"].toDouble(), *e.AverageSpeed, 0.001, 0);
  EXPECT_WITHIN(m["enhancedMaxSpeed"].toDouble(), e.MaxSpeed, 0.001, 0);
  EXPECT_WITHIN(m["avgPower"].toDouble(), *e.AveragePower, 1, 0);
  EXPECT_WITHIN(m["maxPower"].toDouble(), e.MaxPower, 1, 0);
  EXPECT_WITHIN(m["avgCadence"].toDouble(), *e.AverageStrokeRate, 1, 0);
  EXPECT_WITHIN(m["maxCadence"].toDouble(), e.MaxStrokeRate, 1, 0);
  EXPECT_WITHIN(m["totalWork"].toDouble(), e.TotalWork, 1, 0);
  EXPECT_EQ(m["sport"].toString(), "kayaking");
  EXPECT_EQ(m["subSport"].toString(), "generic");
  if (!e.AverageHeartRate) {
    EXPECT_FALSE(m.contains("avgHeartRate"));
    EXPECT_FALSE(m.contains("maxHeartRate"));
  } else {
    EXPECT_WITHIN(m["avgHeartRate"].toDouble(), *e.AverageHeartRate, 1, 0);
    EXPECT_WITHIN(m["maxHeartRate"].toDouble(), *e.MaxHeartRate, 1, 0);
  }
  // The right's share, flagged as the right's.
  const int balance = m["leftRightBalance"].toInt();
  EXPECT_TRUE(balance & 0x8000) << balance;
  EXPECT_WITHIN((balance & 0x3FFF) / 100.0, 100.0 - *e.LeftPowerPercent, 0.01, 0);
}

class FitJudge : public ToolTest {
 protected:
  struct Judged {
    QJsonObject Fit;
    std::vector<CsvRow> Rows;
    std::vector<SessionSummary> Sessions;  // what "Session summary..." shows
  };

  // A record file made with vrcgen's options, exported to CSV (m/s,
  // semicolons) and to FIT by the exporter, and the FIT file decoded.
  Judged MakeAndJudge(const std::vector<std::string>& vrcgenOptions) {
    const std::string record = MakeRecord("run.vrc", vrcgenOptions);
    const ProcessResult csv = RunExportTool({"--speed", "ms", "--separator", "semicolon", record});
    const ProcessResult fit = RunExportTool({"--format", "fit", record});
    EXPECT_EQ(csv.ExitCode, 0) << csv.Err;
    EXPECT_EQ(fit.ExitCode, 0) << fit.Err;
    Judged judged{Decode(File("run.fit")), StrokeLines(ReadWholeText(File("run.csv"))), {}};
    judged.Sessions = SummariseSessions(OpenedRecord(record).Strokes());
    return judged;
  }

  QJsonObject Decode(const std::string& fitPath) {
    const ProcessResult decoded = RunProcess(VELTRASKO_NODE, {VELTRASKO_FIT_DECODER, VELTRASKO_FITSDK_PREFIX, fitPath},
                                             std::filesystem::path(fitPath).parent_path().string());
    EXPECT_EQ(decoded.ExitCode, 0) << decoded.Err;
    const QJsonObject fit = QJsonDocument::fromJson(QByteArray::fromStdString(decoded.Out)).object();
    EXPECT_TRUE(fit["isFit"].toBool());
    EXPECT_TRUE(fit["integrity"].toBool());
    EXPECT_TRUE(fit["errors"].toArray().isEmpty()) << decoded.Out.substr(0, 400);
    return fit;
  }

  // Every row is one record, at the session's start plus its clock time, at
  // the distance paddled in the whole file so far.
  static void ExpectRecords(const Judged& judged) {
    const QJsonArray records = judged.Fit["records"].toArray();
    ASSERT_EQ(records.size(), static_cast<qsizetype>(judged.Rows.size()));
    const QJsonArray laps = judged.Fit["laps"].toArray();
    ASSERT_EQ(laps.size(), static_cast<qsizetype>(judged.Sessions.size()));
    double distanceBefore = 0;
    double previousTime = 0;
    for (std::size_t s = 0; s < judged.Sessions.size(); ++s) {
      const SessionSummary& session = judged.Sessions[s];
      const CsvRow& first = judged.Rows[session.FirstRow];
      const double start = laps[static_cast<qsizetype>(s)].toObject()["startTime"].toDouble();
      RunOver clock;
      for (std::size_t i = session.FirstRow; i < session.FirstRow + session.Strokes; ++i) {
        const CsvRow& row = judged.Rows[i];
        const QJsonObject record = records[static_cast<qsizetype>(i)].toObject();
        SCOPED_TRACE("row " + std::to_string(i));
        EXPECT_WITHIN(record["distance"].toDouble(), distanceBefore + row.Distance, 0.01, 0.01);
        EXPECT_WITHIN(record["enhancedSpeed"].toDouble(), row.Speed, 0.001, 0.001);
        EXPECT_WITHIN(record["cadence"].toDouble(), row.StrokeRate, 1, 0.1);
        EXPECT_WITHIN(record["power"].toDouble(), row.Power, 1, 0.001);
        if (row.HeartRate == 0)
          EXPECT_FALSE(record.contains("heartRate"));
        else
          EXPECT_EQ(record["heartRate"].toDouble(), row.HeartRate);
        const double time = record["timestamp"].toDouble();
        EXPECT_NEAR(time, start + clock(row.ClockTime) - first.ClockTime + first.PaddleTime, 1.0);
        EXPECT_GE(time, previousTime);
        previousTime = time;
        if (::testing::Test::HasFailure()) return;  // one row's faults say enough
      }
      distanceBefore += session.Distance;
    }
  }

  // The laps carry each session's figures, the session message those of all
  // together, as the session summary has them.
  static void ExpectTotals(const Judged& judged) {
    const QJsonArray laps = judged.Fit["laps"].toArray();
    for (std::size_t s = 0; s < judged.Sessions.size(); ++s) {
      SCOPED_TRACE("lap " + std::to_string(s));
      ExpectFigures(laps[static_cast<qsizetype>(s)].toObject(), judged.Sessions[s]);
    }
    const QJsonArray sessions = judged.Fit["sessions"].toArray();
    ASSERT_EQ(sessions.size(), 1);
    SCOPED_TRACE("session");
    const QJsonObject session = sessions[0].toObject();
    ExpectFigures(session, CombinedSummary(judged.Sessions));
    EXPECT_EQ(session["numLaps"].toInt(), static_cast<int>(judged.Sessions.size()));
    EXPECT_EQ(session["startTime"].toDouble(), laps[0].toObject()["startTime"].toDouble());
  }
};

TEST_F(FitJudge, OneSessionIsReadAsTheExportShowsIt) {
  const Judged judged = MakeAndJudge({"--strokes", "300", "--seed", "3"});
  ExpectRecords(judged);
  ExpectTotals(judged);

  const QJsonObject file = judged.Fit["fileId"].toArray()[0].toObject();
  EXPECT_EQ(file["type"].toString(), "activity");
  EXPECT_EQ(file["manufacturer"].toString(), "development");
  const QJsonObject device = judged.Fit["deviceInfo"].toArray()[0].toObject();
  EXPECT_EQ(device["productName"].toString(), "Veltrasko Analyser");
  EXPECT_EQ(device["softwareVersion"].toDouble(), 1.61);
  const QJsonArray events = judged.Fit["events"].toArray();
  ASSERT_EQ(events.size(), 2);
  EXPECT_EQ(events[0].toObject()["eventType"].toString(), "start");
  EXPECT_EQ(events[1].toObject()["eventType"].toString(), "stopAll");
  const QJsonObject activity = judged.Fit["activities"].toArray()[0].toObject();
  EXPECT_EQ(activity["numSessions"].toInt(), 1);
  EXPECT_EQ(activity["timestamp"].toDouble(), events[1].toObject()["timestamp"].toDouble());
}

TEST_F(FitJudge, TwoSessionsInOneFileFollowOnInTimeAndDistance) {
  const Judged judged = MakeAndJudge({"--strokes", "150", "--sessions", "2", "--seed", "5"});
  ASSERT_EQ(judged.Sessions.size(), 2u);
  ExpectRecords(judged);
  ExpectTotals(judged);
  const QJsonArray laps = judged.Fit["laps"].toArray();
  EXPECT_EQ(laps[1].toObject()["startTime"].toDouble(), laps[0].toObject()["timestamp"].toDouble());
}

TEST_F(FitJudge, PausesCountInTheElapsedTimeOnly) {
  const Judged judged = MakeAndJudge({"--strokes", "200", "--pause-every", "40"});
  ExpectRecords(judged);
  ExpectTotals(judged);
  const QJsonObject session = judged.Fit["sessions"].toArray()[0].toObject();
  EXPECT_GT(session["totalElapsedTime"].toDouble(), session["totalTimerTime"].toDouble() + 2);
}

TEST_F(FitJudge, WithoutHeartRateNoRecordCarriesOne) {
  const Judged judged = MakeAndJudge({"--strokes", "100", "--no-heart-rate"});
  ExpectRecords(judged);
  ExpectTotals(judged);
}

// 100000 strokes take longer than the box's tick counters last: the times
// run on past their run-over.
TEST_F(FitJudge, AFullTableOfStrokesIsReadWhole) {
  const Judged judged = MakeAndJudge({"--strokes", "100000", "--seed", "8"});
  EXPECT_GT(judged.Rows.size(), 99000u);
  ExpectRecords(judged);
  ExpectTotals(judged);
  RunOver paddle;
  double paddleTime = 0;
  for (const CsvRow& row : judged.Rows) paddleTime = paddle(row.PaddleTime);
  EXPECT_GT(paddleTime, 4294967296.0 / 500000);
  EXPECT_NEAR(judged.Sessions.back().PaddleTime, paddleTime, 0.002);
}

}  // namespace
}  // namespace veltrasko::test
