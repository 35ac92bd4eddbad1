#include "askpass.h"

#include <QApplication>
#include <QInputDialog>
#include <QTextStream>

namespace Askpass {

int run(int &argc, char **argv)
{
    const QString prompt = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    // A host key is accepted by typing "yes" or its fingerprint, shown as typed; a password is not.
    const bool question = prompt.contains(QLatin1String("(yes/no"));
    bool ok = false;
    const QString answer =
        QInputDialog::getText(nullptr, QCoreApplication::translate("Askpass", "Publish over SSH"), prompt,
                              question ? QLineEdit::Normal : QLineEdit::Password, QString(), &ok);
    if (!ok)
        return 1;
    QTextStream(stdout) << answer << '\n';
    return 0;
}

} // namespace Askpass
