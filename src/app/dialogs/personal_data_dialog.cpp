// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/personal_data_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <utility>

#include "dialogs/single_byte_text.h"
#include "session/analyser_core.h"

namespace veltrasko {
namespace {

enum Column : int { RowLabels = 0, OnlineColumn = 1, FileColumn = 2 };

QLabel* MakeHeading(const char* caption, QWidget& parent) {
  auto* heading = new QLabel(caption, &parent);
  QFont font = heading->font();
  font.setBold(true);
  heading->setFont(font);
  return heading;
}

QLineEdit* MakeField(const char* name, QWidget& parent) {
  auto* field = new QLineEdit(&parent);
  field->setObjectName(name);
  return field;
}

QLineEdit* MakeEditableField(const char* name, int maxCharacters, QWidget& parent) {
  QLineEdit* field = MakeField(name, parent);
  field->setMaxLength(maxCharacters);
  KeepToSingleByteText(*field);
  return field;
}

// Weight and date come from the box and the calendar, never from the user.
QLineEdit* MakeShownField(const char* name, QWidget& parent) {
  QLineEdit* field = MakeField(name, parent);
  field->setReadOnly(true);
  field->setFocusPolicy(Qt::NoFocus);
  return field;
}

void ShowText(QLineEdit& field, std::string_view text) { field.setText(FromSingleByteText(text)); }

}  // namespace

TPersonData::TPersonData(AnalyserCore& core, QWidget* parent, DateSource today)
    : QDialog(parent), core_(core), today_(std::move(today)) {
  setObjectName("PersonData");
  setWindowTitle(PersonalDataCaption);
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  // A fixed border: the dialog keeps the size its contents need.
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addLayout(BuildColumns());
  layout->addLayout(BuildButtons());

  for (QLineEdit* field : {nameOnline_, fanOnline_})
    connect(field, &QLineEdit::textChanged, this, &TPersonData::NameOnlineChange);
  for (QLineEdit* field : {nameFile_, fanFile_})
    connect(field, &QLineEdit::textChanged, this, &TPersonData::NameFileChange);
}

QLayout* TPersonData::BuildColumns() {
  auto* grid = new QGridLayout;
  grid->addWidget(MakeHeading("Online graph", *this), 0, OnlineColumn);
  grid->addWidget(MakeHeading("File graph", *this), 0, FileColumn);

  nameOnline_ = MakeEditableField("NameOnline", PersonNameMaxCharacters, *this);
  nameFile_ = MakeEditableField("NameFile", PersonNameMaxCharacters, *this);
  fanOnline_ = MakeEditableField("FanOnline", FanResistanceMaxCharacters, *this);
  fanFile_ = MakeEditableField("FanFile", FanResistanceMaxCharacters, *this);
  weightOnline_ = MakeShownField("WeightOnline", *this);
  weightFile_ = MakeShownField("WeightFile", *this);
  dateOnline_ = MakeShownField("DateOnline", *this);
  dateFile_ = MakeShownField("DateFile", *this);

  // Wide enough for a whole name of 34 characters.
  const int fieldWidth = nameOnline_->fontMetrics().horizontalAdvance(QString(PersonNameMaxCharacters / 2, 'W'));
  const std::pair<const char*, std::pair<QLineEdit*, QLineEdit*>> rows[] = {
      {"Name:", {nameOnline_, nameFile_}},
      {"Fan resistance:", {fanOnline_, fanFile_}},
      {"Weight [Kg]:", {weightOnline_, weightFile_}},
      {"Date [m-d-yyyy]:", {dateOnline_, dateFile_}},
  };
  int row = 1;
  for (const auto& [label, fields] : rows) {
    grid->addWidget(new QLabel(label, this), row, RowLabels);
    grid->addWidget(fields.first, row, OnlineColumn);
    grid->addWidget(fields.second, row, FileColumn);
    fields.first->setMinimumWidth(fieldWidth);
    fields.second->setMinimumWidth(fieldWidth);
    ++row;
  }
  return grid;
}

QLayout* TPersonData::BuildButtons() {
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  applyButton_ = new QPushButton("Apply", this);
  okButton_ = new QPushButton("OK", this);
  cancelButton_ = new QPushButton("Cancel", this);
  applyButton_->setObjectName("ApplyButton");
  okButton_->setObjectName("OKButton");
  cancelButton_->setObjectName("CancelButton");
  // Enter in a field presses Apply, whichever button had the focus before.
  for (QPushButton* button : {applyButton_, okButton_, cancelButton_}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  applyButton_->setDefault(true);
  connect(applyButton_, &QPushButton::clicked, this, &TPersonData::ApplyClick);
  connect(okButton_, &QPushButton::clicked, this, &TPersonData::OKClick);
  connect(cancelButton_, &QPushButton::clicked, this, &TPersonData::CancelClick);
  return buttons;
}

void TPersonData::showEvent(QShowEvent* event) {
  // A window restored by the window manager is no new opening.
  if (!event->spontaneous()) FormShow();
  QDialog::showEvent(event);
}

void TPersonData::FormShow() {
  ShowText(*dateOnline_, core_.StampOnlineDate(today_()));
  ShowFilePersonalData(core_.File().FilePersonalData);
  core_.PersonalDataShown();
}

void TPersonData::ApplyClick() {
  const FileColumnApply fileColumn =
      core_.ApplyPersonalData(SingleByteText(nameOnline_->text()), SingleByteText(fanOnline_->text()));
  if (fileColumn == FileColumnApply::Unchanged) return;
  if (fileColumn == FileColumnApply::Store || UserConfirmsFileChange()) {
    StoreFileColumn();
    return;
  }
  const PersonalData& stored = core_.File().FilePersonalData;
  ShowText(*nameFile_, stored.PersonName());
  ShowText(*fanFile_, stored.FanResistance());
  // The column shows what is stored again: a later Apply has nothing to ask.
  core_.PersonalDataShown();
}

bool TPersonData::UserConfirmsFileChange() {
  QMessageBox question(QMessageBox::NoIcon, PersonalDataCaption, ChangeFilePersonalDataQuestion,
                       QMessageBox::Ok | QMessageBox::Cancel, this);
  question.setObjectName("PersonalDataQuestion");
  // Above this dialog, which itself stays on top of the main window.
  question.setWindowFlag(Qt::WindowStaysOnTopHint);
  question.setDefaultButton(QMessageBox::Ok);
  return question.exec() == QMessageBox::Ok;
}

void TPersonData::StoreFileColumn() {
  // A file that cannot be written (none open, read-only, gone) keeps the
  // typed text in the fields and nothing is reported.
  core_.StoreFilePersonalData(SingleByteText(nameFile_->text()), SingleByteText(fanFile_->text()));
}

void TPersonData::OKClick() {
  ApplyClick();
  accept();
}

void TPersonData::CancelClick() { reject(); }

void TPersonData::NameOnlineChange() { core_.OnlinePersonalDataEdited(); }

void TPersonData::NameFileChange() { core_.FilePersonalDataEdited(); }

void TPersonData::ShowOnlineWeight(std::string_view weightText) { ShowText(*weightOnline_, weightText); }

void TPersonData::ShowFilePersonalData(const PersonalData& data) {
  ShowText(*nameFile_, data.PersonName());
  ShowText(*fanFile_, data.FanResistance());
  ShowText(*weightFile_, data.WeightText());
  ShowText(*dateFile_, data.SessionDate());
}

}  // namespace veltrasko
