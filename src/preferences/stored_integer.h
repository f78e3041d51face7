#pragma once

#include <QVariant>

namespace lirabo {

// What a stored value holds when it is a plain number: a number type of the
// platform's store (the registry), or text that is a whole decimal number
// (a text file store keeps everything as text). False for anything else.
bool StoredInteger(const QVariant& Value, qlonglong& Number);

}  // namespace lirabo
