// Saves screenshots of the vocabulary windows: the list, the test in its
// middle and at its end. Usage: vocabulary_probe OUTPUT_PREFIX

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "language/language.h"
#include "language/language_apply.h"
#include "vocabulary/frm_vocabulary_assembly.h"
#include "vocabulary/frm_vocabulary_test.h"

using namespace lirabo;

namespace {

void Save(QWidget& Window, const QString& Path)
{
    QApplication::processEvents();
    Window.grab().save(Path);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString prefix = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/vocabulary");
    const TLanguage language;
    QTemporaryDir folder;
    TfrmVocabularyAssembly list(language, folder.path(), nullptr);
    ApplyLanguageToControl(language, &list, QStringLiteral("VocabularyAssembly"));
    list.tlbNewClick(false);
    QFile file(QDir(folder.path()).filePath("words.lvf"));
    if (file.open(QIODevice::WriteOnly))
        file.write("house=Haus\r\nbook=Buch\r\ntree=Baum\r\ncoffee=Kaffee\r\n");
    file.close();
    list.OpenFile(file.fileName());
    list.show();
    Save(list, prefix + "-list.png");

    list.RunTest = [&](TfrmVocabularyTest& Test) {
        Test.show();
        Save(list, prefix + "-list-hidden.png");
        Save(Test, prefix + "-test-start.png");
        auto* edit = Test.findChild<QLineEdit*>("edtWord");
        for (const char* answer : {"Haus", "buch"}) {
            QTest::keyClicks(edit, QString::fromLatin1(answer));
            QTest::keyClick(edit, Qt::Key_Return);
        }
        Save(Test, prefix + "-test-middle.png");
        for (const char* answer : {"Baum", "Kaffee"}) {
            QTest::keyClicks(edit, QString::fromLatin1(answer));
            QTest::keyClick(edit, Qt::Key_Return);
        }
        Save(Test, prefix + "-test-end.png");
    };
    list.btnRunClick();
    return 0;
}
