// SPDX-License-Identifier: GPL-3.0-or-later
// The Personal data dialog, PersonData of class TPersonData: the name and
// fan resistance of the live session and of the opened record file side by
// side. The online column takes effect at the next record file; a changed
// file column is, after a question, appended to the opened record file.
// Not modal; created once and hidden between uses.
#pragma once

#include <QDialog>
#include <string_view>

#include "session/analyser_core.h"
#include "session/session_recorder.h"
#include "settings/personal_data.h"

class QLayout;
class QLineEdit;
class QPushButton;

namespace veltrasko {

inline constexpr int PersonNameMaxCharacters = 34;
inline constexpr int FanResistanceMaxCharacters = 3;
inline constexpr char PersonalDataCaption[] = "Personal data";
inline constexpr char ChangeFilePersonalDataQuestion[] = "Will you change the personal data for the file graph?";

class TPersonData : public QDialog {
  Q_OBJECT

 public:
  explicit TPersonData(AnalyserCore& core, QWidget* parent = nullptr, DateSource today = Today);

  // Runs at every opening: today's date for the online column, the opened
  // file's personal data for the file column.
  void FormShow();
  void ApplyClick();
  // Applies, then closes whatever the question was answered.
  void OKClick();
  void CancelClick();
  void NameOnlineChange();
  void NameFileChange();

  // What the live session and the record file reader show in the dialog.
  void ShowOnlineWeight(std::string_view weightText);
  void ShowFilePersonalData(const PersonalData& data);

  QLineEdit& NameOnline() const { return *nameOnline_; }
  QLineEdit& FanOnline() const { return *fanOnline_; }
  QLineEdit& WeightOnline() const { return *weightOnline_; }
  QLineEdit& DateOnline() const { return *dateOnline_; }
  QLineEdit& NameFile() const { return *nameFile_; }
  QLineEdit& FanFile() const { return *fanFile_; }
  QLineEdit& WeightFile() const { return *weightFile_; }
  QLineEdit& DateFile() const { return *dateFile_; }
  QPushButton& ApplyButton() const { return *applyButton_; }
  QPushButton& OKButton() const { return *okButton_; }
  QPushButton& CancelButton() const { return *cancelButton_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLayout* BuildColumns();
  QLayout* BuildButtons();
  bool UserConfirmsFileChange();
  void StoreFileColumn();

  AnalyserCore& core_;
  DateSource today_;

  QLineEdit* nameOnline_ = nullptr;
  QLineEdit* fanOnline_ = nullptr;
  QLineEdit* weightOnline_ = nullptr;
  QLineEdit* dateOnline_ = nullptr;
  QLineEdit* nameFile_ = nullptr;
  QLineEdit* fanFile_ = nullptr;
  QLineEdit* weightFile_ = nullptr;
  QLineEdit* dateFile_ = nullptr;
  QPushButton* applyButton_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace veltrasko
