#!/usr/bin/env python3
"""The committed version-14 baseline scripts are what the generator writes
from tests/upgrade/baseline14/baseline14.txt."""

import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.exit(subprocess.call([sys.executable,
                          os.path.join(HERE, "baseline14", "gen_baseline14.py"),
                          "--check"]))
