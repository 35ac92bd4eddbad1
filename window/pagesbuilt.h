#pragma once

#include <QByteArray>
#include <QUrl>

class MessageService;
struct PublishResult;

// What the window tells after Build Pages: the failure as it always read, or that the pages were
// built, in which folder and under which names, with the offer to show the index page in the
// desktop's browser.
namespace PagesBuilt {

// The index page in `folder`, named by its bytes, as a browser is given it.
QUrl indexPage(const QByteArray &folder);

void tell(MessageService &messages, const PublishResult &published, const QByteArray &folder);

} // namespace PagesBuilt
