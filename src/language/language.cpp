#include "language/language.h"

#include <QFile>

static void InitLanguageResources()
{
    Q_INIT_RESOURCE(lirabo_resources);
}

namespace lirabo {

TLanguage::TLanguage()
{
    FIni.LoadFromBytes(BuiltInEnglish().toStdString());
    FTipCount = FIni.SectionLineCount("Tips");
}

QByteArray TLanguage::BuiltInEnglish()
{
    InitLanguageResources();
    QFile file(QStringLiteral(":/lang/english.lng"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool TLanguage::ApplyLanguageFile(const QString& Path)
{
    FIni.Clear();
    const bool read = FIni.LoadFromFile(Path.toStdString());
    const bool accepted = read && FIni.FileVersion() >= kMinimumFileVersion;
    if (!accepted)
        FIni.LoadFromBytes(BuiltInEnglish().toStdString());
    FTipCount = FIni.SectionLineCount("Tips");
    return accepted;
}

QString TLanguage::ReadLanguageText(const QString& Section, int Key) const
{
    return QString::fromStdString(FIni.ReadString(Section.toStdString(), std::to_string(Key)));
}

QString TLanguage::TextOrEnglish(const QString& Section, int Key) const
{
    const QString text = ReadLanguageText(Section, Key);
    return text.isEmpty() ? TLanguage().ReadLanguageText(Section, Key) : text;
}

QString TLanguage::ReadLanguageHint(const QString& Section, int Key) const
{
    return QString::fromStdString(FIni.ReadString(Section.toStdString(), std::to_string(Key) + "t"));
}

QString TLanguage::FillPlaceholders(QString Text, const QStringList& Parts)
{
    qsizetype from = 0;
    for (const QString& part : Parts) {
        const qsizetype at = Text.indexOf(QLatin1String("%s"), from);
        if (at < 0)
            break;
        Text.replace(at, 2, part);
        from = at + part.size();
    }
    return Text;
}

QString TLanguage::FillNumbers(const QString& Text, std::initializer_list<qint64> Numbers)
{
    QString result;
    const qint64* next = Numbers.begin();
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = Text.indexOf(QLatin1String("%d"), from);
        if (at < 0 || next == Numbers.end())
            break;
        result += Text.mid(from, at - from) + QString::number(*next++);
        from = at + 2;
    }
    return result + Text.mid(from);
}

}  // namespace lirabo
