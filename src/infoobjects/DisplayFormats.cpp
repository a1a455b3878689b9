#include "infoobjects/DisplayFormats.h"

#include "birthday/CalendarFacts.h"

#include <cmath>

namespace natalory {
namespace {

bool ParseNumber(const QString& text, double* value) {
    bool ok = false;
    *value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(*value);
}

QString GroupThousands(const QString& digits) {
    QString out;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += u',';
        out += digits[i];
    }
    return out;
}

}  // namespace

QString FormatNumber(const QString& value, QStringView pattern) {
    double number = 0;
    if (!ParseNumber(value, &number)) return value;

    QString prefix;
    qsizetype i = 0;
    while (i < pattern.size() && pattern[i] != u'#' && pattern[i] != u'0' && pattern[i] != u',' &&
           pattern[i] != u'.')
        prefix += pattern[i++];
    int minIntegerDigits = 0;
    bool thousands = false;
    for (; i < pattern.size() && pattern[i] != u'.'; ++i) {
        if (pattern[i] == u'0')
            ++minIntegerDigits;
        else if (pattern[i] == u',')
            thousands = true;
    }
    int decimals = 0;
    int minDecimals = 0;
    if (i < pattern.size() && pattern[i] == u'.') {
        for (++i; i < pattern.size() && (pattern[i] == u'#' || pattern[i] == u'0'); ++i) {
            ++decimals;
            if (pattern[i] == u'0') minDecimals = decimals;
        }
    }

    const double rounded = Round(number, decimals);
    QString digits = QString::number(std::fabs(rounded), 'f', decimals);
    QString integerPart = digits.section(u'.', 0, 0);
    QString fraction = decimals > 0 ? digits.section(u'.', 1, 1) : QString();
    while (fraction.size() > minDecimals && fraction.endsWith(u'0')) fraction.chop(1);
    qsizetype zeros = 0;
    while (zeros < integerPart.size() && integerPart[zeros] == u'0') ++zeros;
    integerPart.remove(0, zeros);
    while (integerPart.size() < minIntegerDigits) integerPart.prepend(u'0');
    if (thousands) integerPart = GroupThousands(integerPart);

    QString out = prefix + integerPart;
    if (!fraction.isEmpty()) out += u'.' + fraction;
    if (rounded < 0) out.prepend(u'-');
    return out;
}

void ApplyDisplayFormats(CalendarFacts& f, YearData& y) {
    f.AgeDays = FormatNumber(f.AgeDays, u"###,###,##0");
    f.AgeHours = FormatNumber(f.AgeHours, u"###,###,###,##0");
    f.DaysSlept = FormatNumber(f.DaysSlept, u"###,###,##0.0");
    f.AgeWholeYears = FormatNumber(f.AgeWholeYears, u"##0");
    y.HousePrice = FormatNumber(y.HousePrice, u"$###,###,##0");
    y.CarPrice = FormatNumber(y.CarPrice, u"$###,##0");
    y.AverageIncome = FormatNumber(y.AverageIncome, u"$###,###,##0");
    for (QString* v : {&y.MilkPrice, &y.GasPrice, &y.BreadPrice, &y.FlourPrice, &y.ElectricPrice})
        *v = FormatNumber(*v, u"$#0.#0");
    f.StampPrice = FormatNumber(f.StampPrice, u"$0.#0");
    for (QString* v : {&y.EggsPrice, &y.BaconPrice, &y.BolognaPrice, &y.IceCreamPrice, &y.PotatoesPrice})
        *v = FormatNumber(*v, u"$#0.00");
    y.Population = FormatNumber(y.Population, u"###,###,###,###");
    y.ConsumerPriceIndex = FormatNumber(y.ConsumerPriceIndex, u"###.00");
}

}  // namespace natalory
