#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <vector>

class QMimeData;

namespace lirabo {

// The types a copy is offered in that matter to clipboard translation.

// Added to every copy the program makes itself, so that it knows its own
// copies among the compositor's reports.
inline constexpr char kOwnCopyType[] = "application/x-lirabo-own-copy";
// Password managers mark what they copy with this type and the value
// "secret"; such a copy is never looked up.
inline constexpr char kSecretHintType[] = "x-kde-passwordManagerHint";

// The best type to read a copy's text in, from the types offered; -1: none
// is text.
int ChooseTextType(const std::vector<std::string>& Types);
// The text of Bytes read in Type (one that ChooseTextType chose). Broken
// sequences become replacement characters; a sequence cut at the end of
// Bytes is dropped.
QString DecodeCopiedText(const std::string& Type, const QByteArray& Bytes);
// Whether a password-manager hint's value says "secret".
bool IsSecretHint(const QByteArray& Value);
// Whether the toolkit's view of a copy is one to skip: our own, or secret.
bool SkipCopiedData(const QMimeData& Data);

}  // namespace lirabo
