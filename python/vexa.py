# SPDX-License-Identifier: MIT
"""Python binding of the vexa smart-card reader library (ctypes, standard library only).

    import vexa
    with vexa.Reader() as reader:          # opens the USB reader (port 100)
        reader.select("sle4442")
        data = reader.read(0, 32)          # bytes
        reader.verify(b"\\xff\\xff\\xff")
        reader.write(32, b"hello")

vexa.list_readers() names the attached readers; vexa.Reader(path=...) opens
the one at a listed path instead of the first free one.

Failures raise vexa.VexaError, which carries the library's status and its
message text. Set VEXA_LIBRARY to load a particular build of the library (for
example the simulator build, build/simulated/libvexa.so.1).
"""

import collections
import ctypes
import os

__all__ = ["Reader", "ReaderInfo", "VexaError", "CARD_TYPES", "list_readers", "load_library"]

# The names and values of vexa.h.
VEXA_OK = 0
VEXA_NO_CARD = 1
VEXA_ERR_OPEN_PORT = -16
VEXA_ERR_APDU_LENGTH = -17
VEXA_ERR_CARD_TYPE = -18
VEXA_ERR_WRITE_MISMATCH = -19
VEXA_ERR_LENGTH = -20
VEXA_ERR_NOT_SUPPORTED = -21
VEXA_ERR_SEND = -22
VEXA_ERR_RECEIVE = -23
VEXA_ERR_CHECKSUM = -24
VEXA_ERR_CARD_TEST = -25
VEXA_READER_GENERAL_ERROR = 0x0101
VEXA_READER_HOST_DATA_TOO_LONG = 0x6105
VEXA_READER_CARD_DATA_TOO_LONG = 0x6106
VEXA_READER_COMMAND_ERROR = 0x6109
VEXA_READER_TIMEOUT_AFTER_DATA = 0x61D3
VEXA_READER_TIMEOUT_NO_DATA = 0x61D4
VEXA_READER_PARITY_ERROR = 0x61D6
VEXA_READER_CARD_UNREADABLE = 0x61D8
VEXA_READER_CPU_CARD_ERROR = 0x61D9
VEXA_READER_DATA_CHECKSUM = 0x61DA

VEXA_TYPE_SLE4428 = 4
VEXA_TYPE_CPU = 12
VEXA_TYPE_SAM1 = 13
VEXA_TYPE_SAM2 = 14
VEXA_TYPE_SAM3 = 15
VEXA_TYPE_SLE4442 = 16
VEXA_TYPE_24C = 64
VEXA_TYPE_45DB041 = 65
VEXA_TYPE_24C64 = 192

VEXA_FOUND_SLE4442 = 8
VEXA_FOUND_SLE4428 = 9
VEXA_FOUND_45DB041 = 11
VEXA_FOUND_24C01 = 21
VEXA_FOUND_24C02 = 22
VEXA_FOUND_24C04 = 23
VEXA_FOUND_24C08 = 24
VEXA_FOUND_24C16 = 25
VEXA_FOUND_24C64 = 26
VEXA_FOUND_CPU_T0 = 30
VEXA_FOUND_CPU_T1 = 31

VEXA_PROTOCOL_T0 = 0
VEXA_PROTOCOL_T1 = 1

VEXA_SIZE_24C01 = 1
VEXA_SIZE_24C02 = 2
VEXA_SIZE_24C04 = 4
VEXA_SIZE_24C08 = 8
VEXA_SIZE_24C16 = 16
VEXA_SIZE_24C64 = 64

VEXA_READER_PATH_SIZE = 256
VEXA_READER_SERIAL_SIZE = 128
VEXA_READER_LOCATION_SIZE = 32

CARD_TYPES = {
    "sle4428": VEXA_TYPE_SLE4428,
    "cpu": VEXA_TYPE_CPU,
    "sam": VEXA_TYPE_SAM1,
    "sle4442": VEXA_TYPE_SLE4442,
    "24c": VEXA_TYPE_24C,
    "45db041": VEXA_TYPE_45DB041,
    "24c64": VEXA_TYPE_24C64,
}

# IC_CheckCard results.
DETECTED = {
    VEXA_FOUND_SLE4442: "sle4442",
    VEXA_FOUND_SLE4428: "sle4428",
    VEXA_FOUND_45DB041: "45db041",
    VEXA_FOUND_CPU_T0: "cpu-t0",
    VEXA_FOUND_CPU_T1: "cpu-t1",
    VEXA_FOUND_24C01: "24c01",
    VEXA_FOUND_24C02: "24c02",
    VEXA_FOUND_24C04: "24c04",
    VEXA_FOUND_24C08: "24c08",
    VEXA_FOUND_24C16: "24c16",
    VEXA_FOUND_24C64: "24c64",
}

_SUCCESS_TEXT = "执行成功"

_i32 = ctypes.c_int32
_i16 = ctypes.c_int16
_bytes = ctypes.c_char_p
_u8p = ctypes.POINTER(ctypes.c_ubyte)


