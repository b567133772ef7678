"""Starts Radicale with the configuration file CONFIG for the sync tests,
without flushing every change to the disk (the tests' data is thrown away,
and a flush per card makes a sync of a thousand cards take minutes).

    run_radicale.py CONFIG"""
import signal
import socket
import sys

from radicale import config, log, server

configuration = config.load([(sys.argv[1], False)])
configuration.update({"storage": {"_filesystem_fsync": "False"}}, "sync tests", privileged=True)
log.setup()
log.set_level(configuration.get("logging", "level"))
shutdown, shutdown_out = socket.socketpair()
for number in (signal.SIGTERM, signal.SIGINT):
    signal.signal(number, lambda *_: shutdown.close())
server.serve(configuration, shutdown_out)
