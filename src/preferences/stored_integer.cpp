#include "preferences/stored_integer.h"

namespace lirabo {

bool StoredInteger(const QVariant& Value, qlonglong& Number)
{
    switch (Value.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Long:
        case QMetaType::ULong: {
            bool ok = false;
            Number = Value.toLongLong(&ok);
            return ok;
        }
        case QMetaType::QString:
        case QMetaType::QByteArray: {
            bool ok = false;
            Number = Value.toString().trimmed().toLongLong(&ok, 10);
            return ok;
        }
        default:
            return false;
    }
}

}  // namespace lirabo
