#include "pages.h"

// Placeholder until the page writers land.
namespace Pages {
QByteArray BuildIndexPage(const QList<ProjectInfo> &) { return {}; }
QByteArray BuildShortPage(const QList<ProjectInfo> &) { return {}; }
QByteArray BuildLongPage(const QList<ProjectInfo> &) { return {}; }
PublishResult publishPages(const QList<ProjectInfo> &, const QString &) { return {false, {}, QStringLiteral("not built yet")}; }
} // namespace Pages
