#pragma once

#include <QString>

#include <functional>

// The check of a typed catch against the usual average weight of the species: a count
// input left remembers its count, the weight input left next is checked against it. What
// the secretary must answer is returned as a verdict; the window shows it and reports the
// answer back, so the rules stay apart from the widgets.
class WeightCheck {
public:
    // The usual average weight of one fish of a species, in kg, and its name for the user.
    struct Range {
        double minimum = 0;
        double maximum = 0;
        QString name;
    };
    using RangeLookup = std::function<Range(const QString& weightField)>;

    enum class Verdict {
        Passed,         // nothing to say
        MissingCount,   // a weight without a count: the input is emptied
        UnusualAverage, // the average lies outside the usual range: ask
    };

    explicit WeightCheck(RangeLookup lookup);

    void setRangeChecking(bool on) { m_rangeChecking = on; }
    bool rangeChecking() const { return m_rangeChecking; }
    // Every key pressed in an input of the return starts a new key.
    void startKey() { m_checkedThisKey = false; }
    // A count input was left with this text.
    void countLeft(const QString& countText);
    // A weight input was left, or Enter/Space asked for the check of the focused input.
    Verdict check(const QString& weightField, const QString& weightText);
    // The secretary's answer to the unusual-average question.
    void acceptUnusual() { m_checkPassed = true; }
    // Enter and Space save only when this is true.
    bool passed() const { return m_checkPassed; }
    // After a save the next return starts without a count.
    void forgetCount() { m_lastCount = 0; }
    // The text of the last verdict that needs the secretary.
    const QString& message() const { return m_message; }

    // A decimal number as the secretary types it: the system's separator, or a dot.
    static double decimalOf(const QString& text, bool* ok = nullptr);

private:
    Verdict judge(const QString& weightField, const QString& weightText);

    RangeLookup m_lookup;
    QString m_message;
    int m_lastCount = 0;
    bool m_countPending = false;
    bool m_checkPassed = true;
    bool m_checkedThisKey = false;
    bool m_rangeChecking = true;
};
