// Shows how an entry reads: opens a dictionary in a view of the given width
// with the program's default font, colours and indent, looks up a word,
// prints the lines each of its entries takes and saves a picture of the view
// from its first entry on. Not a test: a tool for judging what a dictionary
// builder's output looks like.
//
//   QT_QPA_PLATFORM=offscreen entry_probe DICTIONARY WORD WIDTH OUT.png [HEIGHT]

#include <QApplication>
#include <QPixmap>
#include <cstdio>
#include <exception>

#include "dictionary/display_text.h"
#include "dictionary_view/dictionary_styles.h"
#include "dictionary_view/dictionary_view.h"
#include "main_window/settings.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 5) {
        std::fprintf(stderr, "usage: entry_probe DICTIONARY WORD WIDTH OUT.png [HEIGHT]\n");
        return 2;
    }
    lirabo::TDictionaryView view;
    const lirabo::TSettings settings;
    const lirabo::TDisplayLook look = settings.Look();
    QFont font(look.FontName);
    font.setPointSize(look.FontSize);
    view.setFont(font);
    view.SetColor(look.Colors[5]);
    view.SetCurrentColor(look.Colors[6]);
    for (int setting = 0; setting < lirabo::TDisplayLook::kFirstBackground; ++setting) {
        view.Styles().SetElementColor(lirabo::ElementOfSetting(setting), look.Colors[setting]);
        view.Styles().SetElementStyle(lirabo::ElementOfSetting(setting), look.Styles[setting]);
    }
    view.resize(QString(argv[3]).toInt(), argc > 5 ? QString(argv[5]).toInt() : 900);
    view.SetIndent(settings.Indent);
    try {
        view.OpenDictionary(argv[1]);
        view.LookUp(lirabo::ToStoredText(argv[2], view.Encoding()).Text);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "entry_probe: %s\n", e.what());
        return 1;
    }
    int lines = 0;
    for (int i = view.CurrentFirst(); i < view.CurrentFirst() + view.CurrentCount(); ++i) {
        std::printf("entry %d: %d lines\n", i, view.EntryLineCount(i));
        lines += view.EntryLineCount(i);
    }
    std::printf("all %d entries: %d lines\n", view.CurrentCount(), lines);
    view.ShowEntries(view.CurrentFirst(), view.CurrentCount());
    // Put the first entry at the top, so the picture starts where the entry does.
    int position = view.CurrentFirst();
    view.ScrollBarScroll(lirabo::TDictionaryView::scPosition, position);
    return view.grab().save(argv[4]) ? 0 : 1;
}
