// SPDX-License-Identifier: GPL-3.0-or-later
// The personal data texts are single-byte (Latin-1) in memory and in record
// files; these convert at the widget edge, and keep an edit field to what
// that character set holds while the user types, so what is shown is what
// is stored.
#pragma once

#include <QString>
#include <string>
#include <string_view>

class QLineEdit;

namespace veltrasko {

inline constexpr char16_t UnstorableCharacterStandIn = u'?';

// Every character the single-byte set lacks becomes one '?' (a character
// outside the basic plane counts as one, not as its two halves).
QString StorableText(const QString& text);

std::string SingleByteText(const QString& text);
QString FromSingleByteText(std::string_view bytes);

// Replaces unstorable characters as they are typed or pasted, keeping the
// cursor behind the character it followed.
void KeepToSingleByteText(QLineEdit& field);

}  // namespace veltrasko
