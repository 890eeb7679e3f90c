// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/single_byte_text.h"

#include <QLineEdit>

namespace veltrasko {
namespace {

constexpr char16_t LastSingleByteCharacter = 0xFF;

// The replacement of text[0, end) and how long it came out.
struct Replaced {
  QString Text;
  qsizetype CursorAt = 0;
};

Replaced ReplaceUnstorable(const QString& text, qsizetype cursor) {
  Replaced result;
  result.Text.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (i == cursor) result.CursorAt = result.Text.size();
    const QChar character = text[i];
    const bool pair = character.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
    if (pair && i + 1 == cursor) result.CursorAt = result.Text.size() + 1;
    if (pair) ++i;
    result.Text +=
        (character.unicode() <= LastSingleByteCharacter && !pair) ? character : QChar(UnstorableCharacterStandIn);
  }
  if (cursor >= text.size()) result.CursorAt = result.Text.size();
  return result;
}

}  // namespace

QString StorableText(const QString& text) { return ReplaceUnstorable(text, text.size()).Text; }

std::string SingleByteText(const QString& text) { return StorableText(text).toLatin1().toStdString(); }

QString FromSingleByteText(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void KeepToSingleByteText(QLineEdit& field) {
  QObject::connect(&field, &QLineEdit::textEdited, &field, [&field](const QString& typed) {
    const Replaced replaced = ReplaceUnstorable(typed, field.cursorPosition());
    if (replaced.Text == typed) return;
    field.setText(replaced.Text);
    field.setCursorPosition(static_cast<int>(replaced.CursorAt));
  });
}

}  // namespace veltrasko
