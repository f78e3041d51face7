#include "browser/built_in_pages.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QUrl>
#include <algorithm>
#include <iterator>
#include <utility>

namespace lirabo {

namespace {

struct TPage {
    const char* Address;
    const char* File;
};

constexpr TPage kPages[] = {
    {TBuiltInPages::kHome, "home.html"},
    {TBuiltInPages::kDictionaries, "dictionaries.html"},
    {TBuiltInPages::kLanguages, "languages.html"},
    {TBuiltInPages::kFeedback, "feedback.html"},
};

const TPage* FindPage(const QString& Address)
{
    for (const TPage& page : kPages) {
        if (Address.trimmed().compare(QLatin1String(page.Address), Qt::CaseInsensitive) == 0)
            return &page;
    }
    return nullptr;
}

QString Resource(const QString& Name)
{
    QFile file(QStringLiteral(":/pages/") + Name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QString Path(const QString& Folder)
{
    return QDir::toNativeSeparators(Folder).toHtmlEscaped();
}

// online.ini comes from anywhere: captions are escaped, and only web sites
// become links (a "javascript:" address must not run in a local page).
QString OnlineList(const TPageFacts& Facts)
{
    QString items;
    for (const TPageFacts::TOnlineDictionary& online : Facts.OnlineDictionaries) {
        const QUrl address(QString(online.Address).replace(QLatin1String("%1"), QString()));
        const QString scheme = address.scheme().toLower();
        const QString caption = online.Caption.toHtmlEscaped();
        if ((scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !address.host().isEmpty()) {
            QUrl site;
            site.setScheme(scheme);
            site.setHost(address.host());
            if (address.port() > 0)
                site.setPort(address.port());
            items += QStringLiteral("<li><a href=\"%1\">%2</a> <span class=\"note\">%3</span></li>\n")
                         .arg(site.toString(QUrl::FullyEncoded).toHtmlEscaped(), caption,
                              address.host().toHtmlEscaped());
        } else {
            items += QStringLiteral("<li>%1</li>\n").arg(caption);
        }
    }
    if (items.isEmpty())
        return QStringLiteral("<p>None yet: add one to the file below, and it appears in <b>Look in</b> "
                              "the next time Lirabo starts.</p>");
    return QStringLiteral("<ul>\n") + items + QStringLiteral("</ul>");
}

QString BuilderNote(const TPageFacts& Facts)
{
    if (!Facts.HasBuilder)
        return {};
    return QStringLiteral("<p>Or use the builder window: <b>Tools › Lirabo Makrel</b> asks for the source, the name "
                          "and the target, builds the dictionary and hands it to Lirabo.</p>");
}

}  // namespace

bool TBuiltInPages::IsBuiltIn(const QString& Address)
{
    return FindPage(Address) != nullptr;
}

QString TBuiltInPages::Html(const QString& Address, const TPageFacts& Facts)
{
    const TPage* page = FindPage(Address);
    if (!page)
        return {};
    QString html = Resource(QLatin1String(page->File));
    const QString dictionaries = Path(Facts.DictionaryFolder);
    // Every value is inserted once, in one pass: a value that holds a
    // placeholder's name is not replaced again.
    const std::pair<const char*, QString> values[] = {
        {"{{STYLE}}", Resource(QStringLiteral("style.css"))},
        {"{{ONLINE}}", OnlineList(Facts)},
        {"{{ONLINE_FILE}}", Path(QDir(Facts.DictionaryFolder).filePath(QStringLiteral("online.ini")))},
        {"{{DICTIONARY_FOLDER}}", dictionaries},
        {"{{LANGUAGE_FOLDER}}", Path(Facts.LanguageFolder)},
        {"{{BUILDER}}", BuilderNote(Facts)},
        {"{{SUPPORT}}", Facts.SupportEmail.toHtmlEscaped()},
        {"{{VERSION}}", Facts.Version.toHtmlEscaped()},
    };
    QString result;
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = html.indexOf(QLatin1String("{{"), from);
        if (at < 0)
            break;
        const auto* value = std::find_if(std::begin(values), std::end(values), [&](const auto& v) {
            return QStringView(html).mid(at).startsWith(QLatin1String(v.first));
        });
        if (value == std::end(values)) {
            result += html.mid(from, at + 2 - from);
            from = at + 2;
            continue;
        }
        result += html.mid(from, at - from) + value->second;
        from = at + qsizetype(qstrlen(value->first));
    }
    return result + html.mid(from);
}

QString TBuiltInPages::LocalCopy(const QString& Address, const TPageFacts& Facts, const QString& Folder)
{
    const TPage* wanted = FindPage(Address);
    if (!wanted || !QDir().mkpath(Folder))
        return {};
    const QDir folder(Folder);
    for (const TPage& page : kPages) {
        QSaveFile file(folder.filePath(QLatin1String(page.File)));
        if (!file.open(QIODevice::WriteOnly) || file.write(Html(QLatin1String(page.Address), Facts).toUtf8()) < 0 ||
            !file.commit())
            return {};
    }
    return QUrl::fromLocalFile(folder.filePath(QLatin1String(wanted->File))).toString();
}

}  // namespace lirabo
