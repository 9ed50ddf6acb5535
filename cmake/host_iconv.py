"""The build host's iconv (glibc's), for the build steps that must convert
exactly as the POSIX build does at run time."""

import ctypes
import sys

_libc = ctypes.CDLL("libc.so.6", use_errno=True)
_libc.iconv_open.restype = ctypes.c_void_p
_libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
_libc.iconv.restype = ctypes.c_size_t
_libc.iconv.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_char_p),
                        ctypes.POINTER(ctypes.c_size_t), ctypes.POINTER(ctypes.c_char_p),
                        ctypes.POINTER(ctypes.c_size_t)]
_FAILED = 2**64 - 1


class Converter:
    """One conversion descriptor, from `frm` to `to`."""

    def __init__(self, to, frm):
        self.cd = _libc.iconv_open(to.encode(), frm.encode())
        if self.cd in (None, _FAILED):
            sys.exit("iconv cannot convert %s to %s on this host" % (frm, to))
        self.out = ctypes.create_string_buffer(64)

    def whole(self, data):
        """The conversion of all of data (at most a few characters), or None
        when any of it fails."""
        _libc.iconv(self.cd, None, None, None, None)
        src = ctypes.create_string_buffer(data, len(data))
        src_p = ctypes.c_char_p(ctypes.addressof(src))
        src_left = ctypes.c_size_t(len(data))
        dst_p = ctypes.c_char_p(ctypes.addressof(self.out))
        dst_left = ctypes.c_size_t(64)
        rc = _libc.iconv(self.cd, ctypes.byref(src_p), ctypes.byref(src_left),
                         ctypes.byref(dst_p), ctypes.byref(dst_left))
        if rc == _FAILED or src_left.value:
            return None
        return self.out.raw[:64 - dst_left.value]
