#pragma once

#include "projectinfo.h"

// One page, written a project at a time. Build Pages writes the three pages side by side in one
// pass over the catalogue: each project's texts are then fetched from memory once for all three,
// where three passes would each chase them all over the heap.
class Page
{
public:
    virtual ~Page() = default;
    virtual void add(const ProjectInfo &project) = 0;
    // Writes what follows the last project; false when any write failed.
    virtual bool finish() = 0;
};
