#pragma once

#include "projectinfo.h"

#include <QList>

// The benchmark's catalogue, the same for every run: names of 12 to 30 characters, locations of
// about 20, short descriptions of 80 to 150, long descriptions of 500 to 2000 in several CR LF
// paragraphs, some Windows-1252 accents, Pics 0 to 9.
QList<ProjectInfo> benchmarkWorkload(int projects);
