#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace lirabo {

// The modal message boxes the program shows: errors and information with
// one OK button, questions with Yes and No (and Cancel where asked). Tests
// install a sink instead, so that no modal box waits for a click that never
// comes (start-up can report too); the sink answers the questions.
class TMessageBox {
public:
    enum class TKind { Error, Information, Question, QuestionWithCancel };
    enum class TAnswer { Ok, Yes, No, Cancel };
    using TSink = std::function<TAnswer(TKind Kind, const QString& Text)>;

    static void Error(QWidget* Parent, const QString& Text);
    static void Information(QWidget* Parent, const QString& Text);
    // Yes or No; with WithCancel also Cancel, which closing the box answers.
    static TAnswer Question(QWidget* Parent, const QString& Text, bool WithCancel = false);
    // Yes or No with No as the default button, for a question whose Yes
    // loses something: a hurried Return keeps it. A sink sees a Question.
    static TAnswer CautiousQuestion(QWidget* Parent, const QString& Text);
    // An empty sink brings the real boxes back.
    static void SetSink(TSink Sink);
};

}  // namespace lirabo
