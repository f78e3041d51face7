// The status bar's dictionary line with its "(information)" link, and the
// tips panel.

#include <QLabel>
#include <QPainter>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>

#include "dictionary/display_text.h"
#include "dictionary_view/dictionary_view.h"
#include "language/language.h"
#include "main_window/character_label.h"
#include "main_window/frm_main.h"
#include "main_window/main_tabs.h"
#include "main_window/status_bar.h"
#include "main_window/tip_cycle.h"
#include "main_window/tips_panel.h"

namespace lirabo {

namespace {

// Shown when a dictionary carries no notice of its own.
constexpr const char* kFixedNotice = "Dictionary for Lirabo";
constexpr int kLinkGap = 10;          // between the notice and the link
constexpr int kLinkColor = 0xFF0000;  // blue, 0x00BBGGRR

}  // namespace

void TfrmMain::stbStatusBarDrawPanel(QPainter& Painter, const QRect& Rect)
{
    stbStatusBar->Tag = 0;
    Painter.fillRect(Rect, stbStatusBar->palette().window());
    if (pagTabs->currentIndex() > 1)
        return;
    QFont font = stbStatusBar->font();
    Painter.setFont(font);
    Painter.setPen(stbStatusBar->palette().color(QPalette::WindowText));
    QString notice = DictionaryNotice();
    if (notice.isEmpty())
        return;
    const TDictionaryHeader& header = FLookupView->Header();
    const QFontMetrics metrics(font);
    const int left = Rect.left() + 2;
    const QString link = header.Name.empty() ? QString() : Text(9007);
    // A notice may run to hundreds of characters: it gives way, so that the
    // link to the whole of it stays in sight.
    const int linkRoom = link.isEmpty() ? 0 : kLinkGap + metrics.horizontalAdvance(link);
    notice = metrics.elidedText(notice, Qt::ElideRight, std::max(0, Rect.width() - 4 - linkRoom));
    const QRect line(left, Rect.top(), Rect.width() - 2, Rect.height());
    Painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, notice);
    if (link.isEmpty())
        return;

    FInfoLinkLeft = left + metrics.horizontalAdvance(notice) + kLinkGap;
    FInfoLinkRight = FInfoLinkLeft + metrics.horizontalAdvance(link);
    font.setUnderline(true);
    Painter.setFont(font);
    Painter.setPen(QColor(kLinkColor & 0xFF, (kLinkColor >> 8) & 0xFF, (kLinkColor >> 16) & 0xFF));
    Painter.drawText(QRect(FInfoLinkLeft, Rect.top(), FInfoLinkRight - FInfoLinkLeft + 1, Rect.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, link);
    stbStatusBar->Tag = 1;
}

QString TfrmMain::DictionaryNotice() const
{
    // A view whose last open failed has no dictionary whose notice it could
    // show; the header may still hold the strings of the one before.
    if (!LocalDictionaryOpen())
        return {};
    const TDictionaryHeader& header = FLookupView->Header();
    const QString notice = QString::fromStdString(ToDisplayText(header.Notice, header.Text.Encoding));
    return notice.isEmpty() ? QString::fromLatin1(kFixedNotice) : notice;
}

void TfrmMain::DescribeStatusBar()
{
    stbStatusBar->SetQuietName(TextOrEnglish(9116));
    const QString notice = DictionaryNotice();
    const bool link = !notice.isEmpty() && !FLookupView->Header().Name.empty();
    stbStatusBar->SetOwnerDrawnWords(link ? notice + QLatin1Char(' ') + Text(9007) : notice);
}

bool TfrmMain::InfoLinkHit(int X) const
{
    return X > FInfoLinkLeft && X < FInfoLinkRight && pagTabs->currentIndex() == 0 && stbStatusBar->Tag == 1;
}

void TfrmMain::stbStatusBarMouseMove(int X)
{
    if (InfoLinkHit(X))
        stbStatusBar->setCursor(Qt::PointingHandCursor);
    else
        stbStatusBar->unsetCursor();
}

void TfrmMain::stbStatusBarMouseDown(int X)
{
    if (stbStatusBar->WholeWidth() || !InfoLinkHit(X))
        return;
    mnuInformationClick();
}

void TfrmMain::ShowUnfitNotice(char32_t Character)
{
    FUnfitNotice = TLanguage::FillPlaceholders(TextOrEnglish(9029), {CharacterLabel(Character)});
    // No time limit: the lookup box still holds the text that was refused.
    stbStatusBar->ShowNotice(FUnfitNotice, 0);
}

void TfrmMain::ClearUnfitNotice()
{
    // Only our own word goes; a notice shown since is another's.
    if (!FUnfitNotice.isEmpty() && stbStatusBar->Notice() == FUnfitNotice)
        stbStatusBar->clearMessage();
    FUnfitNotice.clear();
}

// --- tips ---------------------------------------------------------------------------

void TfrmMain::mnuShowTipsClick(bool FromMenu)
{
    if (FromMenu)
        FSettings.ShowTips = !FSettings.ShowTips;
    pnlTips->setVisible(FSettings.ShowTips);
    Menu.mnuShowTips->setChecked(FSettings.ShowTips);
    pnlTips->LayoutTips();
    if (FSettings.ShowTips)
        spdNextTipClick();
}

void TfrmMain::ShowTip()
{
    pnlTips->lblTip->setText(FLanguage.ReadLanguageText(QStringLiteral("Tips"), FSettings.CurrentTip + 1));
}

void TfrmMain::spdNextTipClick()
{
    FSettings.CurrentTip = NextTip(FSettings.CurrentTip, FLanguage.TipCount());
    ShowTip();
}

void TfrmMain::spdPreviousTipClick()
{
    FSettings.CurrentTip = PreviousTip(FSettings.CurrentTip, FLanguage.TipCount());
    ShowTip();
}

void TfrmMain::spdCloseTipClick()
{
    FSettings.ShowTips = false;
    mnuShowTipsClick(false);
}

}  // namespace lirabo
