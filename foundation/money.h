#pragma once

#include <QString>
#include <QStringView>

#include <compare>
#include <optional>

// Money as the papers, the editors and the service count it: whole kopecks, never a binary
// double in the arithmetic.
//
// - Amounts and prices are `Money`, a count of kopecks.
// - Quantities are `Quantity`, a count of thousandths of a unit: weighed goods are sold to the
//   gram, and the papers print at most three decimals. A quantity given with more decimals is
//   rounded half up to the thousandth before it takes part in a sum.
// - VAT rates are `VatRate`, a count of hundredths of a percent (22 % is 2200), so that the
//   calculated rates such as 9,09 % stay exact.
// - Rounding is half up, halves going away from zero (0,125 -> 0,13; -0,125 -> -0,13).
// - Values that arrive as doubles (records read from JSON, typed numbers) are taken from their
//   shortest decimal text, the one that reads back as the same double: 2.675, stored just below
//   2,675, is the text "2.675" and becomes 2,68; 3 × 0,05 computed in binary is
//   0.15000000000000002 and becomes 0,15.
namespace kovrel {

class Money {
public:
    constexpr Money() = default;
    static constexpr Money FromKopecks(qint64 kopecks) { return Money(kopecks); }
    // Decimal text: blanks around it, an optional sign, digits, optionally "." or "," and more
    // digits. Rounded half up to the kopeck. Nothing else: no exponent, no digit grouping, no
    // empty text, nothing beyond what 64 bits of kopecks hold.
    static std::optional<Money> Parse(QStringView text);
    // The double's shortest decimal text, rounded half up to the kopeck; 0 for NaN and infinity.
    static Money FromDouble(double value);

    constexpr qint64 Kopecks() const { return m_kopecks; }
    // For the records and the reports that still carry doubles: exact to the kopeck below
    // 10^13 roubles.
    double ToDouble() const;
    // Machine text: "-" before negatives, "." and always two decimals ("1234.50").
    QString ToText() const;

    constexpr bool IsZero() const { return m_kopecks == 0; }
    constexpr Money operator-() const { return Money(-m_kopecks); }
    constexpr Money& operator+=(Money other) {
        m_kopecks += other.m_kopecks;
        return *this;
    }
    constexpr Money& operator-=(Money other) {
        m_kopecks -= other.m_kopecks;
        return *this;
    }
    friend constexpr Money operator+(Money a, Money b) { return a += b; }
    friend constexpr Money operator-(Money a, Money b) { return a -= b; }
    friend constexpr auto operator<=>(Money, Money) = default;

private:
    constexpr explicit Money(qint64 kopecks)
        : m_kopecks(kopecks) {}
    qint64 m_kopecks = 0;
};

class Quantity {
public:
    constexpr Quantity() = default;
    static constexpr Quantity FromThousandths(qint64 thousandths) { return Quantity(thousandths); }
    // As Money::Parse, rounded half up to the thousandth.
    static std::optional<Quantity> Parse(QStringView text);
    // The double's shortest decimal text, rounded half up to the thousandth.
    static Quantity FromDouble(double value);

    constexpr qint64 Thousandths() const { return m_thousandths; }
    double ToDouble() const;
    // Machine text without trailing zeros: "2", "1.5", "0.333".
    QString ToText() const;
    // True for a whole number of units.
    constexpr bool IsWhole() const { return m_thousandths % 1000 == 0; }

    constexpr Quantity& operator+=(Quantity other) {
        m_thousandths += other.m_thousandths;
        return *this;
    }
    friend constexpr Quantity operator+(Quantity a, Quantity b) { return a += b; }
    friend constexpr auto operator<=>(Quantity, Quantity) = default;

private:
    constexpr explicit Quantity(qint64 thousandths)
        : m_thousandths(thousandths) {}
    qint64 m_thousandths = 0;
};

class VatRate {
public:
    constexpr VatRate() = default;
    static constexpr VatRate FromHundredths(int hundredths) { return VatRate(hundredths); }
    static constexpr VatRate Percent(int percent) { return VatRate(percent * 100); }
    // The double's shortest decimal text, rounded half up to a hundredth of a percent.
    static VatRate FromDouble(double percent);

    constexpr int Hundredths() const { return m_hundredths; }
    constexpr bool IsZero() const { return m_hundredths == 0; }
    // "22%", "10%", "9,09%": whole rates without decimals, others with a decimal comma, as
    // the papers and the tax service's schema write a rate.
    QString PercentText() const;

    friend constexpr auto operator<=>(VatRate, VatRate) = default;

private:
    constexpr explicit VatRate(int hundredths)
        : m_hundredths(hundredths) {}
    int m_hundredths = 0;
};

// A line's quantity × price, rounded half up to the kopeck. Beyond what 64 bits of kopecks
// hold the result stays at that limit; the service refuses such lines before they exist.
Money LineSum(Quantity quantity, Money price);

// The VAT contained in an amount that includes it: amount × rate / (100 + rate), rounded half
// up to the kopeck. Zero for a rate of zero (and for a rate of -100 %, which means nothing).
Money VatIncluded(Money amount, VatRate rate);

// The figures of one document line whose price includes VAT. Every total of a document is the
// sum of its lines' figures, so each column of a paper adds up and, per line and in the
// totals, withoutVat + vat = sum.
struct LineFigures {
    Money sum;        // quantity × price, rounded: the cost with VAT
    Money vat;        // the VAT contained in `sum`
    Money withoutVat; // sum − vat

    LineFigures& operator+=(const LineFigures& other);
};

LineFigures ComputeLine(Quantity quantity, Money price, VatRate rate);

// A unit's price without VAT: price − the VAT contained in it. The papers print it beside the
// line's figures; it is not what the line's sum without VAT is divided from.
Money PriceWithoutVat(Money price, VatRate rate);

// Grammatical gender of the counted word, for numbers in words.
enum class WordGender { Masculine, Feminine, Neuter };

// A whole number in Russian words, lower case ("двадцать один", "одна тысяча двести",
// "ноль"), the units agreeing with `gender` (один рубль, одна копейка, одно место).
QString NumberInWords(qint64 value, WordGender gender = WordGender::Masculine);

// The one sum in words of the papers: roubles in words with a capital first letter, kopecks
// as two digits, each word agreeing with its number: "Сто двадцать три рубля 45 копеек",
// "Один рубль 01 копейка", "Ноль рублей 00 копеек". A negative amount starts with "Минус".
QString SumInWords(Money amount);

} // namespace kovrel
