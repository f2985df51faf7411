#!/usr/bin/python3
"""Scripted DNS server for the resolver tests.

Answers on 127.0.0.1:53 over UDP and TCP from a small fixed zone. A UDP reply
over 512 bytes goes out truncated (header and question, TC set) so that the
client asks again over TCP. Exits by itself after --lifetime seconds.
With --query-log it appends one line per query received, "udp|tcp TYPE NAME",
before answering it.
With --probe it only asks a running server one question and exits 0 when
answered.
"""
import argparse
import selectors
import socket
import struct
import sys
import time

from dnslib import CNAME, PTR, QTYPE, RCODE, RR, TXT, A, DNSHeader, DNSRecord

ZONE = {
    "multi.lookwell.test.": [A("10.1.0.1"), A("10.1.0.2"), A("10.1.0.3")],
    "xn--bcher-kva.lookwell.test.": [A("10.1.0.1"), A("10.1.0.2"), A("10.1.0.3")],  # bücher
    "one.lookwell.jp.": [A("172.16.0.1")],
    "www.lookwell.test.": [CNAME("edge.lookwell.test.")],
    "edge.lookwell.test.": [CNAME("origin.lookwell.test.")],
    "origin.lookwell.test.": [A("10.2.0.1")],
    "nodata.lookwell.test.": [TXT("no address here")],
    "big.lookwell.test.": [A(f"10.3.{n // 256}.{n % 256}") for n in range(1, 91)],
    "huge.lookwell.test.": [A(f"10.4.{n // 256}.{n % 256}") for n in range(1, 201)],
    "1.0.1.10.in-addr.arpa.": [PTR("ptr-host.lookwell.test.")],
    "1.0.2.10.in-addr.arpa.": [PTR("origin.lookwell.test.")],
}
SERVER_FAILURE = "servfail.lookwell.test."
NEVER_ANSWERED = "silent.lookwell.test."
MAX_CNAME_HOPS = 8
UDP_LIMIT = 512
TCP_IDLE_SECONDS = 2


class QueryLog:
    """Where each query received is written down, or nowhere without a path."""

    def __init__(self, path):
        self.file = open(path, "a", encoding="ascii") if path else None

    def write(self, transport, request):
        if self.file is not None:
            name = str(request.q.qname).lower()
            self.file.write(f"{transport} {QTYPE[request.q.qtype]} {name}\n")
            self.file.flush()


def answer(request):
    """The reply to one query, or None for a query left unanswered."""
    name = str(request.q.qname).lower()
    if name == NEVER_ANSWERED:
        return None
    reply = request.reply()
    if name == SERVER_FAILURE:
        reply.header.rcode = RCODE.SERVFAIL
        return reply
    if name not in ZONE:
        reply.header.rcode = RCODE.NXDOMAIN
        return reply
    for _ in range(MAX_CNAME_HOPS):
        records = ZONE.get(name, [])
        alias = next((r for r in records if type(r) is CNAME), None)  # PTR derives from CNAME
        if alias is None:
            break
        reply.add_answer(RR(name, QTYPE.CNAME, rdata=alias, ttl=60))
        name = str(alias.label).lower()
    for record in ZONE.get(name, []):
        rtype = getattr(QTYPE, type(record).__name__)
        if rtype == request.q.qtype:
            reply.add_answer(RR(name, rtype, rdata=record, ttl=60))
    return reply


def truncated(request, reply):
    header = DNSHeader(id=reply.header.id, qr=1, aa=1, ra=1, tc=1, rcode=reply.header.rcode)
    return DNSRecord(header, q=request.q).pack()


def udp_reply(data, log):
    request = DNSRecord.parse(data)
    log.write("udp", request)
    reply = answer(request)
    if reply is None:
        return None
    packed = reply.pack()
    return packed if len(packed) <= UDP_LIMIT else truncated(request, reply)


def read_exactly(connection, count):
    data = b""
    while len(data) < count:
        chunk = connection.recv(count - len(data))
        if not chunk:
            return None
        data += chunk
    return data


def serve_tcp_connection(connection, log):
    """Answers length-prefixed queries until the client closes or goes idle."""
    connection.settimeout(TCP_IDLE_SECONDS)
    with connection:
        try:
            while (prefix := read_exactly(connection, 2)) is not None:
                data = read_exactly(connection, struct.unpack("!H", prefix)[0])
                if not data:
                    return
                request = DNSRecord.parse(data)
                log.write("tcp", request)
                reply = answer(request)
                if reply is None:
                    return
                packed = reply.pack()
                connection.sendall(struct.pack("!H", len(packed)) + packed)
        except (OSError, ValueError):
            return


def probe(options):
    try:
        DNSRecord.question("multi.lookwell.test").send(options.address, options.port, timeout=0.2)
        return 0
    except OSError:
        return 1


def serve(options):
    udp = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    udp.bind((options.address, options.port))
    tcp = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    tcp.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    tcp.bind((options.address, options.port))
    tcp.listen(8)

    log = QueryLog(options.query_log)
    selector = selectors.DefaultSelector()
    selector.register(udp, selectors.EVENT_READ)
    selector.register(tcp, selectors.EVENT_READ)
    deadline = time.monotonic() + options.lifetime
    while (remaining := deadline - time.monotonic()) > 0:
        for key, _ in selector.select(timeout=remaining):
            if key.fileobj is tcp:
                serve_tcp_connection(tcp.accept()[0], log)
                continue
            data, client = udp.recvfrom(4096)
            try:
                reply = udp_reply(data, log)
            except Exception:  # a malformed query gets no answer
                reply = None
            if reply is not None:
                udp.sendto(reply, client)
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--address", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=53)
    parser.add_argument("--lifetime", type=float, default=120)
    parser.add_argument("--probe", action="store_true")
    parser.add_argument("--query-log")
    options = parser.parse_args()
    return probe(options) if options.probe else serve(options)


if __name__ == "__main__":
    sys.exit(main())
