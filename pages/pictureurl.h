#pragma once

#include <QString>

// A project's name as it stands in the URL of its pictures (the SRC attributes), which must name the
// files under that very name: "%", "#", "?", "\"" and "&" are written "%25", "%23", "%3F", "%22"
// and "%26", since a browser would otherwise decode an escape, start a fragment or a query, end
// the attribute or read a character reference, and ask for another file. A name without them is
// returned as it is, shared.
QString pictureUrlName(const QString &name);
