"""Debian's python3-* packages (ezdxf, selenium) sit beside the system
interpreter; a python3 found first on PATH (pyenv, a virtualenv) may not see
them. A test that cannot import one runs itself again under /usr/bin/python3."""

import os
import sys

SYSTEM_PYTHON = "/usr/bin/python3"


def rerun_under_system_python():
    """Replaces this process with the same script under the system python3;
    returns only when this already is that interpreter (or there is none)."""
    if os.path.exists(SYSTEM_PYTHON) and \
            os.path.realpath(sys.executable) != os.path.realpath(SYSTEM_PYTHON):
        os.execv(SYSTEM_PYTHON, [SYSTEM_PYTHON] + sys.argv)
