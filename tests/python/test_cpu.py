# SPDX-License-Identifier: MIT
"""The Python binding on a simulated CPU card (VEXA_SIM_CARD=cpu-t1)."""

import pytest

import vexa


def test_reset_and_apdu_under_t1():
    with vexa.Reader() as reader:
        reader.select("cpu")
        atr = reader.reset()
        assert atr[0] == 0x3B
        assert reader.protocol == 1
        answer = reader.apdu(bytes.fromhex("0084000008"))
        assert len(answer) == 10 and answer[-2:] == b"\x90\x00"


def test_malformed_apdu_is_refused_by_the_library():
    with vexa.Reader() as reader:
        reader.select("cpu")
        reader.reset()
        with pytest.raises(vexa.VexaError) as failure:
            reader.apdu(bytes.fromhex("00A4000002" "3F"))  # Lc 2, one byte
        assert failure.value.status == -17
