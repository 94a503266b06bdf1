"""The pixels of an 8-bit, non-interlaced RGB or RGBA PNG (what a browser's
screenshot is), read with the standard library alone."""

import struct
import zlib

_SIGNATURE = b"\x89PNG\r\n\x1a\n"
_CHANNELS = {2: 3, 6: 4}  # colour type: RGB, RGBA


class Picture:
    def __init__(self, png):
        if not png.startswith(_SIGNATURE):
            raise ValueError("not a PNG")
        at = len(_SIGNATURE)
        data = b""
        while at < len(png):
            length, kind = struct.unpack(">I4s", png[at : at + 8])
            body = png[at + 8 : at + 8 + length]
            at += 12 + length
            if kind == b"IHDR":
                self.width, self.height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
                if depth != 8 or colour not in _CHANNELS or interlace:
                    raise ValueError(f"unsupported PNG: depth {depth}, colour type {colour}, interlace {interlace}")
                self._channels = _CHANNELS[colour]
            elif kind == b"IDAT":
                data += body
            elif kind == b"IEND":
                break
        self._rows = self._unfilter(zlib.decompress(data))

    def _unfilter(self, raw):
        step = self._channels
        stride = self.width * step
        rows = []
        previous = bytearray(stride)
        at = 0
        for _ in range(self.height):
            kind = raw[at]
            row = bytearray(raw[at + 1 : at + 1 + stride])
            at += 1 + stride
            for i in range(stride):
                left = row[i - step] if i >= step else 0
                up = previous[i]
                upper_left = previous[i - step] if i >= step else 0
                if kind == 1:
                    row[i] = (row[i] + left) & 0xFF
                elif kind == 2:
                    row[i] = (row[i] + up) & 0xFF
                elif kind == 3:
                    row[i] = (row[i] + (left + up) // 2) & 0xFF
                elif kind == 4:
                    row[i] = (row[i] + _paeth(left, up, upper_left)) & 0xFF
            rows.append(row)
            previous = row
        return rows

    def pixel(self, x, y):
        """(red, green, blue) at column x, row y."""
        at = x * self._channels
        return tuple(self._rows[y][at : at + 3])


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c
