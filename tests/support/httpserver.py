#!/usr/bin/env python3
"""A small HTTP server on 127.0.0.1 for the download tests; it also answers
a proxy's requests (an absolute address in the request line) from ROOT, so a
program run with http_proxy pointing here downloads from it.

    httpserver.py ROOT MODE

Prints the port it listens on, then serves until stdin closes. MODE:
  serve            files below ROOT (404 for a missing one)
  NNN              that status (404, 500, 302 ...) for every request, no body
  truncate         announces the whole file but sends half of it, then closes
  truncate-chunked sends half of the file as a chunk, then closes mid-body
  stall            sends the headers and a few bytes, then nothing
  silent           accepts the request and never answers
  drip             sends the file a byte at a time, 0.3 s apart
  trickle:SECONDS  sends the file a byte at a time, SECONDS apart
  redirect         answers 302 to the same path under /moved/, which is served
  redirect-file    answers 302 to a file:// address of the same file
"""
import http.server
import os
import sys
import threading
import time

root, mode = sys.argv[1], sys.argv[2]


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def local_path(self):
        path = self.path.split("?", 1)[0]
        if "://" in path:  # a proxy's request names the whole address
            path = "/" + path.split("://", 1)[1].partition("/")[2]
        if path.startswith("/moved/"):
            path = path[len("/moved"):]
        return os.path.join(root, path.lstrip("/"))

    def status_only(self, status, headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", "0")
        self.end_headers()

    def do_GET(self):
        if mode.isdigit():
            self.status_only(int(mode))
            return
        if mode == "silent":
            time.sleep(60)
            return
        if mode == "redirect" and not self.path.startswith("/moved/"):
            self.status_only(302, [("Location", "/moved" + self.path)])
            return
        if mode == "redirect-file":
            self.status_only(302, [("Location", "file://" + os.path.abspath(self.local_path()))])
            return
        full = self.local_path()
        if not os.path.isfile(full):
            self.status_only(404)
            return
        with open(full, "rb") as f:
            data = f.read()
        self.send_response(200)
        if mode == "truncate-chunked":
            self.send_header("Transfer-Encoding", "chunked")
            self.end_headers()
            half = data[: max(1, len(data) // 2)]
            self.wfile.write(b"%x\r\n" % len(data) + half)
            self.wfile.flush()
            self.close_connection = True
            return
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        if mode == "truncate":
            self.wfile.write(data[: len(data) // 2])
            self.wfile.flush()
            self.close_connection = True
            return
        if mode == "stall":
            self.wfile.write(data[:4])
            self.wfile.flush()
            time.sleep(60)
            return
        if mode == "drip" or mode.startswith("trickle:"):
            pause = 0.3 if mode == "drip" else float(mode.split(":", 1)[1])
            try:
                for i in range(len(data)):
                    self.wfile.write(data[i:i + 1])
                    self.wfile.flush()
                    time.sleep(pause)
            except (BrokenPipeError, ConnectionResetError):
                pass  # the client gave up
            return
        self.wfile.write(data)


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
server.daemon_threads = True
print(server.server_address[1], flush=True)
threading.Thread(target=server.serve_forever, daemon=True).start()
sys.stdin.read()  # the test closes our stdin (or ends) when it is done
