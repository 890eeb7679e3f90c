// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>
#include <utility>

#include "dialogs/radio_group.h"
#include "program_identity.h"
#include "settings/option_values.h"

namespace veltrasko {
namespace {

const QStringList LineWidthItems{"Thin line", "Normal line", "Thick line"};
const QStringList FilterItems{"No filter", "2 strokes", "4 strokes", "6 strokes", "8 strokes", "10 strokes"};

constexpr char DistanceTooLong[] = "No more than 6 digits is allowed in the distance field!";
constexpr char InvalidDistance[] = "Invalid distance input!";
constexpr char TimeTooLong[] = "No more than 6 digits is allowed in the time field!";
constexpr char InvalidTime[] = "Invalid time input!";
constexpr char CommaTwiceWarning[] = "Warning: spreadsheets cannot tell these two commas apart.";
constexpr int CommaSeparator = 1;
constexpr int DecimalComma = 1;

// The user may type no more than six characters, but a longer value from a
// hand-edited file is shown whole, so that Apply can refuse it; typing never
// makes such a text longer.
void LimitTyping(QLineEdit& field) {
  field.setMaxLength(std::max<int>(WindowLengthMaxCharacters, static_cast<int>(field.text().size())));
}

QLineEdit* MakeWindowLengthEdit(const char* name, QWidget& parent) {
  auto* field = new QLineEdit(&parent);
  field->setObjectName(name);
  field->setMaxLength(WindowLengthMaxCharacters);
  field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
  QObject::connect(field, &QLineEdit::textEdited, field, [field] { LimitTyping(*field); });
  return field;
}

QCheckBox* MakeCheckBox(const char* name, const char* caption, QWidget& parent) {
  auto* box = new QCheckBox(caption, &parent);
  box->setObjectName(name);
  return box;
}

QComboBox* MakeList(const char* name, QWidget& parent) {
  auto* list = new QComboBox(&parent);
  list->setObjectName(name);
  // With no item chosen the list shows the current value's text, which must
  // read as a value, not as a greyed hint.
  QPalette palette = list->palette();
  palette.setColor(QPalette::PlaceholderText, palette.color(QPalette::ButtonText));
  list->setPalette(palette);
  list->setMinimumContentsLength(12);
  return list;
}

// Empties the list, shows the text of the value in force and offers the
// items without choosing one, so that Apply can tell whether the user chose.
void FillList(QComboBox& list, const char* currentText, const QStringList& items) {
  list.clear();
  list.setPlaceholderText(currentText);
  list.addItems(items);
  list.setCurrentIndex(-1);
}

QGroupBox* MakeGroup(const char* caption, QWidget& parent) { return new QGroupBox(caption, &parent); }

}  // namespace

void DialogMessageBox::ShowMessage(std::string_view text) {
  QMessageBox box(QMessageBox::NoIcon, VELTRASKO_DISPLAY_NAME,
                  QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())), QMessageBox::Ok, &owner_);
  box.exec();
}

TOption::TOption(UserSettings& settings, SettingsFile settingsFile, OptionsGraphs& graphs, QWidget* parent)
    : TOption(nullptr, settings, std::move(settingsFile), graphs, parent) {}

TOption::TOption(UserSettings& settings, SettingsFile settingsFile, OptionsGraphs& graphs, MessageSink& messages,
                 QWidget* parent)
    : TOption(&messages, settings, std::move(settingsFile), graphs, parent) {}

TOption::TOption(MessageSink* messages, UserSettings& settings, SettingsFile settingsFile, OptionsGraphs& graphs,
                 QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      settingsFile_(std::move(settingsFile)),
      graphs_(graphs),
      messages_(messages != nullptr ? messages : &ownMessages_) {
  setObjectName("Option");
  setWindowTitle("Options");
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setModal(false);

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  pageControl_ = new QTabWidget(this);
  pageControl_->setObjectName("PageControl1");
  pageControl_->addTab(BuildOnlineGraphPage(), "Online graph");
  const int graphPage = pageControl_->addTab(BuildGraphPage(), "Graph");
  pageControl_->addTab(BuildExportPage(), "Export");
  pageControl_->setCurrentIndex(graphPage);
  layout->addWidget(pageControl_);
  layout->addLayout(BuildButtons());

  connect(distanceEdit_, &QLineEdit::textChanged, this, &TOption::DistanceEditChange);
  connect(timeEdit_, &QLineEdit::textChanged, this, &TOption::DistanceEditChange);
  connect(viewAllCheckBox_, &QCheckBox::toggled, this, &TOption::DistanceEditChange);
  connect(enlargeTextCheckBox_, &QCheckBox::toggled, this, &TOption::DistanceEditChange);
  connect(filterComboBox_, &QComboBox::activated, this, &TOption::DistanceEditChange);
}

QWidget* TOption::BuildOnlineGraphPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);

  QGroupBox* window = MakeGroup("Online graph window length", *page);
  auto* fields = new QFormLayout(window);
  distanceEdit_ = MakeWindowLengthEdit("DistanceEdit", *window);
  timeEdit_ = MakeWindowLengthEdit("TimeEdit", *window);
  viewAllCheckBox_ = MakeCheckBox("ViewAllCheckBox", "View all", *window);
  fields->addRow("Distance [m]:", distanceEdit_);
  fields->addRow("Time [s]:", timeEdit_);
  fields->addRow(viewAllCheckBox_);
  layout->addWidget(window);

  QGroupBox* text = MakeGroup("Online axis text size", *page);
  enlargeTextCheckBox_ = MakeCheckBox("EnlargeTextCheckBox", "Enlarge axis text size", *text);
  (new QVBoxLayout(text))->addWidget(enlargeTextCheckBox_);
  layout->addWidget(text);
  layout->addStretch();
  return page;
}

