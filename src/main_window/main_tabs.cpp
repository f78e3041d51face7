#include "main_window/main_tabs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dictionary_view/dictionary_view.h"
#include "language/language_apply.h"
#include "main_window/internet_page.h"
#include "word_hints/word_hint_line.h"

namespace lirabo {

namespace {

// A page that a dictionary view fills.
QWidget* ViewPage(const char* Name, int Tag, TDictionaryView*& View, const char* ViewName, int ViewNameTag)
{
    auto* page = new QWidget;
    page->setObjectName(QLatin1String(Name));
    SetTag(page, Tag);
    View = new TDictionaryView(page);
    View->setObjectName(QLatin1String(ViewName));
    SetNameTag(View, ViewNameTag);
    auto* fill = new QVBoxLayout(page);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(View);
    return page;
}

}  // namespace

TMainTabs::TMainTabs(QWidget* Parent) : QTabWidget(Parent)
{
    setObjectName(QStringLiteral("pagTabs"));
    setFocusPolicy(Qt::NoFocus);
    SetNameTag(this, 9106);
    SetNameTag(tabBar(), 9106);

    tabLookup = ViewPage("tabLookup", 9001, LookupView, "FLookupView", 9107);
    tabAdvancedLookup = ViewPage("tabAdvancedLookup", 9002, AdvancedView, "FAdvancedView", 9108);
    tabMinibrowser = new TInternetPage;
    lblWordHints = new TWordHintLine(tabLookup);
    auto* lookupColumn = static_cast<QVBoxLayout*>(tabLookup->layout());
    lookupColumn->insertWidget(0, lblWordHints);
    lookupColumn->setStretchFactor(LookupView, 1);
    addTab(tabLookup, QString());
    addTab(tabAdvancedLookup, QString());
    addTab(tabMinibrowser, QString());

    pnlSearchIn = new QWidget(tabAdvancedLookup);
    pnlSearchIn->setObjectName(QStringLiteral("pnlSearchIn"));
    auto* row = new QHBoxLayout(pnlSearchIn);
    row->setContentsMargins(6, 3, 6, 3);
    lblSearchIn = new QLabel(pnlSearchIn);
    lblSearchIn->setTextFormat(Qt::PlainText);
    lblSearchIn->setObjectName(QStringLiteral("lblSearchIn"));
    SetTag(lblSearchIn, 9024);
    rbnHeadwords = new QRadioButton(pnlSearchIn);
    rbnHeadwords->setObjectName(QStringLiteral("rbnHeadwords"));
    SetTag(rbnHeadwords, 9025);
    rbnDefinitions = new QRadioButton(pnlSearchIn);
    rbnDefinitions->setObjectName(QStringLiteral("rbnDefinitions"));
    SetTag(rbnDefinitions, 9026);
    for (QWidget* w : {static_cast<QWidget*>(rbnHeadwords), static_cast<QWidget*>(rbnDefinitions)})
        w->setFocusPolicy(Qt::TabFocus);
    row->addWidget(lblSearchIn);
    row->addWidget(rbnHeadwords);
    row->addWidget(rbnDefinitions);
    row->addStretch(1);
    // The narrow presets (a bar of 200 pixels) must still fit: the row is
    // cut off rather than widening the window.
    pnlSearchIn->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    static_cast<QVBoxLayout*>(tabAdvancedLookup->layout())->insertWidget(0, pnlSearchIn);
}

}  // namespace lirabo
