// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/fit_activity.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "export/fit_encoder.h"
#include "export/tick_run_over.h"

namespace veltrasko {
namespace {

// Global message numbers and field values of the FIT profile.
enum FitMessage : std::uint16_t {
  FileId = 0,
  Session = 18,
  Lap = 19,
  Record = 20,
  Event = 21,
  DeviceInfo = 23,
  Activity = 34
};
enum LocalType : std::uint8_t {
  FileIdType,
  DeviceInfoType,
  EventType,
  RecordWithHeartRate,
  RecordType,
  LapType,
  SessionType,
  ActivityType
};
constexpr std::uint8_t ActivityFile = 4;
constexpr std::uint16_t DevelopmentManufacturer = 255;
constexpr std::uint16_t OurProduct = 1;
constexpr std::uint32_t OurSerialNumber = 1;
constexpr std::uint8_t CreatorDevice = 0;
constexpr std::uint8_t TimerEvent = 0, SessionEvent = 8, LapEvent = 9, ActivityEvent = 26;
constexpr std::uint8_t StartEvent = 0, StopEvent = 1, StopAllEvent = 4;
constexpr std::uint8_t ManualLap = 0, SessionEndLap = 7;
constexpr std::uint8_t ActivityEndTrigger = 0;
constexpr std::uint8_t ManualActivity = 0;
constexpr std::uint8_t Kayaking = 41;
constexpr std::uint8_t GenericSubSport = 0;
constexpr std::uint16_t RightBalanceFlag = 0x8000;
constexpr std::size_t ProductNameSize = 20;

// FIT times count seconds from 1989-12-31 00:00 UTC; values below 0x10000000
// mean seconds since power-up, so no time may fall there.
constexpr std::int64_t FitEpochUnix = 631065600;
constexpr std::int64_t EarliestFitTime = 0x10000000;

constexpr double Milli = 1000;  // s and m/s in thousandths
constexpr double Centi = 100;   // m and % in hundredths

using F = FitField;
constexpr FitBaseType E = FitBaseType::Enum, U8 = FitBaseType::UInt8, U16 = FitBaseType::UInt16,
                      U32 = FitBaseType::UInt32, U32z = FitBaseType::UInt32z;

constexpr F FileIdFields[] = {{0, 1, E}, {1, 2, U16}, {2, 2, U16}, {3, 4, U32z}, {4, 4, U32}};
constexpr F DeviceInfoFields[] = {{253, 4, U32},
                                  {0, 1, U8},
                                  {2, 2, U16},
                                  {3, 4, U32z},
                                  {4, 2, U16},
                                  {5, 2, U16},
                                  {27, ProductNameSize, FitBaseType::String}};
constexpr F EventFields[] = {{253, 4, U32}, {0, 1, E}, {1, 1, E}};
constexpr F RecordFields[] = {{253, 4, U32}, {5, 4, U32}, {73, 4, U32}, {4, 1, U8}, {7, 2, U16}, {3, 1, U8}};
constexpr std::size_t RecordFieldsWithoutHeartRate = 5;
constexpr F LapFields[] = {{254, 2, U16}, {253, 4, U32}, {0, 1, E},     {1, 1, E},    {2, 4, U32},  {7, 4, U32},
                           {8, 4, U32},   {9, 4, U32},   {10, 4, U32},  {13, 2, U16}, {14, 2, U16}, {15, 1, U8},
                           {16, 1, U8},   {17, 1, U8},   {18, 1, U8},   {19, 2, U16}, {20, 2, U16}, {34, 2, U16},
                           {41, 4, U32},  {110, 4, U32}, {111, 4, U32}, {24, 1, E},   {25, 1, E},   {39, 1, E}};
constexpr F SessionFields[] = {{254, 2, U16}, {253, 4, U32}, {0, 1, E},     {1, 1, E},    {2, 4, U32},  {7, 4, U32},
                               {8, 4, U32},   {9, 4, U32},   {10, 4, U32},  {14, 2, U16}, {15, 2, U16}, {16, 1, U8},
                               {17, 1, U8},   {18, 1, U8},   {19, 1, U8},   {20, 2, U16}, {21, 2, U16}, {37, 2, U16},
                               {48, 4, U32},  {124, 4, U32}, {125, 4, U32}, {25, 2, U16}, {26, 2, U16}, {28, 1, E},
                               {5, 1, E},     {6, 1, E}};
constexpr F ActivityFields[] = {{253, 4, U32}, {0, 4, U32}, {1, 2, U16}, {2, 1, E}, {3, 1, E}, {4, 1, E}, {5, 4, U32}};

// value * scale rounded, kept below the field's invalid value; a value that
// is not a number has none.
template <typename Unsigned>
Unsigned Scaled(double value, double scale = 1) {
  constexpr Unsigned invalid = std::numeric_limits<Unsigned>::max();
  const double scaled = value * scale;
  if (std::isnan(scaled)) return invalid;
  if (scaled <= 0) return 0;
  if (scaled >= invalid - 1) return invalid - 1;
  return static_cast<Unsigned>(std::llround(scaled));
}

// "1.61" as 161, read without the locale, which may want a decimal comma.
std::uint16_t VersionHundredths(std::string_view version) {
  const std::size_t point = version.find('.');
  const std::string_view whole = version.substr(0, point);
  const std::string_view hundredths = point == std::string_view::npos ? "0" : version.substr(point + 1, 2);
  unsigned major = 0;
  unsigned minor = 0;
  std::from_chars(whole.data(), whole.data() + whole.size(), major);
  std::from_chars(hundredths.data(), hundredths.data() + hundredths.size(), minor);
  return Scaled<std::uint16_t>(major * 100.0 + (hundredths.size() == 1 ? minor * 10 : minor));
}

std::uint32_t FitTime(double unixSeconds) {
  const std::int64_t fitTime = std::llround(unixSeconds) - FitEpochUnix;
  return static_cast<std::uint32_t>(std::clamp<std::int64_t>(fitTime, EarliestFitTime, FitInvalidU32 - 1));
}

// What laps and the session share, in the order of their field lists.
void PutFigures(FitEncoder& fit, const SessionSummary& summary) {
  fit.PutU32(Scaled<std::uint32_t>(summary.ClockTime, Milli));
  fit.PutU32(Scaled<std::uint32_t>(summary.PaddleTime, Milli));
  fit.PutU32(Scaled<std::uint32_t>(summary.Distance, Centi));
  fit.PutU32(summary.Strokes);
  const double averageSpeed = summary.AverageSpeed.value_or(0);
  fit.PutU16(Scaled<std::uint16_t>(averageSpeed, Milli));
  fit.PutU16(Scaled<std::uint16_t>(summary.MaxSpeed, Milli));
  fit.PutU8(summary.AverageHeartRate ? Scaled<std::uint8_t>(*summary.AverageHeartRate) : FitInvalidU8);
  fit.PutU8(summary.MaxHeartRate ? Scaled<std::uint8_t>(*summary.MaxHeartRate) : FitInvalidU8);
  fit.PutU8(Scaled<std::uint8_t>(summary.AverageStrokeRate.value_or(0)));
  fit.PutU8(Scaled<std::uint8_t>(summary.MaxStrokeRate));
  fit.PutU16(Scaled<std::uint16_t>(summary.AveragePower.value_or(0)));
  fit.PutU16(Scaled<std::uint16_t>(summary.MaxPower));
  // The balance names its side: the right's share, flagged as the right's.
  const std::optional<double> left = summary.LeftPowerPercent;
  fit.PutU16(left ? static_cast<std::uint16_t>(Scaled<std::uint16_t>(100 - *left, Centi) | RightBalanceFlag)
                  : FitInvalidU16);
  fit.PutU32(Scaled<std::uint32_t>(summary.TotalWork));
  fit.PutU32(Scaled<std::uint32_t>(averageSpeed, Milli));
  fit.PutU32(Scaled<std::uint32_t>(summary.MaxSpeed, Milli));
}

void PutEvent(FitEncoder& fit, std::uint32_t time, std::uint8_t eventType) {
  fit.Begin(EventType);
  fit.PutU32(time);
  fit.PutU8(TimerEvent);
  fit.PutU8(eventType);
}

void PutHead(FitEncoder& fit, std::uint32_t start, std::string_view softwareVersion) {
  fit.Define(FileIdType, FileId, FileIdFields);
  fit.Begin(FileIdType);
  fit.PutU8(ActivityFile);
  fit.PutU16(DevelopmentManufacturer);
  fit.PutU16(OurProduct);
  fit.PutU32(OurSerialNumber);
  fit.PutU32(start);

  fit.Define(DeviceInfoType, DeviceInfo, DeviceInfoFields);
  fit.Begin(DeviceInfoType);
  fit.PutU32(start);
  fit.PutU8(CreatorDevice);
  fit.PutU16(DevelopmentManufacturer);
  fit.PutU32(OurSerialNumber);
  fit.PutU16(OurProduct);
  fit.PutU16(VersionHundredths(softwareVersion));
  fit.PutText(FitProductName, ProductNameSize);

  fit.Define(EventType, Event, EventFields);
  PutEvent(fit, start, StartEvent);
  fit.Define(RecordWithHeartRate, Record, RecordFields);
  fit.Define(RecordType, Record, std::span(RecordFields).first(RecordFieldsWithoutHeartRate));
  fit.Define(LapType, Lap, LapFields);
}

// Where a session's clock and distance begin within the activity.
struct SessionPlace {
  double StartUnix;
  double DistanceBefore;
};

void PutRecord(FitEncoder& fit, const StrokeRow& row, double clockTime, const SessionPlace& place) {
  const bool heartRate = row.HeartRate != 0;
  fit.Begin(heartRate ? RecordWithHeartRate : RecordType);
  fit.PutU32(FitTime(place.StartUnix + clockTime));
  fit.PutU32(Scaled<std::uint32_t>(place.DistanceBefore + row.TotalDistance, Centi));
  fit.PutU32(Scaled<std::uint32_t>(row.Speed, Milli));
  fit.PutU8(Scaled<std::uint8_t>(row.StrokeRate));
  fit.PutU16(Scaled<std::uint16_t>(row.Power));
  if (heartRate) fit.PutU8(Scaled<std::uint8_t>(row.HeartRate));
}

void PutLap(FitEncoder& fit, std::uint16_t index, bool last, const SessionSummary& session, const SessionPlace& place) {
  fit.Begin(LapType);
  fit.PutU16(index);
  fit.PutU32(FitTime(place.StartUnix + session.ClockTime));
  fit.PutU8(LapEvent);
  fit.PutU8(StopEvent);
  fit.PutU32(FitTime(place.StartUnix));
  PutFigures(fit, session);
  fit.PutU8(last ? SessionEndLap : ManualLap);
  fit.PutU8(Kayaking);
  fit.PutU8(GenericSubSport);
}

void PutTail(FitEncoder& fit, const FitActivitySource& source, const SessionSummary& all) {
  const std::uint32_t start = FitTime(static_cast<double>(source.StartUnix));
  const std::uint32_t end = FitTime(static_cast<double>(source.StartUnix) + all.ClockTime);
  fit.Define(SessionType, Session, SessionFields);
  fit.Begin(SessionType);
  fit.PutU16(0);
  fit.PutU32(end);
  fit.PutU8(SessionEvent);
  fit.PutU8(StopEvent);
  fit.PutU32(start);
  PutFigures(fit, all);
  fit.PutU16(0);
  fit.PutU16(static_cast<std::uint16_t>(source.Sessions.size()));
  fit.PutU8(ActivityEndTrigger);
  fit.PutU8(Kayaking);
  fit.PutU8(GenericSubSport);

  fit.Define(ActivityType, Activity, ActivityFields);
  fit.Begin(ActivityType);
  fit.PutU32(end);
  fit.PutU32(Scaled<std::uint32_t>(all.PaddleTime, Milli));
  fit.PutU16(1);
  fit.PutU8(ManualActivity);
  fit.PutU8(ActivityEvent);
  fit.PutU8(StopEvent);
  fit.PutU32(static_cast<std::uint32_t>(static_cast<std::int64_t>(end) + source.LocalOffset));
}

}  // namespace

std::vector<std::uint8_t> EncodeFitActivity(const FitActivitySource& source) {
  constexpr std::size_t RecordBytes = 17;
  FitEncoder fit(RecordBytes * source.Strokes.Count() + 1024);
  PutHead(fit, FitTime(static_cast<double>(source.StartUnix)), source.SoftwareVersion);

  SessionPlace place{static_cast<double>(source.StartUnix), 0};
  for (std::size_t s = 0; s < source.Sessions.size(); ++s) {
    const SessionSummary& session = source.Sessions[s];
    RunOverTime clock;
    for (std::uint32_t r = session.FirstRow; r < session.FirstRow + session.Strokes; ++r) {
      const StrokeRow& row = source.Strokes[r];
      PutRecord(fit, row, clock(row.ClockTime) - session.ClockOrigin, place);
    }
    const bool last = s + 1 == source.Sessions.size();
    if (last) PutEvent(fit, FitTime(place.StartUnix + session.ClockTime), StopAllEvent);
    PutLap(fit, static_cast<std::uint16_t>(s), last, session, place);
    place.StartUnix += session.ClockTime;
    place.DistanceBefore += session.Distance;
  }
  PutTail(fit, source, CombinedSummary(source.Sessions));
  return std::move(fit).Finish();
}

bool WriteFitExport(const std::string& path, const ExportSource& source, std::optional<LocalSeconds> givenStart,
                    std::string_view softwareVersion) {
  const std::vector<SessionSummary> sessions = SummariseSessions(source.Strokes);
  const double clockTime = CombinedSummary(sessions).ClockTime;
  const std::int64_t start =
      ActivityStart(std::string(source.RecordFilePath), source.Personal.SessionDate(), clockTime, givenStart);
  const std::int64_t end = start + std::llround(clockTime);
  const std::vector<std::uint8_t> bytes =
      EncodeFitActivity({source.Strokes, sessions, start, LocalFromUnix(end) - end, softwareVersion});

  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

std::string ProposedFitName(std::string_view recordPath) {
  const std::string base = ProposedExportName(recordPath);
  return base.empty() ? base : base + ".fit";
}

}  // namespace veltrasko
