// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/series_catalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace veltrasko {
namespace {

// The graph pages show and hide series only through the boxes and lay out
// only the boxes their layout names: a series no box owns would never be
// shown, a box left out of a layout never seen.
TEST(SeriesCatalogueTest, EverySeriesFollowsOneBoxOfItsOwnChart) {
  std::map<int, int> owners;
  for (int box = 1; box <= ValueCheckBoxCount; ++box) {
    const CheckBoxEntry& entry = CheckBoxCatalogue[box - 1];
    for (int series : {entry.DistanceSeries, entry.TimeSeries}) {
      ++owners[series];
      EXPECT_EQ(OnChart2(box), series >= Chart2FirstSeries) << "CheckBox" << box << " Series" << series;
      EXPECT_EQ(ValueLeadBox(SeriesCatalogue[series - 1].CaptionCheckBox), ValueLeadBox(box)) << "Series" << series;
    }
  }
  EXPECT_EQ(owners.size(), static_cast<std::size_t>(SeriesCount));
  for (const auto& [series, count] : owners) EXPECT_EQ(count, 1) << "Series" << series;
  EXPECT_EQ(CheckBoxCatalogue[0].DistanceSeries, SpeedDistanceSeries);
  EXPECT_EQ(CheckBoxCatalogue[0].TimeSeries, SpeedTimeSeries);
}

TEST(SeriesCatalogueTest, LayoutsShowEveryBoxOnceWithEachValueNamedOnceInTheTitles) {
  std::set<int> laidOut;
  for (int lead : Chart1BoxLayout) laidOut.insert(lead);
  for (int lead : Chart2BoxLayout) laidOut.insert({lead, ValuePartnerBox(lead)});
  EXPECT_EQ(laidOut.size(), static_cast<std::size_t>(ValueCheckBoxCount));
  EXPECT_EQ(*laidOut.begin(), 1);
  EXPECT_EQ(*laidOut.rbegin(), ValueCheckBoxCount);
  EXPECT_EQ(std::set<int>(Chart1TitleOrder.begin(), Chart1TitleOrder.end()),
            std::set<int>(Chart1BoxLayout.begin(), Chart1BoxLayout.end()));
  EXPECT_EQ(std::set<int>(Chart2TitleOrder.begin(), Chart2TitleOrder.end()),
            std::set<int>(Chart2BoxLayout.begin(), Chart2BoxLayout.end()));
}

}  // namespace
}  // namespace veltrasko
