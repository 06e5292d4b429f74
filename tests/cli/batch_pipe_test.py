"""A batch fed through a pipe one line at a time, as a program that waits for each label before
it sends the next: every file is in place while the command still waits for its next line."""
import os
import subprocess
import tempfile
import time
import unittest

BINARY = os.environ.get("QV_BINARY", "")


def wait_for(path, seconds=20.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if os.path.exists(path):
            return True
        time.sleep(0.01)
    return False


class PipeFedBatch(unittest.TestCase):
    def run_fed(self, args, lines, header=None):
        names = [f"{i}.png" for i in range(1, len(lines) + 1)]
        with tempfile.TemporaryDirectory() as tmp:
            proc = subprocess.Popen([BINARY, *args, "-o", os.path.join(tmp, "%d.png")],
                                    stdin=subprocess.PIPE, stderr=subprocess.PIPE)
            try:
                if header:
                    proc.stdin.write((header + "\n").encode())
                for line, name in zip(lines, names):
                    proc.stdin.write((line + "\n").encode())
                    proc.stdin.flush()
                    self.assertTrue(wait_for(os.path.join(tmp, name)),
                                    f"{name} was not written while the batch waited for input")
                proc.stdin.close()
                self.assertEqual(proc.wait(timeout=60), 0, proc.stderr.read().decode())
            finally:
                if proc.poll() is None:
                    proc.kill()
                    proc.wait()
                proc.stderr.close()
            self.assertEqual(sorted(os.listdir(tmp)), sorted(names))

    def test_lines(self):
        for jobs in ("1", "2"):
            with self.subTest(jobs=jobs):
                self.run_fed(["barcode1d", "-t", "CODE128", "--batch", "-", "-j", jobs],
                             [f"LABEL{i}" for i in range(5)])

    def test_csv_rows(self):
        self.run_fed(["datamatrix", "--csv", "-"], ["first", "second", "third"],
                     header="Code")


if __name__ == "__main__":
    unittest.main()
