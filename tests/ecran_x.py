#!/usr/bin/env python3
"""Small X11 helper for the end-to-end journey and the start-up benchmark (Xlib through ctypes).

  ecran_x.py ferme WINDOW
      Asks a top-level window to close, as its frame's close button would (WM_DELETE_WINDOW).
      Without a window manager xdotool can only destroy or kill a window, which skips the
      program's own closing path.

  ecran_x.py pixel X Y
      Prints the colour "R G B" of the screen pixel (X, Y).

  ecran_x.py empreinte X Y W H
      Prints a digest of the screen rectangle: two digests differ when a pixel changed.

  ecran_x.py demarrage X Y TIMEOUT_S COMMAND [ARG...]
      Starts COMMAND and waits until the screen pixel (X, Y) is no longer black (run the X
      server with a black root, Xvfb -br): that is the first paint of a window centred on that
      pixel. Prints "<milliseconds from start to first paint> <peak RSS in KiB>", then ends
      the program. Exit status 1 if nothing was painted in time or the program died.
"""

import ctypes
import hashlib
import os
import signal
import subprocess
import sys
import time


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [('type', ctypes.c_int), ('serial', ctypes.c_ulong), ('send_event', ctypes.c_int),
                ('display', ctypes.c_void_p), ('window', ctypes.c_ulong), ('message_type', ctypes.c_ulong),
                ('format', ctypes.c_int), ('data', ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [('type', ctypes.c_int), ('xclient', XClientMessageEvent), ('pad', ctypes.c_long * 24)]


class XImage(ctypes.Structure):
    # Only the leading fields are read.
    _fields_ = [('width', ctypes.c_int), ('height', ctypes.c_int), ('xoffset', ctypes.c_int),
                ('format', ctypes.c_int), ('data', ctypes.POINTER(ctypes.c_ubyte)),
                ('byte_order', ctypes.c_int), ('bitmap_unit', ctypes.c_int), ('bitmap_bit_order', ctypes.c_int),
                ('bitmap_pad', ctypes.c_int), ('depth', ctypes.c_int), ('bytes_per_line', ctypes.c_int),
                ('bits_per_pixel', ctypes.c_int)]


CLIENT_MESSAGE = 33
Z_PIXMAP = 2
TOUS_LES_PLANS = 0xFFFFFFFF


def xlib():
    x = ctypes.cdll.LoadLibrary('libX11.so.6')
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.POINTER(XEvent)]
    x.XFlush.argtypes = [ctypes.c_void_p]
    x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x.XGetImage.restype = ctypes.POINTER(XImage)
    x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                            ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    x.XFree.argtypes = [ctypes.c_void_p]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return x


def ouvre(x):
    affichage = x.XOpenDisplay(None)
    if not affichage:
        sys.exit('cannot open display %s' % os.environ.get('DISPLAY', '(unset)'))
    return affichage


def ferme(fenetre):
    x = xlib()
    d = ouvre(x)
    ev = XEvent()
    ev.xclient.type = CLIENT_MESSAGE
    ev.xclient.window = fenetre
    ev.xclient.message_type = x.XInternAtom(d, b'WM_PROTOCOLS', 0)
    ev.xclient.format = 32
    ev.xclient.data[0] = x.XInternAtom(d, b'WM_DELETE_WINDOW', 0)
    ev.xclient.data[1] = 0  # CurrentTime
    if not x.XSendEvent(d, fenetre, 0, 0, ctypes.byref(ev)):
        sys.exit('XSendEvent failed')
    x.XSync(d, 0)
    x.XCloseDisplay(d)
    return 0


def lit_ecran(x, d, racine, px, py, largeur, hauteur):
    """Raw bytes of a screen rectangle (32-bit pixels, B G R X on a 24-bit Xvfb screen)."""
    image = x.XGetImage(d, racine, px, py, largeur, hauteur, TOUS_LES_PLANS, Z_PIXMAP)
    if not image:
        return None
    i = image.contents
    if i.bits_per_pixel != 32:
        sys.exit('only 32-bit screens are read (this one has %d bits per pixel)' % i.bits_per_pixel)
    octets = bytes(i.data[0:i.bytes_per_line * i.height])
    x.XFree(i.data)
    x.XFree(image)
    return octets


def pixel_allume(x, d, racine, px, py):
    octets = lit_ecran(x, d, racine, px, py, 1, 1)
    return octets is not None and any(octets[0:3])


def pixel(px, py):
    x = xlib()
    d = ouvre(x)
    octets = lit_ecran(x, d, x.XDefaultRootWindow(d), px, py, 1, 1)
    x.XCloseDisplay(d)
    if octets is None:
        sys.exit('pixel (%d, %d) is off the screen' % (px, py))
    print(octets[2], octets[1], octets[0])
    return 0


def empreinte(px, py, largeur, hauteur):
    x = xlib()
    d = ouvre(x)
    octets = lit_ecran(x, d, x.XDefaultRootWindow(d), px, py, largeur, hauteur)
    x.XCloseDisplay(d)
    if octets is None:
        sys.exit('rectangle off the screen')
    print(hashlib.sha1(octets).hexdigest())
    return 0


def pic_rss_kio(pid):
    with open('/proc/%d/status' % pid) as statut:
        for ligne in statut:
            if ligne.startswith('VmHWM:'):
                return int(ligne.split()[1])
    return 0


def demarrage(px, py, delai, commande):
    x = xlib()
    d = ouvre(x)
    racine = x.XDefaultRootWindow(d)
    # A window of the previous measure may still be going away.
    limite = time.perf_counter() + 2.0
    while pixel_allume(x, d, racine, px, py):
        if time.perf_counter() > limite:
            sys.exit('pixel (%d, %d) is lit before the start: is the root black (Xvfb -br)?' % (px, py))
        time.sleep(0.01)
    debut = time.perf_counter()
    programme = subprocess.Popen(commande, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        while True:
            if pixel_allume(x, d, racine, px, py):
                duree = (time.perf_counter() - debut) * 1000.0
                rss = pic_rss_kio(programme.pid)
                print('%.2f %d' % (duree, rss))
                return 0
            if programme.poll() is not None:
                print('program ended (status %d) before painting' % programme.returncode, file=sys.stderr)
                return 1
            if time.perf_counter() - debut > delai:
                print('nothing painted within %g s' % delai, file=sys.stderr)
                return 1
            time.sleep(0.0005)
    finally:
        if programme.poll() is None:
            programme.send_signal(signal.SIGTERM)
            try:
                programme.wait(timeout=5)
            except subprocess.TimeoutExpired:
                programme.kill()
                programme.wait()
        x.XCloseDisplay(d)


def main(args):
    if len(args) >= 2 and args[0] == 'ferme':
        return ferme(int(args[1], 0))
    if len(args) == 3 and args[0] == 'pixel':
        return pixel(int(args[1]), int(args[2]))
    if len(args) == 5 and args[0] == 'empreinte':
        return empreinte(*(int(a) for a in args[1:]))
    if len(args) >= 5 and args[0] == 'demarrage':
        return demarrage(int(args[1]), int(args[2]), float(args[3]), args[4:])
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
