#!/usr/bin/env python3
"""Serves the web build's site folder on 127.0.0.1 until interrupted, on the
port given or else on a free one, and prints the address to open.

Usage: serve-web.py SITE_FOLDER [PORT]"""
import functools
import http.server
import sys


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".wasm": "application/wasm",
        ".js": "text/javascript",
        ".webmanifest": "application/manifest+json",
        ".woff2": "font/woff2",
    }

    # Every visit asks whether a file changed; the service worker serves offline.
    def end_headers(self):
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()


def main() -> None:
    site = sys.argv[1]
    port = int(sys.argv[2]) if len(sys.argv) > 2 and sys.argv[2] else 0
    handler = functools.partial(SiteHandler, directory=site)
    with http.server.ThreadingHTTPServer(("127.0.0.1", port), handler) as server:
        print(
            f"Serving {site} at http://127.0.0.1:{server.server_address[1]}/ (Ctrl+C stops)",
            flush=True,
        )
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass


if __name__ == "__main__":
    main()
