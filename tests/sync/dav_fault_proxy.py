"""A faulty CardDAV server for the sync tests: it passes every request on to
a real server on this machine and spoils the answers in one way.

    dav_fault_proxy.py UPSTREAM_PORT MODE

Modes:
  no-sync-token  the address book keeps no sync tokens: DAV:sync-token is
                 taken out of every PROPFIND answer and the sync-collection
                 report is refused, so clients compare ETags
  put-507        every PUT is answered 507 Insufficient Storage
  malformed      every multistatus answer is cut off in its middle
  pass           nothing is spoilt

A request of the method MODE to the path /NAME switches to the mode NAME.

Listens on a free port of 127.0.0.1 and prints "PORT <n>" when ready."""
import http.client
import http.server
import re
import sys

UPSTREAM = int(sys.argv[1])
MODE = sys.argv[2]
SYNC_TOKEN = re.compile(rb"<(?:[\w-]+:)?sync-token\b[^>]*?(?:/>|>.*?</(?:[\w-]+:)?sync-token>)", re.S)


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def answer(self, status, reason, body, headers=()):
        self.send_response(status, reason)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def forward(self):
        length = int(self.headers.get("Content-Length") or 0)
        body = self.rfile.read(length) if length else b""
        global MODE
        if self.command == "MODE":
            MODE = self.path.strip("/")
            return self.answer(200, "OK", b"")
        if MODE == "put-507" and self.command == "PUT":
            return self.answer(507, "Insufficient Storage",
                               b"The quota of this address book is used up.",
                               [("Content-Type", "text/plain")])
        if MODE == "no-sync-token" and self.command == "REPORT" and b"sync-collection" in body:
            return self.answer(403, "Forbidden",
                               b'<?xml version="1.0"?><error xmlns="DAV:"><supported-report/></error>',
                               [("Content-Type", "application/xml")])
        upstream = http.client.HTTPConnection("127.0.0.1", UPSTREAM, timeout=60)
        # Plain answers only, so that they can be spoilt.
        headers = {k: v for k, v in self.headers.items()
                   if k.lower() not in ("host", "connection", "accept-encoding")}
        upstream.request(self.command, self.path, body=body, headers=headers)
        reply = upstream.getresponse()
        data = reply.read()
        if reply.status == 207:
            if MODE == "no-sync-token":
                data = SYNC_TOKEN.sub(b"", data)
            elif MODE == "malformed":
                data = data[: len(data) // 2]
        kept = [(k, v) for k, v in reply.getheaders()
                if k.lower() not in ("content-length", "transfer-encoding", "connection")]
        self.answer(reply.status, reply.reason, data, kept)
        upstream.close()

    do_MODE = do_GET = do_PUT = do_DELETE = do_PROPFIND = do_REPORT = do_MKCOL = do_OPTIONS = forward


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
sys.stdout.write("PORT %d\n" % server.server_address[1])
sys.stdout.flush()
server.serve_forever()
