#include "Code128.h"

#include <QPainter>

namespace {

// Bar and space widths of the symbol values 0 to 106 (106 is the stop with its final bar).
const char* const Patterns[] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122", "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123", "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331", "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "2331112"};

constexpr int Shift = 98;
constexpr int Fnc1 = 102;
constexpr int StartA = 103;
constexpr int Stop = 106;
constexpr int QuietZone = 10;
constexpr int ScreenDotsPerMeter = 3780; // 96 dpi

// The set A values of one character, with a shift for the lower-case range of set B.
bool appendCharacter(QList<int>& values, char16_t c)
{
    if (c < 32)
        values << c + 64;
    else if (c < 96)
        values << c - 32;
    else if (c < 128)
        values << Shift << c - 32;
    else
        return false;
    return true;
}

int checkValue(const QList<int>& values)
{
    int sum = values[0];
    for (int i = 1; i < values.size(); ++i)
        sum += i * values[i];
    return sum % 103;
}

int totalModules(const QList<int>& widths)
{
    int total = 0;
    for (int w : widths)
        total += w;
    return total;
}

} // namespace

QList<int> Code128::symbols(const QString& text)
{
    QList<int> values{StartA, Fnc1};
    for (const QChar c : text)
        if (!appendCharacter(values, c.unicode()))
            return {};
    values << checkValue(values) << Stop;
    return values;
}

QList<int> Code128::moduleWidths(const QString& text)
{
    QList<int> widths;
    for (int value : symbols(text))
        for (const char* w = Patterns[value]; *w; ++w)
            widths << *w - '0';
    return widths;
}

bool Code128::draw(QImage& image, const QString& text, QPoint origin, int moduleWidth, double ratio,
                   int height)
{
    Q_UNUSED(ratio);
    const QList<int> widths = moduleWidths(text);
    if (widths.isEmpty())
        return false;
    QPainter painter(&image);
    int x = origin.x();
    for (int i = 0; i < widths.size(); ++i) {
        const int w = widths[i] * moduleWidth;
        if (i % 2 == 0)
            painter.fillRect(x, origin.y(), w, height, Qt::black);
        x += w;
    }
    return true;
}

QImage Code128::image(const QString& text, int moduleWidth, int height)
{
    const QList<int> widths = moduleWidths(text);
    if (widths.isEmpty())
        return {};
    const int width = (totalModules(widths) + 2 * QuietZone) * moduleWidth;
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(ScreenDotsPerMeter);
    image.setDotsPerMeterY(ScreenDotsPerMeter);
    image.fill(Qt::white);
    draw(image, text, QPoint(QuietZone * moduleWidth, 0), moduleWidth, 2.0, height);
    return image;
}