class VexaReaderInfo(ctypes.Structure):
    _fields_ = [
        ("path", ctypes.c_char * VEXA_READER_PATH_SIZE),
        ("serial", ctypes.c_char * VEXA_READER_SERIAL_SIZE),
        ("location", ctypes.c_char * VEXA_READER_LOCATION_SIZE),
    ]


# An attached reader: its path opens it with Reader(path=...); serial and
# location ("BBB/DDD:I", USB bus, device and interface) are "" when unknown.
ReaderInfo = collections.namedtuple("ReaderInfo", "path serial location")

# name: (result type, argument types)
_SIGNATURES = {
    "IC_InitComm": (_i32, [_i32]),
    "IC_InitCommPath": (_i32, [_i32, ctypes.c_char_p]),
    "IC_ListReaders": (_i16, [ctypes.POINTER(VexaReaderInfo), _i16]),
    "IC_ExitComm": (_i16, [_i32]),
    "IC_GetLastError": (_i16, [ctypes.c_char_p]),
    "IC_InitType": (_i16, [_i32, _i32]),
    "IC_Status": (_i16, [_i32]),
    "IC_Down": (_i16, [_i32]),
    "IC_ReadVer": (_i16, [_i32, ctypes.c_char_p]),
    "IC_Read": (_i16, [_i32, _i32, _i32, _u8p]),
    "IC_Write": (_i16, [_i32, _i32, _i32, _u8p]),
    "IC_DirectRead": (_i16, [_i32, _i32, _i32, _i32, _u8p]),
    "IC_DirectWrite": (_i16, [_i32, _i32, _i32, _i32, _u8p]),
    "IC_ReadProtection": (_i16, [_i32, _i32, _i32, _u8p]),
    "IC_ReadWithProtection": (_i16, [_i32, _i32, _i32, _u8p]),
    "IC_CheckPass_SLE4442": (_i16, [_i32, _u8p]),
    "IC_CheckPass_SLE4428": (_i16, [_i32, _u8p]),
    "IC_ChangePass_SLE4442": (_i16, [_i32, _u8p]),
    "IC_ChangePass_SLE4428": (_i16, [_i32, _u8p]),
    "IC_ReadPass_SLE4442": (_i16, [_i32, _u8p]),
    "IC_ReadCount_SLE4442": (_i16, [_i32]),
    "IC_ReadCount_SLE4428": (_i16, [_i32]),
    "IC_CpuReset": (_i16, [_i32, _u8p, _u8p]),
    "IC_CpuGetProtocol": (_i16, [_i32]),
    "IC_CpuApdu": (_i16, [_i32, _i32, _u8p, _u8p, _u8p]),
    "IC_ReadDevice": (_i16, [_i32, _i32, _i32, _u8p]),
    "IC_WriteDevice": (_i16, [_i32, _i32, _i32, _u8p]),
    "IC_CheckCard": (_i16, [_i32]),
}


class VexaError(Exception):
    """A library call failed: `status` is its result, `message` the library's text."""

    def __init__(self, call, status, message):
        super().__init__(f"{call} failed with status {status} (0x{status & 0xFFFF:04X}): {message}")
        self.call = call
        self.status = status
        self.message = message


def load_library(path=None):
    """Loads the library and declares the functions this module uses."""
    path = path or os.environ.get("VEXA_LIBRARY")
    if os.name == "nt":
        # vexa.dll's functions are stdcall on 32-bit Windows.
        lib = ctypes.WinDLL(path or "vexa.dll")
    else:
        lib = ctypes.CDLL(path or "libvexa.so.1")
    for name, (restype, argtypes) in _SIGNATURES.items():
        fn = getattr(lib, name)
        fn.restype = restype
        fn.argtypes = argtypes
    return lib


def _reader_info(entry):
    serial = entry.serial.decode("utf-8", "replace")
    return ReaderInfo(os.fsdecode(entry.path), serial, entry.location.decode("ascii", "replace"))


def list_readers(library=None):
    """The attached readers, held ones included, in the order Reader() tries them."""
    lib = library if library is not None else load_library()
    room = 0
    while True:
        entries = (VexaReaderInfo * max(room, 1))()
        count = lib.IC_ListReaders(entries, room)
        if count <= room:  # else more came than there was room for: ask again
            return [_reader_info(e) for e in entries[:count]]
        room = count


def _buffer(data):
    return (ctypes.c_ubyte * max(len(data), 1)).from_buffer_copy(bytes(data) or b"\0")


def _room(n):
    return (ctypes.c_ubyte * max(n, 1))()


