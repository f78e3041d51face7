// makrel-window: builds a dictionary from a source the user picks, into the
// Dictionaries folder, and opens it in Lirabo.

#include <QApplication>
#include <QCommandLineParser>

#include "frm_builder.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("makrel-window");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Builds a Lirabo dictionary from tab-separated text, a WordNet database, a dictd or a StarDict "
        "dictionary.");
    parser.addHelpOption();
    const QCommandLineOption dictionaries(
        "dictionaries",
        "The folder the dictionaries are written to (default: Dictionaries beside a portable Lirabo, "
        "~/.local/share/lirabo/Dictionaries for an installed one).", "DIR");
    parser.addOption(dictionaries);
    parser.process(app);

    makrel::TfrmBuilder window(parser.value(dictionaries));
    window.show();
    return QApplication::exec();
}
