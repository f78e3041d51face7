#pragma once

#include <QString>
#include <functional>
#include <string>

#include "speech/speech.h"

class QDialog;
class QWidget;

namespace lirabo {

class TMiniBrowser;

// What the main window reaches outside itself, gathered so that tests can
// replace each piece: the desktop, other programs, the platform's answers
// and modal loops. The window fills in the real ones; an empty function or
// value means the platform's own answer where a comment says so.
struct TMainWindowHooks {
    // Opens an address or a file with the desktop's handler.
    std::function<void(const QString& Address)> OpenExternal;
    // Starts a program of the program folder detached.
    std::function<bool(const QString& Program)> StartProgram;
    // Whether a notification area exists; empty: ask the platform.
    std::function<bool()> TrayAvailableCheck;
    // Runs a window's modal dialog; tests drive it instead.
    std::function<void(QDialog& Dialog)> RunModal;
    // Makes the minibrowser when the Internet tab is first shown; nullptr
    // means none can be made.
    std::function<TMiniBrowser*(QWidget* Parent)> CreateBrowser;
    // Where the built-in pages are written to be shown; empty: the user's
    // cache folder.
    QString PagesFolder;

    // The version the update check reports; empty: the program's own.
    QString UpdateVersion;
    // Whether the platform reports being offline; empty: ask the platform.
    std::function<bool()> OfflineCheck;
    // The limit of a whole update exchange in milliseconds; 0: the default.
    int UpdateTimeoutMs = 0;

    // Whether Language can be spoken, and speaking Text (UTF-8) in it;
    // empty: the speech library's own answer and voice.
    std::function<TSpeech::TAvailability(const std::string& Language)> SpeechAvailability;
    std::function<void(const std::string& Text, const std::string& Language)> Speak;
};

}  // namespace lirabo
