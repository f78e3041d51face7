// Copy to painted entry, as a person sees it: another program (xclip, or
// wl-copy where WAYLAND_DISPLAY names a compositor) takes the clipboard with
// a word, and the clock stops when the lookup view has painted that word's
// entry. Runs the real window over a program folder (default: the build's
// bin folder with its Dictionaries) on WordNet, on the current display, and
// saves a screenshot of the window at work. Beside the test compositor:
//   tests/clipboard/with_sway.sh env QT_QPA_PLATFORM=wayland clipboard_probe
// Not a test: a tool for figures.
//
//   clipboard_probe [PROGRAM_FOLDER [SCREENSHOT.png]]

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "dictionary_view/dictionary_view.h"
#include "main_window/frm_main.h"
#include "main_window/settings_key.h"

namespace {

class TPaintWatch : public QObject {
public:
    int Paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* Event) override
    {
        if (Event->type() == QEvent::Paint)
            ++Paints;
        return false;
    }
};

double Percentile(std::vector<double> Values, double Fraction)
{
    std::sort(Values.begin(), Values.end());
    return Values[std::min(Values.size() - 1, static_cast<size_t>(Fraction * (Values.size() - 1) + 0.5))];
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? argv[1] : QCoreApplication::applicationDirPath();
    const QString screenshot = argc > 2 ? argv[2] : QString();
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    {
        lirabo::TSettingsKey s;
        s.setValue("ClipboardTranslation", 1);
        s.setValue("ShowTips", 0);
    }

    lirabo::TfrmMain window(folder);
    window.resize(640, 480);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    auto* lookIn = window.findChild<QComboBox*>("cmbLookIn");
    auto* box = window.findChild<QComboBox*>("cmbLookup");
    const int wordnet = lookIn->findText("English (WordNet)", Qt::MatchStartsWith);
    if (wordnet < 0) {
        std::fprintf(stderr, "clipboard_probe: no WordNet dictionary in %s (run scripts/dictionaries)\n",
                     qPrintable(folder));
        return 1;
    }
    lookIn->setCurrentIndex(wordnet);
    emit lookIn->activated(wordnet);
    QTest::qWait(200);

    TPaintWatch watch;
    window.LookupView()->installEventFilter(&watch);
    const QStringList words = QStringLiteral(
                                  "river dog house glass quick zebra moon bread tiger paper salt window "
                                  "garden cloud violin sugar bridge candle forest hammer island jacket "
                                  "ladder marble needle orange pencil rocket saddle tunnel")
                                  .split(QLatin1Char(' '));
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (wayland) {
        // In the background, as a person copying in another program has it.
        QProcess::execute(QStringLiteral("swaymsg"), {"focus", "output", "HEADLESS-2"});
    }
    std::vector<double> times;
    std::vector<std::unique_ptr<QProcess>> owners;
    for (const QString& word : words) {
        const int paintsBefore = watch.Paints;
        QElapsedTimer clock;
        clock.start();
        auto xclip = std::make_unique<QProcess>();
        if (wayland)
            xclip->start(QStringLiteral("wl-copy"), {word});
        else
            xclip->start(QStringLiteral("xclip"), {"-quiet", "-selection", "clipboard", "-i"});
        xclip->write(word.toUtf8());
        xclip->closeWriteChannel();
        while (!(box->currentText() == word && watch.Paints > paintsBefore) && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
        times.push_back(clock.nsecsElapsed() / 1e6);
        owners.push_back(std::move(xclip));
        QTest::qWait(50);
    }
    std::printf(
        "copy to painted entry on WordNet: median %.1f ms, p95 %.1f ms, max %.1f ms over %zu copies\n",
        Percentile(times, 0.5), Percentile(times, 0.95), *std::max_element(times.begin(), times.end()),
        times.size());
    if (!screenshot.isEmpty())
        window.grab().save(screenshot);
    for (auto& p : owners) {
        p->kill();
        p->waitForFinished(1000);
    }
    return 0;
}
