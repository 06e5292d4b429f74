import pytest


@pytest.fixture(autouse=True)
def _in_scratch_folder(tmp_path, monkeypatch):
    """Tests and README examples write their files into a folder of their own."""
    monkeypatch.chdir(tmp_path)
