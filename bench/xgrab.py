"""A band of an X display's root window read straight from the server (XGetImage through
libX11, no helper process), as rows of RGB bytes: fast enough to poll the tray every few
milliseconds, where `import -window root` takes a good part of a second."""
import ctypes
import ctypes.util

ALL_PLANES = ctypes.c_ulong(-1 % (1 << 64))
Z_PIXMAP = 2


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_char)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


_x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
_x11.XOpenDisplay.restype = ctypes.c_void_p
_x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
_x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
_x11.XDefaultRootWindow.restype = ctypes.c_ulong
_x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
_x11.XGetImage.restype = ctypes.POINTER(XImage)
_x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                           ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
_x11.XDestroyImage.argtypes = [ctypes.POINTER(XImage)]


class Grabber:
    """One connection to `display` (":N"); grab() reads the band of `height` rows from `top` of
    a screen `width` wide."""

    def __init__(self, display, width, top, height):
        self.display = _x11.XOpenDisplay(display.encode())
        if not self.display:
            raise RuntimeError("cannot open display %s" % display)
        self.root = _x11.XDefaultRootWindow(self.display)
        self.width, self.top, self.height = width, top, height

    def close(self):
        if self.display:
            _x11.XCloseDisplay(self.display)
            self.display = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def grab(self):
        """The band as width * height RGB bytes, top row first."""
        image = _x11.XGetImage(self.display, self.root, 0, self.top, self.width, self.height,
                               ALL_PLANES, Z_PIXMAP)
        if not image:
            raise RuntimeError("XGetImage failed")
        try:
            x = image.contents
            if x.bits_per_pixel != 32 or x.byte_order != 0:
                raise RuntimeError("a screen of %d bits a pixel, byte order %d: only 32-bit "
                                   "little-endian ones are read" % (x.bits_per_pixel, x.byte_order))
            raw = ctypes.string_at(x.data, x.bytes_per_line * x.height)
            if x.bytes_per_line != 4 * x.width:
                raw = b"".join(raw[y * x.bytes_per_line:y * x.bytes_per_line + 4 * x.width]
                               for y in range(x.height))
        finally:
            _x11.XDestroyImage(image)
        # Blue, green, red, unused in memory: RGB by slicing, at C speed.
        rgb = bytearray(len(raw) // 4 * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = raw[2::4], raw[1::4], raw[0::4]
        return bytes(rgb)
