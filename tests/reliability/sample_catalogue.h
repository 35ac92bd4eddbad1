#pragma once

#include "projectinfo.h"

#include <QList>

// A deterministic catalogue of `count` projects with paragraphs, accents and commas; `variant`
// changes every text so two catalogues of one size differ throughout.
QList<ProjectInfo> sampleCatalogue(int count, int variant);
