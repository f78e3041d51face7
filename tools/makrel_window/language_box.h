#pragma once

#include <QComboBox>
#include <QString>

namespace makrel {

// The language of one side of a dictionary (its headwords or its
// definitions) as the builder window asks for it: "From the source" first,
// then every ISO 639-1 code the file format stores, each with its English
// name. The user picks one or types a code; what was typed is checked only
// when the build starts, with the rule makrel's --languages follows.
class TLanguageBox : public QComboBox {
    Q_OBJECT

public:
    explicit TLanguageBox(QWidget* Parent = nullptr);

    // The code picked or typed, trimmed; empty when the source decides.
    // May be a text that names no language: see Error.
    QString Code() const;
    // Why Code names no language, for a message; empty when it does or is empty.
    QString Error() const;

    // "German (de)": the English name of Code with the code, or the code
    // alone when the name is unknown. Empty for an empty code.
    static QString Title(const QString& Code);
};

}  // namespace makrel
