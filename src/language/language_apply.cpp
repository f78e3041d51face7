#include "language/language_apply.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QVariant>

#include "language/language.h"

namespace lirabo {

namespace {

constexpr const char* kTagProperty = "Tag";

// A page of a tab widget shows its text on the tab, which belongs to the
// tab widget (the page's parent is the tab widget's internal stack).
QTabWidget* TabWidgetOfPage(QWidget* Page)
{
    QWidget* stack = Page->parentWidget();
    if (!stack)
        return nullptr;
    auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget());
    return tabs && tabs->indexOf(Page) >= 0 ? tabs : nullptr;
}

void SetControlText(QWidget* Control, const QString& Text)
{
    if (Control->isWindow())
        Control->setWindowTitle(Text);
    else if (auto* label = qobject_cast<QLabel*>(Control)) {
        label->setTextFormat(Qt::PlainText);
        label->setText(Text);
    }
    else if (auto* button = qobject_cast<QAbstractButton*>(Control))
        button->setText(Text);
    else if (auto* group = qobject_cast<QGroupBox*>(Control))
        group->setTitle(Text);
    else if (auto* edit = qobject_cast<QLineEdit*>(Control))
        edit->setText(Text);
    else if (QTabWidget* tabs = TabWidgetOfPage(Control))
        tabs->setTabText(tabs->indexOf(Control), Text);
}

void ApplyToMenuWidget(const TLanguage& Language, QWidget* Menu, const QString& Section)
{
    for (QAction* action : Menu->actions())
        ApplyLanguageToMenu(Language, action, Section);
}

}  // namespace

void ShowPlainText(QObject* Component)
{
    if (auto* label = qobject_cast<QLabel*>(Component))
        label->setTextFormat(Qt::PlainText);
}

QString PlainToolTip(const QString& Hint)
{
    return Qt::mightBeRichText(Hint) ? Qt::convertFromPlainText(Hint, Qt::WhiteSpaceNormal) : Hint;
}

void SetTag(QObject* Component, int Tag)
{
    Component->setProperty(kTagProperty, Tag);
}

int Tag(const QObject* Component)
{
    const QVariant tag = Component->property(kTagProperty);
    return tag.isValid() ? tag.toInt() : 0;
}

void ApplyLanguageToControl(const TLanguage& Language, QWidget* Control, const QString& Section)
{
    const int tag = Tag(Control);
    if (tag <= 0)
        return;
    SetControlText(Control, Language.ReadLanguageText(Section, tag));
    // findChildren walks depth first in creation order, which is the order
    // in which a window owns its components however deeply they are nested.
    for (QObject* component : Control->findChildren<QObject*>()) {
        auto* widget = qobject_cast<QWidget*>(component);
        if (qobject_cast<QMenu*>(component) || qobject_cast<QMenuBar*>(component)) {
            ApplyToMenuWidget(Language, widget, Section);
        } else if (widget && Tag(widget) > 0) {
            const int key = Tag(widget);
            SetControlText(widget, Language.ReadLanguageText(Section, key));
            widget->setToolTip(PlainToolTip(Language.ReadLanguageHint(Section, key)));
        }
    }
}

void ApplyLanguageToMenu(const TLanguage& Language, QAction* Item, const QString& Section)
{
    if (const int tag = Tag(Item); tag > 0)
        Item->setText(Language.ReadLanguageText(Section, tag));
    if (QMenu* menu = Item->menu())
        ApplyToMenuWidget(Language, menu, Section);
}

}  // namespace lirabo
