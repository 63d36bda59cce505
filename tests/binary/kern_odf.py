"""Sets LibreOffice's letter-pair kerning in every text style of ODF files.

kern_odf.py OUTDIR FILE...: each FILE is written again into OUTDIR under its
own name, "mimetype" first and stored, as ODF asks."""
import os
import re
import sys
import zipfile

for name in sys.argv[2:]:
    with zipfile.ZipFile(name) as z:
        parts = [(i.filename, z.read(i)) for i in z.infolist()]
    with zipfile.ZipFile(os.path.join(sys.argv[1], os.path.basename(name)), 'w') as z:
        for part, data in sorted(parts, key=lambda p: p[0] != 'mimetype'):
            if part in ('styles.xml', 'content.xml'):
                data = re.sub(rb' style:letter-kerning="[^"]*"', b'', data)
                data = data.replace(b'<style:text-properties', b'<style:text-properties style:letter-kerning="true"')
            z.writestr(part, data, zipfile.ZIP_STORED if part == 'mimetype' else zipfile.ZIP_DEFLATED)
