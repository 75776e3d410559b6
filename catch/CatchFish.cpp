#include "CatchFish.h"

CatchFish::CatchFish(const char* caption, const char* field, char key, const char* overviewTitle)
    : m_caption(QString::fromUtf8(caption))
    , m_field(QString::fromUtf8(field))
    , m_key(key)
    , m_overviewTitle(QString::fromUtf8(overviewTitle))
{
}

const QList<CatchFish>& CatchFish::all()
{
    static const QList<CatchFish> species{
        {"01 kapr", "KAPR", 0, "kapr"},
        {"02 lín", "LIN", 0, "  lín"},
        {"03 &Cejn vel", "CEJN_VEL", 'C', " cejn"},
        {"04 &Tloušť", "TLOUST", 'T', "tloušť"},
        {"05 &Okoun", "OKOUN", 'O', "okoun"},
        {"06 parma", "PARMA", 0, "parma"},
        {"07 ostro&Retka", "OSTRORETKA", 'R', "ostror"},
        {"08 &Štika", "STIKA", 'S', "štika"},
        {"09 ca&Ndát", "CANDAT", 'N', "candát"},
        {"10 su&Mec", "SUMEC", 'M', "sumec"},
        {"11 &Úhoř", "UHOR", 'U', "úhoř"},
        {"12 &Pstruh ob.", "PSTRUH_OB", 'P', "pstr.ob"},
        {"13 pstruh &Duh.", "PSTRUH_DUH", 'D', "pstr.d"},
        {"14 &Lipan", "LIPAN", 'L', "lipan"},
        {"15 si&Ven", "SIVEN", 'V', "siven"},
        {"16 &Amur", "AMUR", 'A', "amur"},
        {"17 &Bolen", "BOLEN", 'B', "bolen"},
        {"18 tolstolobik", "TOLSTOLOBIK", 0, "tolstol"},
        {"19 maréna peleď", "MARENA_PELED", 0, "mare"},
        {"20 &Karas stř.", "KARAS_STR", 'K', "karas"},
        {"21 &Jelec jesen", "JESEN", 'J', "Jesen"},
        {"22 mník jednov.", "MNIK", 0, "Mník"},
        {"23 podoustev", "PODOUSTEV", 0, "podoust"},
        {"24 ostatn&Í", "OSTATNI", 'I', "ost."},
    };
    return species;
}
