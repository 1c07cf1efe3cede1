#!/usr/bin/env python3
"""A small HTTP server on 127.0.0.1 for the download tests.

    httpserver.py ROOT MODE

Prints the port it listens on, then serves until stdin closes. MODE:
  serve     files below ROOT (404 for a missing one)
  404, 500  that status for every request
  truncate  announces the whole file but sends half of it, then closes
  stall     sends the headers and a few bytes, then nothing
  redirect  answers 302 to the same path under /moved/, which is served
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

    def body(self):
        path = self.path.split("?", 1)[0]
        if path.startswith("/moved/"):
            path = path[len("/moved"):]
        full = os.path.join(root, path.lstrip("/"))
        if not os.path.isfile(full):
            return None
        with open(full, "rb") as f:
            return f.read()

    def do_GET(self):
        if mode in ("404", "500"):
            self.send_response(int(mode))
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        if mode == "redirect" and not self.path.startswith("/moved/"):
            self.send_response(302)
            self.send_header("Location", "/moved" + self.path)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        data = self.body()
        if data is None:
            self.send_response(404)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        self.send_response(200)
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
        self.wfile.write(data)


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
server.daemon_threads = True
print(server.server_address[1], flush=True)
threading.Thread(target=server.serve_forever, daemon=True).start()
sys.stdin.read()  # the test closes our stdin (or ends) when it is done
