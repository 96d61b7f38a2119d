#include "app/table_words.h"

#include <QStringList>

namespace dm {

QString cardWords(int number)
{
    static const char* const kRanks[] = {"ace", "two", "three", "four", "five", "six", "seven",
                                         "eight", "nine", "ten", "jack", "queen", "king"};
    static const char* const kSuits[] = {"clubs", "diamonds", "hearts", "spades"};
    if (number < 0 || number >= kDeckSize)
        return {};
    return QStringLiteral("%1 of %2").arg(QLatin1String(kRanks[rankOf(number) - 1]), QLatin1String(kSuits[suitOf(number)]));
}

QString cardListWords(const std::vector<int>& numbers)
{
    QStringList words;
    for (const int n : numbers)
        if (const QString w = cardWords(n); !w.isEmpty())
            words << w;
    return words.join(QStringLiteral(", "));
}

QString handWords(const QString& owner, const std::vector<int>& numbers, bool faceUp)
{
    int cards = 0;
    for (const int n : numbers)
        cards += n >= 0 && n < kDeckSize ? 1 : 0;
    QString text = QStringLiteral("%1, %2 %3").arg(owner).arg(cards).arg(cards == 1 ? "card" : "cards");
    if (faceUp && cards > 0)
        text += QStringLiteral(": ") + cardListWords(numbers);
    return text;
}

QString pileWords(const std::vector<int>& pile)
{
    if (pile.empty())
        return QStringLiteral("Discard pile, empty");
    return QStringLiteral("Discard pile, %1 %2, top: %3")
        .arg(pile.size())
        .arg(pile.size() == 1 ? "card" : "cards")
        .arg(cardWords(pile.back()));
}

}  // namespace dm
