"""The service through a real HTTP client: every control and format, the bytes the command line
writes, caching, every error status, hostile queries, the access log and a clean stop."""
import json
import os
import re
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import urllib.parse

sys.path.insert(0, os.path.dirname(__file__))
from serving import Service  # noqa: E402

BINARY = os.environ.get("QV_BINARY", "")

# (control, query fields, the same settings as command-line arguments)
SYMBOLS = [
    ("barcode1d", [("type", "EAN13"), ("data", "590123412345")], ["-t", "EAN13", "-d", "590123412345"]),
    ("barcode1d", [("type", "CODE128"), ("data", "PARCEL 42"), ("X", "2"), ("Font.Name", "DejaVu Sans")],
     ["-t", "CODE128", "-d", "PARCEL 42", "--set", "X=2", "--set", "Font.Name=DejaVu Sans"]),
    ("barcode1d", [("type", "EAN13"), ("data", "590123412345"), ("UPCEANSupplement5", "true"),
                   ("supplement", "52495")],
     ["-t", "EAN13", "-d", "590123412345", "--set", "UPCEANSupplement5=true", "--set", "supplement=52495"]),
    ("datamatrix", [("data", "Hello from Quorvantix"), ("scale", "2"), ("quiet-zone", "2")],
     ["-d", "Hello from Quorvantix", "--scale", "2", "--quiet-zone", "2"]),
    ("pdf417", [("data", "PDF417 through the service"), ("size", "400x200")],
     ["-d", "PDF417 through the service", "--size", "400x200"]),
    ("maxicode", [("data", "MaxiCode by URL"), ("mode", "4")], ["-d", "MaxiCode by URL", "--set", "mode=4"]),
]


def path_of(control, fields, fmt="png"):
    return "/v1/%s.%s?%s" % (control, fmt, urllib.parse.urlencode(fields))


def command_line(args):
    """(status, bytes written, stderr) of the command line with the same settings."""
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "symbol" + os.path.splitext(args[-1])[1])
        run = subprocess.run([BINARY, *args[:-1], "-o", out], capture_output=True)
        data = b""
        if os.path.exists(out):
            with open(out, "rb") as f:
                data = f.read()
        return run.returncode, data, run.stderr.decode("latin-1")


class ServiceTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.service = Service(BINARY)

    @classmethod
    def tearDownClass(cls):
        cls.service.close()

    def get(self, path, **kw):
        return self.service.get(path, **kw)

    def assertStillServes(self):
        status, _, body = self.get("/v1/datamatrix.png?data=after")
        self.assertEqual(status, 200)
        self.assertTrue(body.startswith(b"\x89PNG"))

    def test_every_control_and_format_is_the_command_lines_bytes(self):
        for control, fields, args in SYMBOLS:
            for fmt, magic in (("png", b"\x89PNG\r\n\x1a\n"), ("svg", b"<")):
                with self.subTest(control=control, fields=fields, fmt=fmt):
                    status, headers, body = self.get(path_of(control, fields, fmt))
                    self.assertEqual(status, 200, body[:200])
                    self.assertEqual(headers["Content-Type"],
                                     "image/png" if fmt == "png" else "image/svg+xml")
                    self.assertTrue(body.startswith(magic))
                    exit_status, written, _ = command_line([control, *args, "x." + fmt])
                    self.assertEqual(exit_status, 0)
                    self.assertEqual(body, written)

    def test_notes_travel_in_a_header_as_the_command_line_prints_them(self):
        fields = [("type", "EAN13"), ("data", "59012341234A")]
        status, headers, _ = self.get(path_of("barcode1d", fields))
        self.assertEqual(status, 200)
        notes = headers["Quorvantix-Notes"]
        _, _, err = command_line(["barcode1d", "-t", "EAN13", "-d", "59012341234A", "x.png"])
        for note in notes.split("; "):
            self.assertIn(urllib.parse.unquote(note, encoding="latin-1"), err)

    def test_a_matching_etag_gives_304(self):
        path = path_of(*SYMBOLS[0][:2])
        status, headers, body = self.get(path)
        tag = headers["ETag"]
        self.assertIn("max-age", headers["Cache-Control"])
        for sent, expected in ((tag, 304), ("W/" + tag, 304), ('"other", ' + tag, 304), ("*", 304),
                               ('"other"', 200)):
            with self.subTest(sent=sent):
                status, again, data = self.get(path, headers={"If-None-Match": sent})
                self.assertEqual(status, expected)
                self.assertEqual(again["ETag"], tag)
                self.assertEqual(data, b"" if expected == 304 else body)
        # A different query is a different image.
        _, other, _ = self.get(path + "&X=3")
        self.assertNotEqual(other["ETag"], tag)

    def test_errors_carry_the_command_lines_message(self):
        cases = [
            # (path, status, command line arguments that fail the same way, exit status)
            ("/v1/barcode1d.png?nope=1", 400, ["barcode1d", "--set", "nope=1", "x.png"], 2),
            ("/v1/barcode1d.png?X=abc", 400, ["barcode1d", "--set", "X=abc", "x.png"], 2),
            ("/v1/barcode1d.png?X=2147483647", 400, ["barcode1d", "--set", "X=2147483647", "x.png"], 2),
            ("/v1/datamatrix.png?data=" + "A" * 3000, 422, ["datamatrix", "-d", "A" * 3000, "x.png"], 4),
            ("/v1/barcode1d.png?type=EAN13&data=12345&strict", 422,
             ["barcode1d", "-t", "EAN13", "-d", "12345", "--strict", "x.png"], 3),
        ]
        for path, status, args, exit_status in cases:
            with self.subTest(path=path[:60]):
                got, headers, body = self.get(path)
                self.assertEqual(got, status)
                self.assertEqual(headers["Content-Type"], "application/json")
                message = json.loads(body)["error"]
                self.assertTrue(message)
                code, _, err = command_line(args)
                self.assertEqual(code, exit_status)
                self.assertIn(message, err)

    def test_every_refusal_has_its_status_and_a_json_message(self):
        cases = [
            ("/v1/barcode1d.png?a=%zz", 400),
            ("/v1/barcode1d.png?data=%4", 400),
            ("/v1/barcode1d.png?data=50%", 400),
            ("/v1/barcode1d.png?=empty-name", 400),
            ("/v1/barcode1d.png?scale=0", 400),
            ("/v1/barcode1d.png?scale=99999999999", 400),
            ("/v1/barcode1d.png?size=20001x10", 400),
            ("/v1/barcode1d.png?size=axb", 400),
            ("/v1/barcode1d.png?size=-5x-5", 400),
            ("/v1/maxicode.png?type=x", 400),
            ("/v1/barcode1d.png?%00=1", 400),
            ("/v1/barcode1d.png?type=%FF%00", 400),
            ("/v1/nosuch.png", 404),
            ("/v1/%00.png", 404),
            ("/v1/barcode1d.gif", 404),
            ("/nothing/here", 404),
            ("/v1/barcode1d.png?data=" + "9" * 8100, 414),
            ("/v1/barcode1d.png?data=" + "9" * 100000, 414),
        ]
        for path, status in cases:
            with self.subTest(path=path[:60]):
                got, headers, body = self.get(path)
                self.assertEqual(got, status, body[:300])
                problem = json.loads(body)
                self.assertEqual(problem["status"], status)
                self.assertTrue(problem["error"])
                self.assertStillServes()
        for method in ("POST", "PUT", "DELETE"):
            with self.subTest(method=method):
                got, headers, _ = self.get("/v1/barcode1d.png", method=method, data=b"x")
                self.assertEqual(got, 405)
                self.assertIn("GET", headers["Allow"])

    def test_any_bytes_in_the_data_render_or_refuse_but_never_break(self):
        for data in ("%00%01%02", "%FF%FE%80", "%0D%0A%20", "~~~255~999", "%C3%A9" * 50):
            for control in ("barcode1d", "datamatrix", "pdf417", "maxicode"):
                with self.subTest(control=control, data=data):
                    got, _, _ = self.get("/v1/%s.svg?data=%s" % (control, data))
                    self.assertIn(got, (200, 400, 422))
        self.assertStillServes()

    def test_raw_garbage_on_the_socket_gets_an_answer(self):
        for garbage in (b"\x00\xff\r\n\r\n", b"GET /v1/barcode1d.png?data=1 HTTP/9.9\r\n\r\n",
                        b"GET " + b"A" * 20000 + b" HTTP/1.1\r\n\r\n",
                        b"GET / HTTP/1.1\r\nX: " + b"y" * 20000 + b"\r\n\r\n"):
            with self.subTest(garbage=garbage[:30]):
                with socket.create_connection(("127.0.0.1", self.service.port), timeout=30) as s:
                    s.sendall(garbage)
                    answer = b""
                    while b"\r\n\r\n" not in answer and (chunk := s.recv(65536)):
                        answer += chunk
                self.assertRegex(answer, rb"^HTTP/1\.[01] 4\d\d ")
                self.assertStillServes()

    def test_controls_json_lists_every_property_and_option(self):
        status, headers, body = self.get("/v1/controls")
        self.assertEqual(status, 200)
        catalog = json.loads(body)
        names = [c["name"] for c in catalog["controls"]]
        self.assertEqual(sorted(names), ["barcode1d", "datamatrix", "maxicode", "pdf417"])
        for control in catalog["controls"]:
            with self.subTest(control=control["name"]):
                help_text = subprocess.run([BINARY, control["name"], "--help"], capture_output=True,
                                           text=True, errors="replace").stdout
                for prop in control["properties"]:
                    self.assertIn("  %s (" % prop["name"], help_text)
                    self.assertIn(prop["access"], ("read-only", "read-write"))
                    if prop["type"] == "enum":
                        self.assertIn(prop["default"], prop["values"])
        ean = next(c for c in catalog["controls"] if c["name"] == "barcode1d")
        bar_type = next(p for p in ean["properties"] if p["name"] == ean["type"])
        self.assertIn("EAN13", bar_type["values"])
        options = [o["name"] for o in catalog["options"]]
        for name in ("scale", "quiet-zone", "size"):
            self.assertIn(name, options)

    def test_health_and_page(self):
        status, _, body = self.get("/healthz")
        self.assertEqual((status, body), (200, b"ok\n"))
        for path, kind in (("/", "text/html"), ("/designer.js", "text/javascript"),
                           ("/designer.css", "text/css")):
            with self.subTest(path=path):
                status, headers, body = self.get(path)
                self.assertEqual(status, 200)
                self.assertTrue(headers["Content-Type"].startswith(kind))
                self.assertIn("default-src 'none'", headers["Content-Security-Policy"])
                self.assertNotIn(b"http://", body)
                self.assertNotIn(b"https://", body)

    def assertLogged(self, pattern):
        # A line is written once the answer has gone out, so it may trail the client a little.
        for _ in range(200):
            if re.search(pattern, self.service.log_text()):
                return
            time.sleep(0.05)
        self.fail("no access log line matches " + pattern)

    def test_access_log_has_a_line_per_request(self):
        self.get("/v1/pdf417.svg?data=logged")
        self.get("/v1/nosuch.png")
        self.assertLogged(r"(?m)^\S+Z GET /v1/pdf417\.svg 200 \d+ \d+us$")
        self.assertLogged(r"(?m)^\S+Z GET /v1/nosuch\.png 404 \d+ \d+us$")
        # Control bytes of a path cannot break a line.
        self.get("/v1/a%0Ab.png")
        self.assertLogged(r"(?m)^\S+Z GET /v1/a%0Ab\.png 404 ")


