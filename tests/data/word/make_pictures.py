# Writes the pictures of this folder: python3 make_pictures.py .
# (PNGs are real, decodable gradients; the others carry only the header that
# is recognised and measured.)
import struct, zlib, sys
out = sys.argv[1]
def chunk(t, d):
    b = t + d
    return struct.pack('>I', len(d)) + b + struct.pack('>I', zlib.crc32(b) & 0xffffffff)
def png(w, h, ppm=0):
    p = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>II', w, h) + b'\x08\x02\x00\x00\x00')
    if ppm: p += chunk(b'pHYs', struct.pack('>II', ppm, ppm) + b'\x01')
    raw = b''.join(b'\0' + b''.join(bytes([255*x//w, 255*y//h, 160]) for x in range(w)) for y in range(h))
    return p + chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b'')
files = {
  'gradient-4x4.png': png(4, 4), 'gradient-5x5.png': png(5, 5), 'gradient-8x8.png': png(8, 8),
  'gradient-40x30.png': png(40, 30), 'gradient-96x48.png': png(96, 48),
  'gradient-30x15-30dpi.png': png(30, 15, 1181),
  # headers only: recognised and measured, not shown
  'header-192x96.gif': b'GIF89a' + struct.pack('<HH', 192, 96) + b'\0\0\0',
  'header-144x72-144dpi.jpg': b'\xff\xd8\xff\xe0' + struct.pack('>H', 16) + b'JFIF\0\x01\x02\x01' + struct.pack('>HH', 144, 144)
      + b'\0\0\xff\xc0' + struct.pack('>H', 17) + b'\x08' + struct.pack('>HH', 72, 144) + b'\x01' * 10 + b'\xff\xd9',
  'header-48x24-topdown.bmp': (b'BM' + struct.pack('<IIIIii', 54, 0, 54, 40, 48, -24) + struct.pack('<HH', 1, 24)).ljust(54, b'\0'),
  'header-25.4x12.7mm.emf': struct.pack('<IIIIIIIIIII', 1, 88, 0, 0, 0, 0, 0, 0, 2540, 1270, 0x464D4520).ljust(88, b'\0'),
}
for name, data in files.items():
    open(f'{out}/{name}', 'wb').write(data)