QWidget* TOption::BuildGraphPage() {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  auto* lists = new QVBoxLayout;

  QGroupBox* width = MakeGroup("Line width", *page);
  lineWidth_ = MakeList("LineWidth", *width);
  (new QVBoxLayout(width))->addWidget(lineWidth_);
  lists->addWidget(width);

  QGroupBox* filter = MakeGroup("Average filter", *page);
  filterComboBox_ = MakeList("Filter_ComboBox", *filter);
  (new QVBoxLayout(filter))->addWidget(filterComboBox_);
  lists->addWidget(filter);
  lists->addStretch();
  layout->addLayout(lists);

  speedRadioGroup_ = new RadioGroup("Speed_RadioGroup", "Speed unit", {"'M/S'", "'KM/H'"}, page);
  layout->addWidget(speedRadioGroup_);
  return page;
}

QWidget* TOption::BuildExportPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* groups = new QHBoxLayout;
  seperator_ = new RadioGroup("seperator", "Seperator symbol", {"; 'semi colon'", ", 'comma'", "  'tab'"}, page);
  decimal_ = new RadioGroup("decimal", "Decimal symbol", {". 'dot'", ", 'comma'"}, page);
  groups->addWidget(seperator_);
  groups->addWidget(decimal_);
  layout->addLayout(groups);

  // Both commas together stay allowed; the line only tells the user what a
  // spreadsheet makes of them.
  symbolWarning_ = new QLabel(CommaTwiceWarning, page);
  symbolWarning_->setObjectName("SymbolWarning");
  symbolWarning_->setWordWrap(true);
  QPalette palette = symbolWarning_->palette();
  palette.setColor(QPalette::WindowText, Qt::darkRed);
  symbolWarning_->setPalette(palette);
  // Its room is kept while it is hidden, so the fixed-size dialog never jumps.
  QSizePolicy policy = symbolWarning_->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  symbolWarning_->setSizePolicy(policy);
  symbolWarning_->hide();
  layout->addWidget(symbolWarning_);

  connect(seperator_, &RadioGroup::itemIndexChanged, this, &TOption::ShowSymbolWarning);
  connect(decimal_, &RadioGroup::itemIndexChanged, this, &TOption::ShowSymbolWarning);
  return page;
}

void TOption::ShowSymbolWarning() {
  symbolWarning_->setVisible(seperator_->ItemIndex() == CommaSeparator && decimal_->ItemIndex() == DecimalComma);
}

QLayout* TOption::BuildButtons() {
  auto* row = new QHBoxLayout;
  row->addStretch();
  applyButton_ = new QPushButton("Apply", this);
  okButton_ = new QPushButton("OK", this);
  cancelButton_ = new QPushButton("Cancel", this);
  applyButton_->setObjectName("ApplyButton");
  okButton_->setObjectName("OKButton");
  cancelButton_->setObjectName("CancelButton");
  applyButton_->setDefault(true);
  for (QPushButton* button : {applyButton_, okButton_, cancelButton_}) row->addWidget(button);

  connect(applyButton_, &QPushButton::clicked, this, &TOption::ApplyClick);
  connect(okButton_, &QPushButton::clicked, this, &TOption::OKClick);
  // Esc rejects the dialog as the Cancel button does.
  connect(cancelButton_, &QPushButton::clicked, this, &TOption::CancelClick);
  return row;
}

void TOption::showEvent(QShowEvent* event) {
  // A window restored by the window manager is no new opening.
  if (!event->spontaneous()) FormShow();
  QDialog::showEvent(event);
}

