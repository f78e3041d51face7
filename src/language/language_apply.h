#pragma once

#include <QString>

class QAction;
class QObject;
class QWidget;

namespace lirabo {

class TLanguage;

// Every component that takes its text from the language file carries its key
// as the dynamic property "Tag"; components without one (or with 0) keep the
// text they were given.
void SetTag(QObject* Component, int Tag);
int Tag(const QObject* Component);

// A component whose own text does not say what it is (an icon button, an
// edit or list beside a label, a view, a panel) is named for screen readers
// by the text of a key of its window's section, held as the dynamic
// property "NameTag"; "DescriptionTag" likewise gives its accessible
// description. Tool tips are not names: readers do not speak them on
// focus. 0 (or no property) leaves the component's name as it is.
void SetNameTag(QObject* Component, int Key);
int NameTag(const QObject* Component);
void SetDescriptionTag(QObject* Component, int Key);
int DescriptionTag(const QObject* Component);

// A label shows its text as it stands. Language files are downloaded from
// anywhere, and their texts (and the numbers and names filled into them)
// must not become markup or links; a QLabel would guess rich text from a
// leading tag. Anything but a label is left alone.
void ShowPlainText(QObject* Component);

// Hint as a tool tip that shows it as it stands: tool tips have no plain
// mode, so a text that looks like markup is escaped.
QString PlainToolTip(const QString& Hint);

// Component named as the window knows it and tagged with Tag (none for 0),
// as windows create their components; a label shows plain text.
template <class T>
T* Named(T* Component, const char* Name, int Tag = 0)
{
    Component->setObjectName(QString::fromLatin1(Name));
    if (Tag > 0)
        SetTag(Component, Tag);
    ShowPlainText(Component);
    return Component;
}

// Gives Control (a window or a container) and every component it holds, in
// creation order, their texts and tool tips from Section. Nothing is touched
// when Control's own Tag is 0 or negative. Menus met on the way get
// ApplyLanguageToMenu. A missing key gives the empty text, except for
// accessible names and descriptions, which fall back to the built-in
// English: a file made before a name existed must not leave a control
// nameless. The line edit of an editable combo box or a spin box, and the
// overflow button of a toolbar, are named with their control.
void ApplyLanguageToControl(const TLanguage& Language, QWidget* Control, const QString& Section);

// Gives Item (when its Tag is above 0) and all its sub-items their captions
// from Section.
void ApplyLanguageToMenu(const TLanguage& Language, QAction* Item, const QString& Section);

}  // namespace lirabo
