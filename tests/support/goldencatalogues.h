#pragma once

#include "projectinfo.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QString>

// The catalogues of tests/data/pages/catalogues.json, whose pages lie beside it, one folder each.
inline QList<ProjectInfo> goldenCatalogue(const QString &pagesDataDir, const QString &name)
{
    QFile file(pagesDataDir + QStringLiteral("/catalogues.json"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read catalogues.json");
    QList<ProjectInfo> projects;
    const QJsonArray records = QJsonDocument::fromJson(file.readAll()).object().value(name).toArray();
    for (const QJsonValue &value : records) {
        const QJsonObject record = value.toObject();
        projects.append(
            {record.value(QLatin1String("Name")).toString(), record.value(QLatin1String("Location")).toString(),
             record.value(QLatin1String("ShortDesc")).toString(), record.value(QLatin1String("LongDesc")).toString(),
             qint16(record.value(QLatin1String("Pics")).toInt())});
    }
    return projects;
}
