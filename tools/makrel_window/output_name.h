#pragma once

#include <QString>

namespace makrel {

// The dictionary file name a source suggests: the source's name without its
// extension (a folder's whole name), with ".ldi". Empty for an empty source.
QString DefaultOutputName(const QString& Source);

// Typed made a plain file name ending in ".ldi" (added when missing), for a
// file inside the Dictionaries folder. Empty, with Error set, for a name
// that is empty, names a folder or would leave the Dictionaries folder.
QString CheckedOutputName(const QString& Typed, QString& Error);

}  // namespace makrel
