#include "workload.h"

#include <QRandomGenerator>

namespace {

const QStringList Words{"harbour",  "bridge", "school", "park",   "station", "café", "tower",  "façade",
                        "pavilion", "hall",   "timber", "steel",  "granite", "roof", "lane",   "mill",
                        "Zürich",   "naïve",  "river",  "garden", "pier",    "quay", "survey", "repair"};

QString text(QRandomGenerator &random, int minLength, int maxLength)
{
    const int length = minLength + int(random.bounded(maxLength - minLength + 1));
    QString s;
    s.reserve(length + 12);
    while (s.size() < length) {
        if (!s.isEmpty())
            s += random.bounded(9) == 0 ? QStringLiteral(", ") : QStringLiteral(" ");
        s += Words.at(random.bounded(Words.size()));
    }
    s.truncate(length);
    return s;
}

QString paragraphs(QRandomGenerator &random, int minLength, int maxLength)
{
    const int length = minLength + int(random.bounded(maxLength - minLength + 1));
    const int count = 2 + int(random.bounded(3));
    QString s;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            s += QStringLiteral("\r\n\r\n");
        const int part = (length - s.size()) / (count - i);
        s += text(random, part, part);
    }
    return s;
}

} // namespace

QList<ProjectInfo> benchmarkWorkload(int projects)
{
    QRandomGenerator random(32767);
    QList<ProjectInfo> list;
    list.reserve(projects);
    for (int i = 0; i < projects; ++i) {
        ProjectInfo p;
        p.Name = text(random, 12, 30);
        p.Location = text(random, 18, 22);
        p.ShortDesc = text(random, 80, 150);
        p.LongDesc = paragraphs(random, 500, 2000);
        p.Pics = qint16(random.bounded(10));
        list.append(p);
    }
    return list;
}
