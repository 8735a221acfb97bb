#include "money.h"

#include <QStringList>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace kovrel {

namespace {

// Wide enough for any product of two 64-bit figures.
__extension__ typedef __int128 Wide;

constexpr qint64 kMax = std::numeric_limits<qint64>::max();

qint64 saturate(Wide value) {
    if (value > kMax) return kMax;
    if (value < -kMax) return -kMax;
    return static_cast<qint64>(value);
}

// numerator / denominator, rounded half away from zero.
Wide roundedDivision(Wide numerator, Wide denominator) {
    const bool negative = (numerator < 0) != (denominator < 0);
    const Wide a = numerator < 0 ? -numerator : numerator;
    const Wide b = denominator < 0 ? -denominator : denominator;
    const Wide q = (2 * a + b) / (2 * b);
    return negative ? -q : q;
}

// Decimal text as a whole number of 1/10^decimals, rounded half up (away from zero): only the
// first digit dropped decides, so 0.1249999 stays 0.12 and 0.125 becomes 0.13.
std::optional<qint64> readScaled(QStringView text, int decimals) {
    text = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    Wide value = 0;
    int digits = 0;
    int kept = 0; // decimals taken into `value`
    bool separator = false;
    bool roundUp = false;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9') {
            const int d = c - u'0';
            if (++digits > 40) return std::nullopt;
            if (!separator || kept < decimals) {
                value = value * 10 + d;
                if (separator) ++kept;
                if (value > Wide(kMax) * 1000) return std::nullopt;
            } else if (kept == decimals) {
                roundUp = d >= 5;
                ++kept; // later digits do not count
            }
        } else if ((c == u'.' || c == u',') && !separator) {
            separator = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;
    for (; kept < decimals; ++kept)
        value *= 10;
    if (roundUp) ++value;
    if (value > kMax) return std::nullopt;
    return static_cast<qint64>(negative ? -value : value);
}

// The double's shortest decimal text that reads back as the same double, in fixed notation.
qint64 scaledFromDouble(double value, int decimals) {
    if (!std::isfinite(value)) return 0;
    char buffer[400];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (r.ec != std::errc()) return 0;
    const auto text = QString::fromLatin1(buffer, r.ptr - buffer);
    if (const auto scaled = readScaled(text, decimals)) return *scaled;
    return value < 0 ? -kMax : kMax;
}

// "-" before negatives, the whole part, then exactly `decimals` digits after ".".
QString scaledText(qint64 value, int decimals) {
    const quint64 magnitude = value < 0 ? 0 - static_cast<quint64>(value) : static_cast<quint64>(value);
    quint64 unit = 1;
    for (int i = 0; i < decimals; ++i)
        unit *= 10;
    QString text = QString::number(magnitude / unit);
    if (decimals > 0)
        text +=
            QLatin1Char('.') + QString::number(magnitude % unit).rightJustified(decimals, QLatin1Char('0'));
    return value < 0 ? QLatin1Char('-') + text : text;
}

} // namespace

// ---- Money -----------------------------------------------------------------------------------

std::optional<Money> Money::Parse(QStringView text) {
    const auto kopecks = readScaled(text, 2);
    return kopecks ? std::optional<Money>(Money(*kopecks)) : std::nullopt;
}

Money Money::FromDouble(double value) {
    return Money(scaledFromDouble(value, 2));
}

double Money::ToDouble() const {
    return static_cast<double>(m_kopecks) / 100.0;
}

QString Money::ToText() const {
    return scaledText(m_kopecks, 2);
}

// ---- Quantity --------------------------------------------------------------------------------

std::optional<Quantity> Quantity::Parse(QStringView text) {
    const auto thousandths = readScaled(text, 3);
    return thousandths ? std::optional<Quantity>(Quantity(*thousandths)) : std::nullopt;
}

Quantity Quantity::FromDouble(double value) {
    return Quantity(scaledFromDouble(value, 3));
}

double Quantity::ToDouble() const {
    return static_cast<double>(m_thousandths) / 1000.0;
}

QString Quantity::ToText() const {
    QString text = scaledText(m_thousandths, 3);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    return text;
}

// ---- VatRate ---------------------------------------------------------------------------------

VatRate VatRate::FromDouble(double percent) {
    const qint64 hundredths = scaledFromDouble(percent, 2);
    return VatRate(static_cast<int>(std::clamp<qint64>(hundredths, -1000000000, 1000000000)));
}

QString VatRate::PercentText() const {
    QString text = scaledText(m_hundredths, 2);
    if (text.endsWith(QLatin1String(".00")))
        text.chop(3);
    else
        text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text + QLatin1Char('%');
}

// ---- Line figures ----------------------------------------------------------------------------

Money LineSum(Quantity quantity, Money price) {
    return Money::FromKopecks(
        saturate(roundedDivision(Wide(quantity.Thousandths()) * price.Kopecks(), 1000)));
}

Money VatIncluded(Money amount, VatRate rate) {
    const Wide denominator = 10000 + Wide(rate.Hundredths());
    if (rate.IsZero() || denominator == 0) return {};
    return Money::FromKopecks(
        saturate(roundedDivision(Wide(amount.Kopecks()) * rate.Hundredths(), denominator)));
}

Money PriceWithoutVat(Money price, VatRate rate) {
    return price - VatIncluded(price, rate);
}

