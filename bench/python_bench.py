#!/usr/bin/env python3
"""tesu.mesh against tesu-batch on the 450,000-node plate of pipeline_bench:
wall time and peak memory of each, in child processes of their own, runs
interleaved, the best time and the largest peak of each kept.

    python3 bench/python_bench.py BUILD_DIR
"""

import os
import subprocess
import sys
import tempfile
import time

RUNS = 3
# The plate with its hole at a spacing of 0.111: about 450,000 nodes.
PLATE = "0 0\n100 0\n100 50\n0 50\n0 0\n40 20\n60 20\n60 30\n40 30\n40 20\nb = 0.111000\ns = 2\n"
TIME_TARGET = 1.1
MEMORY_TARGET = 1.3


def measure(command, env=None):
    """Seconds and peak resident megabytes of one child process."""
    start = time.monotonic()
    child = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    seconds = time.monotonic() - start
    if status != 0:
        sys.exit(f"{command[0]} ended with status {status}")
    return seconds, usage.ru_maxrss / 1024


def main(build):
    batch = os.path.join(build, "tesu-batch")
    env = dict(os.environ, PYTHONPATH=os.path.join(build, "python"))
    with tempfile.TemporaryDirectory() as folder:
        data = os.path.join(folder, "plate.DAT")
        with open(data, "w") as file:
            file.write(PLATE)
        cases = {
            "tesu-batch (mesh, write .TES)": [batch, data],
            "tesu.mesh": [sys.executable, "-c", f"import tesu; tesu.mesh(tesu.read_data_file({data!r}))"],
            "tesu.mesh, write .TES": [sys.executable, "-c",
                                      f"import tesu; tesu.mesh(tesu.read_data_file({data!r}))"
                                      f".write({os.path.join(folder, 'python.TES')!r})"],
        }
        best = {name: (float("inf"), 0.0) for name in cases}
        for _ in range(RUNS):
            for name, command in cases.items():
                seconds, megabytes = measure(command, env)
                best[name] = (min(best[name][0], seconds), max(best[name][1], megabytes))

    base_seconds, base_megabytes = best["tesu-batch (mesh, write .TES)"]
    print(f"{'':32} {'seconds':>8} {'peak MB':>8} {'time':>6} {'memory':>6}")
    for name, (seconds, megabytes) in best.items():
        print(f"{name:32} {seconds:8.2f} {megabytes:8.1f} {seconds / base_seconds:5.2f}x {megabytes / base_megabytes:5.2f}x")
    seconds, megabytes = best["tesu.mesh, write .TES"]
    met = seconds / base_seconds <= TIME_TARGET and megabytes / base_megabytes <= MEMORY_TARGET
    print(f"targets (the same work: {TIME_TARGET}x the time, {MEMORY_TARGET}x the memory):",
          "met" if met else "MISSED")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "build-bench")
