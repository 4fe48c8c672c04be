# SPDX-License-Identifier: MIT
"""The Python binding on a simulated SLE4442 (VEXA_SIM_CARD=sle4442)."""

import pytest

import vexa


@pytest.fixture
def reader():
    with vexa.Reader() as r:
        r.select("sle4442")
        yield r


def test_reader_answers_with_version_and_card(reader):
    assert reader.version() == "1234"
    assert reader.card_present()
    assert reader.detect() == "sle4442"


def test_card_identifies_itself_in_its_first_bytes(reader):
    head = reader.read(0, 8)
    assert isinstance(head, bytes)
    assert head[:4] == bytes.fromhex("A2131091") and head[7] == 0x15


def test_write_needs_the_code_and_then_reads_back(reader):
    with pytest.raises(vexa.VexaError) as failure:
        reader.write(100, b"vexa")
    assert failure.value.status == -19
    assert failure.value.message == "写数据错误"
    reader.verify(b"\xff\xff\xff")
    reader.write(100, b"vexa")
    assert reader.read(100, 4) == b"vexa"


def test_wrong_code_costs_an_attempt(reader):
    assert reader.attempts_left() == 3
    with pytest.raises(vexa.VexaError):
        reader.verify(b"\x01\x02\x03")
    assert reader.attempts_left() == 2


def test_factory_bytes_are_protected(reader):
    assert reader.protected_4442(0, 8) == [True] * 8


def test_closed_reader_fails_with_the_library_message():
    r = vexa.Reader()
    with pytest.raises(vexa.VexaError) as failure:
        r.read(0, 1)
    assert failure.value.status < 0


def test_lists_the_simulated_reader_and_opens_it_by_its_path():
    assert vexa.list_readers() == [vexa.ReaderInfo("sim:0", "SIM0", "")]
    with vexa.Reader(path="sim:0") as reader:
        assert reader.card_present()
    with pytest.raises(vexa.VexaError) as failure:
        vexa.Reader(path="sim:1").open()
    assert failure.value.status == vexa.VEXA_ERR_OPEN_PORT
