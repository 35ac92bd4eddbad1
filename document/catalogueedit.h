#pragma once

#include "projectinfo.h"

#include <QString>
#include <QtGlobal>

class Catalogue;
class QDebug;

// One change of the catalogue that can be taken back and made again: a record put in or taken
// out, two neighbours swapped, or one field replaced. It holds what it changed and nothing more,
// never a copy of the catalogue, so that a long history costs no more than the records it touched.
struct CatalogueEdit
{
    enum class Kind {
        Insert, // `project` put in at `position`
        Remove, // `project` taken out of `position`
        SwapWithNext, // the records at `position` and `position` + 1 change places
        SetField, // the text `field` of the record at `position` from `before` to `after`
    };

    Kind kind = Kind::SetField;
    qint16 position = -1;
    ProjectInfo project;
    Field field = Field::Name;
    QString before;
    QString after;
    // The document's states before and after the edit, and the identity it gave the record put in,
    // taken out or changed (CatalogueDocument::perform sets them).
    quint64 stateBefore = 0;
    quint64 stateAfter = 0;
    quint32 record = 0;

    static CatalogueEdit insert(qint16 position, const ProjectInfo &project);
    static CatalogueEdit remove(qint16 position, const ProjectInfo &project);
    static CatalogueEdit swapWithNext(qint16 position);
    static CatalogueEdit setField(qint16 position, Field field, const QString &before, const QString &after);

    // False, and nothing changed, when the catalogue is not one the edit fits (a full catalogue for
    // an insert, a position past its end).
    bool applyTo(Catalogue &catalogue) const;
    bool revertIn(Catalogue &catalogue) const;
    // The edit whose applyTo() is this one's revertIn().
    CatalogueEdit inverse() const;
};

bool operator==(const CatalogueEdit &a, const CatalogueEdit &b);
QDebug operator<<(QDebug debug, const CatalogueEdit &edit);
