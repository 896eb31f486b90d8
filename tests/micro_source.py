#!/usr/bin/python3
# Feeds a PulseAudio pipe source in real time: 50 ms blocks (or BLOCK_MS) of a raw 44100 Hz file
# of 16-bit mono (or FRAME_BYTES a frame: 4 for 16-bit stereo), written when each is due (a
# monotonic clock, no drift). The FIFO comes and goes with its module: the feeder waits for it and
# opens it again after it was removed.
# Usage: micro_source.py FIFO RAW_FILE [BLOCK_MS [FRAME_BYTES]]
import os, sys, time, errno

fifo, brut = sys.argv[1], sys.argv[2]
with open(brut, 'rb') as f:
    son = f.read()
MS = int(sys.argv[3]) if len(sys.argv) > 3 else 50
TRAME = int(sys.argv[4]) if len(sys.argv) > 4 else 2
BLOC = 441 * MS // 10 * TRAME  # MS at 44100 Hz
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
            attente = debut + n * MS / 1000.0 - time.monotonic()
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
