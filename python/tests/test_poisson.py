"""examples/python/poisson.py, a solver's use of the module: P1 elements on
four TESU meshes converge in L2 at the rate 2."""

import subprocess
import sys

from conftest import EXAMPLES


def test_poisson_example_converges_at_rate_two():
    printed = subprocess.run([sys.executable, str(EXAMPLES / "python" / "poisson.py")], check=True,
                             capture_output=True, text=True).stdout
    rows = [line.split() for line in printed.splitlines()[1:]]
    assert len(rows) == 4
    rates = [float(row[3]) for row in rows[1:]]
    assert all(1.8 <= rate <= 2.2 for rate in rates), printed
