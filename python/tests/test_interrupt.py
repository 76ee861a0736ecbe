"""A build runs without the GIL, and Ctrl+C (SIGINT) stops it through the
run's stop request with KeyboardInterrupt, leaving the interpreter usable."""

import os
import signal
import subprocess
import sys
import threading
import time

import tesu

# A square of about 5,000,000 nodes, far longer to build than the test
# waits; then the plate, to show the interpreter still works.
CHILD = """
import time, tesu
big = tesu.Domain(outlines=[[(0, 0), (1, 0), (1, 1), (0, 1), (0, 0)]], spacing=0.00048, span=2.0)
print("building", flush=True)
try:
    tesu.mesh(big)
    print("finished", flush=True)
except KeyboardInterrupt:
    print("interrupted", flush=True)
small = tesu.Domain(outlines=[[(0, 0), (1, 0), (1, 1), (0, 1), (0, 0)]], spacing=0.1, span=2.0)
print("usable", len(tesu.mesh(small).triangles), flush=True)
"""


def test_sigint_during_a_build_raises_keyboard_interrupt():
    child = subprocess.Popen([sys.executable, "-c", CHILD], stdout=subprocess.PIPE, text=True,
                             env=dict(os.environ))
    assert child.stdout.readline() == "building\n"
    time.sleep(1.0)  # well into the interior search
    child.send_signal(signal.SIGINT)
    sent = time.monotonic()
    answer = child.stdout.readline()
    waited = time.monotonic() - sent
    rest = child.communicate(timeout=60)[0]
    assert answer == "interrupted\n"
    # The whole build takes tens of seconds; a stop request ends it at once.
    assert waited < 2.0, waited
    assert rest.startswith("usable ") and int(rest.split()[1]) > 0
    assert child.returncode == 0


def test_other_threads_run_during_a_build():
    ticks = 0
    done = threading.Event()

    def count():
        nonlocal ticks
        while not done.is_set():
            ticks += 1
            time.sleep(0.001)

    counter = threading.Thread(target=count)
    counter.start()
    try:
        tesu.mesh(tesu.Domain(outlines=[[(0, 0), (1, 0), (1, 1), (0, 1), (0, 0)]], spacing=0.002))
    finally:
        done.set()
        counter.join()
    assert ticks > 20