LineFigures& LineFigures::operator+=(const LineFigures& other) {
    sum += other.sum;
    vat += other.vat;
    withoutVat += other.withoutVat;
    return *this;
}

LineFigures ComputeLine(Quantity quantity, Money price, VatRate rate) {
    LineFigures f;
    f.sum = LineSum(quantity, price);
    f.vat = VatIncluded(f.sum, rate);
    f.withoutVat = f.sum - f.vat;
    return f;
}

// ---- Words -----------------------------------------------------------------------------------

namespace {

// The form of a counted word after `n`: 1 (and 21, 31, … but not 11), 2–4 (not 12–14), others.
const char* pluralForm(quint64 n, const char* one, const char* few, const char* many) {
    const quint64 lastTwo = n % 100;
    const quint64 last = n % 10;
    if (lastTwo >= 11 && lastTwo <= 14) return many;
    if (last == 1) return one;
    if (last >= 2 && last <= 4) return few;
    return many;
}

// Words of 1..999, the units in the given gender.
QStringList tripleWords(int n, WordGender gender) {
    static const char* const hundreds[] = {"",        "сто",      "двести",  "триста",    "четыреста",
                                           "пятьсот", "шестьсот", "семьсот", "восемьсот", "девятьсот"};
    static const char* const tens[] = {"",          "",           "двадцать",  "тридцать",    "сорок",
                                       "пятьдесят", "шестьдесят", "семьдесят", "восемьдесят", "девяносто"};
    static const char* const teens[] = {"десять",       "одиннадцать", "двенадцать",  "тринадцать",
                                        "четырнадцать", "пятнадцать",  "шестнадцать", "семнадцать",
                                        "восемнадцать", "девятнадцать"};
    static const char* const units[] = {"",     "один",  "два",  "три",    "четыре",
                                        "пять", "шесть", "семь", "восемь", "девять"};
    QStringList words;
    if (n / 100) words << QString::fromUtf8(hundreds[n / 100]);
    const int rest = n % 100;
    if (rest >= 10 && rest <= 19) {
        words << QString::fromUtf8(teens[rest - 10]);
        return words;
    }
    if (rest / 10) words << QString::fromUtf8(tens[rest / 10]);
    const int unit = rest % 10;
    if (unit == 1 && gender == WordGender::Feminine)
        words << QStringLiteral("одна");
    else if (unit == 1 && gender == WordGender::Neuter)
        words << QStringLiteral("одно");
    else if (unit == 2 && gender == WordGender::Feminine)
        words << QStringLiteral("две");
    else if (unit)
        words << QString::fromUtf8(units[unit]);
    return words;
}

struct Scale {
    WordGender gender;
    const char* one;
    const char* few;
    const char* many;
};

// Thousands and above, from 10^3 up to 10^18 (beyond what 64 bits hold).
const Scale kScales[] = {
    {WordGender::Feminine, "тысяча", "тысячи", "тысяч"},
    {WordGender::Masculine, "миллион", "миллиона", "миллионов"},
    {WordGender::Masculine, "миллиард", "миллиарда", "миллиардов"},
    {WordGender::Masculine, "триллион", "триллиона", "триллионов"},
    {WordGender::Masculine, "квадриллион", "квадриллиона", "квадриллионов"},
    {WordGender::Masculine, "квинтиллион", "квинтиллиона", "квинтиллионов"},
};

QString capitalized(QString text) {
    if (!text.isEmpty()) text[0] = text[0].toUpper();
    return text;
}

quint64 magnitudeOf(qint64 value) {
    return value < 0 ? 0 - static_cast<quint64>(value) : static_cast<quint64>(value);
}

} // namespace

QString NumberInWords(qint64 value, WordGender gender) {
    quint64 rest = magnitudeOf(value);
    if (rest == 0) return QStringLiteral("ноль");
    QStringList groups; // from the highest group down
    const int units = static_cast<int>(rest % 1000);
    if (units) groups << tripleWords(units, gender).join(QLatin1Char(' '));
    rest /= 1000;
    for (const Scale& scale : kScales) {
        if (rest == 0) break;
        const int group = static_cast<int>(rest % 1000);
        if (group) {
            QStringList words = tripleWords(group, scale.gender);
            words << QString::fromUtf8(pluralForm(group, scale.one, scale.few, scale.many));
            groups.prepend(words.join(QLatin1Char(' ')));
        }
        rest /= 1000;
    }
    const QString words = groups.join(QLatin1Char(' '));
    return value < 0 ? QStringLiteral("минус ") + words : words;
}

QString SumInWords(Money amount) {
    const quint64 kopecks = magnitudeOf(amount.Kopecks());
    const quint64 roubles = kopecks / 100;
    const quint64 cents = kopecks % 100;
    const QString words = NumberInWords(static_cast<qint64>(roubles)) + QLatin1Char(' ') +
                          QString::fromUtf8(pluralForm(roubles, "рубль", "рубля", "рублей")) +
                          QLatin1Char(' ') + QString::number(cents).rightJustified(2, QLatin1Char('0')) +
                          QLatin1Char(' ') +
                          QString::fromUtf8(pluralForm(cents, "копейка", "копейки", "копеек"));
    return capitalized(amount.Kopecks() < 0 ? QStringLiteral("минус ") + words : words);
}

} // namespace kovrel
