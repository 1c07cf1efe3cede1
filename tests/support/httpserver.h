#pragma once
// A real HTTP server on 127.0.0.1 for the download tests, in a process of
// its own (tests/support/httpserver.py). The download routine is pointed at
// it with CURLOPT_CONNECT_TO, so the URLs stay the program's own.
#include <QProcess>
#include <QString>

#include <QStringList>

namespace kv::test {

// A server script run with python3 in a process of its own: it prints the
// port it listens on as its first line, and is ended with the object.
class ServerProcess
{
public:
    explicit ServerProcess(const QStringList &arguments);
    ~ServerProcess();
    int port() const { return m_port; }

private:
    QProcess m_process;
    int m_port = 0;
};

class HttpServer
{
public:
    // mode: "serve", a status such as "404", "truncate", "truncate-chunked",
    // "stall", "silent", "drip", "trickle:SECONDS", "redirect", "redirect-file"
    // (see httpserver.py).
    HttpServer(const QString &root, const QString &mode);
    ~HttpServer();
    int port() const { return m_server.port(); }
    bool isRunning() const { return port() > 0; }
    // Sends requests for `host` on port 80 to this server.
    void routeHost(const QString &host) const;

private:
    ServerProcess m_server;
};

// Makes the download routine give up a transfer below 1 byte a second after
// 2 s (instead of its half minute) for one test, and puts the limits back.
struct ShortStall
{
    ShortStall();
    ~ShortStall();
};

// A port on 127.0.0.1 on which nothing listens.
int deadPort();
// Sends the download routine's requests for `host` on port 80 to `port` on
// 127.0.0.1, past any proxy the environment names.
void routeHost(const QString &host, int port);

} // namespace kv::test
