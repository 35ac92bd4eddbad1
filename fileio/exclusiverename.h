#pragma once

#include <QString>

namespace ExclusiveRename {

// Gives the file `from` the name `to` in one step, unless something already bears that name: it is
// never replaced, whatever it is, even when it appears between a look and the rename. The bytes
// move with the file's own inode, so nothing is rewritten. Empty when renamed; otherwise why not,
// with both names as they were. The caller flushes the folder.
QString rename(const QString &from, const QString &to);

} // namespace ExclusiveRename
