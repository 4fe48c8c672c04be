# SPDX-License-Identifier: MIT
"""A PC/SC application written with python3-pyscard, against the Tavix reader
that pcscd serves.

    pyscard_client.py cpu T0|T1   the CPU card answers GET CHALLENGE under
                                  that protocol
    pyscard_client.py sle4442     read, present the code, write and read back
                                  an SLE4442 through the pseudo-APDUs; a wrong
                                  code costs an attempt (63 Cx)
    pyscard_client.py side-by-side  a T=0 and a T=1 card in two readers
                                  answer GET CHALLENGE in turn
"""
import sys

from smartcard.CardConnection import CardConnection
from smartcard.System import readers
from smartcard.util import toBytes, toHexString

PROTOCOLS = {"T0": CardConnection.T0_protocol, "T1": CardConnection.T1_protocol}


def connect_all():
    connections = [r.createConnection() for r in readers() if str(r).startswith("Tavix")]
    for connection in connections:
        connection.connect()
    return connections


def connect():
    return connect_all()[0]


def send(connection, apdu, expected_sw, expected_data=None):
    data, sw1, sw2 = connection.transmit(toBytes(apdu))
    sw = "%02X %02X" % (sw1, sw2)
    if sw != expected_sw or (expected_data is not None and data != expected_data):
        sys.exit("%s answered %s %s, expected %s %s"
                 % (apdu, toHexString(data), sw, expected_data, expected_sw))
    print("ok   %-28s -> %s %s" % (apdu, toHexString(data), sw))
    return data


def cpu(protocol):
    connection = connect()
    if connection.getProtocol() != PROTOCOLS[protocol]:
        sys.exit("connected under protocol %d" % connection.getProtocol())
    challenge = send(connection, "00 84 00 00 08", "90 00")
    if len(challenge) != 8:
        sys.exit("challenge of %d bytes" % len(challenge))


def side_by_side():
    connections = connect_all()
    if sorted(c.getProtocol() for c in connections) != sorted(PROTOCOLS.values()):
        sys.exit("connected under other protocols than T=0 and T=1")
    for connection in connections * 3:
        send(connection, "00 84 00 00 08", "90 00")


def sle4442():
    connection = connect()
    send(connection, "FF A4 00 00 01 10", "90 00")
    send(connection, "FF B0 00 00 08", "90 00", toBytes("A2 13 10 91 FF FF 81 15"))
    send(connection, "FF 20 00 00 03 FF FF FF", "90 00")
    send(connection, "FF D0 00 40 05 68 65 6C 6C 6F", "90 00")
    send(connection, "FF B0 00 40 05", "90 00", list(b"hello"))
    send(connection, "FF 20 00 00 03 01 02 03", "63 C2")
    send(connection, "FF B1 00 00 04", "90 00", toBytes("03 00 00 00"))
    send(connection, "FF 20 00 00 03 FF FF FF", "90 00")


if __name__ == "__main__":
    if sys.argv[1:2] == ["cpu"]:
        cpu(sys.argv[2])
    elif sys.argv[1:2] == ["side-by-side"]:
        side_by_side()
    else:
        sle4442()
