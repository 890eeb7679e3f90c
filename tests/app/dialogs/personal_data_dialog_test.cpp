// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include "personal_fixture.h"
#include "protocol/frame_scanner.h"
#include "support/modal_answers.h"

namespace veltrasko::test {
namespace {

constexpr std::size_t PersonalFrameLength = 4 + PersonalDataLength;

class PersonalDataDialog : public RecordFileTest {
 protected:
  // Opens the record file as the window does and shows the dialog.
  void OpenAndShow(const std::string& path) {
    OpenRecord(*core_, screen_, path);
    dialog_.show();
  }

  // Types into the field as the user does: each text is one key press.
  static void Type(QLineEdit& field, const QString& text) {
    field.setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(&field, &press);
  }
  static void Retype(QLineEdit& field, const QString& text) {
    field.clear();
    for (QChar character : text) Type(field, character);
  }

  // Runs the action with every question answered by the button.
  int WithQuestionsAnswered(QMessageBox::StandardButton button, const std::function<void()>& action) {
    ModalAnswers answers([this, button](QWidget& modal) { Press(modal, button, &question_); });
    action();
    return answers.Seen();
  }

  TPersonData dialog_{*core_, nullptr, [] { return LastDayOf2024; }};
  DialogScreen screen_{&dialog_};
  QuestionSeen question_;
};

TEST_F(PersonalDataDialog, ShowsBothColumnsWithTheirLimitsAndHeadings) {
  EXPECT_EQ(dialog_.objectName(), "PersonData");
  EXPECT_EQ(dialog_.windowTitle(), "Personal data");
  EXPECT_TRUE(dialog_.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(dialog_.isModal());

  QStringList bold;
  QStringList plain;
  for (const QLabel* label : dialog_.findChildren<QLabel*>()) (label->font().bold() ? bold : plain) << label->text();
  EXPECT_EQ(bold, (QStringList{"Online graph", "File graph"}));
  EXPECT_EQ(plain, (QStringList{"Name:", "Fan resistance:", "Weight [Kg]:", "Date [m-d-yyyy]:"}));

  for (QLineEdit* name : {&dialog_.NameOnline(), &dialog_.NameFile()}) EXPECT_EQ(name->maxLength(), 34);
  for (QLineEdit* fan : {&dialog_.FanOnline(), &dialog_.FanFile()}) EXPECT_EQ(fan->maxLength(), 3);
  for (QLineEdit* shown : {&dialog_.WeightOnline(), &dialog_.WeightFile(), &dialog_.DateOnline(), &dialog_.DateFile()})
    EXPECT_TRUE(shown->isReadOnly());
  EXPECT_TRUE(dialog_.ApplyButton().isDefault());
  EXPECT_EQ(dialog_.OKButton().text(), "OK");
  EXPECT_EQ(dialog_.CancelButton().text(), "Cancel");

  // The limits hold for typing too.
  Retype(dialog_.FanOnline(), "1234");
  EXPECT_EQ(dialog_.FanOnline().text(), "123");
}

TEST_F(PersonalDataDialog, EachOpeningStampsTodayAndShowsTheOpenedFile) {
  OpenAndShow(MakeRecord("run.vrc", {"--name", "Kayak", "--fan", "5", "--weight", "72", "--date", "20240307"}));
  EXPECT_EQ(dialog_.DateOnline().text(), "12-31-2024");
  EXPECT_EQ(core_->Session().OnlinePersonalData.SessionDate(), "12-31-2024");
  EXPECT_EQ(dialog_.NameFile().text(), "Kayak");
  EXPECT_EQ(dialog_.FanFile().text(), "5");
  EXPECT_EQ(dialog_.WeightFile().text(), "72");
  EXPECT_EQ(dialog_.DateFile().text(), "3-7-2024");
  EXPECT_EQ(core_->PersonalMarks().FilePersonalChanged, 0);
  EXPECT_EQ(core_->PersonalMarks().PersonalDialogShown, 1);

  // The online column keeps what was typed and what the recorder showed.
  Type(dialog_.NameOnline(), "Eva");
  dialog_.ShowOnlineWeight("68");
  dialog_.CancelClick();
  EXPECT_FALSE(dialog_.isVisible());
  dialog_.show();
  EXPECT_EQ(dialog_.NameOnline().text(), "Eva");
  EXPECT_EQ(dialog_.WeightOnline().text(), "68");
  EXPECT_EQ(core_->Session().OnlinePersonalData.PersonName(), "");
}

TEST_F(PersonalDataDialog, WithoutAnOpenedFileTheFileColumnIsKeptAsTypedAndNothingIsAsked) {
  dialog_.show();
  Type(dialog_.NameFile(), "Nobody");
  EXPECT_EQ(core_->PersonalMarks().FilePersonalChanged, 1);
  EXPECT_EQ(WithQuestionsAnswered(QMessageBox::Ok, [this] { dialog_.ApplyClick(); }), 0);
  EXPECT_EQ(dialog_.NameFile().text(), "Nobody");
  EXPECT_EQ(core_->File().FilePersonalData.PersonName(), "");
  EXPECT_EQ(core_->PersonalMarks().FilePersonalChanged, 0);
}

TEST_F(PersonalDataDialog, ANewFileNameAskedAndConfirmedIsAppendedAndReadBack) {
  const std::string path = MakeRecord("named.vrc", {"--name", "Kayak", "--fan", "5", "--weight", "80"});
  OpenAndShow(path);
  const std::string before = ReadWholeText(path);

  Retype(dialog_.NameFile(), "Kayak Two");
  EXPECT_EQ(WithQuestionsAnswered(QMessageBox::Ok, [this] { dialog_.ApplyClick(); }), 1);
  EXPECT_EQ(question_.Caption, "Personal data");
  EXPECT_EQ(question_.Text, "Will you change the personal data for the file graph?");

  const std::string after = ReadWholeText(path);
  ASSERT_EQ(after.size(), before.size() + PersonalFrameLength);
  EXPECT_EQ(after.substr(0, before.size()), before);
  EXPECT_EQ(after.substr(before.size(), 4), "\xFF\xFF\xFF\xFD");
  const std::string payload = after.substr(before.size() + 4);
  EXPECT_EQ(payload,
            std::string(core_->File().FilePersonalData.Bytes.begin(), core_->File().FilePersonalData.Bytes.end()));
  EXPECT_EQ(core_->File().FilePersonalData.PersonName(), "Kayak Two");
  EXPECT_EQ(core_->File().FilePersonalData.FanResistance(), "5");
  EXPECT_EQ(core_->File().FilePersonalData.WeightText(), "80");

  // Opened again, the last frame wins, in the core and in the shown dialog.
  Retype(dialog_.NameFile(), "typed over");
  OpenRecord(*core_, screen_, path);
  EXPECT_EQ(core_->File().FilePersonalData.PersonName(), "Kayak Two");
  EXPECT_EQ(dialog_.NameFile().text(), "Kayak Two");
  EXPECT_EQ(core_->PersonalMarks().FilePersonalChanged, 0);
  EXPECT_EQ(core_->FileStrokes().Count(), 300u);
}

TEST_F(PersonalDataDialog, CancelOnTheQuestionPutsTheStoredTextsBackAndOKStillCloses) {
  const std::string path = MakeRecord("kept.vrc", {"--name", "Kayak", "--fan", "7"});
  OpenAndShow(path);
  const auto size = std::filesystem::file_size(path);

  Retype(dialog_.NameFile(), "Other");
  Retype(dialog_.FanFile(), "9");
  EXPECT_EQ(WithQuestionsAnswered(QMessageBox::Cancel, [this] { dialog_.OKClick(); }), 1);
  EXPECT_FALSE(dialog_.isVisible());
  EXPECT_EQ(dialog_.NameFile().text(), "Kayak");
  EXPECT_EQ(dialog_.FanFile().text(), "7");
  EXPECT_EQ(std::filesystem::file_size(path), size);
  EXPECT_EQ(core_->File().FilePersonalData.PersonName(), "Kayak");

  // Nothing differs from the file any more: a later Apply asks nothing.
  dialog_.show();
  EXPECT_EQ(WithQuestionsAnswered(QMessageBox::Ok, [this] { dialog_.ApplyClick(); }), 0);
  EXPECT_EQ(std::filesystem::file_size(path), size);
}

TEST_F(PersonalDataDialog, TheOnlineNameAloneIsStoredForTheNextFileWithoutAQuestion) {
  const std::string path = MakeRecord("online.vrc", {"--name", "Kayak"});
  OpenAndShow(path);
  const auto size = std::filesystem::file_size(path);
  Retype(dialog_.NameOnline(), "Live One");
  Retype(dialog_.FanOnline(), "4");
  EXPECT_EQ(core_->PersonalMarks().OnlinePersonalChanged, 1);
  EXPECT_EQ(WithQuestionsAnswered(QMessageBox::Ok, [this] { dialog_.OKClick(); }), 0);
  EXPECT_FALSE(dialog_.isVisible());
  EXPECT_EQ(core_->Session().OnlinePersonalData.PersonName(), "Live One");
  EXPECT_EQ(core_->Session().OnlinePersonalData.FanResistance(), "4");
  EXPECT_EQ(std::filesystem::file_size(path), size);
}

TEST_F(PersonalDataDialog, EmptyFieldsAreStoredAsSingleBlanksAndThenCountAsStored) {
  const std::string path = MakeRecord("blank.vrc", {"--name", "", "--fan", ""});
  OpenAndShow(path);
  const auto size = std::filesystem::file_size(path);

  Type(dialog_.NameOnline(), "x");
  dialog_.NameOnline().clear();
  Type(dialog_.FanFile(), "3");
  dialog_.FanFile().clear();
  EXPECT_EQ(WithQuestionsAnswered(QMessageBox::Ok, [this] { dialog_.ApplyClick(); }), 0);
  EXPECT_EQ(core_->Session().OnlinePersonalData.PersonName(), " ");
  EXPECT_EQ(core_->Session().OnlinePersonalData.FanResistance(), " ");
  EXPECT_EQ(std::filesystem::file_size(path), size + PersonalFrameLength);
  EXPECT_EQ(core_->File().FilePersonalData.PersonName(), " ");
  EXPECT_EQ(core_->File().FilePersonalData.FanResistance(), " ");

  // The blanks are stored data now: the next change is asked about.
  Type(dialog_.NameFile(), "Late");
  EXPECT_EQ(WithQuestionsAnswered(QMessageBox::Ok, [this] { dialog_.ApplyClick(); }), 1);
  EXPECT_EQ(std::filesystem::file_size(path), size + 2 * PersonalFrameLength);
  EXPECT_EQ(core_->File().FilePersonalData.PersonName(), "Late");
}

TEST_F(PersonalDataDialog, AFileThatIsGoneKeepsTheTypedTextAndIsNotMadeAgain) {
  const std::string path = MakeRecord("gone.vrc", {"--name", "Kayak"});
  OpenAndShow(path);
  std::filesystem::remove(path);
  Retype(dialog_.NameFile(), "Gone");
  EXPECT_EQ(WithQuestionsAnswered(QMessageBox::Ok, [this] { dialog_.ApplyClick(); }), 1);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(dialog_.NameFile().text(), "Gone");
  EXPECT_EQ(core_->File().FilePersonalData.PersonName(), "Kayak");
  EXPECT_TRUE(screen_.Messages.empty());
}

TEST_F(PersonalDataDialog, TypedCharactersTheFileCannotHoldAreReplacedAsTyped) {
  dialog_.show();
  QLineEdit& name = dialog_.NameOnline();
  Type(name, "Jos");
  Type(name, QString::fromUtf8("\xC3\xA9"));          // é: a Latin-1 letter
  Type(name, QString::fromUtf8("\xC5\x81"));          // Ł: not in the set
  Type(name, QString::fromUtf8("\xF0\x9F\x9A\xA3"));  // a rowing boat: two halves, one character
  EXPECT_EQ(name.text(), QString::fromUtf8("Jos\xC3\xA9??"));
  EXPECT_EQ(name.cursorPosition(), 6);

  // Typed in the middle, the cursor stays behind the replaced character.
  name.setCursorPosition(1);
  Type(name, QString::fromUtf8("\xE2\x82\xAC"));  // the euro sign
  EXPECT_EQ(name.text(), QString::fromUtf8("J?os\xC3\xA9??"));
  EXPECT_EQ(name.cursorPosition(), 2);

  dialog_.ApplyClick();
  EXPECT_EQ(core_->Session().OnlinePersonalData.PersonName(), "J?os\xE9??");
}

}  // namespace
}  // namespace veltrasko::test
