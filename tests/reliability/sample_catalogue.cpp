#include "sample_catalogue.h"

#include <QRandomGenerator>

QList<ProjectInfo> sampleCatalogue(int count, int variant)
{
    QRandomGenerator random(quint32(count * 7919 + variant));
    const QStringList words{"bridge", "café", "façade", "tower", "park", "mill", "Zürich", "naïve", "pier", "roof"};
    auto sentence = [&](int wordsWanted) {
        QString s;
        for (int w = 0; w < wordsWanted; ++w) {
            if (w > 0)
                s += (w % 7 == 0) ? QStringLiteral(", ") : QStringLiteral(" ");
            s += words.at(random.bounded(words.size()));
        }
        return s;
    };
    QList<ProjectInfo> projects;
    projects.reserve(count);
    for (int i = 0; i < count; ++i) {
        ProjectInfo p;
        p.Name = QStringLiteral("%1 %2 v%3").arg(sentence(2)).arg(i).arg(variant);
        p.Location = sentence(3);
        p.ShortDesc = sentence(15);
        p.LongDesc = sentence(60) + QStringLiteral("\r\n\r\n") + sentence(80);
        p.Pics = qint16(random.bounded(10));
        projects.append(p);
    }
    return projects;
}
