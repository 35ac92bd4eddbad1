#pragma once

#include "filestatus.h"

#include <sys/stat.h>

// The Linux file layer's files share this: a status as the system gives it.
FileStatus statusFrom(const struct stat &info);
