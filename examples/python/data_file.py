#!/usr/bin/env python3
"""Reads a coordinate data file, meshes it, writes the mesh with meshio
(a VTK file for ParaView, with the smallest angle of each element and the
tag of each outline) and shows it with matplotlib, or saves the picture as PNG
where there is no display.

    python3 examples/python/data_file.py examples/plate.DAT [OUTPUT_FOLDER]
"""

import os
import sys

import matplotlib
import matplotlib.pyplot as plt

import tesu


def main(data_file, folder="."):
    mesh = tesu.mesh(tesu.read_data_file(data_file))
    print(f"{data_file}: {len(mesh.points)} nodes, {len(mesh.triangles)} elements, "
          f"smallest angle {mesh.smallest_angles.min():.2f} degrees")

    os.makedirs(folder, exist_ok=True)
    stem = os.path.join(folder, os.path.splitext(os.path.basename(data_file))[0])
    meshed = mesh.to_meshio()
    meshed.write(stem + ".vtu")
    print("wrote", stem + ".vtu")

    ax = mesh.plot()
    ax.set_title(os.path.basename(data_file))
    if matplotlib.get_backend().lower() == "agg":
        plt.savefig(stem + ".png", dpi=150)
        print("wrote", stem + ".png")
    else:
        plt.show()


if __name__ == "__main__":
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    main(*sys.argv[1:])
