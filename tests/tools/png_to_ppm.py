# Converts a PNG (a browser's screenshot) to a binary PPM that the tests read,
# with Debian's python3-pil.
import sys

from PIL import Image

Image.open(sys.argv[1]).convert("RGB").save(sys.argv[2], "PPM")
