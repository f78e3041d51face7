#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include "browser/built_in_pages.h"
#include "preferences/dictionary_languages.h"
#include "preferences/display_look.h"

class QSettings;

namespace lirabo {

// The stored values of the program. A value that is missing, or stored with a
// type its reader cannot take (text where a number belongs, a number out of
// range, a list), reads as its default: settings files are edited by hand and
// copied between machines, and a damaged value must not stop the program.
QString ReadRegStringDefault(const QSettings& Key, const QString& Name, const QString& Default);
int ReadRegIntegerDefault(const QSettings& Key, const QString& Name, int Default);
// Stored as a number: any non-zero reads as true.
bool ReadRegBoolDefault(const QSettings& Key, const QString& Name, bool Default);
double ReadRegFloatDefault(const QSettings& Key, const QString& Name, double Default);

// Every setting read at start-up and written at shutdown, named after its
// stored value. The window geometry and the recent words are kept here too,
// but their defaults depend on the screen and they are written by rules of
// their own, so they have readers and writers of their own.
struct TSettings {
    static constexpr int kMaxRecentIndex = 10;  // "Recent0" .. "Recent10"

    int WindowState = 1;  // 1 normal, anything else maximised
    int WindowWidth = 500;
    int WindowHeight = 500;
    int WindowLeft = 0;
    int WindowTop = 0;
    int WindowTransparency = 255;
    double UpdatedDate = 0;  // days since 1899-12-30; written by the update check only
    // "host" or "host:port" of the update server; empty: none. Read, never
    // written: the build's default must not be frozen into the store.
    QString UpdateServer = DefaultUpdateServer();
    QStringList Recent;
    // The maker's pages, each a web address or a page built into the
    // program; read, never written, like UpdateServer.
    QString HomePage = QLatin1String(TBuiltInPages::kHome);
    QString ForumPage = QLatin1String(TBuiltInPages::kFeedback);
    QString FeedbackPage = QLatin1String(TBuiltInPages::kFeedback);
    QString DictionariesPage = QLatin1String(TBuiltInPages::kDictionaries);
    QString LanguagesPage = QLatin1String(TBuiltInPages::kLanguages);

    int CurrentDictionary = 0;
    int LookinWidth = 190;
    QString LanguageFile;
    bool MinimizeToTray = false;
    bool DisableBrowser = false;
    bool CheckForUpdates = true;
    bool HideOnlineDictionaries = false;
    bool ClipboardTranslation = false;
    bool SelectionTranslation = false;  // X11: marked text is looked up too
    QString VocabularyFile;  // the list that "Add to vocabulary" adds to; empty: My words.lvf
    // The languages chosen in the Information box for files that do not
    // state theirs; read and written by ReadLanguageChoices and
    // WriteLanguageChoices, not by the table.
    TLanguageChoices DictionaryLanguages;
    bool AlwaysOnTop = false;
    bool ShowTips = true;
    bool ShowRelations = false;
    bool SearchDefinitions = false;  // the Advanced tab searches definitions, not headwords
    int CurrentTip = -1;
    int Indent = 200;
    int TopIndent = 300;
    QString FontName = QStringLiteral("Verdana");
    int FontSize = 10;
    // 0x00BBGGRR, in the display-element order Entry, Definition, Field,
    // Grammar, Link, Background, Current background, Selected background.
    int ColorEntry = 0x000000;
    int ColorDefinition = 0x008001;
    int ColorField = 0x0000FF;
    int ColorGrammar = 0x0080FF;
    int ColorLink = 0x800000;
    int ColorBackground = 0xFFFFFF;
    int ColorCurrentBackground = 0xD7D7D7;
    int ColorSelectedBackground = 0xFCC898;
    QString StyleEntry;
    QString StyleDefinition;
    QString StyleField = QStringLiteral("b");
    QString StyleGrammar;
    QString StyleLink = QStringLiteral("b");

    // The font, colours and styles as the views and the settings dialog
    // take them.
    TDisplayLook Look() const;
    void SetLook(const TDisplayLook& Look);

    // Reads every value of the table (not the geometry, the date or the
    // recent words), each with its default, and "UpdateServer", which
    // WriteTable leaves alone. Colours and the font size are bounded as
    // BoundColor and BoundFontSize say, so that what is written back is
    // what the views drew.
    void ReadTable(const QSettings& Key);
    // Writes every value of the table.
    void WriteTable(QSettings& Key) const;

    // "UpdatedDate": 8 bytes, a little-endian double. Anything else, or a
    // value that is not a finite number, reads as day 0 (never checked).
    static double ReadUpdatedDate(const QSettings& Key);
    static void WriteUpdatedDate(QSettings& Key, double DayCount);
    // The server a build asks when none is stored.
    static QString DefaultUpdateServer();

    // "WindowState" and, for a normal window (state 1), its size and place;
    // a missing size is 500 by 500 and a missing place centres the window
    // on a screen of ScreenSize.
    void ReadGeometry(const QSettings& Key, QSize ScreenSize);
    // A maximised window stores only its state; a normal one its state, the
    // size of Geometry and its place; a minimised one nothing, since its
    // geometry is not worth keeping.
    static void WriteGeometry(QSettings& Key, Qt::WindowStates State, const QRect& Geometry);

    // The recent words "Recent0".."Recent10" in order, empty texts left out.
    static QStringList ReadRecent(const QSettings& Key);
    // "Recent0".."Recent<n-1>" for the n words; higher numbers stay as they are.
    static void WriteRecent(QSettings& Key, const QStringList& Words);
};

}  // namespace lirabo
