// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "dialogs/radio_group.h"
#include "options_fixture.h"

namespace veltrasko {
namespace {

namespace off = SettingsOffset;

UserSettings Customised() {
  UserSettings settings = UserSettings::Defaults();
  settings.SetOnlineWindowDistance(500);
  settings.SetOnlineWindowTime(90);
  settings.SetViewAll(1);
  settings.SetSpeedUnit(SpeedUnitCode::MetresPerSecond);
  settings.SetLineWidthLevel(3);
  settings.SetAverageFilter(10);
  settings.SetDecimalSymbol(1);
  settings.SetSeparatorSymbol(2);
  return settings;
}

TEST_F(OptionsTest, EveryOpeningReadsTheFileIntoTheControlsAndMemory) {
  TOption& option = OpenOn(Customised());
  EXPECT_EQ(option.objectName(), "Option");
  EXPECT_EQ(option.windowTitle(), "Options");
  EXPECT_TRUE(option.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(option.PageControl().tabText(option.PageControl().currentIndex()), "Graph");
  EXPECT_EQ(settings_, Customised());

  EXPECT_EQ(option.DistanceEdit().text(), "500");
  EXPECT_EQ(option.TimeEdit().text(), "90");
  EXPECT_TRUE(option.ViewAllCheckBox().isChecked());
  EXPECT_FALSE(option.EnlargeTextCheckBox().isChecked());
  EXPECT_EQ(option.Speed_RadioGroup().ItemIndex(), 0);
  EXPECT_EQ(option.seperator().ItemIndex(), 2);
  EXPECT_EQ(option.decimal().ItemIndex(), 1);
  EXPECT_EQ(option.LineWidth().placeholderText(), "Thick line");
  EXPECT_EQ(option.LineWidth().currentIndex(), -1);
  EXPECT_EQ(option.LineWidth().count(), 3);
  EXPECT_EQ(option.Filter_ComboBox().placeholderText(), "10 strokes");
  EXPECT_EQ(option.Filter_ComboBox().currentIndex(), -1);
  EXPECT_EQ(option.Filter_ComboBox().itemText(0), "No filter");
  EXPECT_EQ(option.Filter_ComboBox().itemText(5), "10 strokes");
  EXPECT_FALSE(option.ChangedMark());

  // Changed by hand while the dialog was hidden: the next opening shows it.
  option.hide();
  WriteFile(UserSettings::Defaults());
  option.show();
  EXPECT_EQ(option.DistanceEdit().text(), "250");
  EXPECT_EQ(option.LineWidth().placeholderText(), "Normal line");
  EXPECT_EQ(settings_, UserSettings::Defaults());
}

TEST_F(OptionsTest, AnUnreadableFileLeavesMemoryInForce) {
  settings_ = Customised();
  dialog_.show();
  EXPECT_EQ(settings_, Customised());
  EXPECT_EQ(dialog_.DistanceEdit().text(), "500");
  EXPECT_EQ(dialog_.Filter_ComboBox().placeholderText(), "10 strokes");
}

TEST_F(OptionsTest, ADistanceIsReadFromItsLeadingDigits) {
  TOption& option = OpenOn(UserSettings::Defaults());
  option.DistanceEdit().setText("12abc");
  option.ApplyClick();
  EXPECT_TRUE(messages_.Texts.empty());
  EXPECT_TRUE(option.AppliedMark());
  EXPECT_EQ(settings_.OnlineWindowDistance(), 12);
  const Bytes file = FileBytes();
  ASSERT_EQ(file.size(), UserSettingsLength);
  EXPECT_EQ(Bytes(file.begin() + off::OnlineWindowDistance, file.begin() + off::OnlineWindowDistance + 4),
            (Bytes{12, 0, 0, 0}));
}

TEST_F(OptionsTest, LettersZeroAndNegativeDistancesAreRefusedAndNothingIsWritten) {
  TOption& option = OpenOn(UserSettings::Defaults());
  const Bytes before = FileBytes();
  for (const char* text : {"abc", "0", "-5", ""}) {
    option.DistanceEdit().setText(text);
    option.ApplyClick();
    EXPECT_FALSE(option.AppliedMark()) << text;
  }
  EXPECT_EQ(messages_.Texts, std::vector<std::string>(4, "Invalid distance input!"));
  EXPECT_EQ(FileBytes(), before);
  EXPECT_TRUE(graphs_.LineWidths.empty());
  EXPECT_EQ(settings_.OnlineWindowDistance(), 250);
}

TEST_F(OptionsTest, ARefusedTimeKeepsTheDistanceInMemoryOnlyUntilTheNextOpening) {
  TOption& option = OpenOn(Customised());
  const Bytes before = FileBytes();
  option.DistanceEdit().setText("250");
  option.TimeEdit().setText("0");
  option.OKClick();
  EXPECT_EQ(messages_.Texts, std::vector<std::string>{"Invalid time input!"});
  EXPECT_EQ(settings_.OnlineWindowDistance(), 250);
  EXPECT_EQ(settings_.OnlineWindowTime(), 90);
  EXPECT_EQ(FileBytes(), before);
  EXPECT_TRUE(option.isVisible());
  EXPECT_FALSE(option.AppliedMark());

  option.CancelClick();
  EXPECT_FALSE(option.isVisible());
  option.show();
  EXPECT_EQ(settings_.OnlineWindowDistance(), 500);
}

TEST_F(OptionsTest, FieldsLongerThanSixCharactersAreRefusedWithTheirOwnMessage) {
  UserSettings handEdited = Customised();
  handEdited.SetOnlineWindowDistance(1234567);
  handEdited.SetOnlineWindowTime(-123456);
  TOption& option = OpenOn(handEdited);
  EXPECT_EQ(option.DistanceEdit().text(), "1234567");
  EXPECT_EQ(option.TimeEdit().text(), "-123456");
  option.ApplyClick();
  option.DistanceEdit().setText("100");
  option.ApplyClick();
  EXPECT_EQ(messages_.Texts, (std::vector<std::string>{"No more than 6 digits is allowed in the distance field!",
                                                       "No more than 6 digits is allowed in the time field!"}));
  EXPECT_EQ(FileBytes(), BytesOf(handEdited));
}

TEST_F(OptionsTest, TypingNeverLengthensAFieldBeyondSixCharacters) {
  UserSettings handEdited = Customised();
  handEdited.SetOnlineWindowTime(12345678);
  TOption& option = OpenOn(handEdited);
  QLineEdit& time = option.TimeEdit();
  time.end(false);
  time.insert("9");
  EXPECT_EQ(time.text(), "12345678");
  time.backspace();
  time.backspace();
  time.insert("9");
  EXPECT_EQ(time.text(), "123456");
  QLineEdit& distance = option.DistanceEdit();
  distance.end(false);
  distance.insert("1234");
  EXPECT_EQ(distance.text(), "500123");
}

TEST_F(OptionsTest, ChangingOnlyTheSpeedUnitRedrawsOnceWithoutSettingUpTheAxes) {
  TOption& option = OpenOn(UserSettings::Defaults());
  option.Speed_RadioGroup().Item(0).click();
  EXPECT_FALSE(option.ChangedMark());
  option.ApplyClick();
  EXPECT_EQ(graphs_.Redraws, 1);
  EXPECT_EQ(graphs_.AxisSetUps, 0);
  EXPECT_EQ(graphs_.LineWidths, std::vector<std::int16_t>{2});
  EXPECT_EQ(FileBytes(), BytesOf(DefaultsWith(off::SpeedUnit, 0)));
  // The same unit again is no change.
  option.ApplyClick();
  EXPECT_EQ(graphs_.Redraws, 1);
}

TEST_F(OptionsTest, ChosenFiltersAreStoredRedrawnAndTheAxesSetUpAgain) {
  TOption& option = OpenOn(UserSettings::Defaults());
  Choose(option.Filter_ComboBox(), 0);
  EXPECT_TRUE(option.ChangedMark());
  option.ApplyClick();
  EXPECT_EQ(settings_.AverageFilter(), 1);
  EXPECT_EQ(FileBytes()[off::AverageFilter], 1);
  EXPECT_EQ(graphs_.Redraws, 1);
  EXPECT_EQ(graphs_.AxisSetUps, 1);
  EXPECT_FALSE(option.ChangedMark());

  Choose(option.Filter_ComboBox(), 5);
  option.OKClick();
  EXPECT_EQ(settings_.AverageFilter(), 10);
  EXPECT_EQ(FileBytes()[off::AverageFilter], 10);
  EXPECT_EQ(graphs_.Redraws, 2);
  EXPECT_FALSE(option.isVisible());

  // The list keeps its last choice; without a new one nothing is redrawn.
  option.show();
  option.Filter_ComboBox().setCurrentIndex(2);
  option.ApplyClick();
  EXPECT_EQ(graphs_.Redraws, 2);
  EXPECT_EQ(settings_.AverageFilter(), 10);
}

TEST_F(OptionsTest, WindowAndFlagChangesSetUpTheAxesButLineWidthAndSymbolsDoNot) {
  TOption& option = OpenOn(UserSettings::Defaults());
  option.LineWidth().setCurrentIndex(0);
  option.seperator().Item(0).click();
  option.decimal().Item(1).click();
  EXPECT_FALSE(option.ChangedMark());
  option.ApplyClick();
  EXPECT_EQ(graphs_.AxisSetUps, 0);
  EXPECT_EQ(graphs_.LineWidths, std::vector<std::int16_t>{1});

  option.EnlargeTextCheckBox().click();
  option.ViewAllCheckBox().click();
  option.TimeEdit().setText("120");
  option.ApplyClick();
  EXPECT_EQ(graphs_.AxisSetUps, 1);
  EXPECT_EQ(graphs_.Redraws, 0);
  UserSettings expected = UserSettings::Defaults();
  expected.SetLineWidthLevel(1);
  expected.SetSeparatorSymbol(0);
  expected.SetDecimalSymbol(1);
  expected.SetEnlargeAxisText(1);
  expected.SetViewAll(1);
  expected.SetOnlineWindowTime(120);
  EXPECT_EQ(settings_, expected);
  EXPECT_EQ(FileBytes(), BytesOf(expected));
}

TEST_F(OptionsTest, AHandEditedLineWidthShowsAnErrorAndIsKeptUntilTheNextStartRepairsIt) {
  const UserSettings handEdited = DefaultsWith(off::LineWidthLevel, 0);
  TOption& option = OpenOn(handEdited);
  EXPECT_EQ(option.LineWidth().placeholderText(), "ERROR");
  option.ApplyClick();
  EXPECT_EQ(settings_.LineWidthLevel(), 0);
  EXPECT_EQ(graphs_.LineWidths, std::vector<std::int16_t>{0});
  EXPECT_EQ(FileBytes(), BytesOf(handEdited));

  UserSettings nextStart;
  settingsFile_.LoadSettings(nextStart);
  EXPECT_EQ(nextStart.LineWidthLevel(), 2);
}

TEST_F(OptionsTest, UnusableFiltersAndWindowsFromAHandEditAreShownButNeverReachTheGraphs) {
  UserSettings handEdited = UserSettings::Defaults();
  handEdited.SetAverageFilter(0);
  handEdited.SetOnlineWindowDistance(0);
  handEdited.SetOnlineWindowTime(-3);
  TOption& option = OpenOn(handEdited);
  EXPECT_EQ(option.Filter_ComboBox().placeholderText(), "ERROR");
  EXPECT_EQ(option.DistanceEdit().text(), "0");
  EXPECT_EQ(option.TimeEdit().text(), "-3");
  EXPECT_EQ(settings_.AverageFilter(), 4);
  EXPECT_EQ(settings_.OnlineWindowDistance(), 250);
  EXPECT_EQ(settings_.OnlineWindowTime(), 60);

  option.ApplyClick();
  EXPECT_EQ(messages_.Texts, std::vector<std::string>{"Invalid distance input!"});
  option.DistanceEdit().setText("100");
  option.TimeEdit().setText("30");
  option.ApplyClick();
  EXPECT_EQ(FileBytes()[off::AverageFilter], 4);

  option.hide();
  WriteFile(DefaultsWith(off::AverageFilter, 200));
  option.show();
  EXPECT_EQ(settings_.AverageFilter(), 4);
}

TEST_F(OptionsTest, ApplyingUntouchedRewritesTheSameValuesAndOnlyTheLineWidth) {
  UserSettings inFile = Customised();
  Bytes longFile(inFile.Bytes.begin(), inFile.Bytes.end());
  longFile.resize(30, 0xAA);
  WriteFile(longFile);
  dialog_.show();
  dialog_.ApplyClick();
  EXPECT_EQ(FileBytes(), BytesOf(inFile));
  EXPECT_EQ(graphs_.LineWidths, std::vector<std::int16_t>{3});
  EXPECT_EQ(graphs_.Redraws, 0);
  EXPECT_EQ(graphs_.AxisSetUps, 0);
}

TEST_F(OptionsTest, UnknownCodesLeaveTheirGroupUnchosenAndAreKept) {
  UserSettings handEdited = DefaultsWith(off::SpeedUnit, 7);
  handEdited.SetSeparatorSymbol(9);
  TOption& option = OpenOn(handEdited);
  EXPECT_EQ(option.Speed_RadioGroup().ItemIndex(), -1);
  EXPECT_EQ(option.seperator().ItemIndex(), -1);
  option.ApplyClick();
  EXPECT_EQ(graphs_.Redraws, 0);
  EXPECT_EQ(FileBytes(), BytesOf(handEdited));
}

TEST_F(OptionsTest, DecimalCommaWithTheCommaSeparatorIsWarnedOfButStored) {
  UserSettings bothCommas = UserSettings::Defaults();
  bothCommas.SetDecimalSymbol(1);
  TOption& option = OpenOn(bothCommas);
  option.PageControl().setCurrentIndex(2);
  const QSize size = option.size();
  QLabel& warning = option.SymbolWarning();
  EXPECT_TRUE(warning.isVisible());
  EXPECT_TRUE(warning.text().startsWith("Warning: ")) << warning.text().toStdString();

  option.decimal().Item(0).click();
  EXPECT_FALSE(warning.isVisible());
  option.seperator().Item(0).click();
  option.decimal().Item(1).click();
  EXPECT_FALSE(warning.isVisible()) << "decimal comma and semicolons";
  option.seperator().Item(1).click();
  EXPECT_TRUE(warning.isVisible());
  EXPECT_EQ(option.size(), size) << "the dialog keeps the line's room";

  option.ApplyClick();
  EXPECT_TRUE(option.AppliedMark());
  EXPECT_EQ(FileBytes(), BytesOf(bothCommas));
}

TEST_F(OptionsTest, EnterInAFieldAppliesAndEscapeCloses) {
  TOption& option = OpenOn(UserSettings::Defaults());
  option.DistanceEdit().setText("300");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(&option.DistanceEdit(), &enter);
  EXPECT_EQ(settings_.OnlineWindowDistance(), 300);
  EXPECT_EQ(FileBytes()[off::OnlineWindowDistance], 300 - 256);
  EXPECT_TRUE(option.isVisible());

  option.DistanceEdit().setText("400");
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&option, &escape);
  EXPECT_FALSE(option.isVisible());
  EXPECT_EQ(settings_.OnlineWindowDistance(), 300);
}

}  // namespace
}  // namespace veltrasko
