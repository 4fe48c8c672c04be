# SPDX-License-Identifier: MIT
"""The module's VEXA_ names are vexa.h's, with the header's values."""
import os
import re

import vexa

HEADER = os.path.join(os.path.dirname(__file__), "..", "..", "vexa", "include", "vexa.h")
DEFINE = re.compile(r"^#define (VEXA_\w+) \(?(-?(?:0x[0-9A-Fa-f]+|\d+))\)?(?:\s|$)", re.M)


def header_constants():
    with open(HEADER, encoding="utf-8") as f:
        found = {name: int(value, 0) for name, value in DEFINE.findall(f.read())}
    return {name: v for name, v in found.items() if not name.startswith("VEXA_VERSION")}


def test_module_defines_every_header_constant_with_its_value():
    header = header_constants()
    module = {name: getattr(vexa, name) for name in dir(vexa) if name.startswith("VEXA_")}
    assert len(header) >= 50  # the parse found them
    assert module == header
