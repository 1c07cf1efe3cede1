#include "support/httpserver.h"

#include "platform/download.h"

#include <QTcpServer>

namespace kv::test {

ServerProcess::ServerProcess(const QStringList &arguments)
{
    m_process.setProgram(QStringLiteral("python3"));
    m_process.setArguments(arguments);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start();
    if (!m_process.waitForStarted(10000))
        return;
    while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
    }
    m_port = m_process.readLine().trimmed().toInt();
}

ServerProcess::~ServerProcess()
{
    m_process.closeWriteChannel(); // the loopback server stops at the end of its input
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

HttpServer::HttpServer(const QString &root, const QString &mode)
    : m_server({QStringLiteral(KVARNIS_TEST_HTTP_SERVER), root, mode})
{
}

HttpServer::~HttpServer()
{
    downloadSettings().connectTo.clear();
}

void HttpServer::routeHost(const QString &host) const
{
    kv::test::routeHost(host, port());
}

void routeHost(const QString &host, int port)
{
    // libcurl would send the requests to a proxy instead of the route.
    for (const char *name : {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        qunsetenv(name);
    downloadSettings().connectTo = {QStringLiteral("%1:80:127.0.0.1:%2").arg(host).arg(port)};
}

ShortStall::ShortStall()
{
    downloadSettings().lowSpeedBytesPerSecond = 1;
    downloadSettings().lowSpeedSeconds = 2;
}

ShortStall::~ShortStall()
{
    downloadSettings().lowSpeedBytesPerSecond = LowSpeedBytesPerSecond;
    downloadSettings().lowSpeedSeconds = LowSpeedSeconds;
}

int deadPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const int port = probe.serverPort();
    probe.close();
    return port;
}

} // namespace kv::test