void TOption::FormShow() {
  // A file changed by hand while the program runs takes effect here, without
  // the repair of a start; a file that cannot be read leaves memory in force.
  UserSettings fromFile = settings_;
  settingsFile_.ReadSettingsFile(fromFile);
  settings_ = SafeForGraphs(fromFile);

  distanceEdit_->setMaxLength(std::numeric_limits<int>::max());
  timeEdit_->setMaxLength(std::numeric_limits<int>::max());
  distanceEdit_->setText(QString::number(fromFile.OnlineWindowDistance()));
  timeEdit_->setText(QString::number(fromFile.OnlineWindowTime()));
  LimitTyping(*distanceEdit_);
  LimitTyping(*timeEdit_);
  viewAllCheckBox_->setChecked(fromFile.ViewAll() != 0);
  enlargeTextCheckBox_->setChecked(fromFile.EnlargeAxisText() != 0);
  decimal_->SetItemIndex(fromFile.DecimalSymbol());
  seperator_->SetItemIndex(fromFile.SeparatorSymbol());
  speedRadioGroup_->SetItemIndex(static_cast<int>(fromFile.SpeedUnit()));
  FillList(*lineWidth_, LineWidthText(fromFile.LineWidthLevel()), LineWidthItems);
  FillList(*filterComboBox_, FilterText(fromFile.AverageFilter()), FilterItems);
  // Filling the fields and check boxes sets the mark on the way.
  changed_ = false;
}

std::optional<std::int32_t> TOption::CheckedWindowLength(const QLineEdit& field, const char* tooLongMessage,
                                                         const char* invalidMessage) {
  const QString text = field.text();
  if (text.size() > WindowLengthMaxCharacters) {
    messages_->ShowMessage(tooLongMessage);
    return std::nullopt;
  }
  const std::optional<std::int32_t> length = ReadLeadingInteger(text.toLocal8Bit().toStdString());
  if (!length || *length <= 0) {
    messages_->ShowMessage(invalidMessage);
    return std::nullopt;
  }
  return length;
}

void TOption::ApplyClick() {
  applied_ = false;
  const std::optional<std::int32_t> distance = CheckedWindowLength(*distanceEdit_, DistanceTooLong, InvalidDistance);
  if (!distance) return;
  settings_.SetOnlineWindowDistance(*distance);
  // A refused time leaves the distance just stored in memory; the next
  // opening re-reads the file and drops it again.
  const std::optional<std::int32_t> time = CheckedWindowLength(*timeEdit_, TimeTooLong, InvalidTime);
  if (!time) return;
  settings_.SetOnlineWindowTime(*time);

  if (lineWidth_->currentIndex() >= 0)
    settings_.SetLineWidthLevel(static_cast<std::uint8_t>(lineWidth_->currentIndex() + 1));
  graphs_.SetLineWidth(settings_.LineWidthLevel());

  if (changed_ && filterComboBox_->currentIndex() >= 0) {
    settings_.SetAverageFilter(FilterForItem(filterComboBox_->currentIndex()));
    graphs_.RedrawView();
  }
  StoreSymbolsAndFlags();
  StoreSpeedUnit();
  if (changed_) {
    graphs_.UpdateAxes();
    changed_ = false;
  }
  settingsFile_.WriteSettingsFile(settings_);
  applied_ = true;
}

void TOption::StoreSymbolsAndFlags() {
  settings_.SetViewAll(viewAllCheckBox_->isChecked() ? 1 : 0);
  settings_.SetEnlargeAxisText(enlargeTextCheckBox_->isChecked() ? 1 : 0);
  // A group left without a choice (its value in the file was unknown) keeps
  // the value in memory rather than storing an index of -1.
  if (decimal_->ItemIndex() >= 0) settings_.SetDecimalSymbol(static_cast<std::uint8_t>(decimal_->ItemIndex()));
  if (seperator_->ItemIndex() >= 0) settings_.SetSeparatorSymbol(static_cast<std::uint8_t>(seperator_->ItemIndex()));
}

void TOption::StoreSpeedUnit() {
  const int index = speedRadioGroup_->ItemIndex();
  if (index < 0) return;
  const auto unit = static_cast<SpeedUnitCode>(index);
  if (unit == settings_.SpeedUnit()) return;
  settings_.SetSpeedUnit(unit);
  graphs_.RedrawView();
}

void TOption::OKClick() {
  ApplyClick();
  if (applied_) accept();
}

void TOption::CancelClick() { reject(); }

void TOption::DistanceEditChange() { changed_ = true; }

}  // namespace veltrasko
