#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The fee items of a payment record as the cash desk offers them: which tick box and master
// box each has, its caption, and the three kinds of permit with what their issue decides.
class IssueFeeItems {
public:
    enum class Group { Basic, MP, PS, MI };

    struct Item {
        int box;       // the number of its tick box, CheckBox<box>
        QString field; // field of Povol.DB and PovolSet.DB
        QString caption;
        Group group; // the master box; the brigade fee answers to none
        bool hasMaster;
        bool tickedAtOpen;
    };

    struct PermitKind {
        Group group;
        QStringList permits; // the permit items, rules booklet excluded
        QString yearly;      // items valid for the whole year
        QString nationwide;
        QString returnMark; // empty for local permits, which owe no catch return
        QString question;   // asked before its attendance card prints
    };

    // In the order of the payment record's fields.
    static const QList<Item>& all();
    static const Item& byField(const QString& field);
    // The order in which a master box fills its group.
    static const QStringList& masterOrder(Group group);
    // MP, PS, MI.
    static const QList<PermitKind>& permitKinds();
    static QString masterCaption(Group group);

    static constexpr int groupCount = 4;
};
