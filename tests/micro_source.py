#!/usr/bin/python3
# Feeds a PulseAudio pipe source in real time: 50 ms blocks of a raw 16-bit mono 44100 Hz file,
# written when each is due (a monotonic clock, no drift). The FIFO comes and goes with its module:
# the feeder waits for it and opens it again after it was removed.
# Usage: micro_source.py FIFO RAW_FILE
import os, sys, time, errno

fifo, brut = sys.argv[1], sys.argv[2]
with open(brut, 'rb') as f:
    son = f.read()
BLOC = 2205 * 2  # 50 ms of 16-bit mono at 44100 Hz
position = 0
while True:
    try:
        fd = os.open(fifo, os.O_WRONLY | os.O_NONBLOCK)
    except OSError:
        time.sleep(0.05)
        continue
    debut = time.monotonic()
    n = 0
    try:
        while os.path.exists(fifo):
            bloc = son[position:position + BLOC]
            if len(bloc) < BLOC:
                position = 0
                continue
            try:
                os.write(fd, bloc)
            except BlockingIOError:
                pass  # the server is behind: this block is dropped, as a live input would
            position += BLOC
            n += 1
            attente = debut + n * 0.05 - time.monotonic()
            if attente > 0:
                time.sleep(attente)
    except OSError as e:
        if e.errno not in (errno.EPIPE, errno.EBADF):
            raise
    finally:
        try:
            os.close(fd)
        except OSError:
            pass
