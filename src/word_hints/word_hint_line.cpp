#include "word_hints/word_hint_line.h"

#include <QFocusEvent>
#include <QTextDocumentFragment>
#include <QUrl>

namespace lirabo {

namespace {

constexpr char kLinkScheme[] = "word:";
// Between the forms and the suggestions when both are said.
constexpr char kPartGap[] = "&nbsp;&nbsp;&middot;&nbsp;&nbsp;";
// Smaller than the window's text: the line comments on the entries below.
constexpr double kFontScale = 0.9;

QString Link(const QString& Word)
{
    const QString address = QLatin1String(kLinkScheme) + QString::fromLatin1(QUrl::toPercentEncoding(Word));
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(address.toHtmlEscaped(), Word.toHtmlEscaped());
}

QString Links(const QStringList& Words)
{
    QStringList links;
    for (const QString& word : Words)
        links << Link(word);
    return links.join(QStringLiteral(", "));
}

// Template with its "%s" in order replaced by Parts, which are rich text
// already; the template's own text is escaped. A translation with fewer
// placeholders than parts drops the rest rather than showing garbage.
QString FillRich(const QString& Template, const QStringList& Parts)
{
    const QStringList pieces = Template.split(QStringLiteral("%s"));
    QString html;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            html += i - 1 < Parts.size() ? Parts[i - 1] : QStringLiteral("%s");
        html += pieces[i].toHtmlEscaped();
    }
    return html;
}

}  // namespace

TWordHintLine::TWordHintLine(QWidget* Parent) : QLabel(Parent)
{
    setObjectName(QStringLiteral("lblWordHints"));
    setTextFormat(Qt::RichText);
    setWordWrap(true);
    // Links reached with Tab and followed with Enter; the text may be
    // marked and copied like any label's.
    setTextInteractionFlags(Qt::TextBrowserInteraction);
    // A click on a link must leave the keyboard in the lookup box.
    setFocusPolicy(Qt::TabFocus);
    setContentsMargins(6, 2, 6, 2);
    // As tall as its text: the entries below take every other pixel.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Maximum);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAccessibleName(FTexts.AccessibleName);
    ApplyQuietLook();
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * kFontScale);
    setFont(small);
    connect(this, &QLabel::linkActivated, this, [this](const QString& Address) {
        if (OnLookUp)
            OnLookUp(LinkWord(Address));
    });
    hide();
}

void TWordHintLine::ApplyQuietLook()
{
    QPalette quiet = palette();
    quiet.setColor(QPalette::WindowText, quiet.color(QPalette::PlaceholderText));
    setPalette(quiet);
}

void TWordHintLine::focusInEvent(QFocusEvent* Event)
{
    QLabel::focusInEvent(Event);
    // A label takes Tab on itself first and its first link only with the
    // next Tab: Tab lands on a link at once (Shift+Tab on the last), so
    // that Enter follows it. Shown, the line always holds a link; else the
    // label would pass the focus on.
    if (!FShown)
        return;
    if (Event->reason() == Qt::TabFocusReason)
        QLabel::focusNextPrevChild(true);
    else if (Event->reason() == Qt::BacktabFocusReason)
        QLabel::focusNextPrevChild(false);
}

void TWordHintLine::SetTexts(const TWordHintTexts& Texts)
{
    FTexts = Texts;
    setAccessibleName(FTexts.AccessibleName);
    Render();
}

uint64_t TWordHintLine::Expect()
{
    FShown.reset();
    Render();
    return ++FGeneration;
}

void TWordHintLine::ShowAnswer(const TWordHintAnswer& Answer)
{
    if (Answer.Generation != FGeneration)
        return;
    if (Answer.Empty())
        FShown.reset();
    else
        FShown = Answer;
    Render();
}

void TWordHintLine::Render()
{
    if (!FShown) {
        hide();
        clear();
        setAccessibleDescription(QString());
        return;
    }
    const QString html = HintHtml(*FShown, FTexts);
    setText(html);
    // A screen reader reads the whole line when it gets the focus.
    setAccessibleDescription(QTextDocumentFragment::fromHtml(html).toPlainText());
    show();
}

QString TWordHintLine::HintHtml(const TWordHintAnswer& Answer, const TWordHintTexts& Texts)
{
    QStringList parts;
    if (!Answer.Forms.isEmpty())
        parts << FillRich(Texts.FormOf, {Answer.Word.toHtmlEscaped(), Links(Answer.Forms)});
    if (!Answer.Suggestions.isEmpty())
        parts << FillRich(Texts.DidYouMean, {Links(Answer.Suggestions)});
    return parts.join(QLatin1String(kPartGap));
}

QString TWordHintLine::LinkWord(const QString& Link)
{
    if (!Link.startsWith(QLatin1String(kLinkScheme)))
        return {};
    return QUrl::fromPercentEncoding(Link.mid(qsizetype(sizeof(kLinkScheme) - 1)).toLatin1());
}

}  // namespace lirabo
