#pragma once
// A real HTTP server on 127.0.0.1 for the download tests, in a process of
// its own (tests/support/httpserver.py). The download routine is pointed at
// it with CURLOPT_CONNECT_TO, so the URLs stay the program's own.
#include <QProcess>
#include <QString>

namespace kv::test {

class HttpServer
{
public:
    // mode: "serve", "404", "500", "truncate", "stall", "redirect".
    HttpServer(const QString &root, const QString &mode);
    ~HttpServer();
    int port() const { return m_port; }
    bool isRunning() const { return m_port > 0; }
    // Sends requests for `host` on port 80 to this server.
    void routeHost(const QString &host) const;

private:
    QProcess m_process;
    int m_port = 0;
};

// A port on 127.0.0.1 on which nothing listens.
int deadPort();

} // namespace kv::test
