#include "destination.h"

#include <QCoreApplication>
#include <QDebug>
#include <QRegularExpression>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Destination", text);
}

// A host that ssh would read as an option, or that holds blanks, is refused: it cannot be a host.
bool isHostName(const QString &host)
{
    static const QRegularExpression bad(QStringLiteral("[\\s/]"));
    return !host.isEmpty() && !host.startsWith(QLatin1Char('-')) && !host.contains(bad);
}

} // namespace

Destination Destination::parse(const QString &text)
{
    Destination destination;
    QString rest = text;
    const bool url = rest.startsWith(QLatin1String("ssh://"));
    if (url) {
        rest = rest.mid(6);
        const qsizetype slash = rest.indexOf(QLatin1Char('/'));
        destination.path = slash < 0 ? QString() : rest.mid(slash);
        rest = slash < 0 ? rest : rest.left(slash);
        const qsizetype colon = rest.lastIndexOf(QLatin1Char(':'));
        if (colon > rest.lastIndexOf(QLatin1Char(']')) && colon >= 0) {
            bool ok = false;
            destination.port = rest.mid(colon + 1).toInt(&ok);
            if (!ok || destination.port <= 0 || destination.port > 65535)
                destination.error = tr("%1 has no valid port number.").arg(text);
            rest.truncate(colon);
        }
    } else {
        const qsizetype colon = rest.indexOf(QLatin1Char(':'));
        const qsizetype slash = rest.indexOf(QLatin1Char('/'));
        if (colon <= 0 || (slash >= 0 && slash < colon)) {
            destination.path = text;
            if (text.isEmpty())
                destination.error = tr("No destination was given.");
            return destination;
        }
        destination.path = rest.mid(colon + 1);
        rest.truncate(colon);
    }
    destination.kind = Kind::Ssh;
    const qsizetype at = rest.lastIndexOf(QLatin1Char('@'));
    if (at >= 0) {
        destination.user = rest.left(at);
        rest = rest.mid(at + 1);
    }
    if (rest.startsWith(QLatin1Char('[')) && rest.endsWith(QLatin1Char(']')))
        rest = rest.mid(1, rest.size() - 2);
    destination.host = rest;
    if (destination.error.isEmpty() && (!isHostName(destination.host) || destination.user.startsWith(QLatin1Char('-'))))
        destination.error = tr("%1 names no host that ssh can reach.").arg(text);
    return destination;
}

QString Destination::text() const
{
    if (kind == Kind::Folder)
        return path;
    const QString host =
        this->host.contains(QLatin1Char(':')) ? QLatin1Char('[') + this->host + QLatin1Char(']') : this->host;
    if (port > 0)
        return QStringLiteral("ssh://%1%2:%3%4")
            .arg(user.isEmpty() ? QString() : user + QLatin1Char('@'), host, QString::number(port),
                 path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path);
    return login() + QLatin1Char(':') + path;
}

QString Destination::login() const
{
    return user.isEmpty() ? host : user + QLatin1Char('@') + host;
}

QString Destination::remotePath() const
{
    if (path.isEmpty() || path == QLatin1String("~") || path == QLatin1String("~/"))
        return QStringLiteral(".");
    if (path.startsWith(QLatin1String("~/")))
        return path.mid(2);
    return path;
}

bool operator==(const Destination &a, const Destination &b)
{
    return a.kind == b.kind && a.path == b.path && a.user == b.user && a.host == b.host && a.port == b.port
        && a.error == b.error;
}

QDebug operator<<(QDebug debug, const Destination &destination)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "Destination(" << destination.text();
    if (!destination.error.isEmpty())
        debug << ", error " << destination.error;
    return debug << ')';
}
