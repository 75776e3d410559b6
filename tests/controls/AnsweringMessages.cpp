#include "AnsweringMessages.h"

void AnsweringMessages::startAnswering()
{
    Messages::setResponder([this](Messages::Kind kind, const QString& text, Messages::Buttons b) {
        shown.append({kind, text});
        if (!answers.isEmpty())
            return answers.takeFirst();
        return b == Messages::Buttons::Ok ? Messages::Answer::Ok : Messages::Answer::Yes;
    });
}

void AnsweringMessages::stopAnswering()
{
    Messages::setResponder({});
}

QStringList AnsweringMessages::shownTexts() const
{
    QStringList texts;
    for (const Shown& s : shown)
        texts << s.text;
    return texts;
}
