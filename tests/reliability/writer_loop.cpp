// Rewrites projects.txt (mode "save") or the three pages (mode "pages") in the working folder,
// alternating between two catalogues, until it is killed. Prints "ready" before the first write
// and "written" after each one.
#include "catalogue.h"
#include "cataloguefile.h"
#include "pages.h"
#include "sample_catalogue.h"

#include <QDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    if (argc != 3)
        return 2;
    const QByteArray mode = argv[1];
    const int size = QByteArray(argv[2]).toInt();
    Catalogue catalogues[2];
    catalogues[0].assign(sampleCatalogue(size, 1));
    catalogues[1].assign(sampleCatalogue(size, 2));

    QTextStream out(stdout);
    out << "ready" << Qt::endl;
    for (unsigned round = 0;; ++round) {
        const Catalogue &catalogue = catalogues[round % 2];
        if (mode == "save")
            CatalogueFile().write(catalogue.Projects(), FileEncoding::Plain, FileIdentity());
        else
            Pages::Publisher(QDir::currentPath()).publish(catalogue.Projects());
        out << "written" << Qt::endl;
    }
}