class LimitsTest(unittest.TestCase):
    BIG = "/v1/datamatrix.png?data=Hello&size=20000x3300"

    def test_a_request_past_the_time_limit_is_503_and_the_service_goes_on(self):
        service = Service(BINARY, "--time-limit", "20", "--renders", "1")
        try:
            status, headers, body = service.get(self.BIG)
            self.assertEqual(status, 503)
            self.assertIn("limit", json.loads(body)["error"])
            self.assertEqual(headers["Retry-After"], "1")
            status, _, _ = service.get("/healthz")
            self.assertEqual(status, 200)
        finally:
            self.assertEqual(service.stop(), 0)
            service.close()

    def test_sigterm_finishes_the_request_in_flight(self):
        service = Service(BINARY, "--threads", "2", "--time-limit", "300000")
        result = {}

        def fetch():
            result["reply"] = service.get(self.BIG)

        worker = threading.Thread(target=fetch)
        worker.start()
        # Wait until the request is being served, then ask the service to stop.
        for _ in range(600):
            if service.proc.poll() is not None or "GET" in service.log_text():
                break
            worker.join(0.01)
            if not worker.is_alive():
                break
        service.proc.send_signal(signal.SIGTERM)
        worker.join(120)
        self.assertEqual(service.proc.wait(60), 0)
        status, _, body = result["reply"]
        self.assertEqual(status, 200)
        self.assertTrue(body.startswith(b"\x89PNG"))
        self.assertIn("stopped", service.log_text())
        service.close()

    def test_bad_options_are_refused(self):
        for args in (["--threads", "0"], ["--listen", "nowhere"], ["--max-query", "9000"], ["--what"]):
            with self.subTest(args=args):
                run = subprocess.run([BINARY, "serve", *args], capture_output=True, text=True,
                                     timeout=60)
                self.assertEqual(run.returncode, 2)
                self.assertIn("quorvantix serve:", run.stderr)


if __name__ == "__main__":
    if not BINARY:
        raise SystemExit("set QV_BINARY to the quorvantix program")
    unittest.main()
