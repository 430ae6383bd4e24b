#!/usr/bin/env python3
"""Prints N port numbers that the system gives out as free, for TCP and UDP
alike on the loopback address, one per line. The sockets stay bound until all
N are chosen, so the numbers differ from each other."""
import socket
import sys

count = int(sys.argv[1])
held = []
ports = []
while len(ports) < count:
    tcp = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    tcp.bind(("127.0.0.1", 0))
    port = tcp.getsockname()[1]
    udp = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    try:
        udp.bind(("0.0.0.0", port))
    except OSError:
        held.append(tcp)
        continue
    held += [tcp, udp]
    ports.append(port)
for sock in held:
    sock.close()
print("\n".join(str(p) for p in ports))
