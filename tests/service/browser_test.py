"""The designer page in a real browser: pick a control, type into the property grid, wait for the
preview, decode it with an independent reader; and nothing is loaded from outside the service."""
import base64
import io
import os
import shutil
import sys
import tempfile
import unittest

import zxingcpp
from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service as DriverService
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select, WebDriverWait

sys.path.insert(0, os.path.dirname(__file__))
from serving import Service  # noqa: E402

BINARY = os.environ.get("QV_BINARY", "")

# The preview image as the page shows it, through a canvas: the bytes the browser decoded.
PREVIEW_PNG = """
const img = document.getElementById('preview');
const canvas = document.createElement('canvas');
canvas.width = img.naturalWidth;
canvas.height = img.naturalHeight;
canvas.getContext('2d').drawImage(img, 0, 0);
return canvas.toDataURL('image/png').split(',')[1];
"""


class DesignerTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.service = Service(BINARY)
        cls.profile = tempfile.mkdtemp(prefix="qv-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--no-first-run",
                     "--user-data-dir=" + cls.profile):
            options.add_argument(flag)
        cls.driver = webdriver.Chrome(service=DriverService("/usr/bin/chromedriver"), options=options)
        cls.driver.set_page_load_timeout(60)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        shutil.rmtree(cls.profile, ignore_errors=True)
        cls.service.close()

    def wait_for_preview(self, expect_in_path):
        def ready(driver):
            img = driver.find_element(By.ID, "preview")
            path = img.get_attribute("data-path") or ""
            return img.get_attribute("data-state") == "ready" and all(e in path for e in expect_in_path)
        WebDriverWait(self.driver, 60).until(ready)

    def decoded_preview(self):
        png = base64.b64decode(self.driver.execute_script(PREVIEW_PNG))
        image = Image.open(io.BytesIO(png)).convert("L")
        return zxingcpp.read_barcodes(image)

    def type_into(self, prop, text):
        field = self.driver.find_element(By.ID, "prop-" + prop)
        field.clear()
        field.send_keys(text)

    def test_designer(self):
        d = self.driver
        d.get(self.service.base + "/")
        WebDriverWait(d, 60).until(lambda d: len(Select(d.find_element(By.ID, "control")).options) == 4)

        cases = [
            # (control, symbology to pick, data typed, decoded text, format)
            ("barcode1d", "EAN13", "590123412345", "5901234123457", zxingcpp.BarcodeFormat.EAN13),
            ("datamatrix", None, "Typed into the grid", "Typed into the grid",
             zxingcpp.BarcodeFormat.DataMatrix),
        ]
        for control, symbology, data, text, fmt in cases:
            with self.subTest(control=control):
                Select(d.find_element(By.ID, "control")).select_by_value(control)
                if symbology:
                    Select(d.find_element(By.ID, "prop-barType")).select_by_value(symbology)
                self.type_into("Code", data)
                self.wait_for_preview(["Code=" + data.replace(" ", "+")])
                results = self.decoded_preview()
                self.assertEqual([(r.format, r.text) for r in results], [(fmt, text)])
                url = d.find_element(By.ID, "url").get_attribute("value")
                self.assertTrue(url.startswith(self.service.base + "/v1/" + control + ".png?"))
                self.assertEqual(self.service.get(url[len(self.service.base):])[0], 200)
                svg = d.find_element(By.ID, "download-svg").get_attribute("href")
                self.assertIn("/v1/%s.svg?" % control, svg)

        # A note or an error shows beside the preview.
        Select(d.find_element(By.ID, "control")).select_by_value("barcode1d")
        Select(d.find_element(By.ID, "prop-barType")).select_by_value("EAN13")
        self.type_into("Code", "12345")
        WebDriverWait(d, 60).until(lambda d: "padded" in d.find_element(By.ID, "notes").text)

        # Everything the page loaded came from the service itself.
        loaded = d.execute_script(
            "return performance.getEntriesByType('resource').map(e => e.name)"
            ".concat([location.href]);")
        self.assertTrue(loaded)
        for name in loaded:
            self.assertTrue(name.startswith(self.service.base + "/") or name.startswith("blob:"
                            + self.service.base), name)


if __name__ == "__main__":
    if not BINARY:
        raise SystemExit("set QV_BINARY to the quorvantix program")
    unittest.main()
