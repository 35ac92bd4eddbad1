#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

class QDebug;

// The four texts of a project, as the program names them inside itself.
enum class Field { Name, Location, ShortDesc, LongDesc };
inline constexpr Field AllFields[] = {Field::Name, Field::Location, Field::ShortDesc, Field::LongDesc};

struct ProjectInfo
{
    QString Name;
    QString Location;
    QString ShortDesc;
    QString LongDesc;
    qint16 Pics = 0;
};
// Inserting or deleting a project in the middle of a full catalogue moves the records after it as
// one block of memory, not one by one.
Q_DECLARE_TYPEINFO(ProjectInfo, Q_RELOCATABLE_TYPE);

// The text `field` of `project`.
const QString &fieldText(const ProjectInfo &project, Field field);
QString &fieldText(ProjectInfo &project, Field field);
// The key that names `field` where a field is named from outside: "Name", "Location", "ShortDesc",
// "LongDesc"; and back, nothing for any other key.
QString fieldKey(Field field);
std::optional<Field> fieldForKey(const QString &key);

bool operator==(const ProjectInfo &a, const ProjectInfo &b);
bool operator!=(const ProjectInfo &a, const ProjectInfo &b);
QDebug operator<<(QDebug debug, const ProjectInfo &project);
