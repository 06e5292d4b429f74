"""Starts `quorvantix serve` on a free port for a test and stops it again."""
import os
import re
import subprocess
import tempfile
import time
import urllib.error
import urllib.request


class Service:
    def __init__(self, binary, *args):
        self.binary = binary
        self.log = tempfile.TemporaryFile(mode="w+b")
        self.proc = subprocess.Popen([binary, "serve", "--listen", "127.0.0.1:0", *args],
                                     stdout=subprocess.DEVNULL, stderr=self.log)
        self.port = self._wait_for_port()
        self.base = "http://127.0.0.1:%d" % self.port

    def _wait_for_port(self):
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline:
            match = re.search(rb"listening on http://127\.0\.0\.1:(\d+)/", self.log_text(raw=True))
            if match:
                return int(match.group(1))
            if self.proc.poll() is not None:
                raise RuntimeError("the service ended: " + self.log_text())
            time.sleep(0.05)
        raise RuntimeError("the service did not start")

    def log_text(self, raw=False):
        self.log.seek(0)
        data = self.log.read()
        return data if raw else data.decode("latin-1")

    def get(self, path, headers=None, method="GET", data=None):
        """(status, headers, body) for any status; never raises for an HTTP error."""
        request = urllib.request.Request(self.base + path, headers=headers or {}, method=method,
                                         data=data)
        try:
            with urllib.request.urlopen(request, timeout=120) as response:
                return response.status, response.headers, response.read()
        except urllib.error.HTTPError as error:
            return error.code, error.headers, error.read()

    def stop(self):
        """Sends SIGTERM and returns the exit status."""
        if self.proc.poll() is None:
            self.proc.terminate()
        status = self.proc.wait(timeout=60)
        return status

    def close(self):
        self.stop()
        self.log.close()


def binary_from_args(argv):
    if len(argv) < 2 or not os.access(argv[1], os.X_OK):
        raise SystemExit("usage: %s PATH/TO/quorvantix" % argv[0])
    return argv[1]