class Reader:
    """The reader on one port, the first free one or the one at `path` (a
    ReaderInfo's); use it as a context manager."""

    def __init__(self, port=100, library=None, path=None):
        self._lib = library if library is not None else load_library()
        self._port = port
        self._path = path
        self.icdev = 0

    # -- connection --------------------------------------------------------
    def open(self):
        if self._path is None:
            call, icdev = "IC_InitComm", self._lib.IC_InitComm(self._port)
        else:
            path = os.fsencode(self._path)
            call, icdev = "IC_InitCommPath", self._lib.IC_InitCommPath(self._port, path)
        if icdev < 0:
            raise VexaError(call, icdev, self.last_error())
        self.icdev = icdev
        return self

    def close(self):
        if self.icdev:
            self._lib.IC_ExitComm(self.icdev)
            self.icdev = 0

    def __enter__(self):
        return self.open()

    def __exit__(self, *exc):
        self.close()

    def last_error(self):
        """The message text of the library's last status."""
        text = ctypes.create_string_buffer(32)
        self._lib.IC_GetLastError(text)
        return text.value.decode("gbk", errors="replace")

    def _check(self, call, status):
        if status != VEXA_OK:
            raise VexaError(call, status, self.last_error())

    def _call(self, name, *args):
        self._check(name, getattr(self._lib, name)(self.icdev, *args))

    def _count(self, name):
        n = getattr(self._lib, name)(self.icdev)
        if self.last_error() != _SUCCESS_TEXT:  # a status, not a count
            raise VexaError(name, n, self.last_error())
        return n

    # -- reader ------------------------------------------------------------
    def card_present(self):
        status = self._lib.IC_Status(self.icdev)
        if status not in (VEXA_OK, VEXA_NO_CARD):
            self._check("IC_Status", status)
        return status == VEXA_OK

    def version(self):
        text = ctypes.create_string_buffer(512)
        self._call("IC_ReadVer", text)
        return text.value.decode("ascii")

    def power_down(self):
        self._call("IC_Down")

    def select(self, card_type):
        """Selects the card family: a name of CARD_TYPES or a card-type code."""
        code = CARD_TYPES[card_type] if isinstance(card_type, str) else int(card_type)
        self._call("IC_InitType", code)

    def detect(self):
        """Finds the inserted card; returns its name (see DETECTED)."""
        result = self._lib.IC_CheckCard(self.icdev)
        if result < 0:
            raise VexaError("IC_CheckCard", result, self.last_error())
        return DETECTED.get(result, str(result))

    # -- memory cards ------------------------------------------------------
    def read(self, offset, length):
        out = _room(length)
        self._call("IC_Read", offset, length, out)
        return bytes(out)[:length]

    def write(self, offset, data):
        self._call("IC_Write", offset, len(data), _buffer(data))

    def read_flash(self, page, offset, length):
        out = _room(length)
        self._call("IC_DirectRead", page, offset, length, out)
        return bytes(out)[:length]

    def write_flash(self, page, offset, data):
        self._call("IC_DirectWrite", page, offset, len(data), _buffer(data))

    def protected_4442(self, offset, length):
        """Which SLE4442 bytes are write-protected (a list of booleans)."""
        out = _room(length)
        self._call("IC_ReadProtection", offset, length, out)
        return [bit == 0 for bit in bytes(out)[:length]]

    def read_with_protection_4428(self, offset, length):
        """SLE4428 bytes and, per byte, whether it is protected."""
        out = _room(2 * length)
        self._call("IC_ReadWithProtection", offset, length, out)
        raw = bytes(out)
        return raw[:length], [flag == ord("1") for flag in raw[length:2 * length]]

    # -- security codes ----------------------------------------------------
    def verify(self, code):
        """Presents the code: 3 bytes for an SLE4442, 2 for an SLE4428."""
        self._call(self._code_call("IC_CheckPass", code), _buffer(code))

    def change_code(self, code):
        self._call(self._code_call("IC_ChangePass", code), _buffer(code))

    def read_code_4442(self):
        out = _room(3)
        self._call("IC_ReadPass_SLE4442", out)
        return bytes(out)

    def attempts_left(self, family="sle4442"):
        return self._count("IC_ReadCount_SLE4428" if family == "sle4428" else "IC_ReadCount_SLE4442")

    @staticmethod
    def _code_call(prefix, code):
        if len(code) not in (2, 3):
            raise ValueError("a code is 3 bytes (SLE4442) or 2 bytes (SLE4428)")
        return f"{prefix}_SLE{4442 if len(code) == 3 else 4428}"

    # -- CPU and SAM cards ---------------------------------------------------
    def reset(self):
        """Resets the CPU/SAM card; returns its answer to reset."""
        length = ctypes.c_ubyte(0)
        atr = _room(256)
        self._call("IC_CpuReset", ctypes.byref(length), atr)
        return bytes(atr)[: length.value]

    @property
    def protocol(self):
        """VEXA_PROTOCOL_T0 or VEXA_PROTOCOL_T1, as the last reset found."""
        return self._lib.IC_CpuGetProtocol(self.icdev)

    def apdu(self, command):
        if not 4 <= len(command) <= 255:
            raise ValueError("a command APDU is 4 to 255 bytes")
        length = ctypes.c_ubyte(0)
        response = _room(256)
        self._call("IC_CpuApdu", len(command), _buffer(command), ctypes.byref(length), response)
        return bytes(response)[: length.value]

    # -- the reader's own memory ---------------------------------------------
    def read_device(self, offset, length):
        out = _room(length)
        self._call("IC_ReadDevice", offset, length, out)
        return bytes(out)[:length]

    def write_device(self, offset, data):
        self._call("IC_WriteDevice", offset, len(data), _buffer(data))
