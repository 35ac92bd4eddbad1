#include "pagesbuilt.h"

#include "documentresults.h"
#include "messageservice.h"
#include "pages.h"
#include "printabletext.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>

namespace PagesBuilt {

QUrl indexPage(const QByteArray &folder)
{
    // By its bytes: a folder name that is not UTF-8 has no text that leads back to it.
    return QUrl::fromEncoded("file://" + (folder + '/' + Pages::IndexFileName.toUtf8()).toPercentEncoding("/"));
}

void tell(MessageService &messages, const PublishResult &published, const QByteArray &folder)
{
    if (!published.built) {
        messages.showMessage(published.message);
        return;
    }
    // The fixed sentence first, then where the pages went.
    const QString text = published.message + QLatin1Char('\r') + QDir::toNativeSeparators(printableFileName(folder))
        + QLatin1Char('\r')
        + QCoreApplication::translate("PagesBuilt", "Written there: %1, %2 and %3.")
              .arg(Pages::IndexFileName, Pages::ShortFileName, Pages::LongFileName);
    if (messages.offerToShowPages(text) && !QDesktopServices::openUrl(indexPage(folder)))
        messages.showMessage(
            QCoreApplication::translate("PagesBuilt", "No browser could be started to show %1.")
                .arg(QDir::toNativeSeparators(printableFileName(folder + '/' + Pages::IndexFileName.toUtf8()))));
}

} // namespace PagesBuilt
