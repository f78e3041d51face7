#include "main_window/character_label.h"

namespace lirabo {

namespace {

constexpr char32_t kDottedCircle = 0x25CC;  // what fonts set a lone combining mark on

}  // namespace

QString CharacterLabel(char32_t Character)
{
    const QString code =
        QStringLiteral("U+%1").arg(static_cast<qulonglong>(Character), 4, 16, QLatin1Char('0')).toUpper();
    if (Character > 0x10FFFF)
        return code;
    switch (QChar::category(Character)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Other_Surrogate:
        case QChar::Other_PrivateUse:
        case QChar::Other_NotAssigned:
        case QChar::Separator_Space:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return code;
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
            return QString::fromUcs4(&kDottedCircle, 1) + QString::fromUcs4(&Character, 1) +
                   QStringLiteral(" (") + code + QLatin1Char(')');
        default:
            return QString::fromUcs4(&Character, 1) + QStringLiteral(" (") + code + QLatin1Char(')');
    }
}

}  // namespace lirabo
