// Shows the builder window offscreen and saves screenshots of it: idle,
// building (with the progress bar part way), built, built as UTF-8 with
// languages chosen, after a failure, after a refused language, and idle at
// a large font. Not a test: a tool for looking at the window.
//
//   makrel_window_probe OUTPUT_FOLDER

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <memory>

#include "builder_fixture.h"
#include "frm_builder.h"

namespace {

constexpr int kTimeoutMs = 120000;

std::unique_ptr<makrel::TfrmBuilder> MakeWindow(const QString& Program)
{
    auto window = std::make_unique<makrel::TfrmBuilder>(QDir(Program).filePath("Dictionaries"));
    window->SetProgramFolder(Program);
    window->SendOpen = [](const std::string&, std::string&) { return lirabo::ipc::TSendResult::NoProgram; };
    window->StartProgram = [](const QString&, const QStringList&) { return false; };
    window->ConfirmOverwrite = [](const QString&) { return true; };
    window->show();
    (void)QTest::qWaitForWindowExposed(window.get());
    return window;
}

void Set(makrel::TfrmBuilder& Window, const char* Edit, const QString& Text)
{
    Window.findChild<QLineEdit*>(Edit)->setText(Text);
}

bool Save(QWidget& Window, const QDir& Out, const char* Name)
{
    QCoreApplication::processEvents();
    const QString path = Out.filePath(Name);
    const bool saved = Window.grab().save(path);
    std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
    return saved;
}

bool BuildAndWait(makrel::TfrmBuilder& Window)
{
    QTest::mouseClick(Window.findChild<QPushButton*>("btnBuild"), Qt::LeftButton);
    return QTest::qWaitFor([&] { return !Window.Busy(); }, kTimeoutMs);
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: makrel_window_probe OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir out(argv[1]);
    if (!out.exists() && !QDir().mkpath(out.path()))
        return 2;
    makrel::test::TSourceFolder sources;
    QTemporaryDir program;
    const QString small = sources.Write(
        "english-fruit.tsv", "apple\ta red fruit\npear\ta green fruit\nplum\ta \\x08purple\\x07 one\n");
    const QString bad = sources.Write("broken.tsv", "apple\ta red fruit\nbanana a yellow fruit\n");
    const QString big = sources.WriteBig("big-word-list.tsv", 300000);

    auto window = MakeWindow(program.path());
    bool ok = Save(*window, out, "idle.png");

    Set(*window, "edtSource", big);
    QTest::mouseClick(window->findChild<QPushButton*>("btnBuild"), Qt::LeftButton);
    auto* bar = window->findChild<QProgressBar*>("prgBuild");
    ok = QTest::qWaitFor([&] { return bar->value() >= 300 || !window->Busy(); }, kTimeoutMs) && ok;
    ok = Save(*window, out, "building.png") && ok;
    window->CancelBuild();
    ok = QTest::qWaitFor([&] { return !window->Busy(); }, kTimeoutMs) && ok;
    ok = Save(*window, out, "cancelled.png") && ok;

    Set(*window, "edtSource", small);
    Set(*window, "edtName", "English fruit");
    Set(*window, "edtNotice", "Free to use");
    ok = BuildAndWait(*window) && ok;
    ok = Save(*window, out, "built.png") && ok;

    const QString polish = sources.Write("polish-english.tsv",
                                         "\xC5\xBC\xC3\xB3\xC5\x82w\tturtle\n"
                                         "\xC5\x82\xC4\x85ka\tmeadow\n"
                                         "\xCE\xB6\xCF\x89\xCE\xAE\tlife (Greek)\n");
    Set(*window, "edtSource", polish);
    Set(*window, "edtName", QString::fromUtf8("Polski \xE2\x80\x93 angielski"));
    window->findChild<QComboBox*>("cmbHeadwordLanguage")->setEditText("pl");
    window->findChild<QComboBox*>("cmbDefinitionLanguage")->setEditText("en");
    ok = BuildAndWait(*window) && ok;
    ok = Save(*window, out, "built-utf8.png") && ok;

    window->findChild<QComboBox*>("cmbHeadwordLanguage")->setEditText("PL");
    QTest::mouseClick(window->findChild<QPushButton*>("btnBuild"), Qt::LeftButton);
    ok = Save(*window, out, "bad-language.png") && ok;
    // The open list is a window of its own: only a grab of the screen shows
    // it (under a real X server; offscreen the picture stays empty).
    auto* languages = window->findChild<QComboBox*>("cmbHeadwordLanguage");
    languages->setCurrentIndex(languages->findData("pl"));
    languages->showPopup();
    ok = QTest::qWaitFor([&] { return languages->view()->isVisible(); }, kTimeoutMs) && ok;
    QCoreApplication::processEvents();
    const QString list = out.filePath("language-list.png");
    const bool listSaved = window->screen()->grabWindow(0).save(list);
    std::printf("%s %s\n", listSaved ? "saved" : "could not save", qPrintable(list));
    languages->hidePopup();
    languages->setCurrentIndex(0);

    Set(*window, "edtSource", bad);
    ok = BuildAndWait(*window) && ok;
    ok = Save(*window, out, "error.png") && ok;
    window.reset();

    QFont large = QApplication::font();
    large.setPointSizeF(large.pointSizeF() * 1.8);
    QApplication::setFont(large);
    window = MakeWindow(program.path());
    Set(*window, "edtSource", small);
    ok = Save(*window, out, "large-font.png") && ok;
    return ok ? 0 : 1;
}
