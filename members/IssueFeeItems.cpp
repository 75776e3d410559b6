#include "IssueFeeItems.h"

#include <QHash>

namespace {
using G = IssueFeeItems::Group;

QString s(const char* text)
{
    return QString::fromUtf8(text);
}
} // namespace

const QList<IssueFeeItems::Item>& IssueFeeItems::all()
{
    static const QList<Item> items{
        {1, s("ZAPISNE"), s("Zápisné:"), G::Basic, true, false},
        {2, s("SKOLENI"), s("Školení:"), G::Basic, true, false},
        {3, s("LEGITIMACE"), s("Legitimace:"), G::Basic, true, false},
        {4, s("CLEN_PRISP"), s("Čl. příspěv:"), G::Basic, true, true},
        {5, s("MAN_POPLATEK"), s("Manipul. pop:"), G::Basic, true, true},
        {6, s("BRIGADA"), s("Brigáda:"), G::Basic, false, false},
        {7, s("STANOVY_ZEB"), s("Stanovy ZEB:"), G::Basic, true, false},
        {21, s("POSTOVNE"), s("Poštovné     :"), G::Basic, true, false},
        {8, s("MP_ROCNI"), s("Roční:"), G::MP, true, true},
        {9, s("MP_MESICNI"), s("Měsíční:"), G::MP, true, false},
        {10, s("MP_14_DNU"), s("Čtrnáctidenní:"), G::MP, true, false},
        {11, s("MP_TYDEN"), s("Týdenní:"), G::MP, true, false},
        {12, s("MP_CELOREP"), s("Roční celorep:"), G::MP, true, false},
        {20, s("MP_MISTNI"), s("Místní:"), G::MP, true, false},
        {13, s("MP_RAD"), s("Ryb. řád MP"), G::MP, true, true},
        {14, s("PS_ROCNI"), s("Roční:"), G::PS, true, true},
        {15, s("PS_MESICNI"), s("Měsíční:"), G::PS, true, false},
        {16, s("PS_TYDEN"), s("Týdenní:"), G::PS, true, false},
        {17, s("PS_CELOREP"), s("Roční celorep:"), G::PS, true, false},
        {19, s("PS_MISTNI"), s("Místní:"), G::PS, true, false},
        {18, s("PS_RAD"), s("Ryb. řád PS"), G::PS, true, true},
        {23, s("MI_ROCNI"), s("Roční:"), G::MI, true, true},
        {24, s("MI_MESICNI"), s("Měsíční:"), G::MI, true, false},
        {25, s("MI_TYDEN"), s("Týdenní:"), G::MI, true, false},
        {26, s("MI_CELOREP"), s("Roční celorep:"), G::MI, true, false},
        {27, s("MI_MISTNI"), s("Místní:"), G::MI, true, false},
        {28, s("MI_RAD"), s("MI řád"), G::MI, true, true},
    };
    return items;
}

const IssueFeeItems::Item& IssueFeeItems::byField(const QString& field)
{
    static const QHash<QString, int> index = [] {
        QHash<QString, int> h;
        for (int i = 0; i < all().size(); ++i)
            h.insert(all()[i].field, i);
        return h;
    }();
    return all()[index.value(field)];
}

const QStringList& IssueFeeItems::masterOrder(Group group)
{
    static const QStringList orders[groupCount] = {
        {s("ZAPISNE"), s("SKOLENI"), s("LEGITIMACE"), s("CLEN_PRISP"), s("MAN_POPLATEK"),
         s("BRIGADA"), s("STANOVY_ZEB"), s("POSTOVNE")},
        {s("MP_ROCNI"), s("MP_MESICNI"), s("MP_14_DNU"), s("MP_TYDEN"), s("MP_CELOREP"),
         s("MP_RAD"), s("MP_MISTNI")},
        {s("PS_ROCNI"), s("PS_MESICNI"), s("PS_TYDEN"), s("PS_CELOREP"), s("PS_RAD"),
         s("PS_MISTNI")},
        {s("MI_ROCNI"), s("MI_MESICNI"), s("MI_TYDEN"), s("MI_CELOREP"), s("MI_MISTNI"),
         s("MI_RAD")},
    };
    return orders[int(group)];
}

const QList<IssueFeeItems::PermitKind>& IssueFeeItems::permitKinds()
{
    static const QString insertCard = s("\n\rvlož kartu do tiskárny");
    static const QList<PermitKind> kinds{
        {G::MP,
         {s("MP_ROCNI"), s("MP_MESICNI"), s("MP_14_DNU"), s("MP_TYDEN"), s("MP_CELOREP"),
          s("MP_MISTNI")},
         s("MP_ROCNI"),
         s("MP_CELOREP"),
         s("MP_VRACENO"),
         s("Tisk MIMOpstruhové docházky") + insertCard},
        {G::PS,
         {s("PS_ROCNI"), s("PS_MESICNI"), s("PS_TYDEN"), s("PS_CELOREP"), s("PS_MISTNI")},
         s("PS_ROCNI"),
         s("PS_CELOREP"),
         s("PS_VRACENO"),
         s("Tisk PSTRUHové docházky") + insertCard},
        {G::MI,
         {s("MI_ROCNI"), s("MI_MESICNI"), s("MI_TYDEN"), s("MI_CELOREP"), s("MI_MISTNI")},
         s("MI_ROCNI"),
         s("MI_CELOREP"),
         QString(),
         s("Tisk místní docházky") + insertCard},
    };
    return kinds;
}

QString IssueFeeItems::masterCaption(Group group)
{
    static const char* captions[groupCount] = {"POPL", "MP", "PS", "Místní"};
    return s(captions[int(group)]);
}
