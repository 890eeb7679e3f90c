// SPDX-License-Identifier: GPL-3.0-or-later
// The Options dialog, Option of class TOption: the online window lengths,
// "View all", the axis text size, line width, averaging filter, speed unit
// and the two export symbols. Not modal; every opening re-reads the settings
// file, and "Apply" or "OK" check, store, have the graphs redrawn where a
// change needs it and write the file at once.
#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>
#include <string_view>

#include "screen/screen_sinks.h"
#include "settings/user_settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace veltrasko {

class RadioGroup;

// What an options change needs of the graphs.
class OptionsGraphs {
 public:
  // The pen width in pixels of every series.
  virtual void SetLineWidth(std::int16_t width) = 0;
  // Rebuilds the view shown with the filter length and speed unit in force.
  virtual void RedrawView() = 0;
  virtual void UpdateAxes() = 0;

 protected:
  ~OptionsGraphs() = default;
};

// A plain message box with one OK button over the widget given.
class DialogMessageBox final : public MessageSink {
 public:
  explicit DialogMessageBox(QWidget& owner) : owner_(owner) {}
  void ShowMessage(std::string_view text) override;

 private:
  QWidget& owner_;
};

class TOption : public QDialog {
  Q_OBJECT

 public:
  // The settings and graphs must outlive the dialog; the settings file is
  // the dialog's own. Messages go to a plain message box over the dialog.
  TOption(UserSettings& settings, SettingsFile settingsFile, OptionsGraphs& graphs, QWidget* parent = nullptr);
  TOption(UserSettings& settings, SettingsFile settingsFile, OptionsGraphs& graphs, MessageSink& messages,
          QWidget* parent = nullptr);

  // Fills the controls from the settings file; runs on every opening.
  void FormShow();
  void ApplyClick();
  // Closes the dialog only when the Apply it runs stored everything.
  void OKClick();
  void CancelClick();
  void DistanceEditChange();

  bool ChangedMark() const { return changed_; }
  bool AppliedMark() const { return applied_; }

  QTabWidget& PageControl() const { return *pageControl_; }
  QLineEdit& DistanceEdit() const { return *distanceEdit_; }
  QLineEdit& TimeEdit() const { return *timeEdit_; }
  QCheckBox& ViewAllCheckBox() const { return *viewAllCheckBox_; }
  QCheckBox& EnlargeTextCheckBox() const { return *enlargeTextCheckBox_; }
  QComboBox& LineWidth() const { return *lineWidth_; }
  QComboBox& Filter_ComboBox() const { return *filterComboBox_; }
  RadioGroup& Speed_RadioGroup() const { return *speedRadioGroup_; }
  RadioGroup& seperator() const { return *seperator_; }
  RadioGroup& decimal() const { return *decimal_; }
  // Shown on the export page while the decimal comma and the comma separator are both chosen.
  QLabel& SymbolWarning() const { return *symbolWarning_; }
  QPushButton& ApplyButton() const { return *applyButton_; }
  QPushButton& OKButton() const { return *okButton_; }
  QPushButton& CancelButton() const { return *cancelButton_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // messages null: the dialog's own message box.
  TOption(MessageSink* messages, UserSettings& settings, SettingsFile settingsFile, OptionsGraphs& graphs,
          QWidget* parent);
  QWidget* BuildOnlineGraphPage();
  QWidget* BuildGraphPage();
  QWidget* BuildExportPage();
  QLayout* BuildButtons();
  // Checks one window length field; the value, or nothing after the message.
  std::optional<std::int32_t> CheckedWindowLength(const QLineEdit& field, const char* tooLongMessage,
                                                  const char* invalidMessage);
  void StoreSymbolsAndFlags();
  void StoreSpeedUnit();
  void ShowSymbolWarning();

  UserSettings& settings_;
  const SettingsFile settingsFile_;
  OptionsGraphs& graphs_;
  DialogMessageBox ownMessages_{*this};
  MessageSink* messages_ = nullptr;
  bool changed_ = false;
  bool applied_ = false;

  QTabWidget* pageControl_ = nullptr;
  QLineEdit* distanceEdit_ = nullptr;
  QLineEdit* timeEdit_ = nullptr;
  QCheckBox* viewAllCheckBox_ = nullptr;
  QCheckBox* enlargeTextCheckBox_ = nullptr;
  QComboBox* lineWidth_ = nullptr;
  QComboBox* filterComboBox_ = nullptr;
  RadioGroup* speedRadioGroup_ = nullptr;
  RadioGroup* seperator_ = nullptr;
  RadioGroup* decimal_ = nullptr;
  QLabel* symbolWarning_ = nullptr;
  QPushButton* applyButton_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace veltrasko
