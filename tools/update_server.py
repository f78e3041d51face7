#!/usr/bin/env python3
"""A small update server for trying Lirabo's update check by hand.

Usage:
    tools/update_server.py [--host 127.0.0.1] [--port 8080] [--config FILE]
                           [--latest N] [--page URL] [--message TEXT]

Then point Lirabo at it (the setting "UpdateServer" in
~/.config/Kestrune/LiraboDesk.conf, section [General]):
    UpdateServer=127.0.0.1:8080
and choose Tools > Check for updates...

It answers POST /lirabo/chkupd.php. The answer follows the configuration,
which is read again for every request, so it can be edited while the server
runs:
  - a message is configured: MESSAGE and the message;
  - else the build sent is older than the latest build: UPDATED and the page;
  - else: LATEST.
The configuration file is INI, section [update], with the keys latest
(a build number), page (the download page) and message (optional; an empty
value means none). Options given on the command line override the file.
"""

import argparse
import configparser
import http.server
import socket
import sys
import urllib.parse

# A request larger than this is not an update check.
MAX_BODY = 4096


def read_config(args):
    settings = {"latest": 0, "page": "http://127.0.0.1/lirabo/download.html", "message": ""}
    if args.config:
        parser = configparser.ConfigParser(interpolation=None)
        if not parser.read(args.config, encoding="utf-8"):
            print(f"update_server: cannot read {args.config}", file=sys.stderr)
        elif parser.has_section("update"):
            section = parser["update"]
            settings["latest"] = section.getint("latest", fallback=settings["latest"])
            settings["page"] = section.get("page", fallback=settings["page"])
            settings["message"] = section.get("message", fallback=settings["message"])
    for key in ("latest", "page", "message"):
        value = getattr(args, key)
        if value is not None:
            settings[key] = value
    return settings


def answer(settings, build):
    if settings["message"]:
        return "MESSAGE\r\n" + settings["message"].replace("\\n", "\r\n") + "\r\n"
    if build < settings["latest"]:
        return "UPDATED\r\n" + settings["page"] + "\r\n"
    return "LATEST\r\n"


def make_handler(args):
    class Handler(http.server.BaseHTTPRequestHandler):
        # HTTP/1.0: the connection closes after the reply, which is how the
        # program knows the reply is complete.
        protocol_version = "HTTP/1.0"
        server_version = "LiraboUpdateServer/1.0"
        timeout = 10  # a client that stops sending does not hold a thread

        def do_POST(self):
            if self.path != "/lirabo/chkupd.php":
                self.send_error(404)
                return
            try:
                length = int(self.headers.get("Content-Length", "0"))
            except ValueError:
                length = -1
            if length < 0 or length > MAX_BODY:
                self.send_error(400)
                return
            form = urllib.parse.parse_qs(self.rfile.read(length).decode("latin-1"))
            try:
                build = int(form.get("build", ["0"])[0])
            except ValueError:
                build = 0
            lastupd = form.get("lastupd", ["0"])[0]
            body = answer(read_config(args), build).encode("utf-8")
            self.log_message("build=%d lastupd=%s -> %s", build, lastupd,
                             body.split(b"\r\n", 1)[0].decode())
            self.send_response(200)
            self.send_header("Content-Type", "text/plain; charset=utf-8")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
            self.wfile.flush()
            # The request ends with a line end that Content-Length leaves
            # out. Closing with it unread would reset the connection, which
            # may cost the client the reply: end the reply, then wait for
            # the client to close.
            self.connection.shutdown(socket.SHUT_WR)
            self.connection.settimeout(2)
            try:
                while self.connection.recv(1024):
                    pass
            except OSError:
                pass

    return Handler


def main():
    parser = argparse.ArgumentParser(description="Reference update server for Lirabo.")
    parser.add_argument("--host", default="127.0.0.1", help="address to listen on (default 127.0.0.1)")
    parser.add_argument("--port", type=int, default=8080, help="port to listen on (default 8080)")
    parser.add_argument("--config", help="INI file with a section [update]: latest, page, message")
    parser.add_argument("--latest", type=int, help="the latest build number")
    parser.add_argument("--page", help="the download page named in UPDATED answers")
    parser.add_argument("--message", help="a message to send instead (\\n for a line break)")
    args = parser.parse_args()

    server = http.server.ThreadingHTTPServer((args.host, args.port), make_handler(args))
    print(f"update_server: listening on {args.host}:{server.server_port}", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()


if __name__ == "__main__":
    main()
