#!/usr/bin/env python3
"""Writes the fuzzer's seed corpus: tiny valid 24- and 32-bit TGA files and
broken ones, one for each way the decoder must refuse a file."""

import os
import struct

HEADER = bytes([0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0])


def tga(width, height, bits, pixels, header=HEADER, descriptor=0):
    return header + struct.pack("<HHBB", width, height, bits, descriptor) + bytes(pixels)


def gradient(count, bytes_per_pixel):
    return [(i * 37 + c * 91) % 256 for i in range(count) for c in range(bytes_per_pixel)]


SEEDS = {
    "valid_24bit_2x2.tga": tga(2, 2, 24, gradient(4, 3)),
    "valid_32bit_3x1.tga": tga(3, 1, 32, gradient(3, 4)),
    "valid_32bit_top_left_origin.tga": tga(2, 2, 32, gradient(4, 4), descriptor=0x28),
    "valid_24bit_trailing_bytes.tga": tga(1, 1, 24, [10, 20, 30, 99, 99, 99]),
    "valid_24bit_8x4.tga": tga(8, 4, 24, gradient(32, 3)),
    "broken_one_byte_short.tga": tga(2, 2, 24, gradient(4, 3)[:-1]),
    "broken_claims_65535x65535.tga": tga(65535, 65535, 32, gradient(4, 4)),
    "broken_run_length_type10.tga": tga(2, 2, 24, gradient(4, 3), header=bytes([0, 0, 10] + [0] * 9)),
    "broken_colour_mapped.tga": tga(2, 2, 24, gradient(4, 3), header=bytes([0, 1, 1] + [0] * 9)),
    "broken_identification_field.tga": tga(1, 1, 24, [1, 2, 3], header=bytes([3, 0, 2] + [0] * 9)),
    "broken_16bit.tga": tga(2, 2, 16, gradient(4, 2)),
    "broken_zero_width.tga": tga(0, 2, 24, []),
    "broken_zero_height.tga": tga(2, 0, 32, []),
    "broken_header_only_12_bytes.tga": HEADER,
    "broken_truncated_info.tga": HEADER + bytes([2, 0, 2]),
}


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
    os.makedirs(folder, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(folder, name), "wb") as seed:
            seed.write(data)


if __name__ == "__main__":
    main()
