#include "Messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

Messages::Responder& Messages::responder()
{
    static Responder instance;
    return instance;
}

void Messages::setResponder(Responder r)
{
    responder() = std::move(r);
}

QString Messages::programName()
{
    return QStringLiteral("ZEB - MO administrativa");
}

QString Messages::displayText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

Messages::Answer Messages::show(Kind kind, const QString& text, Buttons buttons)
{
    if (responder())
        return responder()(kind, text, buttons);

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(programName());
    box.setText(displayText(text));
    box.setIcon(kind == Kind::Error          ? QMessageBox::Critical
                : kind == Kind::Confirmation ? QMessageBox::Question
                                             : QMessageBox::Information);
    QList<QPair<QAbstractButton*, Answer>> answers;
    const auto add = [&](const QString& text, QMessageBox::ButtonRole role, Answer answer) {
        answers.append(qMakePair(static_cast<QAbstractButton*>(box.addButton(text, role)), answer));
    };
    if (buttons == Buttons::Ok) {
        add(QStringLiteral("OK"), QMessageBox::AcceptRole, Answer::Ok);
    } else {
        add(QStringLiteral("&Ano"), QMessageBox::YesRole, Answer::Yes);
        add(QStringLiteral("&Ne"), QMessageBox::NoRole, Answer::No);
        if (buttons == Buttons::YesNoCancel)
            add(QStringLiteral("&Storno"), QMessageBox::RejectRole, Answer::Cancel);
    }
    box.exec();
    for (const auto& [button, answer] : answers)
        if (box.clickedButton() == button)
            return answer;
    // Closed with Esc or the close box: the answer that changes nothing.
    return buttons == Buttons::Ok      ? Answer::Ok
           : buttons == Buttons::YesNo ? Answer::No
                                       : Answer::Cancel;
}
