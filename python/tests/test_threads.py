import sys
import threading
import time
from concurrent.futures import ThreadPoolExecutor

import quorvantix as qv


def jobs():
    return ([qv.Barcode1D(barType="CODE128", Code=f"PARCEL-{i:05d}") for i in range(24)]
            + [qv.DataMatrix(Code=f"matrix {i}" * 5) for i in range(16)]
            + [qv.PDF417(Code=f"pdf {i}" * 20) for i in range(8)]
            + [qv.MaxiCode(data=f"maxi {i}") for i in range(8)])


def test_threads_give_the_same_bytes_as_one_thread():
    alone = [c.render().data for c in jobs()]
    with ThreadPoolExecutor(max_workers=4) as pool:
        threaded = list(pool.map(lambda c: c.render().data, jobs()))
    assert threaded == alone


def test_one_control_rendered_from_many_threads():
    control = qv.DataMatrix(Code="shared")
    expected = control.render().data
    with ThreadPoolExecutor(max_workers=4) as pool:
        assert set(pool.map(lambda _: control.render().data, range(32))) == {expected}


def test_rendering_releases_the_gil():
    # With a long switch interval the other thread runs only when this one lets go of the GIL.
    ticks, stop = [0], threading.Event()

    def tick():
        while not stop.is_set():
            ticks[0] += 1
            time.sleep(0)

    interval = sys.getswitchinterval()
    sys.setswitchinterval(30)
    ticker = threading.Thread(target=tick)
    try:
        ticker.start()
        before = ticks[0]
        qv.DataMatrix(Code="GIL" * 100).render(size=(3000, 3000))
        during = ticks[0] - before
    finally:
        stop.set()
        sys.setswitchinterval(interval)
        ticker.join()
    assert during > 0
