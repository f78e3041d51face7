#include "language/language_apply.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QVariant>

#include "language/language.h"

namespace lirabo {

namespace {

constexpr const char* kTagProperty = "Tag";
constexpr const char* kNameTagProperty = "NameTag";
constexpr const char* kDescriptionTagProperty = "DescriptionTag";

int IntProperty(const QObject* Component, const char* Name)
{
    const QVariant value = Component->property(Name);
    return value.isValid() ? value.toInt() : 0;
}

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

// The part of Control that a reader meets under another name: the line
// edit of an editable combo box or a spin box, which has the focus while the
// person types, and the button by which a toolbar too narrow for all its
// buttons offers the rest. Null when it has none.
QWidget* InnerControl(QWidget* Control)
{
    if (qobject_cast<QComboBox*>(Control) || qobject_cast<QAbstractSpinBox*>(Control))
        return Control->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
    if (qobject_cast<QToolBar*>(Control))
        return Control->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"),
                                                Qt::FindDirectChildrenOnly);
    return nullptr;
}

// The screen reader's words for Control and its inner part.
void SetSpokenTexts(const TLanguage& Language, QWidget* Control, const QString& Section)
{
    if (const int key = NameTag(Control); key > 0) {
        const QString name = Language.TextOrEnglish(Section, key);
        Control->setAccessibleName(name);
        if (QWidget* inner = InnerControl(Control))
            inner->setAccessibleName(name);
    }
    if (const int key = DescriptionTag(Control); key > 0)
        Control->setAccessibleDescription(Language.TextOrEnglish(Section, key));
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
    return IntProperty(Component, kTagProperty);
}

void SetNameTag(QObject* Component, int Key)
{
    Component->setProperty(kNameTagProperty, Key);
}

int NameTag(const QObject* Component)
{
    return IntProperty(Component, kNameTagProperty);
}

void SetDescriptionTag(QObject* Component, int Key)
{
    Component->setProperty(kDescriptionTagProperty, Key);
}

int DescriptionTag(const QObject* Component)
{
    return IntProperty(Component, kDescriptionTagProperty);
}

void ApplyLanguageToControl(const TLanguage& Language, QWidget* Control, const QString& Section)
{
    const int tag = Tag(Control);
    if (tag <= 0)
        return;
    SetControlText(Control, Language.ReadLanguageText(Section, tag));
    SetSpokenTexts(Language, Control, Section);
    // findChildren walks depth first in creation order, which is the order
    // in which a window owns its components however deeply they are nested.
    for (QObject* component : Control->findChildren<QObject*>()) {
        auto* widget = qobject_cast<QWidget*>(component);
        if (qobject_cast<QMenu*>(component) || qobject_cast<QMenuBar*>(component)) {
            ApplyToMenuWidget(Language, widget, Section);
        } else if (widget) {
            if (const int key = Tag(widget); key > 0) {
                SetControlText(widget, Language.ReadLanguageText(Section, key));
                widget->setToolTip(PlainToolTip(Language.ReadLanguageHint(Section, key)));
            }
            SetSpokenTexts(Language, widget, Section);
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
